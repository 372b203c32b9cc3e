#include "GridModel.h"

#include "Strings.h"

#include <algorithm>

namespace zorvex {

namespace {
const std::string kEmpty;
}

TGridModel::TGridModel(int colCount, int rowCount, int fixedCols, int fixedRows)
    : colCount_(std::max(colCount, 1)), rowCount_(std::max(rowCount, 1)), fixedCols_(fixedCols), fixedRows_(fixedRows),
      topRow_(fixedRows), leftCol_(fixedCols), colWidths_(static_cast<size_t>(colCount_), kDefaultWidth) {}

void TGridModel::Changed() {
  if (OnChanged)
    OnChanged();
}

void TGridModel::SetColCount(int count) {
  colCount_ = std::max(count, 1);
  colWidths_.resize(static_cast<size_t>(colCount_), kDefaultWidth);
  leftCol_ = std::clamp(leftCol_, fixedCols_, std::max(fixedCols_, colCount_ - 1));
  for (auto &row : rows_)
    if (row.size() > static_cast<size_t>(colCount_))
      row.resize(static_cast<size_t>(colCount_));
  Changed();
}

void TGridModel::SetRowCount(int count) {
  rowCount_ = std::max(count, fixedRows_ + 1);
  if (rows_.size() > static_cast<size_t>(rowCount_))
    rows_.resize(static_cast<size_t>(rowCount_));
  topRow_ = std::clamp(topRow_, fixedRows_, std::max(fixedRows_, rowCount_ - 1));
  Changed();
}

const std::string &TGridModel::Cell(int col, int row) const {
  if (row < 0 || col < 0 || static_cast<size_t>(row) >= rows_.size())
    return kEmpty;
  const auto &cells = rows_[static_cast<size_t>(row)];
  return static_cast<size_t>(col) < cells.size() ? cells[static_cast<size_t>(col)] : kEmpty;
}

void TGridModel::SetCell(int col, int row, std::string text) {
  if (row < 0 || col < 0 || col >= colCount_)
    return;
  if (static_cast<size_t>(row) >= rows_.size()) {
    if (text.empty())
      return;
    rows_.resize(static_cast<size_t>(row) + 1);
  }
  auto &cells = rows_[static_cast<size_t>(row)];
  if (static_cast<size_t>(col) >= cells.size()) {
    if (text.empty())
      return;
    cells.resize(static_cast<size_t>(col) + 1);
  }
  cells[static_cast<size_t>(col)] = std::move(text);
  Changed();
}

int TGridModel::ColWidth(int col) const {
  if (col < 0 || col >= colCount_)
    return defaultColWidth_;
  const int w = colWidths_[static_cast<size_t>(col)];
  return w == kDefaultWidth ? defaultColWidth_ : w;
}

void TGridModel::SetColWidth(int col, int width) {
  if (col < 0 || col >= colCount_)
    return;
  colWidths_[static_cast<size_t>(col)] = width;
  Changed();
}

void TGridModel::SetDefaultColWidth(int width) {
  defaultColWidth_ = width;
  Changed();
}

void TGridModel::SetDefaultRowHeight(int height) {
  defaultRowHeight_ = height;
  Changed();
}

void TGridModel::SetTopRow(int row) {
  topRow_ = std::clamp(row, fixedRows_, std::max(fixedRows_, rowCount_ - 1));
  Changed();
}

void TGridModel::SetLeftCol(int col) {
  leftCol_ = std::clamp(col, fixedCols_, std::max(fixedCols_, colCount_ - 1));
  Changed();
}

std::string TGridModel::RowCommaText(int row) const {
  TStringList items;
  for (int c = 0; c < colCount_; ++c)
    items.Add(Cell(c, row));
  return items.CommaText();
}

void TGridModel::SetRowCommaText(int row, std::string_view text) {
  TStringList items;
  items.SetCommaText(text);
  for (int c = 0; c < colCount_; ++c)
    SetCell(c, row, c < items.Count() ? items[c] : std::string());
}

} // namespace zorvex
