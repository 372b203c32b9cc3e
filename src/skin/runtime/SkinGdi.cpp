#include "SkinGdi.h"

#include <algorithm>
#include <iterator>

#include "framework/core/Texts.h"

namespace zorvex {

namespace {

// A top-down DIB header for the bitmap's rows as they are stored.
BITMAPINFO DibHeader(const TBitmap &bitmap) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = bitmap.Width();
  info.bmiHeader.biHeight = -bitmap.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(bitmap.BytesPerPixel() * 8);
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

} // namespace

void CopyBitmapToDC(HDC dc, int x, int y, const TBitmap &bitmap, const TRect &source) {
  const TRect src{std::max(source.Left, 0), std::max(source.Top, 0), std::min(source.Right, bitmap.Width()),
                  std::min(source.Bottom, bitmap.Height())};
  if (!dc || src.IsEmpty())
    return;
  // Only the rows wanted are handed over, as a DIB of their own: where the
  // source rows of a top-down DIB are counted from is not the same on every
  // system.
  BITMAPINFO info = DibHeader(bitmap);
  info.bmiHeader.biHeight = -src.Height();
  const uint8_t *rows = bitmap.Bits() + static_cast<size_t>(src.Top) * static_cast<size_t>(bitmap.RowStride());
  SetDIBitsToDevice(dc, x + (src.Left - source.Left), y + (src.Top - source.Top), static_cast<DWORD>(src.Width()),
                    static_cast<DWORD>(src.Height()), src.Left, 0, 0, static_cast<UINT>(src.Height()), rows, &info,
                    DIB_RGB_COLORS);
}

void StretchBitmapToDC(HDC dc, const TRect &dest, const TBitmap &bitmap) {
  if (!dc || dest.IsEmpty() || bitmap.Empty())
    return;
  const BITMAPINFO info = DibHeader(bitmap);
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), 0, 0, bitmap.Width(), bitmap.Height(),
                bitmap.Bits(), &info, DIB_RGB_COLORS, SRCCOPY);
  SetStretchBltMode(dc, oldMode);
}

TBitmap IconToBitmap(HICON icon, int size) {
  TBitmap result;
  if (!icon || size <= 0)
    return result;
  // Drawn on a magenta DIB section, then read back as pixels.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void *bits = nullptr;
  MemoryDC dc;
  OwnedBitmap section(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc || !section || !bits)
    return result;
  {
    ScopedSelect select(dc.get(), section.get());
    auto *pixels = static_cast<uint32_t *>(bits);
    std::fill(pixels, pixels + size * size, 0x00FF00FFu); // magenta as 0x00RRGGBB
    DrawIconEx(dc.get(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
  }
  result.SetSize(size, size);
  const auto *pixels = static_cast<const uint32_t *>(bits);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const uint32_t p = pixels[y * size + x];
      result.SetPixel(x, y, MakeColor((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
  result.Transparent = true;
  result.TransparentColor = clFuchsia;
  return result;
}

OwnedRegion RegionFromRects(const std::vector<TRect> &rects) {
  OwnedRegion result(CreateRectRgn(0, 0, 0, 0));
  constexpr size_t block = 2000;
  for (size_t start = 0; start < rects.size(); start += block) {
    const size_t count = std::min(block, rects.size() - start);
    std::vector<uint8_t> data(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
    auto *header = reinterpret_cast<RGNDATAHEADER *>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(count);
    header->nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
    RECT bounds{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    auto *out = reinterpret_cast<RECT *>(data.data() + sizeof(RGNDATAHEADER));
    for (size_t i = 0; i < count; ++i) {
      out[i] = ToRECT(rects[start + i]);
      bounds.left = std::min(bounds.left, out[i].left);
      bounds.top = std::min(bounds.top, out[i].top);
      bounds.right = std::max(bounds.right, out[i].right);
      bounds.bottom = std::max(bounds.bottom, out[i].bottom);
    }
    header->rcBound = bounds;
    OwnedRegion part(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<RGNDATA *>(data.data())));
    if (part && result)
      CombineRgn(result.get(), result.get(), part.get(), RGN_OR);
  }
  return result;
}

void DrawSkinText(HDC dc, const std::wstring &text, const TRect &rect, HFONT font, COLORREF color, UINT format) {
  if (!dc || rect.IsEmpty())
    return;
  ScopedDCState state(dc);
  ScopedSelect select(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  RECT r = ToRECT(rect);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

SIZE MeasureSkinText(HDC dc, const std::wstring &text, HFONT font) {
  SIZE size{0, 0};
  if (!dc)
    return size;
  ScopedSelect select(dc, font);
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
  size.cx = r.right - r.left;
  size.cy = r.bottom - r.top;
  return size;
}

namespace {
NONCLIENTMETRICSW NonClientMetrics() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  return metrics;
}

bool IsOutlineFont(HFONT font) {
  MemoryDC dc;
  if (!dc || !font)
    return false;
  ScopedSelect select(dc.get(), font);
  TEXTMETRICW metrics{};
  return GetTextMetricsW(dc.get(), &metrics) && (metrics.tmPitchAndFamily & (TMPF_TRUETYPE | TMPF_VECTOR));
}
} // namespace

OwnedFont CreateTurnedFont(HFONT font, int tenths) {
  LOGFONTW face{};
  if (!font || !GetObjectW(font, sizeof(face), &face))
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(face), &face);
  face.lfEscapement = face.lfOrientation = tenths;
  face.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  OwnedFont turned(CreateFontIndirectW(&face));
  if (IsOutlineFont(turned.get()))
    return turned;
  // A bitmap face (the classic dialog font) stays level whatever it is
  // asked: the system's message font, drawn from outlines, takes its place.
  const LOGFONTW message = NonClientMetrics().lfMessageFont;
  std::copy(std::begin(message.lfFaceName), std::end(message.lfFaceName), std::begin(face.lfFaceName));
  return OwnedFont(CreateFontIndirectW(&face));
}

SIZE MeasureTextLine(HDC dc, const std::wstring &text, HFONT font) {
  SIZE size{0, 0};
  if (!dc)
    return size;
  ScopedSelect select(dc, font);
  GetTextExtentPoint32W(dc, text.empty() ? L" " : text.c_str(), text.empty() ? 1 : static_cast<int>(text.size()),
                        &size);
  if (text.empty())
    size.cx = 0;
  return size;
}

void DrawTurnedText(HDC dc, const std::wstring &text, const TRect &rect, HFONT turned, int tenths, COLORREF color) {
  if (!dc || text.empty() || rect.IsEmpty())
    return;
  const SIZE size = MeasureTextLine(dc, text, turned);
  ScopedDCState state(dc);
  ScopedSelect select(dc, turned);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  // The text's top-left corner turns with it: to the bottom-left of the
  // block for text running up, to its top-right for text running down.
  const int cx = rect.Left + rect.Width() / 2, cy = rect.Top + rect.Height() / 2;
  const bool up = tenths == 900;
  // Text longer than the rectangle keeps its start in view.
  const int x = up ? cx - size.cy / 2 : cx + size.cy / 2;
  const int y = up ? std::min<int>(cy + size.cx / 2, rect.Bottom) : std::max<int>(cy - size.cx / 2, rect.Top);
  const RECT clip = ToRECT(rect);
  ExtTextOutW(dc, x, y, ETO_CLIPPED, &clip, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

OwnedFont CreateCaptionFont() {
  const NONCLIENTMETRICSW metrics = NonClientMetrics();
  return OwnedFont(CreateFontIndirectW(&metrics.lfCaptionFont));
}

OwnedFont CreateMenuFont() {
  const NONCLIENTMETRICSW metrics = NonClientMetrics();
  return OwnedFont(CreateFontIndirectW(&metrics.lfMenuFont));
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(std::max(got, 0)));
  return text;
}

std::string WindowClassName(HWND window) {
  wchar_t name[256] = {};
  const int length = GetClassNameW(window, name, 256);
  return Narrow(std::wstring_view(name, static_cast<size_t>(std::max(length, 0))));
}

} // namespace zorvex
