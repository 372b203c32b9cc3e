#include "support/TestTrash.h"

#ifdef _WIN32
#include <windows.h>

#include "framework/core/Paths.h"
#include "framework/core/Texts.h"
#include "support/TempDir.h"

namespace zorvex::test {

std::string TestTrash() {
  // Wine passes the Unix HOME on as "\??\Z:\tmp\...".
  wchar_t home[1024];
  const DWORD length = GetEnvironmentVariableW(L"WINEHOMEDIR", home, 1024);
  std::string windowsHome = length > 0 && length < 1024 ? Narrow(home) : std::string();
  if (StartsWith(windowsHome, "\\??\\"))
    windowsHome.erase(0, 4);
  if (!StartsWith(windowsHome, "Z:\\tmp\\zorvex-home"))
    return {};
  return windowsHome + "\\.local\\share\\Trash";
}

std::string TrashInfoFor(const std::string &trash, const std::string &name) {
  const std::string info = trash + "\\info\\" + name + ".trashinfo";
  return FileExists(info) ? ReadFile(info) : std::string();
}

} // namespace zorvex::test
#endif
