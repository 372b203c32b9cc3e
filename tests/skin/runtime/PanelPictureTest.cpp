#include "skin/runtime/PanelPicture.h"

#include <gtest/gtest.h>

#include "framework/core/BitmapDraw.h"

using namespace zorvex;

namespace {

double Lightness(TColor color) { return ContrastRatio(color, clBlack); }

} // namespace

TEST(BevelColorsTest, BothEdgesShowOnAnyFaceAndTheLightOneIsLighter) {
  const TColor faces[] = {clBlack, clWhite, clSilver, MakeColor(48, 48, 52), MakeColor(30, 40, 90), clYellow};
  for (TColor face : faces) {
    SCOPED_TRACE(face);
    const TBevelColors colors = BevelColorsFor(face);
    EXPECT_GT(ContrastRatio(colors.Light, face), 1.25);
    EXPECT_GT(ContrastRatio(colors.Shadow, face), 1.25);
    EXPECT_GT(Lightness(colors.Light), Lightness(colors.Shadow));
  }
  // On a face of middle lightness: one lighter, one darker than the face,
  // and of its hue, not grey.
  const TColor blue = MakeColor(40, 60, 160);
  const TBevelColors onBlue = BevelColorsFor(blue);
  EXPECT_GT(Lightness(onBlue.Light), Lightness(blue));
  EXPECT_LT(Lightness(onBlue.Shadow), Lightness(blue));
  EXPECT_GT(ColorBlue(onBlue.Light), ColorRed(onBlue.Light));
  EXPECT_GT(ColorBlue(onBlue.Shadow), ColorRed(onBlue.Shadow));
  // A system colour counts as what it shows.
  EXPECT_EQ(BevelColorsFor(clBtnFace).Light, BevelColorsFor(ColorToRGB(clBtnFace)).Light);
}

TEST(BevelPictureTest, RaisedIsLitAtTopLeftLoweredAtBottomRightAndNestedEdgesGoInside) {
  const TBevelColors colors{MakeColor(200, 200, 200), MakeColor(20, 20, 20)};
  const TColor back = MakeColor(90, 90, 90);
  TBitmap picture(12, 8);
  picture.Fill(back);
  const TRect inner = DrawBevel(picture, {0, 0, 12, 8}, TBevelKind::Raised, colors);
  EXPECT_EQ(inner, (TRect{1, 1, 11, 7}));
  EXPECT_EQ(picture.GetPixel(0, 0), colors.Light);
  EXPECT_EQ(picture.GetPixel(10, 0), colors.Light);
  EXPECT_EQ(picture.GetPixel(0, 6), colors.Light);
  EXPECT_EQ(picture.GetPixel(11, 0), colors.Shadow); // the corners go to the shadow
  EXPECT_EQ(picture.GetPixel(0, 7), colors.Shadow);
  EXPECT_EQ(picture.GetPixel(11, 7), colors.Shadow);
  EXPECT_EQ(picture.GetPixel(5, 4), back);

  const TRect innermost = DrawBevel(picture, inner, TBevelKind::Lowered, colors);
  EXPECT_EQ(innermost, (TRect{2, 2, 10, 6}));
  EXPECT_EQ(picture.GetPixel(1, 1), colors.Shadow);
  EXPECT_EQ(picture.GetPixel(10, 3), colors.Light);
  EXPECT_EQ(picture.GetPixel(5, 6), colors.Light);
  EXPECT_EQ(picture.GetPixel(5, 4), back);

  EXPECT_EQ(DrawBevel(picture, innermost, TBevelKind::None, colors), innermost);
  EXPECT_EQ(picture.GetPixel(2, 2), back);
}
