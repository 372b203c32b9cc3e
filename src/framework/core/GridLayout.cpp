#include "GridLayout.h"

#include <algorithm>
#include <cstdlib>

namespace zorvex {

int TGridLayout::ColExtent(int col) const { return std::max(model_.ColWidth(col) + lineWidth_, 0); }

int TGridLayout::RowExtent(int) const { return std::max(model_.DefaultRowHeight() + lineWidth_, 0); }

int TGridLayout::FixedWidth() const {
  int width = 0;
  for (int col = 0; col < model_.FixedCols() && col < model_.ColCount(); ++col)
    width += ColExtent(col);
  return width;
}

int TGridLayout::FixedHeight() const {
  int height = 0;
  for (int row = 0; row < model_.FixedRows() && row < model_.RowCount(); ++row)
    height += RowExtent(row);
  return height;
}

namespace {
// The index along one axis: fixed cells from 0, then scrollable cells from
// `first`; -1 past the last.
template <typename Extent>
int AxisIndex(int position, int fixedCount, int first, int count, int fixedSize, Extent extent) {
  if (position < 0)
    return -1;
  int start = 0, stop = fixedCount, edge = 0;
  if (position >= fixedSize) {
    start = first;
    stop = count;
    edge = fixedSize;
  }
  for (int i = start; i < stop; ++i) {
    edge += extent(i);
    if (position < edge)
      return i;
  }
  return -1;
}
} // namespace

GridCoord TGridLayout::MouseToCell(int x, int y) const {
  GridCoord coord;
  coord.col = AxisIndex(x, model_.FixedCols(), model_.LeftCol(), model_.ColCount(), FixedWidth(),
                        [this](int col) { return ColExtent(col); });
  coord.row = AxisIndex(y, model_.FixedRows(), model_.TopRow(), model_.RowCount(), FixedHeight(),
                        [this](int row) { return RowExtent(row); });
  return coord;
}

int TGridLayout::ColumnLeft(int col) const {
  if (col < 0 || col >= model_.ColCount())
    return -1;
  int x = 0;
  if (col < model_.FixedCols()) {
    for (int c = 0; c < col; ++c)
      x += ColExtent(c);
    return x;
  }
  if (col < model_.LeftCol())
    return -1;
  x = FixedWidth();
  for (int c = model_.LeftCol(); c < col; ++c)
    x += ColExtent(c);
  return x;
}

GridRect TGridLayout::CellRect(int col, int row) const {
  GridRect rect;
  if (row < 0 || row >= model_.RowCount() || (row >= model_.FixedRows() && row < model_.TopRow()))
    return rect;
  const int left = ColumnLeft(col);
  if (left < 0 || model_.ColWidth(col) <= 0)
    return rect;
  int top = 0;
  if (row < model_.FixedRows()) {
    for (int r = 0; r < row; ++r)
      top += RowExtent(r);
  } else {
    top = FixedHeight();
    top += (row - model_.TopRow()) * RowExtent(row);
  }
  rect.left = left;
  rect.top = top;
  rect.right = left + model_.ColWidth(col);
  rect.bottom = top + model_.DefaultRowHeight();
  return rect;
}

int TGridLayout::VisibleRowCount(int clientHeight) const {
  const int extent = std::max(RowExtent(0), 1);
  return std::max((clientHeight - FixedHeight()) / extent, 1);
}

int TGridLayout::VisibleColCount(int clientWidth) const {
  int width = FixedWidth(), count = 0;
  for (int col = model_.LeftCol(); col < model_.ColCount(); ++col) {
    width += ColExtent(col);
    if (width > clientWidth)
      break;
    ++count;
  }
  return std::max(count, 1);
}

int TGridLayout::MaxTopRow(int clientHeight) const {
  return std::max(model_.FixedRows(), model_.RowCount() - VisibleRowCount(clientHeight));
}

int TGridLayout::MaxLeftCol(int clientWidth) const {
  // Walk back from the last column while the columns still fit.
  int width = FixedWidth();
  int col = model_.ColCount() - 1;
  for (; col >= model_.FixedCols(); --col) {
    width += ColExtent(col);
    if (width > clientWidth)
      return std::min(col + 1, model_.ColCount() - 1);
  }
  return model_.FixedCols();
}

int TGridLayout::ColumnBorderAt(int x, int y, int tolerance) const {
  if (y < 0 || y >= FixedHeight())
    return -1;
  int best = -1, bestDistance = tolerance + 1;
  for (int col = 0; col < model_.ColCount(); ++col) {
    const int left = ColumnLeft(col);
    if (left < 0 || model_.ColWidth(col) < 0)
      continue;
    const int border = left + model_.ColWidth(col);
    const int distance = std::abs(x - border);
    if (distance < bestDistance) {
      best = col;
      bestDistance = distance;
    }
  }
  return best;
}

} // namespace zorvex
