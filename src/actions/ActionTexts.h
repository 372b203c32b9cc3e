#pragma once
// The texts the actions on the doubles show or write, in both languages.
// Every function takes `french` (see IsFrench) and returns UTF-8.

#include <cstdint>
#include <string>
#include <string_view>

namespace zorvex {

// Which file of the pair shown in the comparison panel a button acts on.
enum class PairSide { First, Second };

// Put in place of a file that is gone, by the panel and the single-file
// Recycle Bin actions.
std::string SuppressedMarkerText(bool french);
// Put in the "DOUBLE FOUND" column by the recycle-all action (no asterisks).
std::string RecycleAllMarkerText(bool french);
// True for the marker texts of both actions in both languages: such a cell
// never names a file, whatever the current directory holds.
bool IsMarkerText(std::string_view text);

std::string RecycleOneConfirmText(const std::string &path, bool french);
std::string RecycleAllConfirmText(bool french);
// The box of a single-file action when this file or the other one is missing.
std::string RecycleNotFoundText(PairSide side, bool french);
// The file changed since the scan: it is no longer a copy of the one kept.
std::string RecycleChangedText(const std::string &path, bool french);
// One of the two files could not be read, so the copy could not be confirmed.
std::string RecycleUncheckedText(const std::string &path, bool french);
// The two names lead to one file (hard links): recycling one frees nothing.
std::string RecycleSameFileText(const std::string &path, bool french);

// Files of the "DOUBLE FOUND" column that recycle-all kept, by reason.
struct KeptCounts {
  int changed = 0;   // no longer identical to the kept copy
  int unchecked = 0; // could not be compared: one of the two cannot be read
  int sameFile = 0;  // another name of the kept copy
};
// Recycle-all's closing box: the number of files sent, then a line for each
// reason that kept files.
std::string RecycledCountText(int count, const KeptCounts &kept, bool french);

// The panel's size label: the size in bytes, signed decimal.
std::string SizeCaption(int64_t size);

// The error box of an open request that the shell refused with `result`
// (32 or less). The unexpected results name the button's own code.
std::string OpenErrorText(int result, const std::string &path, PairSide side, bool french);

std::string OverwriteText(const std::string &path, bool french);
// `replacedRows` rows hold names the ANSI code page cannot write: the box
// says so, since their characters were written as '?'.
std::string SavedText(const std::string &path, int doubleCount, int replacedRows, bool french);
// A save whose writing failed: nothing of the file is left.
std::string SaveFailedText(const std::string &path, bool french);

} // namespace zorvex
