#include "OpenFile.h"

#include "framework/core/Paths.h"

namespace zorvex {

std::string OpenFolderOf(const std::string &path) {
  const size_t last = path.rfind(PathDelim);
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

OpenResult OpenWithAssociation(const std::string &path, PairSide side, bool french, const ShellOpener &open) {
  if (path.empty())
    return {};
  const int result = open(OpenFolderOf(path), path);
  if (result > 32)
    return {OpenResult::Kind::Opened, {}};
  return {OpenResult::Kind::Failed, OpenErrorText(result, path, side, french)};
}

} // namespace zorvex
