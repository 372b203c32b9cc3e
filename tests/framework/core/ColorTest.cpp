#include "framework/core/Color.h"

#include <gtest/gtest.h>

namespace zorvex {
namespace {

TEST(Color, TextIsMadeReadableOnItsBackgroundAndKeepsItsHue) {
  const TColor darkFace = MakeColor(48, 50, 56);
  const TColor blue = ReadableColor(clBlue, darkFace);
  EXPECT_GE(ContrastRatio(blue, darkFace), 3.0);
  EXPECT_GT(ColorBlue(blue), ColorRed(blue)); // still blue
  const TColor red = ReadableColor(clRed, darkFace);
  EXPECT_GE(ContrastRatio(red, darkFace), 3.0);
  EXPECT_GT(ColorRed(red), ColorBlue(red));
  // Readable colours stay as designed; system colours are resolved.
  EXPECT_EQ(ReadableColor(clMaroon, clSilver), clMaroon);
  EXPECT_EQ(ReadableColor(clWhite, darkFace), clWhite);
  EXPECT_EQ(ReadableColor(clBtnText, clWhite), ColorToRGB(clBtnText));
  // Yellow on white darkens.
  EXPECT_GE(ContrastRatio(ReadableColor(clYellow, clWhite), clWhite), 3.0);
}

} // namespace
} // namespace zorvex
