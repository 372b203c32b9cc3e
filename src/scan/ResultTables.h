#pragma once
// The three result grids of a scan: files, directories and doubles. Their
// columns, header texts in both languages, and the append and reset rules.

#include <initializer_list>
#include <string>
#include <string_view>

#include "framework/core/GridModel.h"

namespace zorvex {

enum class ResultGrid { Files, Dirs, Doubles };

namespace files_col {
constexpr int Num = 0, Path = 1, Crc = 2, Size2 = 3, Size = 4;
}
namespace dirs_col {
constexpr int Num = 0, Path = 1;
}
namespace doubles_col {
constexpr int Num = 0, First = 1, Double = 2, Size = 3;
}

// Row 0 as comma text, in the language asked for.
std::string HeaderCommaText(ResultGrid grid, bool french);
void SetHeaderRow(TGridModel &model, ResultGrid grid, bool french);
// A model with the grid's columns and initial rows (headers not yet set).
TGridModel MakeResultGrid(ResultGrid grid);

// Increments counter, writes the row's cells (from column 0), sets the row
// count to counter + 1 and scrolls so that the newest rows stay in view.
void AppendRow(TGridModel &model, ResultGrid grid, int &counter, std::initializer_list<std::string_view> cells);
// Blanks rows 1..counter of every column the grid uses and sets counter to 0;
// the row count is left as it is.
void ResetRows(TGridModel &model, ResultGrid grid, int &counter);

// The doubles grid's size text: left-padded with '0' to eight characters.
std::string PadSizeText(std::string_view sizeText);

} // namespace zorvex
