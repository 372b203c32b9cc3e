#include "support/TestPictures.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace zorvex::test {

std::string EncodeJpeg(int width, int height, J_COLOR_SPACE space, int components,
                       const std::function<uint8_t(int, int, int)> &sample, bool progressive) {
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
  if (progressive)
    jpeg_simple_progression(&info);
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

std::string WithClaimedSize(std::string jpeg, int width, int height) {
  // Frame headers: FF C0 (baseline) or FF C2 (progressive), a length, the
  // sample precision, then the height and the width, big-endian.
  size_t frame = jpeg.find("\xFF\xC0");
  if (frame == std::string::npos)
    frame = jpeg.find("\xFF\xC2");
  if (frame == std::string::npos || frame + 9 > jpeg.size())
    return jpeg;
  jpeg[frame + 5] = static_cast<char>(height >> 8);
  jpeg[frame + 6] = static_cast<char>(height);
  jpeg[frame + 7] = static_cast<char>(width >> 8);
  jpeg[frame + 8] = static_cast<char>(width);
  return jpeg;
}

std::string RedBlueJpeg(int width, int height) {
  return EncodeJpeg(width, height, JCS_RGB, 3, [width](int x, int, int c) -> uint8_t {
    const bool left = x < width / 2;
    return c == 0 ? (left ? 255 : 0) : c == 2 ? (left ? 0 : 255) : 0;
  });
}

} // namespace zorvex::test

namespace zorvex::test {

namespace {
std::string Le32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }
std::string Le16(uint32_t v) { return {char(v), char(v >> 8)}; }
} // namespace

std::string RedBlueRunLengthBitmap(int width, int height, int bitCount) {
  // Palette: 1 red, 2 blue (blue, green, red, spare).
  const std::string palette = std::string("\0\0\0\0\0\0\xFF\0\xFF\0\0\0", 12);
  const bool four = bitCount == 4;
  std::string runs;
  for (int y = 0; y < height; ++y) {
    runs += static_cast<char>(width / 2);
    runs += static_cast<char>(four ? 0x11 : 1);
    runs += static_cast<char>(width - width / 2);
    runs += static_cast<char>(four ? 0x22 : 2);
    runs += std::string("\0\0", 2); // end of line
  }
  runs += std::string("\0\1", 2); // end of picture
  const std::string info = Le32(40) + Le32(static_cast<uint32_t>(width)) + Le32(static_cast<uint32_t>(height)) +
                           Le16(1) + Le16(static_cast<uint32_t>(bitCount)) + Le32(four ? 2 : 1) +
                           Le32(static_cast<uint32_t>(runs.size())) + Le32(2835) + Le32(2835) + Le32(3) + Le32(0);
  const uint32_t offset = static_cast<uint32_t>(14 + info.size() + palette.size());
  return "BM" + Le32(offset + static_cast<uint32_t>(runs.size())) + Le32(0) + Le32(offset) + info + palette + runs;
}

} // namespace zorvex::test
