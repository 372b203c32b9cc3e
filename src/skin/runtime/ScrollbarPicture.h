#pragma once
// The picture of a skinned scroll bar and where its parts lie, without any
// window: the overlay scroll bars ask the system where the bar, its arrows
// and its thumb are, and draw them from the skin's pictures by these rules.

#include "framework/core/Bitmap.h"
#include "framework/core/Rect.h"
#include "skin/data/SkinDataObjects.h"

namespace zorvex {

// The parts of a scroll bar along its length, in order.
enum class TScrollPart { None, FirstArrow, PageBefore, Thumb, PageAfter, SecondArrow };

// What the system says about one scroll bar, along its own axis.
struct TScrollBarGeometry {
  bool Vertical = true;
  int Length = 0;    // along the bar
  int ArrowSize = 0; // along the bar, one arrow button
  // The thumb's span from the bar's start; no thumb when it is empty.
  int ThumbStart = 0;
  int ThumbEnd = 0;
};

// The arrows, each at most half the bar, take its two ends.
int ScrollArrowLength(const TScrollBarGeometry &bar);
// The part under a point `along` pixels from the bar's start.
TScrollPart ScrollPartAt(const TScrollBarGeometry &bar, int along);
// How thick the picture is drawn: the skin's arrow picture height, unless it
// is more than 2 pixels away from the system's arrow size (then that size).
int ScrollPictureThickness(int imageHeight, int systemArrowSize);

// The skin's frame (of the arrows picture) for an arrow.
int ScrollArrowFrame(bool vertical, bool second, bool pressed, bool hot, bool disabled);

// The skin's pictures a scroll bar is drawn from.
struct TScrollBarSkin {
  const TDataSkinObject *Arrows = nullptr; // the arrows, tracks and thumbs side by side
  const TDataSkinObject *Track = nullptr;  // between the arrows
  const TDataSkinObject *Thumb = nullptr;
  TColor Background = clBtnFace;
  // Whether there is enough to draw a bar at all.
  bool Usable() const { return Arrows && !Arrows->Image.Empty(); }
};

struct TScrollBarLook {
  bool Enabled = true;
  TScrollPart Pressed = TScrollPart::None; // held down (the thumb: dragged)
  TScrollPart Hot = TScrollPart::None;     // under the mouse
};

// Draws the whole bar into `picture`, which is the bar's size: Length along
// it, any thickness across it.
void PaintScrollBar(TBitmap &picture, const TScrollBarSkin &skin, const TScrollBarGeometry &bar,
                    const TScrollBarLook &look);

} // namespace zorvex
