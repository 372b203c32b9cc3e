#include "Subclass.h"

#include <atomic>
#include <exception>

#include "Forms.h"
#include "Thunks.h"

namespace zorvex {

namespace {
std::atomic<int> liveStubs{0};

LONG_PTR GetProc(HWND window, TProcKind kind) {
  return kind == TProcKind::Wide ? GetWindowLongPtrW(window, GWLP_WNDPROC) : GetWindowLongPtrA(window, GWLP_WNDPROC);
}
LONG_PTR SetProc(HWND window, TProcKind kind, LONG_PTR proc) {
  return kind == TProcKind::Wide ? SetWindowLongPtrW(window, GWLP_WNDPROC, proc)
                                 : SetWindowLongPtrA(window, GWLP_WNDPROC, proc);
}
LRESULT CallProc(TProcKind kind, WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return kind == TProcKind::Wide ? CallWindowProcW(proc, window, message, wParam, lParam)
                                 : CallWindowProcA(proc, window, message, wParam, lParam);
}
} // namespace

// What the window calls. It lives while the window may still call it: it
// goes with Restore when it is on top of the chain and idle, and otherwise
// when its window is destroyed (or, if Restore ran inside one of its own
// calls, when that call returns).
struct TWindowSubclass::Stub {
  HWND window;
  WNDPROC oldProc;
  TProcKind kind;
  Handler handler;
  TWindowSubclass *owner; // null once the owner let go: pass everything on
  ProcedureThunk thunk;
  int depth = 0;
  bool finished = false; // free it as soon as no call runs

  Stub(HWND w, WNDPROC old, TProcKind k, Handler h, TWindowSubclass *o)
      : window(w), oldProc(old), kind(k), handler(std::move(h)), owner(o),
        thunk(reinterpret_cast<void *>(&Stub::Proc), this, ProcedureThunk::Bind::FirstArgument) {
    ++liveStubs;
  }
  ~Stub() { --liveStubs; }

  WNDPROC Entry() const { return thunk.As<WNDPROC>(); }

  LRESULT CallOld(UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallProc(kind, oldProc, window, message, wParam, lParam);
  }

  // Lets go of the owner; true when the stub can be freed right away.
  bool Detach() {
    owner = nullptr;
    if (GetProc(window, kind) == reinterpret_cast<LONG_PTR>(Entry())) {
      SetProc(window, kind, reinterpret_cast<LONG_PTR>(oldProc));
      finished = true;
    }
    return finished && depth == 0;
  }

  // Called through the thunk with the stub in place of the window handle.
  static LRESULT CALLBACK Proc(HWND self, UINT message, WPARAM wParam, LPARAM lParam) {
    auto *stub = reinterpret_cast<Stub *>(self);
    ++stub->depth;
    // The handler stays alive for this call even if its owner lets go.
    const Handler handler = stub->owner ? stub->handler : Handler();
    LRESULT result = 0;
    if (handler) {
      try {
        result = handler(*stub->owner, message, wParam, lParam);
      } catch (...) {
        HandleException(std::current_exception());
      }
    } else {
      result = stub->CallOld(message, wParam, lParam);
    }
    --stub->depth;
    if (message == WM_NCDESTROY) {
      // The window is gone: nothing will call the stub again.
      if (stub->owner) {
        stub->owner->stub_ = nullptr;
        stub->owner = nullptr;
      }
      stub->finished = true;
    }
    if (stub->finished && stub->depth == 0)
      delete stub;
    return result;
  }
};

bool TWindowSubclass::Attach(HWND window, Handler handler, TProcKind kind) {
  Restore();
  DWORD process = 0;
  if (!IsWindow(window) || !GetWindowThreadProcessId(window, &process) || process != GetCurrentProcessId())
    return false;
  auto *stub = new Stub(window, nullptr, kind, std::move(handler), this); // freed by itself (see Stub)
  SetLastError(0);
  const LONG_PTR old = SetProc(window, kind, reinterpret_cast<LONG_PTR>(stub->Entry()));
  if (old == 0 && GetLastError() != 0) {
    delete stub;
    return false;
  }
  stub->oldProc = reinterpret_cast<WNDPROC>(old);
  stub_ = stub;
  window_ = window;
  oldProc_ = stub->oldProc;
  kind_ = kind;
  return true;
}

void TWindowSubclass::Restore() {
  Stub *stub = std::exchange(stub_, nullptr);
  if (stub && stub->Detach())
    delete stub;
}

WNDPROC TWindowSubclass::Proc() const { return stub_ ? stub_->Entry() : nullptr; }

LRESULT TWindowSubclass::CallOld(UINT message, WPARAM wParam, LPARAM lParam) const {
  if (!oldProc_)
    return 0;
  return CallProc(kind_, oldProc_, window_, message, wParam, lParam);
}

int TWindowSubclass::LiveStubs() { return liveStubs.load(); }

} // namespace zorvex
