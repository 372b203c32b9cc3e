#include "skin/runtime/BarPictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <vector>

using namespace zorvex;

namespace {

constexpr TColor kEmpty = MakeColor(10, 20, 30);
constexpr TColor kFull = MakeColor(200, 40, 40);
constexpr TColor kBack = MakeColor(90, 90, 90);
constexpr TColor kTop = MakeColor(0, 0, 250);

// An image of `frames` solid frames, `w` by `h` each.
TBitmap Frames(std::initializer_list<TColor> colors, int w, int h) {
  TBitmap image(w * static_cast<int>(colors.size()), h);
  int x = 0;
  for (TColor c : colors) {
    FillRect(image, Bounds(x, 0, w, h), c);
    x += w;
  }
  return image;
}

std::unique_ptr<TDataSkinBorder> ProgressObject(int style) {
  auto made = std::make_unique<TDataSkinBorder>("Progress");
  TDataSkinBorder &progress = *made;
  progress.Style = style;
  progress.LeftWidth = progress.RightWidth = progress.TopHeight = progress.BottomHeight = 4;
  if (style == 0) {
    progress.Image = Frames({kEmpty, kFull}, 24, 16);
    progress.Frame = 2;
  } else {
    progress.Image = Frames({kEmpty}, 24, 16);
    progress.Frame = 2; // the data's fixed count: style 1 uses the whole image
    progress.Image2 = Frames({kFull}, 9, 8);
  }
  return made;
}

} // namespace

TEST(ProgressFillTest, FillsTheShareOfTheRangeNeverPastEitherEnd) {
  EXPECT_EQ(ProgressFillLength(200, 25, 0, 100), 50);
  EXPECT_EQ(ProgressFillLength(200, 100, 50, 150), 100); // the range need not start at 0
  EXPECT_EQ(ProgressFillLength(200, 500, 0, 100), 200);
  EXPECT_EQ(ProgressFillLength(200, -5, 0, 100), 0);
  EXPECT_EQ(ProgressFillLength(200, 5, 10, 10), 0); // empty range
  EXPECT_EQ(ProgressFillLength(200, 5, 10, 0), 0);  // upside down
  EXPECT_EQ(ProgressFillLength(0, 50, 0, 100), 0);
  EXPECT_EQ(ProgressFillLength(1000, 0, INT_MIN, INT_MAX), 500); // no overflow
  EXPECT_EQ(ProgressFillLength(1000, INT_MAX, INT_MIN, INT_MAX), 1000);
}

TEST(ProgressPictureTest, StyleZeroLaysTheFilledFrameOverTheFilledPart) {
  const TBitmap bar = ProgressPicture(*ProgressObject(0), 100, 17, 30, kBack);
  EXPECT_EQ(bar.GetPixel(29, 8), kFull);
  EXPECT_EQ(bar.GetPixel(30, 8), kEmpty);
  EXPECT_EQ(bar.GetPixel(99, 16), kEmpty);
  EXPECT_EQ(ProgressPicture(*ProgressObject(0), 100, 17, 0, kBack).GetPixel(0, 8), kEmpty);
}

TEST(ProgressPictureTest, StyleOneRepeatsTheBlockFromTheLeftMarginCentredAcross) {
  const TBitmap bar = ProgressPicture(*ProgressObject(1), 100, 18, 50, kBack);
  EXPECT_EQ(bar.GetPixel(3, 9), kEmpty);  // the margin stays
  EXPECT_EQ(bar.GetPixel(4, 9), kFull);   // first block
  EXPECT_EQ(bar.GetPixel(20, 9), kFull);  // a later one
  // The block begun at 49 is shown whole, and no block after it.
  EXPECT_EQ(bar.GetPixel(57, 9), kFull);
  EXPECT_EQ(bar.GetPixel(58, 9), kEmpty);
  // The 8 rows of the block, centred in 18.
  EXPECT_EQ(bar.GetPixel(20, 4), kEmpty);
  EXPECT_EQ(bar.GetPixel(20, 5), kFull);
  EXPECT_EQ(bar.GetPixel(20, 12), kFull);
  EXPECT_EQ(bar.GetPixel(20, 13), kEmpty);
  // A full bar stops at the right margin; the whole image is the bar.
  const TBitmap full = ProgressPicture(*ProgressObject(1), 100, 18, 100, kBack);
  EXPECT_EQ(full.GetPixel(95, 9), kFull);
  EXPECT_EQ(full.GetPixel(96, 9), kEmpty);
}

TEST(ProgressPictureTest, AStoodUpBarFillsFromTheBottom) {
  TBitmap bar = ProgressPicture(*ProgressObject(0), 100, 17, 30, kBack);
  StandUp(bar);
  ASSERT_EQ(bar.Width(), 17);
  ASSERT_EQ(bar.Height(), 100);
  EXPECT_EQ(bar.GetPixel(8, 99), kFull);
  EXPECT_EQ(bar.GetPixel(8, 70), kFull);
  EXPECT_EQ(bar.GetPixel(8, 69), kEmpty);
}

TEST(MarqueeTest, TheChunkCrossesTheBarOnceACycleAtAnEvenPace) {
  const int length = 170; // the preview's bar
  const TBarSpan first = MarqueeSpan(length, 0);
  EXPECT_LE(first.End, 0); // enters from outside
  std::vector<bool> covered(length, false);
  int previous = first.Start;
  bool leftAtEnd = false;
  for (int tick = 1; tick <= MarqueeTicks; ++tick) {
    const TBarSpan span = MarqueeSpan(length, tick);
    EXPECT_EQ(span.End - span.Start, length / 4);
    if (tick < MarqueeTicks) {
      EXPECT_GT(span.Start, previous) << tick; // never stands still, never jumps back
      EXPECT_LE(span.Start - previous, length / 20) << tick;
      previous = span.Start;
      leftAtEnd = leftAtEnd || span.End >= length;
    }
    for (int x = std::max(span.Start, 0); x < std::min(span.End, length); ++x)
      covered[static_cast<size_t>(x)] = true;
  }
  EXPECT_TRUE(leftAtEnd);
  EXPECT_EQ(std::count(covered.begin(), covered.end(), false), 0);
  // Then it starts over; no tick count breaks it.
  EXPECT_EQ(MarqueeSpan(length, MarqueeTicks).Start, first.Start);
  EXPECT_EQ(MarqueeSpan(length, INT64_MAX).End - MarqueeSpan(length, INT64_MAX).Start, length / 4);
  EXPECT_EQ(MarqueeSpan(length, -1).Start, MarqueeSpan(length, MarqueeTicks - 1).Start);
  EXPECT_EQ(MarqueeSpan(0, 10).End, 0);
  EXPECT_EQ(MarqueeSpan(-5, 10).End, 0);
}

TEST(MarqueeTest, AChunkShowsOnlyItsPartInsideTheBar) {
  // Style 0: the filled frame over the span, cut at the bar's start.
  const TBitmap entering = ProgressPicture(*ProgressObject(0), 100, 17, TBarSpan{-10, 15}, kBack);
  EXPECT_EQ(entering.GetPixel(0, 8), kFull);
  EXPECT_EQ(entering.GetPixel(14, 8), kFull);
  EXPECT_EQ(entering.GetPixel(15, 8), kEmpty);
  const TBitmap middle = ProgressPicture(*ProgressObject(0), 100, 17, TBarSpan{40, 65}, kBack);
  EXPECT_EQ(middle.GetPixel(39, 8), kEmpty);
  EXPECT_EQ(middle.GetPixel(40, 8), kFull);
  EXPECT_EQ(middle.GetPixel(64, 8), kFull);
  EXPECT_EQ(middle.GetPixel(65, 8), kEmpty);
  const TBitmap gone = ProgressPicture(*ProgressObject(0), 100, 17, TBarSpan{100, 125}, kBack);
  EXPECT_EQ(gone.GetPixel(99, 8), kEmpty);
  // Style 1: every whole block the span touches (blocks of 9 from 4).
  const TBitmap blocks = ProgressPicture(*ProgressObject(1), 100, 18, TBarSpan{30, 50}, kBack);
  EXPECT_EQ(blocks.GetPixel(21, 9), kEmpty);
  EXPECT_EQ(blocks.GetPixel(22, 9), kFull); // the block 22..30 reaches into the span
  EXPECT_EQ(blocks.GetPixel(57, 9), kFull); // the block begun at 49
  EXPECT_EQ(blocks.GetPixel(58, 9), kEmpty);
}

TEST(BarFramesTest, DisabledWinsThenPressedThenHot) {
  // Tabs: the selected tab shows the focus, hot only counts for others.
  EXPECT_EQ(TabFrame(false, false, false, false), 1);
  EXPECT_EQ(TabFrame(true, false, true, false), 2);
  EXPECT_EQ(TabFrame(false, true, true, false), 3);
  EXPECT_EQ(TabFrame(true, true, false, true), 4);
  EXPECT_EQ(TabFrame(true, true, false, false), 5);
  // Headers: a sorted column lights up when hot and sinks when pressed.
  EXPECT_EQ(HeaderFrame(true, true, true, false), 3);
  EXPECT_EQ(HeaderFrame(true, false, true, false), 2);
  EXPECT_EQ(HeaderFrame(false, false, true, false), 4);
  EXPECT_EQ(HeaderFrame(true, true, true, true), 5);
  // Thumbs: focus shows only at rest.
  EXPECT_EQ(ThumbFrame(false, false, true, false), 5);
  EXPECT_EQ(ThumbFrame(true, false, true, false), 2);
  EXPECT_EQ(ThumbFrame(true, true, true, false), 3);
  EXPECT_EQ(ThumbFrame(true, true, true, true), 4);
  // Up-down: the second button's frames follow the first's four.
  EXPECT_EQ(UpDownFrame(false, true, true, false), 3);
  EXPECT_EQ(UpDownFrame(true, false, false, false), 5);
  EXPECT_EQ(UpDownFrame(true, true, false, true), 8);
}

TEST(TabPictureTest, TabsTurnTheirTopAwayFromThePage) {
  // One frame whose top row is marked.
  TDataSkinObject tabs("Tabs");
  tabs.Image = Frames({kEmpty}, 20, 20);
  FillRect(tabs.Image, {0, 0, 20, 2}, kTop);
  tabs.Frame = 1;
  tabs.LeftWidth = tabs.TopHeight = tabs.RightWidth = tabs.BottomHeight = 4;
  const TRect place{10, 10, 70, 40};
  auto drawn = [&](TTabSide side) {
    TBitmap picture(80, 50);
    picture.Fill(kBack);
    DrawTab(picture, place, tabs, 1, side);
    return picture;
  };
  const TBitmap top = drawn(TTabSide::Top), bottom = drawn(TTabSide::Bottom);
  const TBitmap left = drawn(TTabSide::Left), right = drawn(TTabSide::Right);
  EXPECT_EQ(top.GetPixel(40, 10), kTop);
  EXPECT_EQ(top.GetPixel(40, 39), kEmpty);
  EXPECT_EQ(bottom.GetPixel(40, 39), kTop);
  EXPECT_EQ(bottom.GetPixel(40, 10), kEmpty);
  EXPECT_EQ(left.GetPixel(10, 25), kTop);
  EXPECT_EQ(left.GetPixel(69, 25), kEmpty);
  EXPECT_EQ(right.GetPixel(69, 25), kTop);
  EXPECT_EQ(right.GetPixel(10, 25), kEmpty);
  EXPECT_EQ(right.GetPixel(9, 25), kBack); // nothing outside the tab
}

TEST(TabPictureTest, ThePageKeepsItsEdgesWholeAndAbsentPageDrawsNothing) {
  TDataSkinBorder tabs("Tabs");
  tabs.Image = Frames({kEmpty}, 20, 20);
  tabs.LeftWidth = tabs.TopHeight = tabs.RightWidth = tabs.BottomHeight = 6;
  TBitmap picture(100, 60);
  picture.Fill(kBack);
  DrawTabPage(picture, {0, 0, 100, 60}, tabs, TTabSide::Top);
  EXPECT_EQ(picture.GetPixel(50, 30), kBack);

  // A page with a one-pixel rim: the rim runs round the whole page.
  tabs.Image2 = Frames({kTop}, 24, 24);
  FillRect(tabs.Image2, {1, 1, 23, 23}, kFull);
  DrawTabPage(picture, {0, 0, 100, 60}, tabs, TTabSide::Top);
  EXPECT_EQ(picture.GetPixel(50, 0), kTop);
  EXPECT_EQ(picture.GetPixel(99, 30), kTop);
  EXPECT_EQ(picture.GetPixel(50, 59), kTop);
  EXPECT_EQ(picture.GetPixel(50, 30), kFull);
}
