#include "skin/runtime/ScrollbarPicture.h"

#include <gtest/gtest.h>

using namespace zorvex;

namespace {

// Frame `index` of a test picture: one solid colour per frame and kind.
TColor FrameColour(int kind, int index) { return MakeColor(kind * 60, index * 9, 255 - index); }

// An object of `frames` solid frames side by side, each `width` by `height`.
void PaintFrames(TDataSkinObject &object, int kind, int frames, int width, int height) {
  object.Frame = frames;
  object.Image.SetSize(frames * width, height);
  for (int f = 0; f < frames; ++f)
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        object.Image.SetPixel(f * width + x, y, FrameColour(kind, f + 1));
}

class ScrollbarPictureTest : public ::testing::Test {
protected:
  ScrollbarPictureTest() {
    PaintFrames(arrows, 1, 23, 16, 16);
    PaintFrames(track, 2, 4, 16, 16);
    PaintFrames(thumb, 3, 3, 16, 16);
    skin.Arrows = &arrows;
    skin.Track = &track;
    skin.Thumb = &thumb;
    skin.Background = kBackground;
  }
  TBitmap Paint(const TScrollBarGeometry &bar, const TScrollBarLook &look, int thickness = 16) {
    TBitmap picture(bar.Vertical ? thickness : bar.Length, bar.Vertical ? bar.Length : thickness);
    PaintScrollBar(picture, skin, bar, look);
    return picture;
  }
  static constexpr TColor kBackground = MakeColor(1, 2, 3);
  TDataSkinObject arrows{"Scrollbar"}, track{"VertScroll"}, thumb{"VertScrollThumb"};
  TScrollBarSkin skin;
  TScrollBarGeometry vertical{true, 100, 16, 40, 60};
};

} // namespace

TEST_F(ScrollbarPictureTest, PartsAlongTheBarAndArrowsSharingAShortBar) {
  const TScrollBarGeometry &bar = vertical;
  EXPECT_EQ(ScrollPartAt(bar, 0), TScrollPart::FirstArrow);
  EXPECT_EQ(ScrollPartAt(bar, 15), TScrollPart::FirstArrow);
  EXPECT_EQ(ScrollPartAt(bar, 16), TScrollPart::PageBefore);
  EXPECT_EQ(ScrollPartAt(bar, 40), TScrollPart::Thumb);
  EXPECT_EQ(ScrollPartAt(bar, 59), TScrollPart::Thumb);
  EXPECT_EQ(ScrollPartAt(bar, 60), TScrollPart::PageAfter);
  EXPECT_EQ(ScrollPartAt(bar, 84), TScrollPart::SecondArrow);
  EXPECT_EQ(ScrollPartAt(bar, 100), TScrollPart::None);
  EXPECT_EQ(ScrollPartAt(bar, -1), TScrollPart::None);

  // Shorter than two arrows: each takes half, nothing lies between.
  const TScrollBarGeometry shortBar{true, 20, 16, 0, 0};
  EXPECT_EQ(ScrollArrowLength(shortBar), 10);
  EXPECT_EQ(ScrollPartAt(shortBar, 9), TScrollPart::FirstArrow);
  EXPECT_EQ(ScrollPartAt(shortBar, 10), TScrollPart::SecondArrow);
}

TEST_F(ScrollbarPictureTest, ThicknessIsTheSkinsUnlessFarFromTheSystems) {
  EXPECT_EQ(ScrollPictureThickness(17, 16), 17);
  EXPECT_EQ(ScrollPictureThickness(14, 16), 14);
  EXPECT_EQ(ScrollPictureThickness(19, 16), 16);
  EXPECT_EQ(ScrollPictureThickness(0, 16), 16);
}

TEST_F(ScrollbarPictureTest, VerticalBarShowsUpAndDownArrowsTrackAndThumbByState) {
  TBitmap normal = Paint(vertical, {});
  EXPECT_EQ(normal.GetPixel(8, 8), FrameColour(1, 9));   // up arrow
  EXPECT_EQ(normal.GetPixel(8, 92), FrameColour(1, 13)); // down arrow
  EXPECT_EQ(normal.GetPixel(8, 25), FrameColour(2, 1));  // track
  EXPECT_EQ(normal.GetPixel(8, 50), FrameColour(3, 1));  // thumb
  EXPECT_EQ(normal.GetPixel(8, 70), FrameColour(2, 1));

  TBitmap pressedUp = Paint(vertical, {true, TScrollPart::FirstArrow, TScrollPart::None});
  EXPECT_EQ(pressedUp.GetPixel(8, 8), FrameColour(1, 10));
  EXPECT_EQ(pressedUp.GetPixel(8, 92), FrameColour(1, 13));
  TBitmap pressedDown = Paint(vertical, {true, TScrollPart::SecondArrow, TScrollPart::None});
  EXPECT_EQ(pressedDown.GetPixel(8, 92), FrameColour(1, 14));
  TBitmap dragged = Paint(vertical, {true, TScrollPart::Thumb, TScrollPart::None});
  EXPECT_EQ(dragged.GetPixel(8, 50), FrameColour(3, 2));
  TBitmap hot = Paint(vertical, {true, TScrollPart::None, TScrollPart::Thumb});
  EXPECT_EQ(hot.GetPixel(8, 50), FrameColour(3, 3));

  // Disabled: the disabled track, no thumb.
  TBitmap disabled = Paint(vertical, {false, TScrollPart::None, TScrollPart::None});
  EXPECT_EQ(disabled.GetPixel(8, 25), FrameColour(2, 3));
  EXPECT_EQ(disabled.GetPixel(8, 50), FrameColour(2, 3));
}

TEST_F(ScrollbarPictureTest, HorizontalBarShowsLeftAndRightArrows) {
  const TScrollBarGeometry bar{false, 120, 16, 30, 50};
  TBitmap normal = Paint(bar, {});
  EXPECT_EQ(normal.GetPixel(8, 8), FrameColour(1, 1));
  EXPECT_EQ(normal.GetPixel(112, 8), FrameColour(1, 5));
  EXPECT_EQ(normal.GetPixel(40, 8), FrameColour(3, 1));
  TBitmap pressed = Paint(bar, {true, TScrollPart::FirstArrow, TScrollPart::None});
  EXPECT_EQ(pressed.GetPixel(8, 8), FrameColour(1, 2));
  TBitmap pressedRight = Paint(bar, {true, TScrollPart::SecondArrow, TScrollPart::None});
  EXPECT_EQ(pressedRight.GetPixel(112, 8), FrameColour(1, 6));
}

TEST_F(ScrollbarPictureTest, ArrowsAreStretchedAcrossAndMagentaLeftOut) {
  // The up arrow's frame: a magenta dot in its middle.
  arrows.Image.SetPixel(8 * 16 + 8, 8, clFuchsia);
  TBitmap wide = Paint(vertical, {}, 32);
  EXPECT_EQ(wide.GetPixel(16, 8), kBackground);
  EXPECT_EQ(wide.GetPixel(30, 2), FrameColour(1, 9));
  EXPECT_EQ(wide.GetPixel(30, 50), FrameColour(3, 1)); // the thumb spans the whole thickness

  // A thumb running into the arrows stops at them.
  const TScrollBarGeometry overlong{true, 100, 16, 5, 95};
  TBitmap clamped = Paint(overlong, {});
  EXPECT_EQ(clamped.GetPixel(8, 10), FrameColour(1, 9));
  EXPECT_EQ(clamped.GetPixel(8, 90), FrameColour(1, 13));
}

TEST_F(ScrollbarPictureTest, WithoutTheArrowsPictureOnlyTheBackgroundIsDrawn) {
  arrows.Image.Clear();
  TBitmap picture = Paint(vertical, {});
  EXPECT_FALSE(skin.Usable());
  EXPECT_EQ(picture.GetPixel(8, 8), kBackground);
  EXPECT_EQ(picture.GetPixel(8, 50), kBackground);
}
