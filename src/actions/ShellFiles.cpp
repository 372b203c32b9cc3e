#include "ShellFiles.h"

#ifdef _WIN32
#include <shellapi.h>

#include "framework/core/Texts.h"

namespace zorvex {

bool ShellRecycle(const std::string &path, HWND owner) {
  // The shell takes a list of names, each ended by a NUL, the list by another.
  std::wstring from = Wide(path);
  from.push_back(L'\0');
  SHFILEOPSTRUCTW request{};
  request.hwnd = owner;
  request.wFunc = FO_DELETE;
  request.pFrom = from.c_str();
  request.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION;
  return SHFileOperationW(&request) == 0 && !request.fAnyOperationsAborted;
}

int ShellOpen(const std::string &folder, const std::string &path) {
  if (!folder.empty())
    SetCurrentDirectoryW(Wide(folder).c_str());
  const HINSTANCE result =
      ShellExecuteW(GetActiveWindow(), L"open", Wide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  // Any value above 32 is a success; keep it above 32 when narrowing.
  const INT_PTR value = reinterpret_cast<INT_PTR>(result);
  return value > 32 ? 33 : static_cast<int>(value);
}

} // namespace zorvex
#endif
