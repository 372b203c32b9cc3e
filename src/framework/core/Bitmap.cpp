#include "Bitmap.h"

#include "Streams.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace zorvex {

namespace {

[[noreturn]] void Invalid() { throw EInvalidGraphic("Bitmap image is not valid"); }

uint32_t U32(const uint8_t *p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t U16(const uint8_t *p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

void Put32(std::vector<uint8_t> &out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<uint8_t>(value >> shift));
}
void Put16(std::vector<uint8_t> &out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

// One colour channel described by a bit mask, scaled to 8 bits.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit Channel(uint32_t m) : mask(m) {
    if (mask) {
      shift = std::countr_zero(mask);
      bits = std::min(32 - shift, std::popcount(mask));
    }
  }
  uint8_t Get(uint32_t pixel) const {
    if (!mask)
      return 0;
    const uint32_t value = (pixel & mask) >> shift;
    if (bits >= 8)
      return static_cast<uint8_t>(value >> (bits - 8));
    // Fewer bits: repeat them downwards, so all ones stays white.
    uint32_t wide = value << (8 - bits);
    for (int filled = bits; filled < 8; filled *= 2)
      wide |= wide >> filled;
    return static_cast<uint8_t>(wide);
  }
};

constexpr uint32_t BI_RGB = 0;
constexpr uint32_t BI_BITFIELDS = 3;
constexpr uint32_t BI_ALPHABITFIELDS = 6;

} // namespace

int TBitmap::RowStrideFor(int width, TPixelFormat format) {
  const int bytes = format == TPixelFormat::pf32bit ? 4 : 3;
  return (width * bytes + 3) & ~3;
}

TBitmap::TBitmap(int width, int height, TPixelFormat format) : format_(format) { SetSize(width, height); }

void TBitmap::SetSize(int width, int height) {
  if (width < 0 || height < 0 || static_cast<int64_t>(width) * height > MaxBitmapPixels)
    throw EInvalidGraphic("Invalid bitmap size " + std::to_string(width) + " x " + std::to_string(height));
  if (width == width_ && height == height_)
    return;
  const int stride = RowStrideFor(width, format_);
  std::vector<uint8_t> pixels(static_cast<size_t>(stride) * static_cast<size_t>(height), 0);
  const size_t keep = static_cast<size_t>(std::min(width, width_) * BytesPerPixel());
  for (int y = 0; y < std::min(height, height_); ++y)
    std::memcpy(pixels.data() + static_cast<size_t>(y) * stride, ScanLine(y), keep);
  pixels_ = std::move(pixels);
  width_ = width;
  height_ = height;
}

void TBitmap::Clear() {
  pixels_.clear();
  pixels_.shrink_to_fit();
  width_ = height_ = 0;
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == format_)
    return;
  TBitmap converted(0, 0, format);
  converted.SetSize(width_, height_);
  const int from = BytesPerPixel();
  const int to = converted.BytesPerPixel();
  for (int y = 0; y < height_; ++y) {
    const uint8_t *src = ScanLine(y);
    uint8_t *dst = converted.ScanLine(y);
    for (int x = 0; x < width_; ++x)
      std::memcpy(dst + x * to, src + x * from, 3);
  }
  pixels_ = std::move(converted.pixels_);
  format_ = format;
}

uint8_t *TBitmap::ScanLine(int y) {
  if (y < 0 || y >= height_)
    throw EInvalidGraphic("Scan line index out of range");
  return pixels_.data() + static_cast<size_t>(y) * static_cast<size_t>(RowStride());
}

const uint8_t *TBitmap::ScanLine(int y) const { return const_cast<TBitmap *>(this)->ScanLine(y); }

TColor TBitmap::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    return clBlack;
  const uint8_t *p = ScanLine(y) + x * BytesPerPixel();
  return MakeColor(p[2], p[1], p[0]);
}

void TBitmap::SetPixel(int x, int y, TColor color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    return;
  color = ColorToRGB(color);
  uint8_t *p = ScanLine(y) + x * BytesPerPixel();
  p[0] = static_cast<uint8_t>(ColorBlue(color));
  p[1] = static_cast<uint8_t>(ColorGreen(color));
  p[2] = static_cast<uint8_t>(ColorRed(color));
}

void TBitmap::Fill(TColor color) {
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      SetPixel(x, y, color);
}

void TBitmap::Assign(const TPersistent &source) {
  if (const auto *other = dynamic_cast<const TBitmap *>(&source))
    *this = *other;
  else
    TPersistent::Assign(source);
}

// ---- BMP files -----------------------------------------------------------------

void TBitmap::LoadFromStream(TStream &stream) { LoadFromStream(stream, AnyBitmap); }

namespace {

// The two headers as far as the size goes.
struct BmpHeaders {
  uint32_t fileSize = 0;
  uint32_t pixelsAt = 0;
  uint32_t headerSize = 0;
  int64_t width = 0;
  int64_t height = 0; // negative: rows stored top-down
  int bitCount = 0;
  uint32_t compression = BI_RGB;
  uint32_t colorsUsed = 0;
};

bool ReadHeaders(const uint8_t *bytes, int64_t size, BmpHeaders &h) {
  // File header, then the info header (12 bytes in the oldest form, 40 or
  // more in every later one).
  if (size < 14 + 12 || bytes[0] != 'B' || bytes[1] != 'M')
    return false;
  h.fileSize = U32(bytes + 2);
  h.pixelsAt = U32(bytes + 10);
  h.headerSize = U32(bytes + 14);
  if (h.headerSize != 12 && (h.headerSize < 40 || h.headerSize > 1024))
    return false;
  if (14 + static_cast<int64_t>(h.headerSize) > size)
    return false;
  const uint8_t *info = bytes + 14;
  if (h.headerSize == 12) {
    h.width = U16(info + 4);
    h.height = static_cast<int16_t>(U16(info + 6));
    h.bitCount = U16(info + 10);
  } else {
    h.width = static_cast<int32_t>(U32(info + 4));
    h.height = static_cast<int32_t>(U32(info + 8));
    h.bitCount = U16(info + 14);
    h.compression = U32(info + 16);
    h.colorsUsed = U32(info + 32);
  }
  return h.width > 0 && h.height != 0;
}

} // namespace

bool TBitmap::ReadBitmapSize(const uint8_t *bytes, int64_t size, int &width, int &height) {
  BmpHeaders h;
  if (!ReadHeaders(bytes, size, h))
    return false;
  const int64_t rows = h.height < 0 ? -h.height : h.height;
  if (h.width > INT32_MAX || rows > INT32_MAX)
    return false;
  width = static_cast<int>(h.width);
  height = static_cast<int>(rows);
  return true;
}

void TBitmap::LoadFromStream(TStream &stream, const TBitmapLimits &limits) {
  const int64_t start = stream.Position();
  const int64_t available = stream.Size() - start;
  if (available <= 0) {
    Clear();
    return;
  }
  std::vector<uint8_t> file(static_cast<size_t>(available));
  stream.ReadBuffer(file.data(), available);
  const int64_t size = available;
  const uint8_t *bytes = file.data();

  BmpHeaders headers;
  if (!ReadHeaders(bytes, size, headers))
    Invalid();
  const uint32_t fileSize = headers.fileSize, pixelsAt = headers.pixelsAt, headerSize = headers.headerSize;
  const uint8_t *info = bytes + 14;
  const int64_t width = headers.width;
  const bool topDown = headers.height < 0;
  const int64_t height = topDown ? -headers.height : headers.height;
  const int bitCount = headers.bitCount;
  const uint32_t compression = headers.compression, colorsUsed = headers.colorsUsed;
  if (width > limits.MaxWidth || height > limits.MaxHeight || width * height > limits.MaxPixels ||
      width * height > MaxBitmapPixels)
    Invalid();
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    Invalid();

  // Channel masks: given by the header or after it, or the defaults.
  int64_t tableAt = 14 + headerSize;
  uint32_t masks[4] = {0, 0, 0, 0};
  if (compression == BI_BITFIELDS || compression == BI_ALPHABITFIELDS) {
    if (bitCount != 16 && bitCount != 32)
      Invalid();
    const int count = compression == BI_ALPHABITFIELDS ? 4 : 3;
    const uint8_t *from = info + 40;
    if (headerSize < 40 + 4u * count) { // the masks follow the header
      if (tableAt + 4 * count > size)
        Invalid();
      from = bytes + tableAt;
      tableAt += 4 * count;
    }
    for (int i = 0; i < count; ++i)
      masks[i] = U32(from + 4 * i);
  } else if (compression != BI_RGB) {
    Invalid();
  } else if (bitCount == 16) {
    masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
  } else if (bitCount == 32) {
    masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF, masks[3] = 0xFF000000;
  }

  // Palette entries: blue, green, red (and a spare byte after the oldest header).
  std::vector<TColor> palette;
  if (bitCount <= 8) {
    const int entrySize = headerSize == 12 ? 3 : 4;
    // Writers often shorten the table; it never reaches into the pixels.
    int64_t entries = std::min<int64_t>(colorsUsed ? colorsUsed : (1u << bitCount), 1 << bitCount);
    if (pixelsAt > tableAt)
      entries = std::min<int64_t>(entries, (pixelsAt - tableAt) / entrySize);
    if (tableAt + entries * entrySize > size)
      Invalid();
    for (int64_t i = 0; i < entries; ++i) {
      const uint8_t *e = bytes + tableAt + i * entrySize;
      palette.push_back(MakeColor(e[2], e[1], e[0]));
    }
    palette.resize(static_cast<size_t>(1) << bitCount, clBlack); // indexes past the table read as black
  }

  const int64_t rowBytes = ((width * bitCount + 31) / 32) * 4;
  if (pixelsAt < 14 + headerSize || static_cast<int64_t>(pixelsAt) + rowBytes * height > size)
    Invalid();

  TBitmap loaded(0, 0, bitCount == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);
  loaded.SetSize(static_cast<int>(width), static_cast<int>(height));
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
  const int step = loaded.BytesPerPixel();
  for (int64_t row = 0; row < height; ++row) {
    const uint8_t *src = bytes + pixelsAt + row * rowBytes;
    uint8_t *dst = loaded.ScanLine(static_cast<int>(topDown ? row : height - 1 - row));
    for (int64_t x = 0; x < width; ++x, dst += step) {
      if (bitCount <= 8) {
        const int64_t bit = x * bitCount;
        const int index = (src[bit / 8] >> (8 - bitCount - bit % 8)) & ((1 << bitCount) - 1);
        const TColor c = palette[static_cast<size_t>(index)];
        dst[0] = static_cast<uint8_t>(ColorBlue(c));
        dst[1] = static_cast<uint8_t>(ColorGreen(c));
        dst[2] = static_cast<uint8_t>(ColorRed(c));
      } else if (bitCount == 24) {
        std::memcpy(dst, src + x * 3, 3);
      } else {
        const uint32_t pixel = bitCount == 16 ? U16(src + x * 2) : U32(src + x * 4);
        dst[0] = blue.Get(pixel);
        dst[1] = green.Get(pixel);
        dst[2] = red.Get(pixel);
        if (step == 4)
          dst[3] = alpha.Get(pixel);
      }
    }
  }
  *this = std::move(loaded);
  // Leave the stream after this bitmap when its header says where that is.
  const int64_t end = std::max<int64_t>(fileSize, pixelsAt + rowBytes * height);
  stream.SetPosition(start + std::min(end, size));
}

void TBitmap::LoadFromDib(const uint8_t *data, size_t size) {
  if (size < 16)
    Invalid();
  // The pixels follow the info header, the colour masks of a plain
  // 40-byte header and the palette; a file header says where that is.
  const uint32_t headerSize = U32(data);
  int64_t pixelsAt = 14 + static_cast<int64_t>(headerSize);
  if (headerSize == 12) {
    const int bits = U16(data + 10);
    if (bits <= 8)
      pixelsAt += 3 * (int64_t{1} << bits);
  } else if (size >= 36) {
    const int bits = U16(data + 14);
    const uint32_t compression = U32(data + 16), colorsUsed = U32(data + 32);
    if (headerSize == 40 && compression == BI_BITFIELDS)
      pixelsAt += 12;
    else if (headerSize == 40 && compression == BI_ALPHABITFIELDS)
      pixelsAt += 16;
    if (bits <= 8) {
      const int64_t entries = int64_t{1} << bits;
      pixelsAt += 4 * (colorsUsed && colorsUsed < entries ? colorsUsed : entries);
    }
  }
  if (pixelsAt > UINT32_MAX)
    Invalid();
  std::vector<uint8_t> file = {'B', 'M'};
  Put32(file, static_cast<uint32_t>(std::min<uint64_t>(14 + uint64_t{size}, UINT32_MAX)));
  Put32(file, 0);
  Put32(file, static_cast<uint32_t>(pixelsAt));
  file.insert(file.end(), data, data + size);
  TMemoryStream stream;
  stream.WriteBuffer(file.data(), static_cast<int64_t>(file.size()));
  stream.SetPosition(0);
  LoadFromStream(stream);
}

void TBitmap::SaveToStream(TStream &stream) const {
  if (Empty())
    return;
  const int bits = BytesPerPixel() * 8;
  const uint32_t imageSize = static_cast<uint32_t>(RowStride()) * static_cast<uint32_t>(height_);
  std::vector<uint8_t> out;
  out.reserve(54 + imageSize);
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + imageSize);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, static_cast<uint32_t>(width_));
  Put32(out, static_cast<uint32_t>(height_)); // bottom-up, as most readers expect
  Put16(out, 1);
  Put16(out, static_cast<uint16_t>(bits));
  Put32(out, BI_RGB);
  Put32(out, imageSize);
  Put32(out, 2835); // 72 dots per inch
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = height_ - 1; y >= 0; --y)
    out.insert(out.end(), ScanLine(y), ScanLine(y) + RowStride());
  stream.WriteBuffer(out.data(), static_cast<int64_t>(out.size()));
}

void TBitmap::LoadFromFile(const std::string &path) {
  TFileStream file(path, fm::OpenRead | fm::ShareDenyWrite);
  LoadFromStream(file);
}

void TBitmap::SaveToFile(const std::string &path) const {
  TFileStream file(path, fm::Create);
  SaveToStream(file);
  file.Close();
}

} // namespace zorvex
