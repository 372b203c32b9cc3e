#include "PngWriter.h"

#include "Bitmap.h"

#include <libdeflate.h>

#include <memory>
#include <stdexcept>
#include <string>

namespace zorvex {

namespace {
void Put32(std::vector<uint8_t> &out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<uint8_t>(value >> shift));
}

void Chunk(std::vector<uint8_t> &out, const char type[4], const uint8_t *data, size_t size) {
  Put32(out, static_cast<uint32_t>(size));
  const size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data, data + size);
  const uint32_t crc = libdeflate_crc32(0, out.data() + typeAt, size + 4);
  Put32(out, crc);
}

struct CompressorDeleter {
  void operator()(libdeflate_compressor *compressor) const { libdeflate_free_compressor(compressor); }
};

// `rgb(x, y, out)` writes pixel (x, y) as three bytes, red first.
template <typename PixelRgb> std::vector<uint8_t> Encode(int width, int height, PixelRgb rgb) {
  if (width <= 0 || height <= 0)
    throw std::invalid_argument("EncodePng: empty picture");
  // Filter type 0 (none) before each row of RGB bytes.
  const size_t rowBytes = static_cast<size_t>(width) * 3 + 1;
  std::vector<uint8_t> raw(rowBytes * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    uint8_t *row = raw.data() + rowBytes * static_cast<size_t>(y);
    row[0] = 0;
    for (int x = 0; x < width; ++x)
      rgb(x, y, row + 1 + 3 * x);
  }
  std::unique_ptr<libdeflate_compressor, CompressorDeleter> compressor(libdeflate_alloc_compressor(6));
  if (!compressor)
    throw std::bad_alloc();
  std::vector<uint8_t> compressed(libdeflate_zlib_compress_bound(compressor.get(), raw.size()));
  const size_t size =
      libdeflate_zlib_compress(compressor.get(), raw.data(), raw.size(), compressed.data(), compressed.size());
  if (size == 0)
    throw std::runtime_error("EncodePng: compression failed");

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  uint8_t header[13] = {};
  for (int i = 0; i < 4; ++i) {
    header[i] = static_cast<uint8_t>(static_cast<uint32_t>(width) >> (24 - 8 * i));
    header[4 + i] = static_cast<uint8_t>(static_cast<uint32_t>(height) >> (24 - 8 * i));
  }
  header[8] = 8; // bits per channel
  header[9] = 2; // RGB
  Chunk(png, "IHDR", header, sizeof(header));
  Chunk(png, "IDAT", compressed.data(), size);
  Chunk(png, "IEND", nullptr, 0);
  return png;
}
} // namespace

std::vector<uint8_t> EncodePng(int width, int height, const uint32_t *pixels) {
  return Encode(width, height, [&](int x, int y, uint8_t *out) {
    const uint32_t pixel = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
    out[0] = static_cast<uint8_t>(pixel >> 16);
    out[1] = static_cast<uint8_t>(pixel >> 8);
    out[2] = static_cast<uint8_t>(pixel);
  });
}

std::vector<uint8_t> EncodePng(const TBitmap &bitmap) {
  const int step = bitmap.BytesPerPixel();
  return Encode(bitmap.Width(), bitmap.Height(), [&](int x, int y, uint8_t *out) {
    const uint8_t *pixel = bitmap.ScanLine(y) + x * step;
    out[0] = pixel[2];
    out[1] = pixel[1];
    out[2] = pixel[0];
  });
}

} // namespace zorvex
