#pragma once
// Sending doubles to the Recycle Bin without ever losing the last copy of a
// file: the rows of the doubles grid are grouped into their sets of equal
// files, one existing member of each set is kept, and a file goes only after
// a byte-by-byte check that the kept copy still holds the same content.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "ActionTexts.h"
#include "framework/core/GridModel.h"

namespace zorvex {

// Hands one file to the shell; true when it is gone to the Recycle Bin.
using Recycler = std::function<bool(const std::string &path)>;
using Beeper = std::function<void()>;

// The byte checks read whole files on the user-interface thread: after every
// small step they report here, so that the window shows the progress and
// runs. A false answer stops the work at once (the window was closed).
class TWorkSteps {
public:
  virtual ~TWorkSteps() = default;
  // Bytes checked so far and bytes to check in all (0 while they are still
  // counted). The window runs at the throttled pace.
  virtual bool Step(int64_t done, int64_t total) = 0;
  // The window runs now: just before and after a shell call, which blocks.
  virtual bool StepNow() = 0;
};

// Work with no window: every step goes on at once.
TWorkSteps &NoWindowSteps();

// For every path in the "FIRST FILE FOUND" and "DOUBLE FOUND" columns of rows
// 1..RowCount-1: the member of its set of equal files that is kept, or the
// empty text when no member exists any more. The rows of a set share paths
// (the scan chains a set as (f1, f2), (f2, f3), ...), in any row order; the
// file found first is kept when it still exists, else the next one. Nothing
// when the steps stopped the work.
std::optional<std::map<std::string, std::string>> KeptCopies(const TGridModel &grid, TWorkSteps &steps);

// What recycle-all did: the files sent, and the files of the "DOUBLE FOUND"
// column kept for a reason the user is told.
struct RecycleAllReport {
  int recycled = 0;
  KeptCounts kept;
  bool stopped = false;
};

// Every file of the "DOUBLE FOUND" column goes to the Recycle Bin, except the
// kept copies and files that are not proven byte for byte to be another copy
// of their kept one; each skipped row beeps and keeps its cell, each recycled
// one reads the recycle-all marker. A stop leaves every file not yet sent
// where it is.
RecycleAllReport RecycleAllDoubles(TGridModel &grid, bool french, const Recycler &recycle, const Beeper &beep,
                                   TWorkSteps &steps);

enum class RecycleOneOutcome {
  Recycled,    // gone; the grid's cells of the file now read the marker
  NotFound,    // this file or the other one is missing
  Changed,     // no longer identical to the other file
  SameFile,    // the two names lead to one file: recycling one frees nothing
  Unchecked,   // one of the two could not be read, so nothing was proven
  ShellFailed, // the shell refused; nothing changed
  Stopped,     // the steps stopped the check; nothing changed
};

// One file of the pair shown in the panel, kept `other` being its copy.
// On success every cell of columns 1 and 2 of rows 1..doubleCount that reads
// thisPath is replaced by suppressedMarker.
RecycleOneOutcome RecycleOneFile(TGridModel &grid, int doubleCount, const std::string &thisPath,
                                 const std::string &otherPath, const std::string &suppressedMarker,
                                 const Recycler &recycle, TWorkSteps &steps);

} // namespace zorvex
