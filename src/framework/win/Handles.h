#pragma once
// One move-only owner for every kind of handle: GDI objects, device
// contexts, icons, menus, hooks, global atoms, timers and kernel handles.
// A kind is a traits class saying what the handle is, what "none" looks
// like, how it is given back and what it counts as. Handles that are only
// borrowed stay plain handles with a "not owned" comment where they are kept.
//
// Every GDI and USER object held by these types is counted while it lives,
// so tests can check for leaks where GetGuiResources is of no help (it
// answers 0 under Wine). Header only: portable code that has a Windows
// branch can use it without linking the window framework.

#include <atomic>
#include <utility>

#include <windows.h>

namespace zorvex {

enum class HandleKind { Gdi, User, Other };

namespace handles_detail {
inline std::atomic<long> liveCounts[3];
inline void Count(HandleKind kind, long delta) { liveCounts[static_cast<int>(kind)] += delta; }
} // namespace handles_detail

// How many handles of a kind the owners below hold right now.
inline long LiveHandles(HandleKind kind) { return handles_detail::liveCounts[static_cast<int>(kind)].load(); }

struct GuiObjectCounts {
  long Gdi = 0;
  long User = 0;
  friend bool operator==(const GuiObjectCounts &, const GuiObjectCounts &) = default;
};
inline GuiObjectCounts LiveGuiObjects() { return {LiveHandles(HandleKind::Gdi), LiveHandles(HandleKind::User)}; }

// For traits whose handle needs nothing else to be given back.
struct NoExtra {};

template <typename Traits> class UniqueHandle {
public:
  using Value = typename Traits::Value;
  using Extra = typename Traits::Extra;

  UniqueHandle() = default;
  // Takes `value` (which may be none: a failed call).
  explicit UniqueHandle(Value value, Extra extra = Extra{}) : value_(value), extra_(std::move(extra)) {
    if (Valid(value_))
      handles_detail::Count(Traits::Kind, +1);
  }
  ~UniqueHandle() { reset(); }
  UniqueHandle(UniqueHandle &&other) noexcept
      : value_(std::exchange(other.value_, Traits::None())), extra_(std::move(other.extra_)) {}
  UniqueHandle &operator=(UniqueHandle &&other) noexcept {
    if (this != &other) {
      reset();
      value_ = std::exchange(other.value_, Traits::None());
      extra_ = std::move(other.extra_);
    }
    return *this;
  }
  UniqueHandle(const UniqueHandle &) = delete;
  UniqueHandle &operator=(const UniqueHandle &) = delete;

  Value get() const { return value_; }
  explicit operator bool() const { return Valid(value_); }
  const Extra &extra() const { return extra_; }

  // Gives the handle up to whoever takes it next (the system, after
  // SetWindowRgn); it no longer counts as ours.
  Value release() {
    if (Valid(value_))
      handles_detail::Count(Traits::Kind, -1);
    return std::exchange(value_, Traits::None());
  }
  // Gives the held handle back and takes `value`.
  void reset(Value value = Traits::None(), Extra extra = Extra{}) {
    if (Valid(value_) && value_ == value)
      return;
    const Value old = std::exchange(value_, value);
    Extra oldExtra = std::exchange(extra_, std::move(extra));
    if (Valid(old)) {
      Traits::Close(old, oldExtra);
      handles_detail::Count(Traits::Kind, -1);
    }
    if (Valid(value_))
      handles_detail::Count(Traits::Kind, +1);
  }

private:
  static bool Valid(Value value) { return value != Traits::None(); }
  Value value_ = Traits::None();
  [[no_unique_address]] Extra extra_{};
};

// ---- Kinds

template <typename Handle> struct GdiObjectTraits {
  using Value = Handle;
  using Extra = NoExtra;
  static constexpr HandleKind Kind = HandleKind::Gdi;
  static Value None() { return nullptr; }
  static void Close(Value value, const Extra &) { DeleteObject(value); }
};

struct IconTraits {
  using Value = HICON;
  using Extra = NoExtra;
  static constexpr HandleKind Kind = HandleKind::User;
  static Value None() { return nullptr; }
  static void Close(Value value, const Extra &) { DestroyIcon(value); }
};

struct MenuTraits {
  using Value = HMENU;
  using Extra = NoExtra;
  static constexpr HandleKind Kind = HandleKind::User;
  static Value None() { return nullptr; }
  static void Close(Value value, const Extra &) { DestroyMenu(value); }
};

struct HookTraits {
  using Value = HHOOK;
  using Extra = NoExtra;
  static constexpr HandleKind Kind = HandleKind::User;
  static Value None() { return nullptr; }
  static void Close(Value value, const Extra &) { UnhookWindowsHookEx(value); }
};

struct GlobalAtomTraits {
  using Value = ATOM;
  using Extra = NoExtra;
  static constexpr HandleKind Kind = HandleKind::Other;
  static Value None() { return 0; }
  static void Close(Value value, const Extra &) { GlobalDeleteAtom(value); }
};

// A timer is its id together with its window.
struct TimerTraits {
  using Value = UINT_PTR;
  using Extra = HWND; // not owned
  static constexpr HandleKind Kind = HandleKind::Other;
  static Value None() { return 0; }
  static void Close(Value value, const Extra &window) { KillTimer(window, value); }
};

struct KernelHandleTraits {
  using Value = HANDLE;
  using Extra = NoExtra;
  static constexpr HandleKind Kind = HandleKind::Other;
  static Value None() { return nullptr; }
  static void Close(Value value, const Extra &) { CloseHandle(value); }
};

// CreateFile says "none" with INVALID_HANDLE_VALUE rather than null.
struct FileHandleTraits : KernelHandleTraits {
  static Value None() { return INVALID_HANDLE_VALUE; }
};

// Device contexts made with CreateDC or CreateCompatibleDC.
struct CreatedDCTraits {
  using Value = HDC;
  using Extra = NoExtra;
  static constexpr HandleKind Kind = HandleKind::Gdi;
  static Value None() { return nullptr; }
  static void Close(Value value, const Extra &) { DeleteDC(value); }
};

// An enhanced metafile being recorded: closing it drops the recording.
struct MetafileDCTraits : CreatedDCTraits {
  static void Close(Value value, const Extra &) {
    if (HENHMETAFILE file = CloseEnhMetaFile(value))
      DeleteEnhMetaFile(file);
  }
};

// Device contexts of a window (GetDC, GetWindowDC, GetDCEx).
struct WindowDCTraits {
  using Value = HDC;
  using Extra = HWND; // not owned
  static constexpr HandleKind Kind = HandleKind::Gdi;
  static Value None() { return nullptr; }
  static void Close(Value value, const Extra &window) { ReleaseDC(window, value); }
};

struct PaintDCTraits {
  using Value = HDC;
  struct Extra {
    HWND window = nullptr; // not owned
    PAINTSTRUCT paint{};
  };
  static constexpr HandleKind Kind = HandleKind::Gdi;
  static Value None() { return nullptr; }
  static void Close(Value, const Extra &extra) { EndPaint(extra.window, &extra.paint); }
};

using OwnedFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using OwnedBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using OwnedPen = UniqueHandle<GdiObjectTraits<HPEN>>;
using OwnedBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using OwnedRegion = UniqueHandle<GdiObjectTraits<HRGN>>;
using OwnedIcon = UniqueHandle<IconTraits>;
using OwnedMenu = UniqueHandle<MenuTraits>;
using OwnedHook = UniqueHandle<HookTraits>;
using OwnedGlobalAtom = UniqueHandle<GlobalAtomTraits>;
using OwnedTimer = UniqueHandle<TimerTraits>;
using OwnedKernelHandle = UniqueHandle<KernelHandleTraits>;
using OwnedFileHandle = UniqueHandle<FileHandleTraits>;
using OwnedDC = UniqueHandle<CreatedDCTraits>;
using OwnedMetafileDC = UniqueHandle<MetafileDCTraits>;

// ---- Device contexts acquired by their constructors

// A memory device context compatible with `reference` (the screen when null).
class MemoryDC : public OwnedDC {
public:
  explicit MemoryDC(HDC reference = nullptr) : OwnedDC(CreateCompatibleDC(reference)) {}
};

// GetDC (client area) or GetWindowDC (the whole window, frame included).
class WindowDC : public UniqueHandle<WindowDCTraits> {
public:
  explicit WindowDC(HWND window, bool wholeWindow = false)
      : UniqueHandle(wholeWindow ? GetWindowDC(window) : GetDC(window), window) {}
};

// BeginPaint and EndPaint.
class PaintDC : public UniqueHandle<PaintDCTraits> {
public:
  explicit PaintDC(HWND window) : UniqueHandle(Begin(window)) {}
  const RECT &Area() const { return extra().paint.rcPaint; }

private:
  static UniqueHandle Begin(HWND window) {
    PaintDCTraits::Extra extra{window, {}};
    const HDC dc = BeginPaint(window, &extra.paint);
    return UniqueHandle(dc, extra);
  }
};

// ---- Handing over and scoped state

// A timer of a window (or a thread timer when `window` is null). Null when
// the system refused it.
inline OwnedTimer StartTimer(HWND window, UINT_PTR id, UINT milliseconds, TIMERPROC procedure = nullptr) {
  const UINT_PTR made = SetTimer(window, id, milliseconds, procedure);
  return OwnedTimer(made, window);
}

// Gives a window its shape; the system owns the region from then on. An
// empty region removes the shape. False (the region freed) when refused.
inline bool SetWindowRegion(HWND window, OwnedRegion region, bool redraw) {
  if (!SetWindowRgn(window, region.get(), redraw ? TRUE : FALSE))
    return false;
  region.release();
  return true;
}

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

} // namespace zorvex
