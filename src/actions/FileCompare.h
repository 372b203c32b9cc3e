#pragma once
// Byte-by-byte comparison of two files, the last check before a file goes to
// the Recycle Bin: its copy must still exist with exactly the same bytes.

#include <string>

namespace zorvex {

enum class ContentMatch {
  Identical,  // two distinct files with the same bytes
  Different,  // sizes or bytes differ
  SameFile,   // both names lead to one file: it is not a copy of itself
  Unreadable, // either file cannot be opened or read
};

ContentMatch CompareFileContents(const std::string &path1, const std::string &path2);

} // namespace zorvex
