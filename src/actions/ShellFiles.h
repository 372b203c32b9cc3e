#pragma once
// The Windows shell's side of the actions on doubles: the Recycle Bin and the
// associated programs.

#ifdef _WIN32
#include <windows.h>

#include <string>

namespace zorvex {

// Moves the file to the Recycle Bin (delete with undo, no confirmation of the
// shell's own); `owner` (not owned) parents any window the shell shows.
// True when the shell reports success.
bool ShellRecycle(const std::string &path, HWND owner);

// Makes `folder` the current directory when it is not empty (a failure is
// ignored) and asks the shell to open the file, parented to the active
// window. Returns the shell's result: above 32 on success.
int ShellOpen(const std::string &folder, const std::string &path);

} // namespace zorvex
#endif
