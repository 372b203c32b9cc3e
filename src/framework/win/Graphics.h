#pragma once
// Colours, fonts, brushes, pens, the canvas that draws with them, and the
// GDI view of a bitmap (a 32-bit DIB section) for glyphs, pictures and
// captures. Bitmaps are read and written by the core TBitmap only.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

#include "Handles.h"
#include "framework/core/Bitmap.h"
#include "framework/core/Color.h"
#include "framework/core/Object.h"

namespace zorvex {

// A colour as GDI takes it: system colours resolved, no flag byte.
inline COLORREF GdiColor(TColor color) { return static_cast<COLORREF>(ColorToRGB(color)) & 0xFFFFFF; }

// Pixels per inch of the screen, for point sizes.
int ScreenPixelsPerInch();

namespace fs {
constexpr unsigned Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8;
}
using TFontStyles = unsigned;

// A font description with its GDI font made on demand.
class TFont : public TObject {
public:
  TFont();
  TFont(const TFont &other);
  TFont &operator=(const TFont &other);

  const std::string &Name() const { return name_; }
  void SetName(const std::string &name);
  // Points; Height is the matching negative pixel height.
  int Size() const;
  void SetSize(int points);
  int Height() const { return height_; }
  void SetHeight(int pixels);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return color_; }
  void SetColor(TColor color);

  // Copies every attribute; fires OnChange once when anything differs.
  void Assign(const TFont &other);
  bool SameAs(const TFont &other) const;

  HFONT Handle() const;

  std::function<void()> OnChange;

private:
  void Changed();
  std::string name_ = "MS Sans Serif";
  int height_;
  TFontStyles style_ = 0;
  TColor color_ = clWindowText;
  mutable OwnedFont handle_;
};

enum class TBrushStyle { bsSolid, bsClear };

class TBrush : public TObject {
public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style) { style_ = style; }
  // A solid brush of Color; null for a clear brush.
  HBRUSH Handle() const;

private:
  TColor color_ = clWhite;
  TBrushStyle style_ = TBrushStyle::bsSolid;
  mutable OwnedBrush handle_;
};

class TPen : public TObject {
public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  HPEN Handle() const;

private:
  TColor color_ = clBlack;
  int width_ = 1;
  mutable OwnedPen handle_;
};

class TDibBitmap;

// Draws on a device context it does not own. Every call selects the font,
// brush or pen it needs and puts the previous one back before returning.
class TCanvas : public TObject {
public:
  TCanvas() = default;
  explicit TCanvas(HDC dc) : dc_(dc) {}

  HDC Handle() const { return dc_; }
  void SetHandle(HDC dc) { dc_ = dc; }

  TFont &Font() { return font_; }
  TBrush &Brush() { return brush_; }
  TPen &Pen() { return pen_; }

  void FillRect(const RECT &rect);
  void FrameRect(const RECT &rect);
  void Rectangle(const RECT &rect);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void DrawFocusRect(const RECT &rect);
  // With a clear brush the text is drawn transparently.
  void TextOut(int x, int y, const std::string &text);
  // Text clipped to the rectangle, starting at (x, y).
  void TextRect(const RECT &rect, int x, int y, const std::string &text);
  // DrawTextW with the canvas font; returns the text height. DT_CALCRECT
  // updates `rect`.
  int DrawText(const std::string &text, RECT &rect, UINT format);
  SIZE TextExtent(const std::string &text);
  int TextWidth(const std::string &text) { return TextExtent(text).cx; }
  int TextHeight(const std::string &text) { return TextExtent(text).cy; }
  // Alpha-blended (bitmaps with an alpha channel) at x, y.
  void Draw(int x, int y, const TDibBitmap &bitmap);
  void StretchDraw(const RECT &rect, const TDibBitmap &bitmap);

private:
  void ApplyTextColors();
  HDC dc_ = nullptr; // not owned
  TFont font_;
  TBrush brush_;
  TPen pen_;
};

// Lends a device context (not owned) and a font to a canvas for a scope:
// handlers draw on the canvas, which lets go of the context at the end.
class CanvasLoan {
public:
  CanvasLoan(TCanvas &canvas, HDC dc, const TFont &font) : canvas_(canvas) {
    canvas.SetHandle(dc);
    canvas.Font() = font;
  }
  ~CanvasLoan() { canvas_.SetHandle(nullptr); }
  CanvasLoan(const CanvasLoan &) = delete;
  CanvasLoan &operator=(const CanvasLoan &) = delete;

private:
  TCanvas &canvas_;
};

// A TBitmap as GDI draws it: a 32-bit top-down DIB section whose pixels are
// 0xAARRGGBB words, row by row. The alpha channel is straight (not
// premultiplied); Draw premultiplies.
class TDibBitmap : public TObject {
public:
  TDibBitmap() = default;
  TDibBitmap(int width, int height, uint32_t fill = 0);
  // A 24-bit bitmap comes out opaque; a 32-bit one keeps its fourth byte as
  // alpha, unless that byte is 0 everywhere (no alpha at all).
  explicit TDibBitmap(const TBitmap &bitmap);
  // A 32-bit bitmap with the alpha channel as its fourth byte.
  TBitmap ToBitmap() const;
  TDibBitmap(TDibBitmap &&other) noexcept;
  TDibBitmap &operator=(TDibBitmap &&other) noexcept;
  TDibBitmap Clone() const;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  // Makes a new bitmap of this size, every pixel `fill`.
  void SetSize(int width, int height, uint32_t fill = 0);

  uint32_t *ScanLine(int y) { return bits_ + static_cast<size_t>(y) * static_cast<size_t>(width_); }
  const uint32_t *ScanLine(int y) const { return bits_ + static_cast<size_t>(y) * static_cast<size_t>(width_); }
  uint32_t Pixel(int x, int y) const { return ScanLine(y)[x]; }
  void SetPixel(int x, int y, uint32_t argb) { ScanLine(y)[x] = argb; }
  HBITMAP Handle() const { return handle_.get(); }

  // A BMP file's contents from its BITMAPINFOHEADER on (resource form) or
  // whole (file form), read by TBitmap. False when it is not a bitmap.
  bool LoadFromDib(const uint8_t *data, size_t size);
  bool LoadFromBmpFile(const std::string &path);
  bool LoadFromResource(HINSTANCE instance, const wchar_t *name);
  // Pixels of `key` colour (RGB) become fully transparent.
  void MakeTransparent(COLORREF key);
  // A grey, half-transparent copy for disabled controls.
  TDibBitmap Disabled() const;
  // Copies a rectangle of a device context (opaque).
  void CopyFrom(HDC dc, int x, int y, int width, int height);

  // BMP file bytes (32 bits per pixel, bottom-up).
  std::vector<uint8_t> ToBmp() const;

  bool Opaque() const;
  void Draw(HDC dc, int x, int y) const;
  // HALFTONE stretching; transparent pixels stay transparent.
  void StretchDraw(HDC dc, const RECT &rect) const;

private:
  int width_ = 0;
  int height_ = 0;
  uint32_t *bits_ = nullptr; // owned by handle_
  OwnedBitmap handle_;
};

} // namespace zorvex
