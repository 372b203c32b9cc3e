#include "SkinFrame.h"

#include <algorithm>

#include "framework/core/BitmapDraw.h"

namespace zorvex {

namespace {

// A frame's width (side borders, frames side by side) or height (top and
// bottom borders, frames stacked); 0 without a picture.
int FrameThickness(const TDataSkinBorder &border, bool stacked) {
  const TRect frame = border.FrameOf(1, stacked);
  return stacked ? frame.Height() : frame.Width();
}

bool IsStacked(TBorderSide side) { return side == TBorderSide::Top || side == TBorderSide::Bottom; }

const TDataSkinBorder &BorderOf(const TSkinData &skin, TBorderSide side) {
  switch (side) {
  case TBorderSide::Left: return skin.Left();
  case TBorderSide::Right: return skin.Right();
  case TBorderSide::Top: return skin.Top();
  case TBorderSide::Bottom: break;
  }
  return skin.Bottom();
}

} // namespace

TFrameMetrics SkinFrameMetrics(const TSkinData &skin, TSkinFormBorder border) {
  if (border == TSkinFormBorder::sbsNone)
    return {};
  TFrameMetrics metrics;
  metrics.Left = FrameThickness(skin.Left(), false);
  metrics.Right = FrameThickness(skin.Right(), false);
  metrics.Top = FrameThickness(skin.Top(), true);
  metrics.Bottom = FrameThickness(skin.Bottom(), true);
  return metrics;
}

TFrameParts FrameParts(int width, int height, const TFrameMetrics &m) {
  TFrameParts parts;
  parts.LeftBorder = {0, 0, m.Left, height};
  parts.RightBorder = {width - m.Right, 0, width, height};
  parts.BottomBorder = {m.Left, height - m.Bottom, width - m.Right, height};
  parts.TitleBar = {m.Left, 0, width - m.Right, m.Top};
  if (m.MenuBar > 0)
    parts.MenuBar = {m.Left, m.Top, width - m.Right, m.Top + m.MenuBar};
  parts.Client = {m.Left, m.Top + m.MenuBar, width - m.Right, height - m.Bottom};
  return parts;
}

void DrawBorder(TBitmap &dest, const TRect &rect, const TDataSkinBorder &border, TBorderSide side, bool active) {
  if (rect.IsEmpty() || border.Image.Empty())
    return;
  const int frames = std::max(border.Frame, 1);
  const int index = (active || frames == 1) ? 1 : 2;
  const bool stacked = IsStacked(side);
  const TRect source = border.FrameOf(index, stacked);
  if (source.IsEmpty())
    return;
  // For borders the tile field holds the stretch value.
  DrawNineSlice(dest, rect, border.Image, source, border.Margins(), border.Tile != 1);
}

void ComposeFrame(TBitmap &dest, const TSkinData &skin, const TFrameMetrics &metrics, bool active) {
  const TFrameParts parts = FrameParts(dest.Width(), dest.Height(), metrics);
  DrawBorder(dest, parts.LeftBorder, skin.Left(), TBorderSide::Left, active);
  DrawBorder(dest, parts.RightBorder, skin.Right(), TBorderSide::Right, active);
  DrawBorder(dest, parts.BottomBorder, skin.Bottom(), TBorderSide::Bottom, active);
  DrawBorder(dest, parts.TitleBar, skin.Top(), TBorderSide::Top, active);
}

std::vector<TRect> OpaqueRuns(const TBitmap &bitmap, const TRect &area, TColor key, int tolerance, int offsetX,
                              int offsetY) {
  std::vector<TRect> runs;
  const TRect clipped{std::max(area.Left, 0), std::max(area.Top, 0), std::min(area.Right, bitmap.Width()),
                      std::min(area.Bottom, bitmap.Height())};
  if (clipped.IsEmpty())
    return runs;
  auto inRange = [tolerance](int channel, int low) { return channel >= low && channel <= std::min(low + tolerance, 255); };
  const int keyRed = ColorRed(key), keyGreen = ColorGreen(key), keyBlue = ColorBlue(key);
  const int step = bitmap.BytesPerPixel();
  for (int y = clipped.Top; y < clipped.Bottom; ++y) {
    const uint8_t *row = bitmap.ScanLine(y);
    int runStart = -1;
    for (int x = clipped.Left; x <= clipped.Right; ++x) {
      bool opaque = false;
      if (x < clipped.Right) {
        const uint8_t *pixel = row + x * step; // blue, green, red
        opaque = !(inRange(pixel[2], keyRed) && inRange(pixel[1], keyGreen) && inRange(pixel[0], keyBlue));
      }
      if (opaque && runStart < 0) {
        runStart = x;
      } else if (!opaque && runStart >= 0) {
        runs.push_back({runStart + offsetX, y + offsetY, x + offsetX, y + 1 + offsetY});
        runStart = -1;
      }
    }
  }
  return runs;
}

TWindowShape WindowShape(const TBitmap &frame, const TSkinData &skin, const TFrameMetrics &metrics,
                         TSkinFormBorder border) {
  TWindowShape shape;
  const TFrameParts parts = FrameParts(frame.Width(), frame.Height(), metrics);
  if (border == TSkinFormBorder::sbsNone) {
    shape.Whole = false;
    shape.Rects.push_back(parts.Client);
    return shape;
  }
  const struct {
    TBorderSide side;
    TRect rect;
    int thickness;
  } sides[] = {{TBorderSide::Left, parts.LeftBorder, metrics.Left},
               {TBorderSide::Right, parts.RightBorder, metrics.Right},
               {TBorderSide::Top, parts.TitleBar, metrics.Top},
               {TBorderSide::Bottom, parts.BottomBorder, metrics.Bottom}};
  if (std::all_of(std::begin(sides), std::end(sides),
                  [&](const auto &s) { return BorderOf(skin, s.side).Trans == 0; }))
    return shape;

  shape.Whole = false;
  // The inside of the frame, menu bar included: it is never cut.
  shape.Rects.push_back({metrics.Left, metrics.Top, frame.Width() - metrics.Right, frame.Height() - metrics.Bottom});
  for (const auto &s : sides) {
    if (s.rect.IsEmpty())
      continue;
    if (BorderOf(skin, s.side).Trans == 1 && s.thickness > 1) {
      std::vector<TRect> runs = OpaqueRuns(frame, s.rect, clFuchsia, 1);
      shape.Rects.insert(shape.Rects.end(), runs.begin(), runs.end());
    } else {
      shape.Rects.push_back(s.rect);
    }
  }
  return shape;
}

} // namespace zorvex
