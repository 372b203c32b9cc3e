#include "Graphics.h"

#include <algorithm>
#include <cstring>

#include "Win32Error.h"
#include "framework/core/Streams.h"
#include "framework/core/Texts.h"

namespace zorvex {

int ScreenPixelsPerInch() {
  static const int ppi = [] {
    WindowDC screen(nullptr);
    const int value = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return value > 0 ? value : 96;
  }();
  return ppi;
}

// ---- TFont

TFont::TFont() : height_(-MulDiv(8, ScreenPixelsPerInch(), 72)) {}

TFont::TFont(const TFont &other)
    : TObject(other), name_(other.name_), height_(other.height_), style_(other.style_), color_(other.color_) {}

TFont &TFont::operator=(const TFont &other) {
  Assign(other);
  return *this;
}

void TFont::Changed() {
  handle_.reset();
  if (OnChange)
    OnChange();
}

void TFont::SetName(const std::string &name) {
  if (name != name_) {
    name_ = name;
    Changed();
  }
}

int TFont::Size() const { return -MulDiv(height_, 72, ScreenPixelsPerInch()); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ScreenPixelsPerInch(), 72)); }

void TFont::SetHeight(int pixels) {
  if (pixels != height_) {
    height_ = pixels;
    Changed();
  }
}

void TFont::SetStyle(TFontStyles style) {
  if (style != style_) {
    style_ = style;
    Changed();
  }
}

void TFont::SetColor(TColor color) {
  if (color != color_) {
    color_ = color;
    // The colour is not part of the GDI font: keep the handle.
    if (OnChange)
      OnChange();
  }
}

bool TFont::SameAs(const TFont &other) const {
  return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ && color_ == other.color_;
}

void TFont::Assign(const TFont &other) {
  if (SameAs(other))
    return;
  const bool sameFace = name_ == other.name_ && height_ == other.height_ && style_ == other.style_;
  name_ = other.name_;
  height_ = other.height_;
  style_ = other.style_;
  color_ = other.color_;
  if (!sameFace)
    handle_.reset();
  if (OnChange)
    OnChange();
}

HFONT TFont::Handle() const {
  if (!handle_) {
    LOGFONTW log{};
    log.lfHeight = height_;
    log.lfWeight = (style_ & fs::Bold) ? FW_BOLD : FW_NORMAL;
    log.lfItalic = (style_ & fs::Italic) ? TRUE : FALSE;
    log.lfUnderline = (style_ & fs::Underline) ? TRUE : FALSE;
    log.lfStrikeOut = (style_ & fs::StrikeOut) ? TRUE : FALSE;
    log.lfCharSet = DEFAULT_CHARSET;
    log.lfOutPrecision = OUT_DEFAULT_PRECIS;
    log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    log.lfQuality = DEFAULT_QUALITY;
    const std::wstring face = Wide(name_);
    wcsncpy(log.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    handle_.reset(CreateFontIndirectW(&log));
    if (!handle_) {
      LogLastOSError("CreateFontIndirect " + name_);
      return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
  }
  return handle_.get();
}

// ---- TBrush, TPen

void TBrush::SetColor(TColor color) {
  if (color != color_) {
    color_ = color;
    handle_.reset();
  }
  style_ = TBrushStyle::bsSolid;
}

HBRUSH TBrush::Handle() const {
  if (style_ == TBrushStyle::bsClear)
    return nullptr;
  if (!handle_) {
    handle_.reset(CreateSolidBrush(GdiColor(color_)));
    if (!handle_)
      LogLastOSError("CreateSolidBrush");
  }
  return handle_.get();
}

void TPen::SetColor(TColor color) {
  if (color != color_) {
    color_ = color;
    handle_.reset();
  }
}

void TPen::SetWidth(int width) {
  if (width != width_) {
    width_ = width;
    handle_.reset();
  }
}

HPEN TPen::Handle() const {
  if (!handle_) {
    handle_.reset(CreatePen(PS_SOLID, width_, GdiColor(color_)));
    if (!handle_)
      LogLastOSError("CreatePen");
  }
  return handle_.get();
}

// ---- TCanvas

void TCanvas::ApplyTextColors() {
  SetTextColor(dc_, GdiColor(font_.Color()));
  if (brush_.Style() == TBrushStyle::bsClear) {
    SetBkMode(dc_, TRANSPARENT);
  } else {
    SetBkMode(dc_, OPAQUE);
    SetBkColor(dc_, GdiColor(brush_.Color()));
  }
}

void TCanvas::FillRect(const RECT &rect) {
  if (HBRUSH brush = brush_.Handle())
    ::FillRect(dc_, &rect, brush);
}

void TCanvas::FrameRect(const RECT &rect) {
  if (HBRUSH brush = brush_.Handle())
    ::FrameRect(dc_, &rect, brush);
}

void TCanvas::Rectangle(const RECT &rect) {
  ScopedSelect pen(dc_, pen_.Handle());
  ScopedSelect brush(dc_, brush_.Style() == TBrushStyle::bsClear ? GetStockObject(NULL_BRUSH) : brush_.Handle());
  ::Rectangle(dc_, rect.left, rect.top, rect.right, rect.bottom);
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  ScopedSelect pen(dc_, pen_.Handle());
  ::LineTo(dc_, x, y);
}

void TCanvas::DrawFocusRect(const RECT &rect) {
  SetTextColor(dc_, RGB(0, 0, 0));
  SetBkColor(dc_, RGB(255, 255, 255));
  ::DrawFocusRect(dc_, &rect);
}

void TCanvas::TextOut(int x, int y, const std::string &text) {
  ScopedSelect font(dc_, font_.Handle());
  ApplyTextColors();
  const std::wstring wide = Wide(text);
  ExtTextOutW(dc_, x, y, 0, nullptr, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
}

void TCanvas::TextRect(const RECT &rect, int x, int y, const std::string &text) {
  ScopedSelect font(dc_, font_.Handle());
  ApplyTextColors();
  const std::wstring wide = Wide(text);
  const UINT options = ETO_CLIPPED | (brush_.Style() == TBrushStyle::bsClear ? 0 : ETO_OPAQUE);
  ExtTextOutW(dc_, x, y, options, &rect, wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
}

int TCanvas::DrawText(const std::string &text, RECT &rect, UINT format) {
  ScopedSelect font(dc_, font_.Handle());
  ApplyTextColors();
  std::wstring wide = Wide(text);
  return ::DrawTextW(dc_, wide.data(), static_cast<int>(wide.size()), &rect, format);
}

SIZE TCanvas::TextExtent(const std::string &text) {
  ScopedSelect font(dc_, font_.Handle());
  const std::wstring wide = Wide(text);
  SIZE size{0, 0};
  if (wide.empty()) {
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc_, &metrics);
    size.cy = metrics.tmHeight;
  } else {
    GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
  }
  return size;
}

void TCanvas::Draw(int x, int y, const TDibBitmap &bitmap) { bitmap.Draw(dc_, x, y); }

void TCanvas::StretchDraw(const RECT &rect, const TDibBitmap &bitmap) { bitmap.StretchDraw(dc_, rect); }

// ---- TDibBitmap

TDibBitmap::TDibBitmap(int width, int height, uint32_t fill) { SetSize(width, height, fill); }

TDibBitmap::TDibBitmap(TDibBitmap &&other) noexcept
    : width_(std::exchange(other.width_, 0)), height_(std::exchange(other.height_, 0)),
      bits_(std::exchange(other.bits_, nullptr)), handle_(std::move(other.handle_)) {}

TDibBitmap &TDibBitmap::operator=(TDibBitmap &&other) noexcept {
  if (this != &other) {
    handle_ = std::move(other.handle_);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    bits_ = std::exchange(other.bits_, nullptr);
  }
  return *this;
}

TDibBitmap TDibBitmap::Clone() const {
  TDibBitmap copy(width_, height_);
  if (!Empty())
    std::memcpy(copy.bits_, bits_, static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4);
  return copy;
}

void TDibBitmap::SetSize(int width, int height, uint32_t fill) {
  handle_.reset();
  bits_ = nullptr;
  width_ = height_ = 0;
  if (width <= 0 || height <= 0)
    return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height; // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void *bits = nullptr;
  handle_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!handle_ || !bits)
    RaiseLastOSError("CreateDIBSection " + IntToStr(width) + "x" + IntToStr(height));
  bits_ = static_cast<uint32_t *>(bits);
  width_ = width;
  height_ = height;
  std::fill(bits_, bits_ + static_cast<size_t>(width) * static_cast<size_t>(height), fill);
}

TDibBitmap::TDibBitmap(const TBitmap &bitmap) {
  SetSize(bitmap.Width(), bitmap.Height());
  const bool withAlpha = bitmap.PixelFormat() == TPixelFormat::pf32bit;
  bool anyAlpha = false;
  for (int y = 0; y < height_; ++y) {
    const uint8_t *in = bitmap.ScanLine(y);
    uint32_t *out = ScanLine(y);
    for (int x = 0; x < width_; ++x, in += withAlpha ? 4 : 3) {
      const uint32_t alpha = withAlpha ? in[3] : 0xFF;
      anyAlpha = anyAlpha || alpha != 0;
      out[x] = (alpha << 24) | (static_cast<uint32_t>(in[2]) << 16) | (static_cast<uint32_t>(in[1]) << 8) | in[0];
    }
  }
  if (!anyAlpha)
    for (size_t i = 0; i < static_cast<size_t>(width_) * static_cast<size_t>(height_); ++i)
      bits_[i] |= 0xFF000000u;
}

TBitmap TDibBitmap::ToBitmap() const {
  TBitmap bitmap(width_, height_, TPixelFormat::pf32bit);
  for (int y = 0; y < height_; ++y)
    std::memcpy(bitmap.ScanLine(y), ScanLine(y), static_cast<size_t>(width_) * 4);
  return bitmap;
}

bool TDibBitmap::LoadFromDib(const uint8_t *data, size_t size) {
  if (size == 0)
    return false;
  try {
    TBitmap bitmap;
    if (size >= 2 && data[0] == 'B' && data[1] == 'M') {
      TMemoryStream stream;
      stream.WriteBuffer(data, static_cast<int64_t>(size));
      stream.SetPosition(0);
      bitmap.LoadFromStream(stream);
    } else {
      bitmap.LoadFromDib(data, size);
    }
    *this = TDibBitmap(bitmap);
    return true;
  } catch (const Exception &) {
    return false;
  }
}

bool TDibBitmap::LoadFromBmpFile(const std::string &path) {
  try {
    TBitmap bitmap;
    bitmap.LoadFromFile(path);
    if (bitmap.Empty())
      return false;
    *this = TDibBitmap(bitmap);
    return true;
  } catch (const Exception &) {
    return false;
  }
}

bool TDibBitmap::LoadFromResource(HINSTANCE instance, const wchar_t *name) {
  HRSRC resource = FindResourceW(instance, name, reinterpret_cast<LPCWSTR>(RT_BITMAP));
  if (!resource)
    return false;
  HGLOBAL loaded = LoadResource(instance, resource);
  const void *data = loaded ? LockResource(loaded) : nullptr;
  if (!data)
    return false;
  return LoadFromDib(static_cast<const uint8_t *>(data), SizeofResource(instance, resource));
}

void TDibBitmap::MakeTransparent(COLORREF key) {
  const uint32_t rgb = (GetRValue(key) << 16) | (GetGValue(key) << 8) | GetBValue(key);
  for (int i = 0; i < width_ * height_; ++i)
    if ((bits_[i] & 0xFFFFFF) == rgb)
      bits_[i] = rgb;
}

TDibBitmap TDibBitmap::Disabled() const {
  TDibBitmap grey = Clone();
  for (int i = 0; i < width_ * height_; ++i) {
    const uint32_t p = grey.bits_[i];
    const uint32_t r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    // Light grey of the same brightness, at half the opacity.
    const uint32_t luma = (r * 30 + g * 59 + b * 11) / 100;
    const uint32_t level = 96 + luma * 120 / 255;
    const uint32_t alpha = (p >> 24) / 2;
    grey.bits_[i] = (alpha << 24) | (level << 16) | (level << 8) | level;
  }
  return grey;
}

void TDibBitmap::CopyFrom(HDC dc, int x, int y, int width, int height) {
  SetSize(width, height);
  MemoryDC memory(dc);
  ScopedSelect select(memory.get(), handle_.get());
  if (!BitBlt(memory.get(), 0, 0, width, height, dc, x, y, SRCCOPY))
    LogLastOSError("BitBlt capture");
  GdiFlush();
  for (int i = 0; i < width * height; ++i)
    bits_[i] |= 0xFF000000u;
}

std::vector<uint8_t> TDibBitmap::ToBmp() const {
  TMemoryStream stream;
  ToBitmap().SaveToStream(stream);
  return stream.Bytes();
}

bool TDibBitmap::Opaque() const {
  for (int i = 0; i < width_ * height_; ++i)
    if ((bits_[i] >> 24) != 0xFF)
      return false;
  return true;
}

namespace {
// AlphaBlend wants premultiplied pixels.
TDibBitmap Premultiplied(const TDibBitmap &source) {
  TDibBitmap out = source.Clone();
  for (int y = 0; y < out.Height(); ++y) {
    uint32_t *row = out.ScanLine(y);
    for (int x = 0; x < out.Width(); ++x) {
      const uint32_t p = row[x], a = p >> 24;
      const uint32_t r = ((p >> 16) & 0xFF) * a / 255, g = ((p >> 8) & 0xFF) * a / 255, b = (p & 0xFF) * a / 255;
      row[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
  return out;
}
} // namespace

void TDibBitmap::Draw(HDC dc, int x, int y) const { StretchDraw(dc, RECT{x, y, x + width_, y + height_}); }

void TDibBitmap::StretchDraw(HDC dc, const RECT &rect) const {
  if (Empty() || rect.right <= rect.left || rect.bottom <= rect.top)
    return;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (Opaque()) {
    MemoryDC memory(dc);
    ScopedSelect select(memory.get(), handle_.get());
    if (width == width_ && height == height_) {
      BitBlt(dc, rect.left, rect.top, width, height, memory.get(), 0, 0, SRCCOPY);
    } else {
      ScopedDCState state(dc);
      SetStretchBltMode(dc, HALFTONE);
      SetBrushOrgEx(dc, 0, 0, nullptr);
      StretchBlt(dc, rect.left, rect.top, width, height, memory.get(), 0, 0, width_, height_, SRCCOPY);
    }
    return;
  }
  const TDibBitmap premultiplied = Premultiplied(*this);
  MemoryDC memory(dc);
  ScopedSelect select(memory.get(), premultiplied.Handle());
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  if (!AlphaBlend(dc, rect.left, rect.top, width, height, memory.get(), 0, 0, width_, height_, blend))
    LogLastOSError("AlphaBlend");
}

} // namespace zorvex
