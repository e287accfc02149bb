#include "jpeg_fixture.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

std::vector<uint8_t> EncodeJpeg(int width, int height, const std::function<TRgb(int x, int y)>& pixel,
                                bool gray) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = gray ? 1 : 3;
  info.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row(static_cast<size_t>(width) * info.input_components);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const TRgb c = pixel(x, y);
      if (gray) {
        row[x] = c.G;
      } else {
        row[x * 3] = c.R;
        row[x * 3 + 1] = c.G;
        row[x * 3 + 2] = c.B;
      }
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> bytes(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

std::string SmallJpeg() {
  const std::vector<uint8_t> bytes =
      EncodeJpeg(8, 8, [](int x, int y) { return TRgb{static_cast<uint8_t>(x * 30), static_cast<uint8_t>(y * 20), 99}; });
  return std::string(bytes.begin(), bytes.end());
}
