#include "common/display.h"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>

#include "platform/libraries.h"
#include "platform/system.h"

namespace {

// The layout was designed with "MS Sans Serif" 8 at 96 pixels per inch, where
// the text "0" is this many pixels high.
constexpr int kDesignHeight = 13;

int32_t Saturated(int64_t value) {
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

void DeclareDpiAware(Libraries& libraries) {
  // Without this, Windows scales the whole window as a bitmap on screens above
  // 96 pixels per inch and the texts turn blurred. Older systems lack the
  // export; they need nothing.
  std::unique_ptr<LoadedLibrary> user32 = libraries.Load("user32.dll");
  if (user32) user32->CallExport("SetProcessDPIAware");
}

TDisplayFont ChooseFont(System& system) {
  const TDisplayFont preferred =
      system.WindowsMajorVersion() >= 6 ? TDisplayFont::Face("Segoe UI", 9) : TDisplayFont::Face("Tahoma", 8);
  return system.IsFontInstalled(preferred.Name) ? preferred : TDisplayFont::Default();
}

}  // namespace

int RoundedMulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const int64_t product = static_cast<int64_t>(number) * numerator;
  const int64_t magnitude = (std::llabs(product) + std::llabs(denominator) / 2) / std::llabs(denominator);
  const int64_t result = (product < 0) != (denominator < 0) ? -magnitude : magnitude;
  if (result > std::numeric_limits<int32_t>::max() || result < std::numeric_limits<int32_t>::min()) return -1;
  return static_cast<int>(result);
}

TDisplay::TDisplay(Libraries& libraries, System& system) : system_(system) {
  DeclareDpiAware(libraries);
  font_ = ChooseFont(system);
}

int TDisplay::ReferenceHeight() {
  if (referenceHeight_ == 0) {
    const int height = -RoundedMulDiv(11, system_.ScreenPixelsPerInch(), 96);
    const int measured = system_.TextHeight("MS Sans Serif", height, "0");
    // A failed measurement would scale every control to nothing; the layout as
    // designed is the better answer.
    referenceHeight_ = measured > 0 ? measured : kDesignHeight;
  }
  return referenceHeight_;
}

int TDisplay::ScaleForDisplay(int value) {
  // C++ division truncates toward zero, as the layout expects for negative
  // offsets.
  return Saturated(static_cast<int64_t>(value) * ReferenceHeight() / kDesignHeight);
}
