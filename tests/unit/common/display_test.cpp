#include "common/display.h"

#include <gtest/gtest.h>

#include <climits>

#include "fake_libraries.h"
#include "fake_system.h"

namespace {

TEST(RoundedMulDiv, RoundsHalvesAwayFromZeroLikeWindows) {
  struct Case {
    int number, numerator, denominator, expected;
  };
  const Case cases[] = {
      {11, 96, 96, 11},   {11, 120, 96, 14},  {11, 144, 96, 17},   // 13.75 and 16.5 round up
      {11, 100, 96, 11},  {-11, 144, 96, -17}, {11, 144, -96, -17},
      {-11, -144, 96, 17}, {0, 5, 7, 0},
      {1, 1, 0, -1},      {INT_MAX, 2, 1, -1},  {INT_MIN, 1, 1, INT_MIN},
  };
  for (const auto& c : cases)
    EXPECT_EQ(RoundedMulDiv(c.number, c.numerator, c.denominator), c.expected)
        << c.number << " * " << c.numerator << " / " << c.denominator;
}

TEST(TDisplay, ChoosesThePreferredFaceOfTheWindowsVersionOnlyWhenInstalled) {
  struct Case {
    int majorVersion;
    std::vector<std::string> fonts;
    TDisplayFont expected;
  };
  const auto segoe = TDisplayFont::Face("Segoe UI", 9);
  const auto tahoma = TDisplayFont::Face("Tahoma", 8);
  const Case cases[] = {
      {6, {"Segoe UI", "Tahoma"}, segoe},
      {10, {"Segoe UI", "Tahoma"}, segoe},
      {5, {"Segoe UI", "Tahoma"}, tahoma},
      {6, {"SEGOE UI"}, segoe},  // the installed face's spelling does not matter
      // The other version's face is no fallback: the platform's default stays.
      {6, {"Tahoma"}, TDisplayFont::Default()},
      {5, {"Segoe UI"}, TDisplayFont::Default()},
      {6, {}, TDisplayFont::Default()},
  };
  for (const auto& c : cases) {
    TFakeLibraries libraries;
    TFakeSystem system;
    system.SetWindowsMajorVersion(c.majorVersion);
    system.SetInstalledFonts(c.fonts);
    TDisplay display(libraries, system);
    EXPECT_EQ(display.DisplayFont(), c.expected) << "Windows " << c.majorVersion << ", " << c.fonts.size() << " fonts";
  }
}

TEST(TDisplay, DeclaresTheProcessDpiAwareAndReleasesUser32) {
  TFakeLibraries libraries;
  int calls = 0;
  libraries.AddExport("USER32.DLL", "SetProcessDPIAware", [&] { ++calls; });
  TFakeSystem system;
  TDisplay display(libraries, system);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(libraries.Loads(), std::vector<std::string>{"user32.dll"});
  EXPECT_EQ(libraries.LoadedCount(), 0);
}

TEST(TDisplay, StartsWithoutTheDpiExportOrWithoutUser32) {
  TFakeSystem system;
  TFakeLibraries withoutExport;
  withoutExport.AddLibrary("user32.dll");
  TDisplay display(withoutExport, system);
  EXPECT_TRUE(withoutExport.Calls().empty());
  EXPECT_EQ(withoutExport.LoadedCount(), 0);

  TFakeLibraries none;
  TDisplay alsoFine(none, system);
  EXPECT_EQ(alsoFine.DisplayFont(), TDisplayFont::Face("Segoe UI", 9));
}

class ScaleForDisplayTest : public ::testing::Test {
 protected:
  TDisplay DisplayAt(int pixelsPerInch) {
    system.SetPixelsPerInch(pixelsPerInch);
    return TDisplay(libraries, system);
  }
  TFakeLibraries libraries;
  TFakeSystem system;
};

TEST_F(ScaleForDisplayTest, At96PixelsPerInchValuesStayAsDesigned) {
  TDisplay display = DisplayAt(96);
  for (int value : {0, 1, 7, 13, 497, -1, -20}) EXPECT_EQ(display.ScaleForDisplay(value), value) << value;
}

TEST_F(ScaleForDisplayTest, At120PixelsPerInchValuesGrowByTheMeasuredHeightOver13) {
  TDisplay display = DisplayAt(120);
  // The reference font is asked for 14 pixels (13.75 rounded) and measures 16.
  EXPECT_EQ(display.ScaleForDisplay(13), 16);
  EXPECT_EQ(display.ScaleForDisplay(100), 123);
  EXPECT_EQ(display.ScaleForDisplay(497), 611);
  // Negative offsets shrink toward zero, as positive ones do: -12.3 is -12.
  EXPECT_EQ(display.ScaleForDisplay(-10), -12);
  EXPECT_EQ(display.ScaleForDisplay(-1), -1);
  EXPECT_EQ(display.ScaleForDisplay(0), 0);
}

TEST_F(ScaleForDisplayTest, MeasuresTheReferenceFontOnceOnFirstUse) {
  TDisplay display = DisplayAt(144);
  EXPECT_TRUE(system.TextHeightRequests().empty());
  display.ScaleForDisplay(10);
  system.SetPixelsPerInch(96);  // a later change is not seen
  display.ScaleForDisplay(20);
  display.ScaleForDisplay(30);
  ASSERT_EQ(system.TextHeightRequests().size(), 1u);
  EXPECT_EQ(system.TextHeightRequests()[0], (TTextHeightRequest{"MS Sans Serif", -17, "0"}));
  EXPECT_EQ(display.ScaleForDisplay(13), 20);
}

TEST_F(ScaleForDisplayTest, AFailedMeasurementKeepsTheDesignedLayout) {
  system.SetTextHeight(0);
  TDisplay display = DisplayAt(120);
  EXPECT_EQ(display.ScaleForDisplay(100), 100);
}

TEST_F(ScaleForDisplayTest, HugeValuesSaturateInsteadOfWrapping) {
  TDisplay display = DisplayAt(192);
  EXPECT_EQ(display.ScaleForDisplay(INT_MAX), INT_MAX);
  EXPECT_EQ(display.ScaleForDisplay(INT_MIN), INT_MIN);
}

}  // namespace
