#include "framework/core/BitmapDraw.h"

#include <gtest/gtest.h>

using namespace zorvex;

namespace {

// A 3 x 3 grid of 2 x 2 blocks, each its own colour: the nine pieces.
TBitmap NinePieces() {
  TBitmap bitmap(6, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x)
      bitmap.SetPixel(x, y, MakeColor(10 + x / 2, 20 + y / 2, 0));
  return bitmap;
}

TColor Piece(int column, int row) { return MakeColor(10 + column, 20 + row, 0); }

} // namespace

TEST(BitmapDraw, NineSliceKeepsCornersAndStretchesEdges) {
  const TBitmap source = NinePieces();
  TBitmap target(10, 8);
  DrawNineSlice(target, {0, 0, 10, 8}, source, {0, 0, 6, 6}, {2, 2, 2, 2}, false);
  EXPECT_EQ(target.GetPixel(0, 0), Piece(0, 0));
  EXPECT_EQ(target.GetPixel(9, 7), Piece(2, 2));
  EXPECT_EQ(target.GetPixel(8, 0), Piece(2, 0));
  EXPECT_EQ(target.GetPixel(5, 1), Piece(1, 0)); // top edge, stretched
  EXPECT_EQ(target.GetPixel(0, 5), Piece(0, 1)); // left edge
  EXPECT_EQ(target.GetPixel(2, 2), Piece(1, 1));
  EXPECT_EQ(target.GetPixel(7, 5), Piece(1, 1));

  // Margins wider than the target together count as none in that direction.
  TBitmap narrow(3, 8);
  DrawNineSlice(narrow, {0, 0, 3, 8}, source, {0, 0, 6, 6}, {2, 2, 2, 2}, false);
  EXPECT_EQ(narrow.GetPixel(0, 0), Piece(0, 0));
  EXPECT_EQ(narrow.GetPixel(1, 4), Piece(1, 1)); // the centre spans the width
  EXPECT_EQ(narrow.GetPixel(2, 7), Piece(2, 2));
}

TEST(BitmapDraw, StretchPicksTheNearestPixelAndTilesRepeat) {
  TBitmap source(2, 1);
  source.SetPixel(0, 0, clRed);
  source.SetPixel(1, 0, clBlue);
  TBitmap target(5, 1);
  StretchCopy(target, {0, 0, 5, 1}, source, {0, 0, 2, 1});
  EXPECT_EQ(target.GetPixel(1, 0), clRed);
  EXPECT_EQ(target.GetPixel(2, 0), clBlue); // no blend in between
  EXPECT_EQ(target.GetPixel(4, 0), clBlue);

  TileCopy(target, {0, 0, 5, 1}, source, {0, 0, 2, 1});
  EXPECT_EQ(target.GetPixel(2, 0), clRed);
  EXPECT_EQ(target.GetPixel(3, 0), clBlue);

  // The key colour is left out; nothing outside either bitmap is touched.
  source.SetPixel(0, 0, clFuchsia);
  target.Fill(clWhite);
  StretchCopy(target, {-3, -3, 8, 4}, source, {-1, 0, 3, 1}, clFuchsia);
  EXPECT_EQ(target.GetPixel(0, 0), clWhite);
  EXPECT_EQ(target.GetPixel(3, 0), clBlue);
}

TEST(BitmapDraw, FramesAreCutEvenlyOrNotAtAll) {
  const TBitmap strip(40, 10);
  EXPECT_EQ(FrameRect(strip, 4, 2), (TRect{10, 0, 20, 10}));
  EXPECT_EQ(FrameRect(strip, 2, 2, true), (TRect{0, 5, 40, 10}));
  EXPECT_EQ(FrameRect(strip, 0, 1), (TRect{0, 0, 40, 10}));
  EXPECT_TRUE(FrameRect(strip, 41, 1).IsEmpty());
  EXPECT_TRUE(FrameRect(strip, 4, 5).IsEmpty());
}
