#include "skin/runtime/Imgutil.h"

#include <gtest/gtest.h>

using namespace zorvex;

namespace {

// A 32-bit top-down DIB section selected into a memory device context.
class MemoryCanvas {
public:
  MemoryCanvas(int width, int height) : width_(width) {
    dc_ = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void **>(&bits_), nullptr, 0);
    previous_ = SelectObject(dc_, bitmap_);
    for (int i = 0; i < width * height; ++i)
      bits_[i] = 0xFFFFFF;
  }
  ~MemoryCanvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  MemoryCanvas(const MemoryCanvas &) = delete;
  MemoryCanvas &operator=(const MemoryCanvas &) = delete;
  HDC Dc() const { return dc_; }
  TColor Pixel(int x, int y) const {
    GdiFlush();
    const uint32_t p = bits_[y * width_ + x];
    return MakeColor((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }

private:
  int width_;
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
  uint32_t *bits_ = nullptr;
};

} // namespace

TEST(ImgutilGdi, GradFillPaintsOnlyInsideTheClipBox) {
  MemoryCanvas canvas(8, 8);
  HRGN clip = CreateRectRgn(0, 3, 8, 6);
  SelectClipRgn(canvas.Dc(), clip);
  DeleteObject(clip);
  const RECT rect{1, 1, 5, 8}; // 7 rows: 0, 10, ..., 60 in blue
  GradFill(canvas.Dc(), rect, clBlack, true, MakeColor(0, 0, 60));
  EXPECT_EQ(canvas.Pixel(2, 2), clWhite); // above the clip box
  EXPECT_EQ(canvas.Pixel(2, 3), MakeColor(0, 0, 20));
  EXPECT_EQ(canvas.Pixel(4, 5), MakeColor(0, 0, 40));
  EXPECT_EQ(canvas.Pixel(2, 6), clWhite); // below it
  EXPECT_EQ(canvas.Pixel(5, 4), clWhite); // right of the rectangle

  SelectClipRgn(canvas.Dc(), nullptr);
  const RECT one{6, 0, 7, 2};
  GradFill(canvas.Dc(), one, MakeColor(0, 0, 0), false, MakeColor(100, 200, 50)); // one column: the middle
  EXPECT_EQ(canvas.Pixel(6, 1), MakeColor(50, 100, 25));
  const RECT outside{20, 20, 30, 30};
  GradFill(canvas.Dc(), outside, clBlack, true, clBlack); // not visible: nothing happens
  // System colours are resolved.
  const RECT face{7, 7, 8, 8};
  GradFill(canvas.Dc(), face, clBtnFace, true, clBtnFace);
  EXPECT_EQ(canvas.Pixel(7, 7), MakeColor(GetRValue(GetSysColor(COLOR_BTNFACE)), GetGValue(GetSysColor(COLOR_BTNFACE)),
                                          GetBValue(GetSysColor(COLOR_BTNFACE))));
}
