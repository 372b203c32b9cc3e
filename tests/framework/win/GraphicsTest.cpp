#include "framework/win/Graphics.h"

#include <gtest/gtest.h>

#include <libdeflate.h>

#include "framework/win/Capture.h"
#include "framework/win/ExtCtrls.h"
#include "framework/win/ImgList.h"
#include "framework/win/PngWriter.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

uint32_t BigEndian32(const uint8_t *p) {
  return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

// A small BMP file: 24 bits (bottom-up) or 8 bits with a palette.
std::vector<uint8_t> Bmp(int width, int height, int bits, const std::vector<uint32_t> &rgb) {
  const int stride = ((width * bits + 31) / 32) * 4;
  const int paletteSize = bits == 8 ? 256 * 4 : 0;
  std::vector<uint8_t> out(54 + paletteSize + stride * height, 0);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
      out[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, static_cast<uint32_t>(out.size()));
  put32(10, 54 + paletteSize);
  put32(14, 40);
  put32(18, width);
  put32(22, height);
  out[26] = 1;
  out[28] = static_cast<uint8_t>(bits);
  for (int i = 0; i < width * height && bits == 8; ++i) // palette entry i = colour of pixel i
    put32(54 + 4 * i, rgb[i]);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      uint8_t *row = out.data() + 54 + paletteSize + stride * (height - 1 - y);
      const uint32_t c = rgb[y * width + x];
      if (bits == 24) {
        row[3 * x] = c & 0xFF;
        row[3 * x + 1] = (c >> 8) & 0xFF;
        row[3 * x + 2] = (c >> 16) & 0xFF;
      } else {
        row[x] = static_cast<uint8_t>(y * width + x);
      }
    }
  return out;
}

TEST(DibBitmap, ReadsBottomUpAndPalettedBitmaps) {
  const std::vector<uint32_t> colors = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x000000};
  for (int bits : {24, 8}) {
    const auto file = Bmp(3, 2, bits, colors);
    TDibBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromDib(file.data(), file.size())) << bits;
    ASSERT_EQ(bitmap.Width(), 3);
    ASSERT_EQ(bitmap.Height(), 2);
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(bitmap.Pixel(i % 3, i / 3), 0xFF000000u | colors[i]) << bits << " " << i;
  }
}

TEST(DibBitmap, RejectsDamagedFilesWithoutReadingPastThem) {
  const auto good = Bmp(4, 4, 24, std::vector<uint32_t>(16, 0x808080));
  TDibBitmap bitmap;
  // Every truncation is refused.
  for (size_t size = 0; size < good.size(); ++size)
    EXPECT_FALSE(bitmap.LoadFromDib(good.data(), size)) << size;
  auto huge = good;
  huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0xFF, huge[21] = 0x7F; // width 2^31 - 1
  EXPECT_FALSE(bitmap.LoadFromDib(huge.data(), huge.size()));
  auto offset = good;
  offset[10] = 0xF0, offset[11] = 0xFF; // pixels said to start far away
  EXPECT_FALSE(bitmap.LoadFromDib(offset.data(), offset.size()));
  auto compressed = good;
  compressed[30] = 1; // run-length encoding is not read
  EXPECT_FALSE(bitmap.LoadFromDib(compressed.data(), compressed.size()));
  const std::string text = "this is not a picture at all, just text";
  EXPECT_FALSE(bitmap.LoadFromDib(reinterpret_cast<const uint8_t *>(text.data()), text.size()));
  EXPECT_TRUE(bitmap.LoadFromDib(good.data(), good.size()));
}

TEST(DibBitmap, BmpFilesRoundTrip) {
  TDibBitmap bitmap(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      bitmap.SetPixel(x, y, 0xFF000000u | static_cast<uint32_t>(x * 40 + y * 7));
  const auto bytes = bitmap.ToBmp();
  TDibBitmap read;
  ASSERT_TRUE(read.LoadFromDib(bytes.data(), bytes.size()));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(read.Pixel(x, y), bitmap.Pixel(x, y));
}

TEST(DibBitmap, IsAViewOfTheCoreBitmapBothWays) {
  TBitmap core(2, 1, TPixelFormat::pf32bit);
  core.ScanLine(0)[0] = 0x10, core.ScanLine(0)[1] = 0x20, core.ScanLine(0)[2] = 0x30, core.ScanLine(0)[3] = 0x80;
  const TDibBitmap view(core);
  EXPECT_EQ(view.Pixel(0, 0), 0x80302010u);
  EXPECT_EQ(view.Pixel(1, 0), 0x00000000u); // transparent black: alpha counts once any pixel has it
  EXPECT_EQ(view.ToBitmap().ScanLine(0)[3], 0x80);
  TBitmap noAlpha(1, 1, TPixelFormat::pf32bit);
  EXPECT_EQ(TDibBitmap(noAlpha).Pixel(0, 0), 0xFF000000u);
}

TEST(ImageList, CutsAStripAndLeavesTheKeyColourTransparent) {
  // Three 2 x 2 images on white and a last column too narrow for a fourth.
  TBitmap strip(7, 2);
  strip.Fill(clWhite);
  strip.SetPixel(0, 0, clRed);
  strip.SetPixel(3, 1, clBlue);
  TImageList list(nullptr);
  list.SetSize(2, 2);
  int changes = 0;
  list.OnChange = [&](TObject *) { ++changes; };
  EXPECT_EQ(list.AddMasked(strip, clWhite), 0);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(list.Image(0).Pixel(0, 0), 0xFFFF0000u);
  EXPECT_EQ(list.Image(0).Pixel(1, 0) >> 24, 0u);
  EXPECT_EQ(list.Image(1).Pixel(1, 1), 0xFF0000FFu);
  EXPECT_TRUE(list.Image(3).Empty());

  // Drawn, only the image's own pixels cover what was there.
  TDibBitmap target(2, 2, 0xFF00FF00u);
  MemoryDC dc;
  {
    ScopedSelect select(dc.get(), target.Handle());
    list.Draw(dc.get(), 0, 0, 0);
    GdiFlush();
  }
  EXPECT_EQ(target.Pixel(0, 0) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(target.Pixel(1, 1) & 0xFFFFFF, 0x00FF00u);
}

TEST(PngWriter, WritesAValidFileWhosePixelsInflateBack) {
  const uint32_t pixels[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF102030, 0xFFFFFFFF, 0xFF000000};
  const auto png = EncodePng(3, 2, pixels);
  ASSERT_GT(png.size(), 8u + 25 + 12);
  EXPECT_EQ(std::vector<uint8_t>(png.begin(), png.begin() + 8),
            (std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
  // Walk the chunks, checking each CRC; inflate IDAT.
  size_t at = 8;
  std::vector<uint8_t> idat;
  std::vector<std::string> types;
  while (at + 12 <= png.size()) {
    const uint32_t length = BigEndian32(&png[at]);
    const std::string type(png.begin() + at + 4, png.begin() + at + 8);
    types.push_back(type);
    EXPECT_EQ(BigEndian32(&png[at + 8 + length]), libdeflate_crc32(0, &png[at + 4], length + 4)) << type;
    if (type == "IHDR") {
      EXPECT_EQ(BigEndian32(&png[at + 8]), 3u);
      EXPECT_EQ(BigEndian32(&png[at + 12]), 2u);
    }
    if (type == "IDAT")
      idat.insert(idat.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
    at += 12 + length;
  }
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  std::vector<uint8_t> raw(2 * (1 + 9));
  libdeflate_decompressor *inflater = libdeflate_alloc_decompressor();
  size_t got = 0;
  ASSERT_EQ(libdeflate_zlib_decompress(inflater, idat.data(), idat.size(), raw.data(), raw.size(), &got),
            LIBDEFLATE_SUCCESS);
  libdeflate_free_decompressor(inflater);
  EXPECT_EQ(raw,
            (std::vector<uint8_t>{0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0x10, 0x20, 0x30, 255, 255, 255, 0, 0, 0}));
}

TEST(PictureDestRect, FitsPicturesToTheBoxKeepingTheirProportions) {
  // Wider than high: full width, height scaled and truncated.
  RECT r = PictureDestRect(300, 200, 154, 154, true, true, false);
  EXPECT_EQ(r.right, 154);
  EXPECT_EQ(r.bottom, 154 * 200 / 300);
  // Higher than wide, and small pictures are enlarged when stretching.
  r = PictureDestRect(10, 40, 154, 154, true, true, false);
  EXPECT_EQ(r.bottom, 154);
  EXPECT_EQ(r.right, 154 * 10 / 40);
  // Without stretching, a small picture keeps its size.
  r = PictureDestRect(10, 40, 154, 154, false, true, false);
  EXPECT_EQ(r.right, 10);
  EXPECT_EQ(r.bottom, 40);
  // Stretched without proportions fills the box; centring offsets.
  r = PictureDestRect(10, 40, 154, 100, true, false, false);
  EXPECT_EQ(r.right, 154);
  EXPECT_EQ(r.bottom, 100);
  r = PictureDestRect(10, 10, 30, 20, false, false, true);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 5);
}

using CaptureTest = GuiTest;

TEST_F(CaptureTest, ACaptureShowsWhatTheWindowPainted) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 150);
  form.SetColor(clYellow);
  auto *panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(100, 50, 60, 40);
  panel->SetColor(clBlue);
  panel->SetBevelOuter(TPanelBevel::bvNone);
  form.Show();
  const TDibBitmap shot = CaptureWindow(form.Handle(), false);
  EXPECT_EQ(shot.Width(), form.ClientWidth());
  EXPECT_EQ(shot.Pixel(10, 10) & 0xFFFFFF, 0xFFFF00u);
  EXPECT_EQ(shot.Pixel(120, 70) & 0xFFFFFF, 0x0000FFu);
  TempDir temp;
  SaveImage(shot, temp / "shot.png");
  SaveImage(shot, temp / "shot.bmp");
  TDibBitmap read;
  ASSERT_TRUE(read.LoadFromBmpFile(temp / "shot.bmp"));
  EXPECT_EQ(read.Pixel(120, 70), shot.Pixel(120, 70));
  EXPECT_EQ(ReadFile(temp / "shot.png").substr(1, 3), "PNG");
}

} // namespace
