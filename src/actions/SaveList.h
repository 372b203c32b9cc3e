#pragma once
// The saved list of doubles: one line per row of the doubles grid (the caption
// row first), every cell followed by a TAB, every line ended by CR LF, in the
// ANSI code page, with no quoting.

#include <string>

#include "framework/core/GridModel.h"

namespace zorvex {

class TStream;

// How the lines end and how the texts are encoded: the defaults are the saved
// file's; zorvex-cli may ask for LF line ends or names in UTF-8.
struct ListFormat {
  bool lfLineEnds = false;
  bool utf8 = false;
};

// The list's bytes for rows 0..doubleCount. In the code page, characters it
// lacks are written '?'; `replacedRows`, when given, counts the data rows
// where that happened.
std::string DoublesListBytes(const TGridModel &grid, int doubleCount, ListFormat format = {},
                             int *replacedRows = nullptr);

enum class SaveOutcome {
  Saved,
  CannotCreate, // the file could not be created (nothing was written)
  WriteFailed,  // writing or closing failed; the partial file was removed
};

struct SaveResult {
  SaveOutcome outcome = SaveOutcome::CannotCreate;
  int replacedRows = 0; // see DoublesListBytes
};

// Creates (or replaces) the file, unshared while it is written, writes the
// list and closes it; a file that could not be written whole is removed.
SaveResult SaveDoublesList(const std::string &path, const TGridModel &grid, int doubleCount);

} // namespace zorvex
