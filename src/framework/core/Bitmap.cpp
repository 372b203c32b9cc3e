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

namespace {

constexpr uint32_t BI_RLE8 = 1;
constexpr uint32_t BI_RLE4 = 2;

// What the headers say about the picture.
struct TBitmapHeader {
  int width = 0;
  int height = 0;
  int bitCount = 0;
  uint32_t compression = BI_RGB;
};

// Everything a BMP file says before its pixels, checked.
struct ParsedHeader {
  TBitmapHeader header;
  bool topDown = false;
  uint32_t fileSize = 0;
  uint32_t pixelsAt = 0;
  int64_t rowBytes = 0;      // uncompressed rows, padded to 4 bytes
  std::vector<uint8_t> info; // the info header
  uint32_t colorsUsed = 0;
  uint32_t masks[4] = {0, 0, 0, 0};
  std::vector<TColor> palette; // 2^bitCount entries for indexed pictures
};

// `count` bytes at `offset` from the bitmap's start, which must lie within
// the `available` bytes.
void ReadAt(TStream &stream, int64_t start, int64_t available, int64_t offset, uint8_t *to, int64_t count) {
  if (offset < 0 || count < 0 || offset + count > available)
    Invalid();
  stream.SetPosition(start + offset);
  stream.ReadBuffer(to, count);
}

// The file header and the info header (12 bytes in the oldest form, 40 or
// more in every later one); only their bytes are read.
ParsedHeader ParseSizes(TStream &stream, int64_t start, int64_t size) {
  ParsedHeader parsed;
  uint8_t head[18];
  if (size < 14 + 12)
    Invalid();
  ReadAt(stream, start, size, 0, head, sizeof head);
  if (head[0] != 'B' || head[1] != 'M')
    Invalid();
  parsed.fileSize = U32(head + 2);
  parsed.pixelsAt = U32(head + 10);
  const uint32_t headerSize = U32(head + 14);
  if (headerSize != 12 && (headerSize < 40 || headerSize > 1024))
    Invalid();
  parsed.info.resize(headerSize);
  std::memcpy(parsed.info.data(), head + 14, 4);
  ReadAt(stream, start, size, 18, parsed.info.data() + 4, headerSize - 4);
  const uint8_t *info = parsed.info.data();
  TBitmapHeader &header = parsed.header;
  int64_t width, height;
  if (headerSize == 12) {
    width = U16(info + 4);
    height = static_cast<int16_t>(U16(info + 6));
    header.bitCount = U16(info + 10);
  } else {
    width = static_cast<int32_t>(U32(info + 4));
    height = static_cast<int32_t>(U32(info + 8));
    header.bitCount = U16(info + 14);
    header.compression = U32(info + 16);
  }
  parsed.colorsUsed = headerSize == 12 ? 0 : U32(info + 32);
  parsed.topDown = height < 0;
  height = height < 0 ? -height : height;
  if (width <= 0 || height <= 0 || width * height > MaxBitmapPixels)
    Invalid();
  header.width = static_cast<int>(width);
  header.height = static_cast<int>(height);
  const int bitCount = header.bitCount;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    Invalid();
  return parsed;
}

// Then the channel masks and the palette, and whether the pixels are there;
// only their bytes are read.
ParsedHeader ParseHeader(TStream &stream, int64_t start, int64_t size) {
  ParsedHeader parsed = ParseSizes(stream, start, size);
  const TBitmapHeader &header = parsed.header;
  const int bitCount = header.bitCount;
  const int64_t width = header.width, height = header.height;
  const uint32_t headerSize = static_cast<uint32_t>(parsed.info.size()), colorsUsed = parsed.colorsUsed;
  const uint8_t *info = parsed.info.data();

  // Channel masks: given by the header or after it, or the defaults.
  int64_t tableAt = 14 + headerSize;
  uint32_t *masks = parsed.masks;
  switch (header.compression) {
  case BI_BITFIELDS:
  case BI_ALPHABITFIELDS: {
    if (bitCount != 16 && bitCount != 32)
      Invalid();
    const int count = header.compression == BI_ALPHABITFIELDS ? 4 : 3;
    uint8_t given[16];
    if (headerSize >= 40 + 4u * count) {
      std::memcpy(given, info + 40, 4 * count);
    } else { // the masks follow the header
      ReadAt(stream, start, size, tableAt, given, 4 * count);
      tableAt += 4 * count;
    }
    for (int i = 0; i < count; ++i)
      masks[i] = U32(given + 4 * i);
    break;
  }
  case BI_RLE8:
  case BI_RLE4:
    // Run-length pictures are stored bottom-up, at the depth their coding names.
    if (bitCount != (header.compression == BI_RLE8 ? 8 : 4) || parsed.topDown)
      Invalid();
    break;
  case BI_RGB:
    if (bitCount == 16)
      masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
    else if (bitCount == 32)
      masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF, masks[3] = 0xFF000000;
    break;
  default: Invalid();
  }

  // Palette entries: blue, green, red (and a spare byte after the oldest header).
  if (bitCount <= 8) {
    const int entrySize = headerSize == 12 ? 3 : 4;
    // Writers often shorten the table; it never reaches into the pixels.
    int64_t entries = std::min<int64_t>(colorsUsed ? colorsUsed : (1u << bitCount), 1 << bitCount);
    if (parsed.pixelsAt >= tableAt)
      entries = std::min<int64_t>(entries, (parsed.pixelsAt - tableAt) / entrySize);
    std::vector<uint8_t> table(static_cast<size_t>(entries * entrySize));
    if (entries > 0)
      ReadAt(stream, start, size, tableAt, table.data(), entries * entrySize);
    for (int64_t i = 0; i < entries; ++i) {
      const uint8_t *e = table.data() + i * entrySize;
      parsed.palette.push_back(MakeColor(e[2], e[1], e[0]));
    }
    parsed.palette.resize(static_cast<size_t>(1) << bitCount, clBlack); // indexes past the table read as black
  }
  if (parsed.pixelsAt < 14 + headerSize)
    Invalid();
  // Rows that are not there refuse the file before its pixels are made.
  const bool runs = header.compression == BI_RLE8 || header.compression == BI_RLE4;
  parsed.rowBytes = ((width * bitCount + 31) / 32) * 4;
  if (!runs && int64_t{parsed.pixelsAt} + parsed.rowBytes * height > size)
    Invalid();
  return parsed;
}

void PutIndexed(uint8_t *pixel, TColor color) {
  pixel[0] = static_cast<uint8_t>(ColorBlue(color));
  pixel[1] = static_cast<uint8_t>(ColorGreen(color));
  pixel[2] = static_cast<uint8_t>(ColorRed(color));
}

// Uncompressed rows, bottom-up or top-down, each padded to 4 bytes; read one
// row at a time. Returns the bytes the rows take.
int64_t ReadRows(TStream &stream, int64_t start, const ParsedHeader &parsed, TBitmap &out) {
  const TBitmapHeader &header = parsed.header;
  const int bitCount = header.bitCount;
  const int64_t rowBytes = parsed.rowBytes;
  stream.SetPosition(start + parsed.pixelsAt);
  std::vector<uint8_t> row(static_cast<size_t>(rowBytes));
  const Channel red(parsed.masks[0]), green(parsed.masks[1]), blue(parsed.masks[2]), alpha(parsed.masks[3]);
  const int step = out.BytesPerPixel();
  for (int64_t y = 0; y < header.height; ++y) {
    stream.ReadBuffer(row.data(), rowBytes);
    const uint8_t *src = row.data();
    uint8_t *dst = out.ScanLine(static_cast<int>(parsed.topDown ? y : header.height - 1 - y));
    for (int64_t x = 0; x < header.width; ++x, dst += step) {
      if (bitCount <= 8) {
        const int64_t bit = x * bitCount;
        const int index = (src[bit / 8] >> (8 - bitCount - bit % 8)) & ((1 << bitCount) - 1);
        PutIndexed(dst, parsed.palette[static_cast<size_t>(index)]);
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
  return rowBytes * header.height;
}

// Bytes of a run-length picture, read through a small buffer and never more
// than `budget` of them.
class RunReader {
public:
  RunReader(TStream &stream, int64_t budget) : stream_(stream), budget_(budget) {}
  bool AtEnd() {
    if (at_ < got_)
      return false;
    const int64_t want = std::min<int64_t>(sizeof buffer_, budget_ - consumed_);
    got_ = want > 0 ? static_cast<size_t>(stream_.Read(buffer_, want)) : 0;
    at_ = 0;
    return got_ == 0;
  }
  // Zero past the end, which ends the picture at the next test.
  uint8_t Byte() {
    if (AtEnd())
      return 0;
    ++consumed_;
    return buffer_[at_++];
  }
  int64_t Consumed() const { return consumed_; }

private:
  TStream &stream_;
  int64_t budget_;
  int64_t consumed_ = 0;
  uint8_t buffer_[16 * 1024];
  size_t got_ = 0, at_ = 0;
};

// RLE8 and RLE4 pictures: runs of one index (RLE4: two alternating), and
// escapes for the end of a line, the end of the picture, a jump ahead, and a
// stretch of literal indexes padded to an even byte count. Pixels no code
// reaches stay black; indexes beyond the picture's edge are dropped; data
// that ends early ends the picture. Returns the bytes the codes took.
int64_t DecodeRuns(TStream &stream, int64_t start, int64_t size, const ParsedHeader &parsed, TBitmap &out) {
  const TBitmapHeader &header = parsed.header;
  const int64_t width = header.width, height = header.height;
  const bool four = header.compression == BI_RLE4;
  // The densest honest coding: two bytes per pixel and an end of line per
  // row. Codes beyond that are not read, however big the file.
  const int64_t budget = std::min(size - int64_t{parsed.pixelsAt}, height * (2 * width + 2) + 2);
  if (budget < 0)
    Invalid();
  stream.SetPosition(start + parsed.pixelsAt);
  RunReader in(stream, budget);
  int64_t x = 0, y = 0; // y counts rows from the bottom
  const auto put = [&](int index) {
    if (x < width)
      PutIndexed(out.ScanLine(static_cast<int>(height - 1 - y)) + x * 3, parsed.palette[static_cast<size_t>(index)]);
    ++x;
  };
  while (y < height && !in.AtEnd()) {
    const int count = in.Byte();
    const int value = in.Byte();
    if (count > 0) {
      for (int i = 0; i < count && x < width; ++i)
        put(four ? (i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
      continue;
    }
    switch (value) {
    case 0: // end of line
      x = 0;
      ++y;
      break;
    case 1: // end of picture
      return in.Consumed();
    case 2: // jump right and up
      x += in.Byte();
      y += in.Byte();
      break;
    default: { // literal indexes
      const int bytes = four ? (value + 1) / 2 : value;
      int packed = 0;
      for (int i = 0; i < value; ++i) {
        if (!four) {
          put(in.Byte());
        } else if (i % 2 == 0) {
          packed = in.Byte();
          put(packed >> 4);
        } else {
          put(packed & 0x0F);
        }
      }
      if (bytes % 2 != 0)
        in.Byte();
      break;
    }
    }
  }
  return in.Consumed();
}

} // namespace

bool TBitmap::ReadBitmapSize(const uint8_t *bytes, int64_t size, int &width, int &height) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes, std::min<int64_t>(size, 14 + 1024));
  try {
    const TBitmapHeader header = ParseSizes(stream, 0, stream.Size()).header;
    width = header.width;
    height = header.height;
    return true;
  } catch (const EInvalidGraphic &) {
    return false;
  }
}

void TBitmap::LoadFromStream(TStream &stream) { LoadFromStream(stream, AnyBitmap); }

void TBitmap::LoadFromStream(TStream &stream, const TBitmapLimits &limits) {
  const int64_t start = stream.Position();
  const int64_t size = stream.Size() - start;
  if (size <= 0) {
    Clear();
    return;
  }
  const ParsedHeader parsed = ParseHeader(stream, start, size);
  const TBitmapHeader &header = parsed.header;
  if (header.width > limits.MaxWidth || header.height > limits.MaxHeight ||
      int64_t{header.width} * header.height > limits.MaxPixels)
    Invalid();
  TBitmap loaded(0, 0, header.bitCount == 32 ? TPixelFormat::pf32bit : TPixelFormat::pf24bit);
  loaded.SetSize(header.width, header.height);
  const bool runs = header.compression == BI_RLE8 || header.compression == BI_RLE4;
  const int64_t pixelBytes =
      runs ? DecodeRuns(stream, start, size, parsed, loaded) : ReadRows(stream, start, parsed, loaded);
  *this = std::move(loaded);
  // Leave the stream after this bitmap when its header says where that is.
  const int64_t end = std::max<int64_t>(parsed.fileSize, parsed.pixelsAt + pixelBytes);
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
