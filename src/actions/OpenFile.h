#pragma once
// Opening a file of the pair with the program its type is associated with.
// The shell request itself is handed in, so the rules run without a shell.

#include <functional>
#include <string>

#include "ActionTexts.h"

namespace zorvex {

// Makes `folder` the current directory (a failure is ignored), asks the shell
// to open `path` and returns the shell's result: above 32 on success.
using ShellOpener = std::function<int(const std::string &folder, const std::string &path)>;

// The folder an opened file's program starts in: the path up to and including
// its last path separator, or the empty text.
std::string OpenFolderOf(const std::string &path);

struct OpenResult {
  enum class Kind { Beep, Opened, Failed };
  Kind kind = Kind::Beep;
  std::string errorText; // for Failed: the error box's text
};

// An empty path only beeps; a refused request gives the text for its result.
OpenResult OpenWithAssociation(const std::string &path, PairSide side, bool french, const ShellOpener &open);

} // namespace zorvex
