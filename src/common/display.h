// The display helpers: the font the wizard shows its texts in, and the factor
// that scales its layout to the screen's resolution.
#pragma once

#include <string>
#include <utility>

class Libraries;
class System;

// The shared display font: a face at a point size, or the platform's default
// font when neither of the preferred faces is installed.
struct TDisplayFont {
  bool PlatformDefault = true;
  std::string Name;  // empty for the platform's default
  int Size = 0;      // points; 0 for the platform's default

  static TDisplayFont Default() { return {}; }
  static TDisplayFont Face(std::string name, int size) { return {false, std::move(name), size}; }
  bool operator==(const TDisplayFont&) const = default;
};

// number * numerator / denominator, rounded to the nearest integer with halves
// away from zero, as Windows' MulDiv does; -1 when denominator is 0 or the
// result does not fit 32 bits.
int RoundedMulDiv(int number, int numerator, int denominator);

// Created once when the program starts, before any window exists.
class TDisplay {
 public:
  // Declares the process aware of the screen's resolution (when user32.dll
  // offers SetProcessDPIAware) and chooses the display font: "Segoe UI" 9 on
  // Windows 6 or later, "Tahoma" 8 before, when that face is installed.
  TDisplay(Libraries& libraries, System& system);

  const TDisplayFont& DisplayFont() const { return font_; }

  // value * reference height / 13, truncated toward zero. The reference height
  // is that of "0" in "MS Sans Serif" at 11 pixels per 96 pixels per inch,
  // measured on the first call; it is 13 at 96 pixels per inch.
  int ScaleForDisplay(int value);

 private:
  int ReferenceHeight();

  System& system_;
  TDisplayFont font_;
  int referenceHeight_ = 0;  // 0 until measured
};
