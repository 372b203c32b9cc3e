#include "skin/runtime/Imgutil.h"

#include <gtest/gtest.h>

using namespace zorvex;

namespace {

// A w x h bitmap whose pixel (x, y) is MakeColor(x, y, 100 + 10 * y + x).
TBitmap Numbered(int w, int h, TPixelFormat format = TPixelFormat::pf24bit) {
  TBitmap b(w, h, format);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.SetPixel(x, y, MakeColor(x, y, 100 + 10 * y + x));
  return b;
}

bool SamePixels(const TBitmap &a, const TBitmap &b) {
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y))
        return false;
  return true;
}

} // namespace

TEST(Imgutil, GreyIsThePlainAverage) {
  TBitmap b(2, 1, TPixelFormat::pf32bit);
  b.SetPixel(0, 0, MakeColor(10, 20, 31)); // 61 / 3 truncates to 20
  b.SetPixel(1, 0, clWhite);
  ConvertBitmapToGrayscale(b);
  EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf24bit);
  EXPECT_EQ(b.GetPixel(0, 0), MakeColor(20, 20, 20));
  EXPECT_EQ(b.GetPixel(1, 0), clWhite);
}

TEST(Imgutil, MirrorsAndTurnsMovePixelsWhereTheyBelong) {
  for (TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
    const TBitmap source = Numbered(3, 2, format);
    TBitmap b = source;
    SpiegelnHorizontal(b);
    EXPECT_EQ(b.GetPixel(0, 1), source.GetPixel(2, 1));
    SpiegelnHorizontal(b);
    EXPECT_TRUE(SamePixels(b, source));
    SpiegelnVertikal(b);
    EXPECT_EQ(b.GetPixel(2, 0), source.GetPixel(2, 1));
    SpiegelnVertikal(b);
    EXPECT_TRUE(SamePixels(b, source));

    Drehen90Grad(b);
    ASSERT_EQ(b.Width(), 2);
    ASSERT_EQ(b.Height(), 3);
    EXPECT_EQ(b.GetPixel(1, 0), source.GetPixel(0, 0)); // top-left goes top-right
    EXPECT_EQ(b.GetPixel(0, 2), source.GetPixel(2, 1));
    EXPECT_EQ(b.PixelFormat(), format);

    b = source;
    Drehen270Grad(b);
    EXPECT_EQ(b.GetPixel(0, 2), source.GetPixel(0, 0)); // top-left goes bottom-left
    EXPECT_EQ(b.GetPixel(1, 0), source.GetPixel(2, 1));
    Drehen90Grad(b);
    EXPECT_TRUE(SamePixels(b, source));

    Drehen180Grad(b);
    EXPECT_EQ(b.GetPixel(0, 0), source.GetPixel(2, 1));
    Drehen180Grad(b);
    EXPECT_TRUE(SamePixels(b, source));
  }
}

TEST(Imgutil, Rotate90TurnsACopyCounterClockwiseAndOnly24Bit) {
  const TBitmap source = Numbered(3, 2);
  const auto turned = Rotate90(source);
  ASSERT_TRUE(turned);
  ASSERT_EQ(turned->Width(), 2);
  ASSERT_EQ(turned->Height(), 3);
  EXPECT_EQ(turned->GetPixel(0, 2), source.GetPixel(0, 0)); // row width-1-c, pixel a
  EXPECT_EQ(turned->GetPixel(1, 0), source.GetPixel(2, 1));

  const TBitmap wide = Numbered(3, 2, TPixelFormat::pf32bit);
  TBitmap untouched = wide;
  EXPECT_EQ(Rotate90(untouched), nullptr);
  EXPECT_TRUE(SamePixels(untouched, wide));
}

TEST(Imgutil, BlendUsesItsTwoScalesAndResolvesSystemColours) {
  // 150 on the 1000 scale: 15 % grey, 85 % white.
  EXPECT_EQ(Blend(0x808080, clWhite, 150), MakeColor(236, 236, 236)); // (128*150 + 255*850 + 500) / 1000
  EXPECT_EQ(Blend(clRed, clBlue, 50), MakeColor(128, 0, 128));        // an even mix on the 100 scale
  EXPECT_EQ(Blend(clRed, clBlue, 100), MakeColor(26, 0, 230));        // 100 is already on the 1000 scale
  const TColor face = ColorToRGB(clBtnFace);
  EXPECT_EQ(Blend(clBtnFace, clBlack, 99),
            MakeColor((ColorRed(face) * 99 + 50) / 100, (ColorGreen(face) * 99 + 50) / 100,
                      (ColorBlue(face) * 99 + 50) / 100));
}

TEST(Imgutil, GradientTablesRoundAndAreCached) {
  const std::vector<TColor> three = GradientColors(3, MakeColor(0, 10, 200), MakeColor(255, 11, 0));
  ASSERT_EQ(three.size(), 3u);
  EXPECT_EQ(three[0], MakeColor(0, 10, 200));
  EXPECT_EQ(three[1], MakeColor(128, 11, 101)); // (255 + 1) / 2, (1 + 1) / 2, 200 + (-200 + 1) / 2
  // Truncating toward zero leaves a falling channel one short of its end.
  EXPECT_EQ(three[2], MakeColor(255, 11, 1));
  // One step is the middle colour.
  EXPECT_EQ(GradientColors(1, MakeColor(0, 0, 0), MakeColor(200, 100, 50)),
            std::vector<TColor>{MakeColor(100, 50, 25)});
  // The same request comes back from the cache, also after other requests.
  for (int n = 10; n < 24; ++n)
    GradientColors(n, clBlack, clWhite);
  EXPECT_EQ(GradientColors(3, MakeColor(0, 10, 200), MakeColor(255, 11, 0)), three);
  EXPECT_TRUE(GradientColors(0, clBlack, clWhite).empty());
}

TEST(Imgutil, GradFillPaintsOneLinePerStepInsideTheClip) {
  TBitmap b(4, 6);
  b.Fill(clWhite);
  // Rows 2 to 8 asked for; only 2 to 5 exist.
  GradFill(b, 1, 2, 3, 9, clBlack, true, MakeColor(0, 0, 60));
  EXPECT_EQ(b.GetPixel(1, 2), clBlack);
  EXPECT_EQ(b.GetPixel(2, 3), MakeColor(0, 0, 10));
  EXPECT_EQ(b.GetPixel(2, 5), MakeColor(0, 0, 30));
  EXPECT_EQ(b.GetPixel(0, 3), clWhite);
  EXPECT_EQ(b.GetPixel(3, 3), clWhite);
  EXPECT_EQ(b.GetPixel(1, 1), clWhite);
  // Columns, with the rectangle starting left of the bitmap.
  GradFill(b, -2, 0, 2, 1, MakeColor(0, 0, 0), false, MakeColor(30, 0, 0));
  EXPECT_EQ(b.GetPixel(0, 0), MakeColor(20, 0, 0));
  EXPECT_EQ(b.GetPixel(1, 0), MakeColor(30, 0, 0));
  EXPECT_EQ(b.GetPixel(2, 0), clWhite);

  EXPECT_EQ(GradientSteps(10, 20, 15, 25).first, 5);
  EXPECT_EQ(GradientSteps(10, 20, 15, 25).last, 14);
  EXPECT_EQ(GradientSteps(10, 20, 0, 100).first, 0);
  EXPECT_EQ(GradientSteps(10, 20, 0, 100).last, 19);
  EXPECT_GT(GradientSteps(10, 20, 40, 50).first, GradientSteps(10, 20, 40, 50).last);
}
