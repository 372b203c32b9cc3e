#pragma once
// Owning and scoped wrappers for GDI and user handles. Owning types are
// move-only; a handle that is only borrowed stays a plain handle with a
// "not owned" comment where it is kept.

#include <utility>

#include <windows.h>

namespace zorvex {

// A GDI object freed with DeleteObject: fonts, brushes, pens, bitmaps, regions.
template <typename Handle> class GdiObject {
public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() { reset(); }
  GdiObject(GdiObject &&other) noexcept : handle_(other.release()) {}
  GdiObject &operator=(GdiObject &&other) noexcept {
    if (this != &other)
      reset(other.release());
    return *this;
  }
  GdiObject(const GdiObject &) = delete;
  GdiObject &operator=(const GdiObject &) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  Handle release() { return std::exchange(handle_, nullptr); }
  void reset(Handle handle = nullptr) {
    if (handle_ && handle_ != handle)
      DeleteObject(handle_);
    handle_ = handle;
  }

private:
  Handle handle_ = nullptr;
};

using OwnedFont = GdiObject<HFONT>;
using OwnedBrush = GdiObject<HBRUSH>;
using OwnedPen = GdiObject<HPEN>;
using OwnedBitmap = GdiObject<HBITMAP>;
using OwnedRegion = GdiObject<HRGN>;

class OwnedIcon {
public:
  OwnedIcon() = default;
  explicit OwnedIcon(HICON icon) : icon_(icon) {}
  ~OwnedIcon() { reset(); }
  OwnedIcon(OwnedIcon &&other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
  OwnedIcon &operator=(OwnedIcon &&other) noexcept {
    if (this != &other) {
      reset();
      icon_ = std::exchange(other.icon_, nullptr);
    }
    return *this;
  }
  OwnedIcon(const OwnedIcon &) = delete;
  OwnedIcon &operator=(const OwnedIcon &) = delete;
  HICON get() const { return icon_; }
  void reset() {
    if (icon_)
      DestroyIcon(icon_);
    icon_ = nullptr;
  }

private:
  HICON icon_ = nullptr;
};

// Selects an object into a device context for the scope.
class ScopedSelect {
public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ~ScopedSelect() {
    if (previous_)
      SelectObject(dc_, previous_);
  }
  ScopedSelect(const ScopedSelect &) = delete;
  ScopedSelect &operator=(const ScopedSelect &) = delete;

private:
  HDC dc_; // not owned
  HGDIOBJ previous_;
};

// SaveDC / RestoreDC around a block that changes modes, clipping or origins.
class ScopedDCState {
public:
  explicit ScopedDCState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~ScopedDCState() {
    if (saved_)
      RestoreDC(dc_, saved_);
  }
  ScopedDCState(const ScopedDCState &) = delete;
  ScopedDCState &operator=(const ScopedDCState &) = delete;

private:
  HDC dc_; // not owned
  int saved_;
};

// GetDC or GetWindowDC, released with ReleaseDC.
class WindowDC {
public:
  explicit WindowDC(HWND window, bool wholeWindow = false)
      : window_(window), dc_(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
  ~WindowDC() {
    if (dc_)
      ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC &) = delete;
  WindowDC &operator=(const WindowDC &) = delete;
  HDC get() const { return dc_; }

private:
  HWND window_; // not owned
  HDC dc_;
};

// A memory device context compatible with `reference` (the screen when null).
class MemoryDC {
public:
  explicit MemoryDC(HDC reference = nullptr) : dc_(CreateCompatibleDC(reference)) {}
  ~MemoryDC() {
    if (dc_)
      DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC &) = delete;
  MemoryDC &operator=(const MemoryDC &) = delete;
  HDC get() const { return dc_; }

private:
  HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDC {
public:
  explicit PaintDC(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  ~PaintDC() { EndPaint(window_, &paint_); }
  PaintDC(const PaintDC &) = delete;
  PaintDC &operator=(const PaintDC &) = delete;
  HDC get() const { return dc_; }
  const RECT &Area() const { return paint_.rcPaint; }

private:
  HWND window_; // not owned
  PAINTSTRUCT paint_{};
  HDC dc_;
};

} // namespace zorvex
