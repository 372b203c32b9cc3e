#pragma once
// Failed Win32 calls: turned into EOSError (with GetLastError's code and the
// system's text for it), or logged where the program must go on.

#include <string>

#include <windows.h>

#include "framework/core/Exceptions.h"

namespace zorvex {

class EOSError : public Exception {
public:
  EOSError(const std::string &what, DWORD code);
  DWORD ErrorCode() const noexcept { return code_; }

private:
  DWORD code_;
};

// The system's own text for an error code, without the trailing line break.
std::string SystemErrorMessage(DWORD code);

[[noreturn]] void RaiseOSError(const std::string &what, DWORD code);
[[noreturn]] void RaiseLastOSError(const std::string &what);

// For failures the program survives: the call, the code and its text go to the
// debugger output.
void LogOSError(const std::string &what, DWORD code);
void LogLastOSError(const std::string &what);

} // namespace zorvex
