// Decoding a JPEG picture, such as the wizard's side image "Setup.jpg".
#pragma once

#include <cstdint>
#include <vector>

class TStream;

// A decoded image: rows top to bottom, 3 bytes per pixel in the order blue,
// green, red (the order of a Windows 24-bit bitmap), no row padding.
struct TDecodedImage {
  int Width = 0;
  int Height = 0;
  std::vector<uint8_t> Pixels;
};

// Decodes a JPEG image from the stream's position to its end; raises EJPEG
// "JPEG error #<code>" with the decoder's message code when it cannot.
TDecodedImage DecodeJpeg(TStream& stream);
