#pragma once
// The doubles grid's mouse rules and its sort by a column. A sort rewrites
// columns 1 to 3 of rows 1..doubleCount in place; column 0 keeps numbering
// the rows from the top.

#include <cstdint>
#include <functional>
#include <string_view>

#include "framework/core/GridModel.h"

namespace zorvex {

enum class MouseButton { Left, Right, Middle };

struct DoublesClick {
  enum class Kind { None, Sort, ShowPair };
  Kind kind = Kind::None;
  int index = 0; // the column to sort by, or the row to show
};

// What a button released over cell (col, row) does; -1 stands for a position
// outside every cell, which does nothing (also beside the last column).
DoublesClick ClassifyDoublesClick(MouseButton button, int col, int row);

// Negative, zero or positive like strcmp.
using TextCompare = std::function<int(std::u16string_view, std::u16string_view)>;

// Case-insensitive comparison close to a Western locale's collation: letters
// compare without case and accents first (e < é < f), then accents and case
// break ties. Used where the platform offers none.
int CompareTextPortable(std::u16string_view a, std::u16string_view b);
// The user locale's comparison ignoring case on Windows; the portable one
// elsewhere.
TextCompare PlatformTextCompare();

// Sorts the data rows ascending by column (1, 2 or 3): the key is that
// column's text followed by the other two in column order, each ended by '|',
// compared whole. Rows whose keys compare equal keep their relative order.
void SortDoubles(TGridModel &grid, int doubleCount, int column, const TextCompare &compare);

// Colour of the fixed row and column while sorting: red (red + 256 * green
// + 65536 * blue).
constexpr uint32_t kFixedColorSorting = 0x0000FF;

// The sort as the user sees it: fixed cells red, one yield so that they are
// painted, the sort, the cells back to fixedColor, the colour they had
// (yellow as designed, a skin's face colour under a skin), also when the sort
// fails, and one yield.
void RunDoublesSort(TGridModel &grid, int doubleCount, int column, const TextCompare &compare, uint32_t fixedColor,
                    const std::function<void(uint32_t color)> &setFixedColor);

} // namespace zorvex
