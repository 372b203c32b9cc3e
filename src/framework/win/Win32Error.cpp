#include "Win32Error.h"

#include "framework/core/Texts.h"

namespace zorvex {

std::string SystemErrorMessage(DWORD code) {
  wchar_t *buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<wchar_t *>(&buffer), 0, nullptr);
  std::string text;
  if (length > 0 && buffer)
    text = TrimRight(Narrow(std::wstring_view(buffer, length)));
  if (buffer)
    LocalFree(buffer);
  if (text.empty())
    text = "error " + IntToStr(code);
  return text;
}

EOSError::EOSError(const std::string &what, DWORD code)
    : Exception(what + ": " + SystemErrorMessage(code)), code_(code) {}

void RaiseOSError(const std::string &what, DWORD code) { throw EOSError(what, code); }

void RaiseLastOSError(const std::string &what) { RaiseOSError(what, GetLastError()); }

void LogOSError(const std::string &what, DWORD code) {
  const std::string line = "Zorvex: " + what + " failed (" + IntToStr(code) + "): " + SystemErrorMessage(code) + "\n";
  OutputDebugStringW(Wide(line).c_str());
}

void LogLastOSError(const std::string &what) { LogOSError(what, GetLastError()); }

} // namespace zorvex
