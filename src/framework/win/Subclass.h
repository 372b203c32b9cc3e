#pragma once
// Subclassing of any window of the process, the framework's own or not:
// a window procedure of ANSI or wide kind bound to this object replaces the
// window's one until Restore (or destruction) puts the old one back.
//
// When someone else subclassed the window on top in the meantime, the old
// procedure cannot simply be put back without dropping theirs: the stub
// then stays in the chain and passes everything on, until the window is
// gone. At WM_NCDESTROY the subclass lets go by itself (after the handler
// has seen the message), so a window destroyed first is never touched
// again. No exception leaves the procedure: it goes to HandleException.

#include <functional>

#include <windows.h>

namespace zorvex {

enum class TProcKind { Ansi, Wide };

class TWindowSubclass {
public:
  // Sees every message first; passes it on (or not) with CallOld.
  using Handler = std::function<LRESULT(TWindowSubclass &subclass, UINT message, WPARAM wParam, LPARAM lParam)>;

  TWindowSubclass() = default;
  TWindowSubclass(HWND window, Handler handler, TProcKind kind = TProcKind::Wide) {
    Attach(window, std::move(handler), kind);
  }
  ~TWindowSubclass() { Restore(); }
  TWindowSubclass(const TWindowSubclass &) = delete;
  TWindowSubclass &operator=(const TWindowSubclass &) = delete;

  // Subclasses `window` (restoring any earlier one first); false when the
  // window refused (not a window, or not of this process).
  bool Attach(HWND window, Handler handler, TProcKind kind = TProcKind::Wide);
  // Puts the old procedure back, or leaves a pass-through when another
  // subclass sits on top. Safe from inside the handler.
  void Restore();

  bool Attached() const { return stub_ != nullptr; }
  HWND Window() const { return window_; }
  TProcKind Kind() const { return kind_; }
  WNDPROC OldProc() const { return oldProc_; }
  // The procedure installed for this subclass (what GWLP_WNDPROC holds
  // while nobody subclassed on top).
  WNDPROC Proc() const;
  // Runs the old procedure; still possible after Restore, for the message
  // being handled.
  LRESULT CallOld(UINT message, WPARAM wParam, LPARAM lParam) const;

  // Subclass stubs alive in the process, pass-throughs included.
  static int LiveStubs();

private:
  struct Stub;
  friend struct Stub;
  Stub *stub_ = nullptr;  // owned jointly with the window (see Stub)
  HWND window_ = nullptr; // not owned
  WNDPROC oldProc_ = nullptr;
  TProcKind kind_ = TProcKind::Wide;
};

} // namespace zorvex
