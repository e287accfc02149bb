#include "support/side_picture.h"

#include <cstdio>  // jpeglib.h needs FILE
#include <cstdlib>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

#include "support/deterministic_random.h"

namespace {

// Soft colour gradients with fine grain: smooth areas alone would compress
// to far less than a photograph, grain alone to far more.
std::vector<unsigned char> Pixels() {
  TDeterministicRandom random(SeedOf("Setup.jpg"));
  std::vector<unsigned char> rgb(static_cast<size_t>(kSidePictureWidth) * kSidePictureHeight * 3);
  size_t i = 0;
  for (int y = 0; y < kSidePictureHeight; ++y) {
    for (int x = 0; x < kSidePictureWidth; ++x) {
      const int grain = static_cast<int>(random.Below(25)) - 12;
      const int wave = ((x * 7 + y * 3) / 40) % 2 == 0 ? 10 : -10;
      const int channels[3] = {40 + y * 160 / kSidePictureHeight + wave, 70 + x * 120 / kSidePictureWidth,
                               200 - y * 150 / kSidePictureHeight - wave};
      for (int channel : channels) {
        const int value = channel + grain;
        rgb[i++] = static_cast<unsigned char>(value < 0 ? 0 : value > 255 ? 255 : value);
      }
    }
  }
  return rgb;
}

// libjpeg's default error handler ends the process, which is acceptable for
// a picture made of fixed, valid parameters.
std::string Encode() {
  std::vector<unsigned char> rgb = Pixels();
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = kSidePictureWidth;
  info.image_height = kSidePictureHeight;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 90, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = rgb.data() + static_cast<size_t>(info.next_scanline) * kSidePictureWidth * 3;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

}  // namespace

const std::string& SidePictureJpeg() {
  static const std::string bytes = Encode();
  return bytes;
}
