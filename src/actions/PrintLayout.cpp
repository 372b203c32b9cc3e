#include "PrintLayout.h"

#include <algorithm>

#include "scan/ResultTables.h"

namespace zorvex {

using namespace print_layout;

namespace {
void DrawRow(TPrintCanvas &canvas, const TGridModel &grid, int row, int y) {
  for (int col = doubles_col::Num; col <= doubles_col::Size; ++col)
    canvas.TextOut(kColumnX[col], y, grid.Cell(col, row));
}

void DrawRule(TPrintCanvas &canvas, int y) {
  canvas.MoveTo(kRuleLeft, y);
  canvas.LineTo(kRuleRight, y);
}

void DrawPageHead(TPrintCanvas &canvas, const TGridModel &grid) {
  DrawRow(canvas, grid, 0, kCaptionY);
  DrawRule(canvas, kRuleY);
}
} // namespace

int RowsPerPage(int pageHeight) {
  // Row k sits at kRuleY + kRowStep * k; the band under it ends one step
  // lower, and the thick rule drawn there reaches half its width further.
  const int usable = pageHeight - kRuleY - kThickPen / 2;
  return std::max(1, usable / kRowStep - 1);
}

void PrintDoublesList(TPrintCanvas &canvas, const TGridModel &grid, int pageHeight) {
  const int perPage = RowsPerPage(pageHeight);
  DrawPageHead(canvas, grid);
  int slot = 0; // rows on the current page
  for (int row = 1; !grid.Cell(doubles_col::Num, row).empty(); ++row) {
    if (slot == perPage) {
      canvas.NewPage();
      DrawPageHead(canvas, grid);
      slot = 0;
    }
    ++slot;
    DrawRow(canvas, grid, row, kRuleY + kRowStep * slot);
  }
  canvas.SetPenWidth(kThickPen);
  DrawRule(canvas, kRuleY + kRowStep * (slot + 1));
  canvas.SetPenWidth(1);
}

} // namespace zorvex
