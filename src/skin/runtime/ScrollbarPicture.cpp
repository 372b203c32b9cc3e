#include "ScrollbarPicture.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "framework/core/BitmapDraw.h"

namespace zorvex {

int ScrollArrowLength(const TScrollBarGeometry &bar) { return std::max(0, std::min(bar.ArrowSize, bar.Length / 2)); }

TScrollPart ScrollPartAt(const TScrollBarGeometry &bar, int along) {
  if (along < 0 || along >= bar.Length)
    return TScrollPart::None;
  const int arrow = ScrollArrowLength(bar);
  if (along < arrow)
    return TScrollPart::FirstArrow;
  if (along >= bar.Length - arrow)
    return TScrollPart::SecondArrow;
  if (bar.ThumbEnd <= bar.ThumbStart)
    return TScrollPart::PageBefore; // no thumb: the whole track pages
  if (along < bar.ThumbStart)
    return TScrollPart::PageBefore;
  if (along < bar.ThumbEnd)
    return TScrollPart::Thumb;
  return TScrollPart::PageAfter;
}

int ScrollPictureThickness(int imageHeight, int systemArrowSize) {
  return imageHeight > 0 && std::abs(imageHeight - systemArrowSize) <= 2 ? imageHeight : systemArrowSize;
}

int ScrollArrowFrame(bool vertical, bool second, bool pressed, bool hot, bool disabled) {
  // Four frames per arrow (normal, pressed, hot, disabled): left, right, up,
  // down.
  const int first = (vertical ? 9 : 1) + (second ? 4 : 0);
  if (disabled)
    return first + 3;
  if (pressed)
    return first + 1;
  return hot ? first + 2 : first;
}

namespace {

std::optional<TColor> KeyOf(const TDataSkinObject &object) {
  return object.Trans == 1 ? std::optional<TColor>(clFuchsia) : std::nullopt;
}

// Frame `index` of the object, or its first when it has fewer.
TRect FrameOrFirst(const TDataSkinObject &object, int index) {
  const TRect frame = object.FrameOf(index);
  return frame.IsEmpty() ? object.FrameOf(1) : frame;
}

} // namespace

void PaintScrollBar(TBitmap &picture, const TScrollBarSkin &skin, const TScrollBarGeometry &bar,
                    const TScrollBarLook &look) {
  const int width = picture.Width(), height = picture.Height();
  FillRect(picture, {0, 0, width, height}, skin.Background);
  if (!skin.Usable())
    return;
  const int length = bar.Vertical ? height : width;
  auto span = [&](int start, int end) {
    return bar.Vertical ? TRect{0, start, width, end} : TRect{start, 0, end, height};
  };
  TScrollBarGeometry sized = bar;
  sized.Length = length;
  const int arrow = ScrollArrowLength(sized);

  if (skin.Track && !skin.Track->Image.Empty() && length > 2 * arrow) {
    const TDataSkinObject &track = *skin.Track;
    DrawNineSlice(picture, span(arrow, length - arrow), track.Image, FrameOrFirst(track, look.Enabled ? 1 : 3),
                  track.Margins(), track.Tile != 0, KeyOf(track));
  }

  const TDataSkinObject &arrows = *skin.Arrows;
  for (bool second : {false, true}) {
    const TScrollPart part = second ? TScrollPart::SecondArrow : TScrollPart::FirstArrow;
    const int frame = ScrollArrowFrame(bar.Vertical, second, look.Pressed == part, look.Hot == part, !look.Enabled);
    const TRect source = FrameOrFirst(arrows, frame);
    if (!source.IsEmpty() && arrow > 0)
      StretchCopy(picture, second ? span(length - arrow, length) : span(0, arrow), arrows.Image, source, clFuchsia);
  }

  if (look.Enabled && skin.Thumb && !skin.Thumb->Image.Empty() && bar.ThumbEnd > bar.ThumbStart) {
    const TDataSkinObject &thumb = *skin.Thumb;
    int frame = 1;
    if (look.Pressed == TScrollPart::Thumb)
      frame = 2;
    else if (look.Hot == TScrollPart::Thumb && thumb.Frame >= 3)
      frame = 3;
    const int start = std::clamp(bar.ThumbStart, arrow, std::max(arrow, length - arrow));
    const int end = std::clamp(bar.ThumbEnd, start, std::max(start, length - arrow));
    DrawNineSlice(picture, span(start, end), thumb.Image, FrameOrFirst(thumb, frame), thumb.Margins(), thumb.Tile != 0,
                  KeyOf(thumb));
  }
}

} // namespace zorvex
