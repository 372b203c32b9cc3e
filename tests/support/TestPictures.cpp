#include "support/TestPictures.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace zorvex::test {

std::string EncodeJpeg(int width, int height, J_COLOR_SPACE space, int components,
                       const std::function<uint8_t(int, int, int)> &sample) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char *buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = components;
  info.in_color_space = space;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(width) * components);
  while (info.next_scanline < info.image_height) {
    const int y = static_cast<int>(info.next_scanline);
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < components; ++c)
        row[static_cast<size_t>(x) * components + c] = sample(x, y, c);
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::string bytes(reinterpret_cast<char *>(buffer), size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

std::string RedBlueJpeg(int width, int height) {
  return EncodeJpeg(width, height, JCS_RGB, 3, [width](int x, int, int c) -> uint8_t {
    const bool left = x < width / 2;
    return c == 0 ? (left ? 255 : 0) : c == 2 ? (left ? 0 : 255) : 0;
  });
}

} // namespace zorvex::test
