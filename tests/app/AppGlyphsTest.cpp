#include "app/AppGlyphs.h"

#include <gtest/gtest.h>

#include "framework/win/ImgList.h"

using namespace zorvex;

namespace {

// Opaque pixels of an image.
int Ink(const TDibBitmap &image) {
  int count = 0;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x)
      count += (image.Pixel(x, y) >> 24) != 0 ? 1 : 0;
  return count;
}

TEST(AppGlyphs, TheMenuGlyphsLoadAsFourImagesOnATransparentGround) {
  TImageList list(nullptr);
  ASSERT_TRUE(LoadMenuGlyphs(list));
  ASSERT_EQ(list.Count(), menuglyph::Count);
  EXPECT_EQ(list.Width(), 16);
  EXPECT_EQ(list.Height(), 16);
  for (int i = 0; i < list.Count(); ++i) {
    const TDibBitmap &image = list.Image(i);
    EXPECT_EQ(image.Pixel(0, 0) >> 24, 0u) << i;
    EXPECT_EQ(image.Pixel(15, 15) >> 24, 0u) << i;
    EXPECT_GT(Ink(image), 12) << i;
  }
  // The minimise bar is the smallest glyph, the maximise frame bigger.
  EXPECT_LT(Ink(list.Image(menuglyph::Minimize)), Ink(list.Image(menuglyph::Maximize)));
}

TEST(AppGlyphs, ButtonGlyphsKeepTheirAlphaThroughTheBitmapCodec) {
  const TDibBitmap close = LoadGlyph(glyph::Close);
  ASSERT_FALSE(close.Empty());
  EXPECT_EQ(close.Pixel(0, 0) >> 24, 0u);
  EXPECT_EQ(close.Pixel(close.Width() / 2, close.Height() / 2) >> 24, 0xFFu);
}

} // namespace
