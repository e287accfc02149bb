// The benchmark product's side image "Setup.jpg": a photograph-like picture
// of the size the vendors' reference recommends for sharp high-resolution
// displays (300 x 700), so that the wizard's start-up decodes as much as a
// real product makes it decode.
#pragma once

#include <string>

inline constexpr int kSidePictureWidth = 300;
inline constexpr int kSidePictureHeight = 700;

// The JPEG bytes (baseline, quality 90), made once per process by a fixed
// seed.
const std::string& SidePictureJpeg();
