#include "BarPictures.h"

#include <algorithm>
#include <optional>

#include "Imgutil.h"

namespace zorvex {

namespace {

std::optional<TColor> KeyOf(const TDataSkinObject &object) {
  return object.Trans == 1 ? std::optional<TColor>(clFuchsia) : std::nullopt;
}

// A frame of the image cut out on its own, so it can be turned.
TBitmap Cut(const TBitmap &image, const TRect &source) {
  TBitmap piece(source.Width(), source.Height());
  StretchCopy(piece, {0, 0, piece.Width(), piece.Height()}, image, source);
  return piece;
}

// The picture and its margins turned so that its top faces `side`.
void Turn(TBitmap &piece, TMargins &m, TTabSide side) {
  switch (side) {
  case TTabSide::Top: break;
  case TTabSide::Bottom:
    SpiegelnVertikal(piece);
    std::swap(m.Top, m.Bottom);
    break;
  case TTabSide::Left:
    Drehen270Grad(piece);
    m = {m.Top, m.Right, m.Bottom, m.Left};
    break;
  case TTabSide::Right:
    Drehen90Grad(piece);
    m = {m.Bottom, m.Left, m.Top, m.Right};
    break;
  }
}

void DrawTurned(TBitmap &dest, const TRect &rect, const TBitmap &image, const TRect &source, TMargins margins,
                bool tile, std::optional<TColor> key, TTabSide side) {
  if (source.IsEmpty() || rect.IsEmpty())
    return;
  if (side == TTabSide::Top) {
    DrawNineSlice(dest, rect, image, source, margins, tile, key);
    return;
  }
  TBitmap piece = Cut(image, source);
  Turn(piece, margins, side);
  DrawNineSlice(dest, rect, piece, {0, 0, piece.Width(), piece.Height()}, margins, tile, key);
}

} // namespace

int ProgressFillLength(int length, int position, int min, int max) {
  if (length <= 0 || max <= min)
    return 0;
  const int64_t done = std::clamp<int64_t>(int64_t{position} - min, 0, int64_t{max} - min);
  return static_cast<int>(done * length / (int64_t{max} - min));
}

TBitmap ProgressPicture(const TDataSkinBorder &progress, int width, int height, int filled, TColor background) {
  return ProgressPicture(progress, width, height, TBarSpan{0, std::clamp(filled, 0, width)}, background);
}

TBitmap ProgressPicture(const TDataSkinBorder &progress, int width, int height, TBarSpan span, TColor background) {
  TBitmap picture(std::max(width, 0), std::max(height, 0));
  if (picture.Empty())
    return picture;
  const TRect whole{0, 0, width, height};
  FillRect(picture, whole, background);
  const bool shown = span.Start < span.End && span.End > 0 && span.Start < width;
  if (progress.Style != 1) {
    DrawNineSlice(picture, whole, progress.Image, progress.FrameOf(1), progress.Margins(), progress.Tile != 0,
                  KeyOf(progress));
    // Drawn over the whole span, clipped by the picture: a chunk entering
    // or leaving shows only its part inside the bar.
    if (shown)
      DrawNineSlice(picture, {span.Start, 0, span.End, height}, progress.Image, progress.FrameOf(2), progress.Margins(),
                    progress.Tile != 0, KeyOf(progress));
    return picture;
  }
  // The bar is the whole image; the block is repeated over the span.
  DrawNineSlice(picture, whole, progress.Image, {0, 0, progress.Image.Width(), progress.Image.Height()},
                progress.Margins(), progress.Tile != 0, KeyOf(progress));
  const TBitmap &block = progress.Image2;
  if (block.Empty() || !shown)
    return picture;
  const int inner = height - progress.TopHeight - progress.BottomHeight;
  const int blockHeight = inner > 0 ? std::min(block.Height(), inner) : std::min(block.Height(), height);
  const int top = (height - blockHeight) / 2;
  // Whole blocks on their places from the left margin: every one the span
  // touches is shown, cut only by the bar's end.
  const int end = width - progress.RightWidth;
  for (int x = progress.LeftWidth; x < std::min(span.End, end); x += block.Width()) {
    if (x + block.Width() <= span.Start)
      continue;
    const int w = std::min(block.Width(), end - x);
    StretchCopy(picture, {x, top, x + w, top + blockHeight}, block, {0, 0, w, block.Height()});
  }
  return picture;
}

TBarSpan MarqueeSpan(int length, int64_t tick) {
  if (length <= 0)
    return {};
  const int chunk = std::max(length / 4, 1);
  const int64_t phase = ((tick % MarqueeTicks) + MarqueeTicks) % MarqueeTicks;
  // From wholly before the start to wholly past the end, in equal steps.
  const int start = static_cast<int>(phase * (length + chunk) / MarqueeTicks) - chunk;
  return {start, start + chunk};
}

void StandUp(TBitmap &picture) { Drehen270Grad(picture); }

int TabFrame(bool selected, bool focused, bool hot, bool disabled) {
  if (disabled)
    return 4;
  if (selected)
    return focused ? 5 : 2;
  return hot ? 3 : 1;
}

void DrawTab(TBitmap &dest, const TRect &rect, const TDataSkinObject &tabs, int frame, TTabSide side) {
  DrawTurned(dest, rect, tabs.Image, tabs.FrameOf(frame), tabs.Margins(), tabs.Tile != 0, KeyOf(tabs), side);
}

void DrawTabPage(TBitmap &dest, const TRect &rect, const TDataSkinBorder &tabs, TTabSide side) {
  const TBitmap &page = tabs.Image2;
  if (page.Empty())
    return;
  // The page's edges are as wide as the widest tab edge, within a third of
  // the picture, so its corners stay whole.
  const int edge = std::min({std::max({tabs.LeftWidth, tabs.TopHeight, tabs.RightWidth, tabs.BottomHeight}),
                             page.Width() / 3, page.Height() / 3});
  DrawTurned(dest, rect, page, {0, 0, page.Width(), page.Height()}, {edge, edge, edge, edge}, tabs.Tile != 0,
             std::nullopt, side);
}

int HeaderFrame(bool hot, bool pressed, bool sorted, bool disabled) {
  if (disabled)
    return 5;
  if (pressed)
    return 3;
  if (hot)
    return 2;
  return sorted ? 4 : 1;
}

int ThumbFrame(bool hot, bool pressed, bool focused, bool disabled) {
  if (disabled)
    return 4;
  if (pressed)
    return 3;
  if (hot)
    return 2;
  return focused ? 5 : 1;
}

int UpDownFrame(bool second, bool hot, bool pressed, bool disabled) {
  const int state = disabled ? 4 : pressed ? 3 : hot ? 2 : 1;
  return second ? state + 4 : state;
}

} // namespace zorvex
