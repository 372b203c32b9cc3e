#include "framework/core/Bitmap.h"
#include "framework/core/Streams.h"
#include "support/TempDir.h"
#include <cstring>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

using namespace zorvex;
using zorvex::test::TempDir;

namespace {

std::string U32(uint32_t v) { return {char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; }
std::string U16(uint32_t v) { return {char(v), char(v >> 8)}; }

struct BmpFields {
  uint32_t headerSize = 40;
  int32_t width = 0;
  int32_t height = 0; // negative: top-down
  int bitCount = 24;
  uint32_t compression = 0;
  uint32_t colorsUsed = 0;
  std::string masks = {};   // placed after a 40-byte header, or inside a longer one
  std::string palette = {}; // raw entries
  std::string pixels = {};  // raw rows as stored, padding included
};

std::string Bmp(const BmpFields &s) {
  std::string info;
  if (s.headerSize == 12) {
    info = U32(12) + U16(static_cast<uint32_t>(s.width)) + U16(static_cast<uint32_t>(s.height)) + U16(1) +
           U16(static_cast<uint32_t>(s.bitCount));
  } else {
    info = U32(s.headerSize) + U32(static_cast<uint32_t>(s.width)) + U32(static_cast<uint32_t>(s.height)) + U16(1) +
           U16(static_cast<uint32_t>(s.bitCount)) + U32(s.compression) + U32(static_cast<uint32_t>(s.pixels.size())) +
           U32(2835) + U32(2835) + U32(s.colorsUsed) + U32(0);
    if (s.headerSize > 40)
      info += s.masks + std::string(s.headerSize - 40 - s.masks.size(), '\0');
  }
  const std::string tables = (s.headerSize == 40 ? s.masks : "") + s.palette;
  const uint32_t offset = static_cast<uint32_t>(14 + info.size() + tables.size());
  return "BM" + U32(static_cast<uint32_t>(offset + s.pixels.size())) + U32(0) + U32(offset) + info + tables + s.pixels;
}

TBitmap Load(const std::string &bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
  TBitmap bitmap;
  bitmap.LoadFromStream(stream);
  return bitmap;
}

const TColor kRed = MakeColor(255, 0, 0), kGreen = MakeColor(0, 255, 0), kBlue = MakeColor(0, 0, 255);

} // namespace

TEST(Bitmap, ReadsPalettedFilesOfEveryDepth) {
  // 1 bit, 10 wide (two bytes of pixels, padded to four), bottom-up.
  const TBitmap mono = Load(Bmp({.width = 10,
                                 .height = 2,
                                 .bitCount = 1,
                                 .palette = std::string("\0\0\0\0\xFF\xFF\xFF\0", 8),
                                 .pixels = std::string("\x80\x40\0\0\xFF\xC0\0\0", 8)}));
  ASSERT_EQ(mono.Width(), 10);
  EXPECT_EQ(mono.GetPixel(0, 1), clWhite); // first stored row is the bottom one
  EXPECT_EQ(mono.GetPixel(1, 1), clBlack);
  EXPECT_EQ(mono.GetPixel(9, 1), clWhite);
  EXPECT_EQ(mono.GetPixel(9, 0), clWhite);
  EXPECT_EQ(mono.GetPixel(8, 1), clBlack);
  EXPECT_EQ(mono.PixelFormat(), TPixelFormat::pf24bit);

  // 4 bits with a short table: indexes past it read as black.
  const TBitmap four = Load(Bmp({.width = 3,
                                 .height = 1,
                                 .bitCount = 4,
                                 .colorsUsed = 2,
                                 .palette = std::string("\0\0\xFF\0\xFF\0\0\0", 8),
                                 .pixels = std::string("\x01\xF0\0\0", 4)}));
  EXPECT_EQ(four.GetPixel(0, 0), kRed);
  EXPECT_EQ(four.GetPixel(1, 0), kBlue);
  EXPECT_EQ(four.GetPixel(2, 0), clBlack);

  // 8 bits, top-down.
  std::string palette(256 * 4, '\0');
  palette.replace(4 * 7, 4, std::string("\0\xFF\0\0", 4));
  const TBitmap eight = Load(Bmp(
      {.width = 1, .height = -2, .bitCount = 8, .palette = palette, .pixels = std::string("\x07\0\0\0\0\0\0\0", 8)}));
  EXPECT_EQ(eight.GetPixel(0, 0), kGreen);
  EXPECT_EQ(eight.GetPixel(0, 1), clBlack);

  // The oldest header, with three-byte palette entries.
  const TBitmap core = Load(Bmp({.headerSize = 12,
                                 .width = 2,
                                 .height = 1,
                                 .bitCount = 8,
                                 .palette = std::string("\0\0\xFF\xFF\0\0", 6),
                                 .pixels = std::string("\x01\0\0\0", 4)}));
  EXPECT_EQ(core.GetPixel(0, 0), kBlue);
  EXPECT_EQ(core.GetPixel(1, 0), kRed);
}

TEST(Bitmap, ReadsDirectColourFilesOfEveryDepth) {
  // 24 bits, 3 wide: 9 bytes plus 3 of padding per row.
  const TBitmap rgb = Load(Bmp({.width = 3,
                                .height = 2,
                                .pixels = std::string("\0\0\xFF\0\xFF\0\xFF\0\0\0\0\0"
                                                      "\x10\x20\x30\0\0\0\0\0\0\0\0\0",
                                                      24)}));
  EXPECT_EQ(rgb.GetPixel(0, 1), kRed);
  EXPECT_EQ(rgb.GetPixel(2, 1), kBlue);
  EXPECT_EQ(rgb.GetPixel(0, 0), MakeColor(0x30, 0x20, 0x10));

  // 16 bits: 5-5-5 by default, 5-6-5 with bit fields after the header.
  const TBitmap rgb555 = Load(Bmp({.width = 2, .height = 1, .bitCount = 16, .pixels = U16(0x7C00) + U16(0x001F)}));
  EXPECT_EQ(rgb555.GetPixel(0, 0), kRed);
  EXPECT_EQ(rgb555.GetPixel(1, 0), kBlue);
  const TBitmap rgb565 = Load(Bmp({.width = 2,
                                   .height = 1,
                                   .bitCount = 16,
                                   .compression = 3,
                                   .masks = U32(0xF800) + U32(0x07E0) + U32(0x001F),
                                   .pixels = U16(0x07E0) + U16(0x8410)}));
  EXPECT_EQ(rgb565.GetPixel(0, 0), kGreen);
  EXPECT_EQ(rgb565.GetPixel(1, 0), MakeColor(132, 130, 132));

  // 32 bits, plain and with the masks inside a version 5 header.
  const TBitmap plain =
      Load(Bmp({.width = 1, .height = 1, .bitCount = 32, .pixels = std::string("\x01\x02\x03\x04", 4)}));
  EXPECT_EQ(plain.PixelFormat(), TPixelFormat::pf32bit);
  EXPECT_EQ(plain.GetPixel(0, 0), MakeColor(3, 2, 1));
  EXPECT_EQ(plain.ScanLine(0)[3], 4);
  const TBitmap v5 = Load(Bmp({.headerSize = 124,
                               .width = 1,
                               .height = 1,
                               .bitCount = 32,
                               .compression = 3,
                               .masks = U32(0xFF) + U32(0xFF00) + U32(0xFF0000) + U32(0xFF000000),
                               .pixels = std::string("\x01\x02\x03\x04", 4)}));
  EXPECT_EQ(v5.GetPixel(0, 0), MakeColor(1, 2, 3));
}

TEST(Bitmap, RefusesMalformedFilesAndKeepsItsPixels) {
  const BmpFields good{.width = 2, .height = 2, .pixels = std::string(16, '\x11')};
  auto with = [&](auto change) {
    BmpFields s = good;
    change(s);
    return Bmp(s);
  };
  std::string truncated = Bmp(good);
  truncated.resize(truncated.size() - 1);
  std::string badOffset = Bmp(good);
  badOffset.replace(10, 4, U32(0x7FFFFFF0));
  std::string insideHeader = Bmp(good);
  insideHeader.replace(10, 4, U32(20));
  std::string badHeader = Bmp(good);
  badHeader.replace(14, 4, U32(20));
  const std::string malformed[] = {
      truncated,
      badOffset,
      badHeader,
      "BM",
      "XX" + Bmp(good).substr(2),
      with([](BmpFields &s) { s.bitCount = 7; }),
      with([](BmpFields &s) { s.width = 0; }),
      with([](BmpFields &s) { s.width = -3; }),
      with([](BmpFields &s) { s.height = INT_MIN; }),
      with([](BmpFields &s) { s.width = 1 << 20, s.height = 1 << 20; }),
      with([](BmpFields &s) { s.compression = 1; }), // run-length coding of another depth
      with([](BmpFields &s) { s.compression = 3; }), // masks missing
      insideHeader,
  };
  TBitmap bitmap(1, 1);
  bitmap.SetPixel(0, 0, kRed);
  for (const std::string &bytes : malformed) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(0);
    EXPECT_THROW(bitmap.LoadFromStream(stream), EInvalidGraphic) << bytes.size();
    EXPECT_EQ(bitmap.GetPixel(0, 0), kRed);
  }
  // No bytes at all is an empty bitmap, not an error.
  TMemoryStream empty;
  bitmap.LoadFromStream(empty);
  EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, ReadsRunLengthCodedFiles) {
  const std::string palette = std::string("\0\0\0\0", 4) + std::string("\0\0\xFF\0", 4) + std::string("\0\xFF\0\0", 4) +
                              std::string("\xFF\0\0\0", 4);
  // RLE8, 4 x 3, from the bottom: a run of two red, three literal indexes
  // (padded to an even count) of which the last falls beyond the edge, the end
  // of the line; a jump of one right and one up; one blue; the end.
  const TBitmap eight = Load(Bmp({.width = 4,
                                  .height = 3,
                                  .bitCount = 8,
                                  .compression = 1,
                                  .colorsUsed = 4,
                                  .palette = palette,
                                  .pixels = std::string("\x02\x01"
                                                        "\x00\x03\x02\x03\x02\x00"
                                                        "\x00\x00"
                                                        "\x00\x02\x01\x01"
                                                        "\x01\x03"
                                                        "\x00\x01",
                                                        18)}));
  ASSERT_EQ(eight.Width(), 4);
  const std::vector<TColor> bottom = {kRed, kRed, kGreen, kBlue};
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(eight.GetPixel(x, 2), bottom[x]) << x;
    EXPECT_EQ(eight.GetPixel(x, 1), clBlack) << x; // jumped over
    EXPECT_EQ(eight.GetPixel(x, 0), x == 1 ? kBlue : clBlack) << x;
  }

  // RLE4, 5 x 2: a run alternating its two indexes, then literal indexes two
  // to a byte; the data ends without its end mark.
  const TBitmap four = Load(Bmp({.width = 5,
                                 .height = 2,
                                 .bitCount = 4,
                                 .compression = 2,
                                 .colorsUsed = 4,
                                 .palette = palette,
                                 .pixels = std::string("\x05\x12"
                                                       "\x00\x00"
                                                       "\x00\x03\x23\x10",
                                                       8)}));
  const std::vector<TColor> runs = {kRed, kGreen, kRed, kGreen, kRed};
  const std::vector<TColor> literals = {kGreen, kBlue, kRed, clBlack, clBlack};
  for (int x = 0; x < 5; ++x) {
    EXPECT_EQ(four.GetPixel(x, 1), runs[x]) << x;
    EXPECT_EQ(four.GetPixel(x, 0), literals[x]) << x;
  }

  // Run-length pictures are stored bottom-up only.
  EXPECT_THROW(Load(Bmp({.width = 1, .height = -1, .bitCount = 8, .compression = 1, .pixels = "\x01"})),
               EInvalidGraphic);
}

namespace {
// A stream of `size` bytes: `head`, then `fill` repeated, as a sparse file
// of gigabytes reads. Counts the bytes read from it.
class LongStream : public TStream {
public:
  LongStream(std::string head, int64_t size, std::string fill)
      : head_(std::move(head)), fill_(std::move(fill)), size_(size) {}
  int64_t Read(void *buffer, int64_t count) override {
    const int64_t n = std::max<int64_t>(0, std::min(count, size_ - position_));
    auto *out = static_cast<char *>(buffer);
    for (int64_t i = 0; i < n; ++i, ++position_)
      out[i] = position_ < static_cast<int64_t>(head_.size())
                   ? head_[static_cast<size_t>(position_)]
                   : fill_[static_cast<size_t>((position_ - static_cast<int64_t>(head_.size())) % fill_.size())];
    read_ += n;
    return n;
  }
  int64_t Write(const void *, int64_t) override { return 0; }
  int64_t Seek(int64_t offset, SeekOrigin origin) override {
    position_ = (origin == SeekOrigin::Beginning ? 0 : origin == SeekOrigin::Current ? position_ : size_) + offset;
    return position_;
  }
  int64_t Size() override { return size_; }
  int64_t BytesRead() const { return read_; }

private:
  std::string head_, fill_;
  int64_t size_, position_ = 0, read_ = 0;
};
} // namespace

TEST(Bitmap, ReadsOnlyTheBytesItsHeadersSayThePixelsNeed) {
  constexpr int64_t kGigabytes = int64_t{6} << 30;
  // A 24-bit picture at the head of gigabytes.
  const std::string small = Bmp({.width = 2, .height = 2, .pixels = std::string(16, '\x40')});
  LongStream sparse(small, kGigabytes, std::string(1, '\0'));
  TBitmap bitmap;
  bitmap.LoadFromStream(sparse);
  EXPECT_EQ(bitmap.GetPixel(1, 1), MakeColor(0x40, 0x40, 0x40));
  EXPECT_LE(sparse.BytesRead(), 2 * static_cast<int64_t>(small.size()));

  // Run-length codes that go on for gigabytes without drawing anything (jumps
  // of nothing) are read no further than the densest honest coding would be.
  std::string runs = Bmp({.width = 4, .height = 4, .bitCount = 8, .compression = 1, .pixels = ""});
  LongStream endless(runs, kGigabytes, std::string("\x00\x02\x00\x00", 4));
  bitmap.LoadFromStream(endless);
  EXPECT_EQ(bitmap.Width(), 4);
  EXPECT_LE(endless.BytesRead(), static_cast<int64_t>(runs.size()) + 4 * (2 * 4 + 2) + 2);
}

TEST(Bitmap, CallersLimitThePicturesTheyTake) {
  const std::string wide = Bmp({.width = 20, .height = -2, .pixels = std::string(2 * 60, '\x22')});
  int width = 0, height = 0;
  ASSERT_TRUE(TBitmap::ReadBitmapSize(reinterpret_cast<const uint8_t *>(wide.data()), 54, width, height));
  EXPECT_EQ(width, 20);
  EXPECT_EQ(height, 2);
  for (const TBitmapLimits limits :
       {TBitmapLimits{19, 100, 1000}, TBitmapLimits{100, 1, 1000}, TBitmapLimits{100, 100, 39}}) {
    TMemoryStream stream;
    stream.WriteBuffer(wide.data(), static_cast<int64_t>(wide.size()));
    stream.SetPosition(0);
    TBitmap bitmap(1, 1);
    EXPECT_THROW(bitmap.LoadFromStream(stream, limits), EInvalidGraphic);
    EXPECT_EQ(bitmap.Width(), 1);
  }
  EXPECT_EQ(Load(wide).Width(), 20);
}

TEST(Bitmap, SavesWhatItLoadsInBothFormats) {
  TempDir dir;
  for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
    TBitmap bitmap(5, 3, format);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x)
        bitmap.SetPixel(x, y, MakeColor(x * 50, y * 80, x + y));
    bitmap.SaveToFile(dir / "b.bmp");
    TBitmap loaded;
    loaded.LoadFromFile(dir / "b.bmp");
    EXPECT_EQ(loaded.PixelFormat(), format);
    ASSERT_EQ(loaded.Width(), 5);
    ASSERT_EQ(loaded.Height(), 3);
    for (int y = 0; y < 3; ++y)
      EXPECT_EQ(std::memcmp(loaded.ScanLine(y), bitmap.ScanLine(y), 5u * loaded.BytesPerPixel()), 0);
  }
  // A stream holding two bitmaps reads as two.
  TMemoryStream two;
  TBitmap a(1, 1), b(2, 2);
  a.SaveToStream(two);
  b.SaveToStream(two);
  two.SetPosition(0);
  TBitmap first, second;
  first.LoadFromStream(two);
  second.LoadFromStream(two);
  EXPECT_EQ(first.Width(), 1);
  EXPECT_EQ(second.Width(), 2);
}

TEST(Bitmap, ResizesConvertsAndResolvesSystemColours) {
  TBitmap bitmap(2, 2);
  EXPECT_EQ(bitmap.RowStride(), 8);
  bitmap.SetPixel(1, 1, kBlue);
  bitmap.SetPixel(0, 0, clBtnFace);
  EXPECT_EQ(bitmap.GetPixel(0, 0), ColorToRGB(clBtnFace));
  EXPECT_GE(ColorToRGB(clBtnFace), 0);
  bitmap.SetSize(3, 3);
  EXPECT_EQ(bitmap.GetPixel(1, 1), kBlue);
  EXPECT_EQ(bitmap.GetPixel(2, 2), clBlack);
  bitmap.SetPixelFormat(TPixelFormat::pf32bit);
  EXPECT_EQ(bitmap.RowStride(), 12);
  EXPECT_EQ(bitmap.GetPixel(1, 1), kBlue);
  EXPECT_EQ(bitmap.GetPixel(-1, 0), clBlack);
  EXPECT_THROW(bitmap.ScanLine(3), EInvalidGraphic);
  EXPECT_THROW(bitmap.SetSize(-1, 2), EInvalidGraphic);
  TBitmap copy;
  copy.Assign(bitmap);
  EXPECT_EQ(copy.GetPixel(1, 1), kBlue);
  EXPECT_EQ(copy.PixelFormat(), TPixelFormat::pf32bit);
}

TEST(Bitmap, ReadsPackedDibsAsTheirFiles) {
  // Without the file header, the pixels are found after the masks and the
  // palette, however short the palette is.
  const BmpFields shortPalette{.width = 3,
                             .height = 1,
                             .bitCount = 4,
                             .colorsUsed = 2,
                             .palette = std::string("\0\0\xFF\0\xFF\0\0\0", 8),
                             .pixels = std::string("\x01\xF0\0\0", 4)};
  const BmpFields withMasks{.width = 2,
                          .height = 1,
                          .bitCount = 16,
                          .compression = 3,
                          .masks = U32(0xF800) + U32(0x07E0) + U32(0x001F),
                          .pixels = U16(0x07E0) + U16(0xF800)};
  for (const BmpFields &fields : {shortPalette, withMasks}) {
    const std::string file = Bmp(fields);
    TBitmap packed;
    packed.LoadFromDib(reinterpret_cast<const uint8_t *>(file.data()) + 14, file.size() - 14);
    const TBitmap whole = Load(file);
    ASSERT_EQ(packed.Width(), whole.Width());
    for (int x = 0; x < whole.Width(); ++x)
      EXPECT_EQ(packed.GetPixel(x, 0), whole.GetPixel(x, 0)) << fields.bitCount << " " << x;
  }
  TBitmap bitmap;
  const std::string file = Bmp(shortPalette);
  EXPECT_THROW(bitmap.LoadFromDib(reinterpret_cast<const uint8_t *>(file.data()) + 14, 15), EInvalidGraphic);
  EXPECT_THROW(bitmap.LoadFromDib(reinterpret_cast<const uint8_t *>(file.data()) + 14, file.size() - 15),
               EInvalidGraphic);
}
