#pragma once
// The data of a text grid, without any window: cells, row and column counts,
// fixed rows and columns, column widths (-1 hides a column) and the top
// visible row. The grid control draws it; scan results live in it.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvex {

class TGridModel {
public:
  TGridModel(int colCount, int rowCount, int fixedCols = 1, int fixedRows = 1);

  int ColCount() const { return colCount_; }
  void SetColCount(int count);
  int RowCount() const { return rowCount_; }
  // Lowering the count drops the rows beyond it.
  void SetRowCount(int count);
  int FixedCols() const { return fixedCols_; }
  int FixedRows() const { return fixedRows_; }

  // Cells outside the grid read as empty; writing a row beyond the row count
  // keeps the text until the row count drops below it.
  const std::string &Cell(int col, int row) const;
  void SetCell(int col, int row, std::string text);

  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int width);
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int height);

  // First scrollable row shown; kept within FixedRows..RowCount-1.
  int TopRow() const { return topRow_; }
  void SetTopRow(int row);
  // First scrollable column shown; kept within FixedCols..ColCount-1.
  int LeftCol() const { return leftCol_; }
  void SetLeftCol(int col);

  // A row as comma text: setting writes the items from column 0 on, blanks the
  // cells after them and ignores items beyond the last column.
  std::string RowCommaText(int row) const;
  void SetRowCommaText(int row, std::string_view text);

  // Called after every change, so that a view can repaint.
  std::function<void()> OnChanged;

private:
  void Changed();
  int colCount_;
  int rowCount_;
  int fixedCols_;
  int fixedRows_;
  int defaultColWidth_ = 64;
  int defaultRowHeight_ = 24;
  int topRow_;
  int leftCol_;
  static constexpr int kDefaultWidth = -0x7FFF; // width not set: the default
  std::vector<int> colWidths_;
  std::vector<std::vector<std::string>> rows_; // rows_[row][col]
};

} // namespace zorvex
