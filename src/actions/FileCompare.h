#pragma once
// Byte-by-byte comparison of two files, the last check before a file goes to
// the Recycle Bin: its copy must still exist with exactly the same bytes.

#include <cstdint>
#include <functional>
#include <string>

namespace zorvex {

enum class ContentMatch {
  Identical,  // two distinct files with the same bytes
  Different,  // sizes or bytes differ
  SameFile,   // both names lead to one file: it is not a copy of itself
  Unreadable, // either file cannot be opened or read
  Stopped,    // the progress asked to stop before the end
};

// Called after each block read from both files, with the bytes read so far
// and the bytes of the two files together; false stops the comparison.
using CompareProgress = std::function<bool(int64_t read, int64_t total)>;

ContentMatch CompareFileContents(const std::string &path1, const std::string &path2,
                                 const CompareProgress &progress = {});

} // namespace zorvex
