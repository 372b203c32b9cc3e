#pragma once
// Owned hooks of one thread: WH_CBT (window creation, activation and
// destruction) and WH_MSGFILTER (messages of menus and dialog loops). The
// hook is installed by the constructor and removed by the destructor, which
// may run inside the hook's own call. No exception leaves the procedure: it
// goes to HandleException and the call is passed on.

#include <functional>

#include <windows.h>

#include "Handles.h"
#include "Thunks.h"

namespace zorvex {

enum class THookKind { Cbt = WH_CBT, MessageFilter = WH_MSGFILTER };

class THook {
public:
  // Sees every call whose code is 0 or more and returns the hook's answer,
  // having passed the call on with CallNext or not (which stops the chain).
  // Negative codes go straight on, as the system requires.
  using Procedure = std::function<LRESULT(THook &hook, int code, WPARAM wParam, LPARAM lParam)>;

  // Installs the hook for `threadId` (a thread of this process); throws
  // EOSError when the system refuses.
  THook(THookKind kind, Procedure procedure, DWORD threadId = GetCurrentThreadId());
  ~THook();
  THook(const THook &) = delete;
  THook &operator=(const THook &) = delete;

  THookKind Kind() const { return kind_; }
  DWORD ThreadId() const { return threadId_; }
  HHOOK Handle() const { return hook_.get(); }
  LRESULT CallNext(int code, WPARAM wParam, LPARAM lParam);

private:
  struct Call;
  static LRESULT CALLBACK Entry(int code, WPARAM wParam, LPARAM lParam, THook *self);

  THookKind kind_;
  DWORD threadId_;
  Procedure procedure_;
  ProcedureThunk thunk_;
  OwnedHook hook_;
  Call *call_ = nullptr; // innermost call running, on its stack
};

} // namespace zorvex
