#include "framework/core/PngWriter.h"

#include "framework/core/Bitmap.h"

#include <gtest/gtest.h>

#include <libdeflate.h>

#include <string>

using namespace zorvex;

namespace {

uint32_t BigEndian32(const uint8_t *p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

// The rows a PNG file holds, each after its filter byte, once every chunk's
// CRC has been checked and its size read from the header.
std::vector<uint8_t> InflatedRows(const std::vector<uint8_t> &png, uint32_t width, uint32_t height) {
  EXPECT_EQ(std::vector<uint8_t>(png.begin(), png.begin() + 8),
            (std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
  size_t at = 8;
  std::vector<uint8_t> idat;
  std::vector<std::string> types;
  while (at + 12 <= png.size()) {
    const uint32_t length = BigEndian32(&png[at]);
    const std::string type(png.begin() + at + 4, png.begin() + at + 8);
    types.push_back(type);
    EXPECT_EQ(BigEndian32(&png[at + 8 + length]), libdeflate_crc32(0, &png[at + 4], length + 4)) << type;
    if (type == "IHDR") {
      EXPECT_EQ(BigEndian32(&png[at + 8]), width);
      EXPECT_EQ(BigEndian32(&png[at + 12]), height);
    }
    if (type == "IDAT")
      idat.insert(idat.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
    at += 12 + length;
  }
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  std::vector<uint8_t> raw(height * (1 + 3 * width));
  libdeflate_decompressor *inflater = libdeflate_alloc_decompressor();
  size_t got = 0;
  EXPECT_EQ(libdeflate_zlib_decompress(inflater, idat.data(), idat.size(), raw.data(), raw.size(), &got),
            LIBDEFLATE_SUCCESS);
  libdeflate_free_decompressor(inflater);
  return raw;
}

} // namespace

TEST(PngWriter, WritesAValidFileWhosePixelsInflateBack) {
  const uint32_t pixels[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF102030, 0xFFFFFFFF, 0xFF000000};
  EXPECT_EQ(InflatedRows(EncodePng(3, 2, pixels), 3, 2),
            (std::vector<uint8_t>{0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0x10, 0x20, 0x30, 255, 255, 255, 0, 0, 0}));
}

TEST(PngWriter, WritesBitmapsOfEitherPixelFormatRedFirst) {
  for (const TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
    TBitmap bitmap(2, 2, format);
    bitmap.SetPixel(0, 0, MakeColor(1, 2, 3));
    bitmap.SetPixel(1, 0, MakeColor(250, 0, 128));
    bitmap.SetPixel(0, 1, clWhite);
    EXPECT_EQ(InflatedRows(EncodePng(bitmap), 2, 2),
              (std::vector<uint8_t>{0, 1, 2, 3, 250, 0, 128, 0, 255, 255, 255, 0, 0, 0}));
  }
  EXPECT_THROW(EncodePng(TBitmap()), std::invalid_argument);
}
