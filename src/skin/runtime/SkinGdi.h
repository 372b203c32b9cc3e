#pragma once
// Where the skin runtime's pixels meet the window system: copying a part of
// a TBitmap to a device context, the reverse, an icon as pixels, and a
// window region made of rectangles. Everything GDI makes here is held by the
// framework's handle types.

#include <string>
#include <vector>

#include <windows.h>

#include "framework/core/Bitmap.h"
#include "framework/core/Rect.h"
#include "framework/win/Handles.h"

namespace zorvex {

inline RECT ToRECT(const TRect &r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }
inline TRect ToTRect(const RECT &r) { return TRect{r.left, r.top, r.right, r.bottom}; }

// Copies `source` (a part of the bitmap) to the device context at (x, y),
// without making any GDI object.
void CopyBitmapToDC(HDC dc, int x, int y, const TBitmap &bitmap, const TRect &source);
// The same for the whole bitmap, stretched to `dest` (nearest pixel).
void StretchBitmapToDC(HDC dc, const TRect &dest, const TBitmap &bitmap);

// The icon drawn on a square of `size` pixels filled with magenta (the
// transparent key); empty when the icon is null.
TBitmap IconToBitmap(HICON icon, int size);

// A region that is the union of the rectangles, built in blocks so that a
// shape of many thousand runs stays cheap; an empty region for none.
OwnedRegion RegionFromRects(const std::vector<TRect> &rects);

// Draws text in a font and colour with a clear background, as DrawTextW.
void DrawSkinText(HDC dc, const std::wstring &text, const TRect &rect, HFONT font, COLORREF color, UINT format);
// The size of a single line of text in a font.
SIZE MeasureSkinText(HDC dc, const std::wstring &text, HFONT font);

// The font turned by `tenths` of a degree counter-clockwise (900: text
// running up, 2700: running down), from outlines, as bitmap fonts do not
// turn.
OwnedFont CreateTurnedFont(HFONT font, int tenths);
// The length of a line of text along its baseline (cx) and its height
// across it (cy), in any font, turned or not.
SIZE MeasureTextLine(HDC dc, const std::wstring &text, HFONT font);
// One line in a font turned by 900 or 2700 tenths, centred in the
// rectangle and cut at its edges.
void DrawTurnedText(HDC dc, const std::wstring &text, const TRect &rect, HFONT turned, int tenths, COLORREF color);

// The system's caption font (non-client metrics).
OwnedFont CreateCaptionFont();
// The system's menu font.
OwnedFont CreateMenuFont();

// The window's text as wide text, whatever the window's kind.
std::wstring WindowText(HWND window);
// The window's class name.
std::string WindowClassName(HWND window);

} // namespace zorvex
