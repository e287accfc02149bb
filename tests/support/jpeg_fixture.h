// JPEG pictures made by the tests at run time with libjpeg.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TRgb {
  uint8_t R, G, B;
};

// A baseline JPEG of the picture at the best quality; gray makes a
// one-component picture of the pixels' green.
std::vector<uint8_t> EncodeJpeg(int width, int height, const std::function<TRgb(int x, int y)>& pixel,
                                bool gray = false);

// Any small valid JPEG, for setups that just need one.
std::string SmallJpeg();
