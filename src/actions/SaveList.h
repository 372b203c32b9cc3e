#pragma once
// The saved list of doubles: one line per row of the doubles grid (the caption
// row first), every cell followed by a TAB, every line ended by CR LF, in the
// ANSI code page, with no quoting.

#include <string>

#include "framework/core/GridModel.h"

namespace zorvex {

class TStream;

// The file's bytes for rows 0..doubleCount.
std::string DoublesListBytes(const TGridModel &grid, int doubleCount);

enum class SaveOutcome {
  Saved,
  CannotCreate, // the file could not be created (nothing was written)
  WriteFailed,  // writing or closing failed; the partial file was removed
};

// Creates (or replaces) the file, unshared while it is written, writes the
// list and closes it; a file that could not be written whole is removed.
SaveOutcome SaveDoublesList(const std::string &path, const TGridModel &grid, int doubleCount);

} // namespace zorvex
