// Decoding the side image. The JPEG data is made by libjpeg at test time.
#include "setuplogic/jpeg_decoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include <jerror.h>
#include <jpeglib.h>

#include "common/errors.h"
#include "jpeg_fixture.h"
#include "setup_fixture.h"

namespace {


// Left half red, right half blue: 8-pixel blocks of one colour each.
std::vector<uint8_t> RedAndBlue() {
  return EncodeJpeg(16, 8, [](int x, int) { return x < 8 ? TRgb{255, 0, 0} : TRgb{0, 0, 255}; });
}

void ExpectPixel(const TDecodedImage& image, int x, int y, int blue, int green, int red) {
  const size_t at = (static_cast<size_t>(y) * image.Width + x) * 3;
  EXPECT_NEAR(image.Pixels.at(at), blue, 8) << x << "," << y;
  EXPECT_NEAR(image.Pixels.at(at + 1), green, 8) << x << "," << y;
  EXPECT_NEAR(image.Pixels.at(at + 2), red, 8) << x << "," << y;
}

std::string JpegError(int code) { return "JPEG error #" + std::to_string(code); }

std::string DecodeError(const std::vector<uint8_t>& bytes) {
  TMemoryStream stream(bytes);
  try {
    DecodeJpeg(stream);
  } catch (const EJPEG& e) {
    return e.Message();
  }
  return "decoded";
}

TEST(DecodeJpegTest, GivesRowsTopDownInBlueGreenRedOrder) {
  TMemoryStream stream(RedAndBlue());
  const TDecodedImage image = DecodeJpeg(stream);
  EXPECT_EQ(image.Width, 16);
  EXPECT_EQ(image.Height, 8);
  ASSERT_EQ(image.Pixels.size(), 16u * 8 * 3);
  ExpectPixel(image, 0, 0, 0, 0, 255);
  ExpectPixel(image, 15, 7, 255, 0, 0);
}

TEST(DecodeJpegTest, AGrayPictureComesOutInColourBytes) {
  TMemoryStream stream(EncodeJpeg(8, 16, [](int, int y) { return TRgb{0, static_cast<uint8_t>(y < 8 ? 40 : 200), 0}; }, true));
  const TDecodedImage image = DecodeJpeg(stream);
  ASSERT_EQ(image.Pixels.size(), 8u * 16 * 3);
  ExpectPixel(image, 3, 2, 40, 40, 40);
  ExpectPixel(image, 3, 12, 200, 200, 200);
}

TEST(DecodeJpegTest, ReadsFromTheStreamsPosition) {
  std::vector<uint8_t> bytes = {'j', 'u', 'n', 'k'};
  const std::vector<uint8_t> jpeg = RedAndBlue();
  bytes.insert(bytes.end(), jpeg.begin(), jpeg.end());
  TMemoryStream stream(bytes);
  stream.SetPosition(4);
  EXPECT_EQ(DecodeJpeg(stream).Width, 16);
}

TEST(DecodeJpegTest, DataThatIsNoPictureGivesTheDecodersCode) {
  const std::vector<uint8_t> jpeg = RedAndBlue();
  EXPECT_EQ(DecodeError({}), JpegError(JERR_INPUT_EMPTY));
  EXPECT_EQ(DecodeError({'G', 'I', 'F', '8', '9', 'a'}), JpegError(JERR_NO_SOI));
  EXPECT_EQ(DecodeError(std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + 20)), JpegError(JERR_NO_IMAGE));
}

TEST(DecodeJpegTest, APictureCutShortInItsScanStillDecodes) {
  // A damaged side image is shown as far as it goes rather than stopping the setup.
  const std::vector<uint8_t> jpeg = EncodeJpeg(64, 64, [](int x, int y) {
    return TRgb{static_cast<uint8_t>(x * 4), static_cast<uint8_t>(y * 4), static_cast<uint8_t>(x ^ y)};
  });
  TMemoryStream stream(std::vector<uint8_t>(jpeg.begin(), jpeg.end() - jpeg.size() / 3));
  const TDecodedImage image = DecodeJpeg(stream);
  EXPECT_EQ(image.Pixels.size(), 64u * 64 * 3);
}

TEST(DecodeJpegTest, AHugePictureIsRefusedBeforeItsPixelsAreAllocated) {
  std::vector<uint8_t> jpeg = RedAndBlue();
  // The frame header: FF C0, length, precision, height, width.
  size_t at = 2;
  while (at + 1 < jpeg.size() && !(jpeg[at] == 0xFF && jpeg[at + 1] == 0xC0)) ++at;
  ASSERT_LT(at + 9, jpeg.size());
  jpeg[at + 5] = 0xFD;  // 65000 rows
  jpeg[at + 6] = 0xE8;
  jpeg[at + 7] = 0xFD;  // of 65000 pixels
  jpeg[at + 8] = 0xE8;
  EXPECT_EQ(DecodeError(jpeg), JpegError(JERR_IMAGE_TOO_BIG));
}

// -- the side image of a setup ----------------------------------------------------------

TEST_F(SetupFixture, TheSideImageComesFromThePackage) {
  SetupJpg = RedAndBlue();
  EXPECT_EQ(Build().LoadSideImage().Width, 16);
}

TEST_F(SetupFixture, TheSideImageBesideTheExecutableStandsIn) {
  const std::vector<uint8_t> jpeg = EncodeJpeg(24, 8, [](int, int) { return TRgb{0, 255, 0}; });
  platform.Files.AddFile("C:\\Setup\\Setup.jpg", jpeg);
  EXPECT_EQ(Build().LoadSideImage().Width, 24);
}

TEST_F(SetupFixture, NoSideImageAnywhereGivesTheOpenError) {
  Build();
  try {
    setup->LoadSideImage();
    FAIL() << "loaded";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file \"C:\\Setup\\Setup.jpg\". The system cannot find the file specified");
  }
}

}  // namespace
