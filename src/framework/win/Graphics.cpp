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

namespace {
uint32_t ReadLE32(const uint8_t *p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t ReadLE16(const uint8_t *p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
} // namespace

bool TDibBitmap::LoadFromDib(const uint8_t *data, size_t size) {
  size_t offsetBase = 0; // where pixel offsets count from
  size_t pixelOffset = 0;
  if (size >= 14 && data[0] == 'B' && data[1] == 'M') {
    pixelOffset = ReadLE32(data + 10);
    data += 14;
    size -= 14;
    offsetBase = 14;
  }
  if (size < 40)
    return false;
  const uint32_t headerSize = ReadLE32(data);
  if (headerSize < 40 || headerSize > size)
    return false;
  const int32_t width = static_cast<int32_t>(ReadLE32(data + 4));
  const int32_t rawHeight = static_cast<int32_t>(ReadLE32(data + 8));
  const uint16_t bitCount = ReadLE16(data + 14);
  const uint32_t compression = ReadLE32(data + 16);
  uint32_t colorsUsed = ReadLE32(data + 32);
  if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN || width > 32768 || std::abs(rawHeight) > 32768)
    return false;
  if (compression != BI_RGB && !(compression == BI_BITFIELDS && (bitCount == 32 || bitCount == 16)))
    return false;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
    return false;
  const bool bottomUp = rawHeight > 0;
  const int height = std::abs(rawHeight);
  size_t tableStart = headerSize;
  uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
  if (bitCount == 32)
    masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
  if (compression == BI_BITFIELDS) {
    const size_t at = 40; // right after a plain header, or inside a larger one at the same place
    if (size < at + 12)
      return false;
    for (int i = 0; i < 3; ++i)
      masks[i] = ReadLE32(data + at + 4 * i);
    if (headerSize == 40)
      tableStart += 12;
  }
  if (bitCount <= 8 && colorsUsed == 0)
    colorsUsed = 1u << bitCount;
  if (bitCount > 8)
    colorsUsed = 0;
  if (colorsUsed > 256)
    return false;
  if (tableStart + static_cast<size_t>(colorsUsed) * 4 > size)
    return false;
  const uint8_t *palette = data + tableStart;
  size_t pixelsStart = tableStart + static_cast<size_t>(colorsUsed) * 4;
  if (pixelOffset != 0) {
    if (pixelOffset < offsetBase || pixelOffset - offsetBase > size)
      return false;
    pixelsStart = pixelOffset - offsetBase;
  }
  const size_t stride = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
  if (pixelsStart > size || stride * static_cast<size_t>(height) > size - pixelsStart)
    return false;

  auto channel = [](uint32_t value, uint32_t mask) -> uint32_t {
    if (mask == 0)
      return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
      ++shift;
    const uint32_t max = mask >> shift;
    return ((value & mask) >> shift) * 255 / max;
  };
  bool anyAlpha = false;
  SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    const uint8_t *row = data + pixelsStart + stride * static_cast<size_t>(bottomUp ? height - 1 - y : y);
    uint32_t *out = ScanLine(y);
    for (int x = 0; x < width; ++x) {
      uint32_t argb = 0;
      switch (bitCount) {
      case 32: {
        const uint32_t v = ReadLE32(row + 4 * x);
        argb = (channel(v, masks[0]) << 16) | (channel(v, masks[1]) << 8) | channel(v, masks[2]) | (v & 0xFF000000u);
        anyAlpha = anyAlpha || (v & 0xFF000000u);
        break;
      }
      case 24: argb = row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16) | 0xFF000000u; break;
      case 16: {
        const uint32_t v = ReadLE16(row + 2 * x);
        argb = (channel(v, masks[0]) << 16) | (channel(v, masks[1]) << 8) | channel(v, masks[2]) | 0xFF000000u;
        break;
      }
      default: {
        const int perByte = 8 / bitCount;
        const int byte = row[x / perByte];
        const int shift = (perByte - 1 - x % perByte) * bitCount;
        const uint32_t index = (static_cast<uint32_t>(byte) >> shift) & ((1u << bitCount) - 1);
        if (index < colorsUsed) {
          const uint8_t *entry = palette + 4 * index;
          argb = entry[0] | (entry[1] << 8) | (entry[2] << 16) | 0xFF000000u;
        } else {
          argb = 0xFF000000u;
        }
      }
      }
      out[x] = argb;
    }
  }
  // A 32-bit image whose alpha bytes are all zero carries no alpha.
  if (bitCount == 32 && !anyAlpha)
    for (int i = 0; i < width * height; ++i)
      bits_[i] |= 0xFF000000u;
  return true;
}

bool TDibBitmap::LoadFromBmpFile(const std::string &path) {
  try {
    TFileStream file(path, fm::OpenRead | fm::ShareDenyWrite);
    const int64_t size = file.Size();
    if (size <= 0 || size > 512 * 1024 * 1024)
      return false;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    file.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M')
      return false;
    return LoadFromDib(bytes.data(), bytes.size());
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
  const uint32_t imageSize = static_cast<uint32_t>(width_) * static_cast<uint32_t>(height_) * 4;
  std::vector<uint8_t> out(14 + 40 + imageSize);
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
      out[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, static_cast<uint32_t>(out.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width_));
  put32(22, static_cast<uint32_t>(height_));
  out[26] = 1;
  out[28] = 32;
  put32(34, imageSize);
  for (int y = 0; y < height_; ++y)
    std::memcpy(out.data() + 54 + static_cast<size_t>(height_ - 1 - y) * static_cast<size_t>(width_) * 4, ScanLine(y),
                static_cast<size_t>(width_) * 4);
  return out;
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
