#include "Hooks.h"

#include <exception>

#include "Forms.h"
#include "Win32Error.h"

namespace zorvex {

// One call of the hook, kept on the stack of Entry.
struct THook::Call {
  Call *outer;
  bool passedOn = false;
  LRESULT nextResult = 0;
  bool hookGone = false;
};

THook::THook(THookKind kind, Procedure procedure, DWORD threadId)
    : kind_(kind), threadId_(threadId), procedure_(std::move(procedure)),
      thunk_(reinterpret_cast<void *>(&THook::Entry), this, ProcedureThunk::Bind::FourthArgument) {
  hook_.reset(SetWindowsHookExW(static_cast<int>(kind), thunk_.As<HOOKPROC>(), nullptr, threadId));
  if (!hook_)
    RaiseLastOSError("SetWindowsHookEx");
}

THook::~THook() {
  hook_.reset();
  // Calls still running return without touching the hook again.
  for (Call *call = call_; call; call = call->outer)
    call->hookGone = true;
}

LRESULT THook::CallNext(int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallNextHookEx(hook_.get(), code, wParam, lParam);
  if (call_) {
    call_->passedOn = true;
    call_->nextResult = result;
  }
  return result;
}

LRESULT CALLBACK THook::Entry(int code, WPARAM wParam, LPARAM lParam, THook *self) {
  if (code < 0 || !self->procedure_)
    return CallNextHookEx(self->hook_.get(), code, wParam, lParam);
  Call call{self->call_};
  self->call_ = &call;
  LRESULT result = 0;
  bool failed = false;
  try {
    const Procedure procedure = self->procedure_; // alive even if the hook goes meanwhile
    result = procedure(*self, code, wParam, lParam);
  } catch (...) {
    failed = true;
    HandleException(std::current_exception());
  }
  if (call.hookGone) {
    if (failed && !call.passedOn)
      return CallNextHookEx(nullptr, code, wParam, lParam);
    return call.passedOn && failed ? call.nextResult : result;
  }
  self->call_ = call.outer;
  if (failed)
    return call.passedOn ? call.nextResult : CallNextHookEx(self->hook_.get(), code, wParam, lParam);
  return result;
}

} // namespace zorvex
