#include "framework/core/Color.h"

#include <gtest/gtest.h>

namespace zorvex {
namespace {

TEST(Color, TextIsMadeReadableOnItsBackgroundAndKeepsItsHue) {
  // Small text needs 4.5:1 (body text), on dark and on black faces alike.
  const TColor darkFace = MakeColor(48, 50, 56);
  for (const TColor face : {darkFace, clBlack}) {
    const TColor blue = ReadableColor(clNavy, face);
    EXPECT_GE(ContrastRatio(blue, face), 4.5);
    EXPECT_GT(ColorBlue(blue), ColorRed(blue)); // still blue
    const TColor red = ReadableColor(clRed, face);
    EXPECT_GE(ContrastRatio(red, face), 4.5);
    EXPECT_GT(ColorRed(red), ColorBlue(red));
  }
  // Green on black reaches 3:1 but not 4.5:1: it is lightened, still green.
  ASSERT_GT(ContrastRatio(clGreen, clBlack), 3.0);
  const TColor green = ReadableColor(clGreen, clBlack);
  EXPECT_GE(ContrastRatio(green, clBlack), 4.5);
  EXPECT_GT(ColorGreen(green), ColorRed(green));
  // Readable colours stay as designed; system colours are resolved.
  EXPECT_EQ(ReadableColor(clMaroon, clSilver), clMaroon);
  EXPECT_EQ(ReadableColor(clWhite, darkFace), clWhite);
  EXPECT_EQ(ReadableColor(clBtnText, clWhite), ColorToRGB(clBtnText));
  // Yellow on white darkens.
  EXPECT_GE(ContrastRatio(ReadableColor(clYellow, clWhite), clWhite), 4.5);
}

} // namespace
} // namespace zorvex
