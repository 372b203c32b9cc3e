#pragma once
// Where the cells of a text grid lie in its client area, without any window:
// fixed columns and rows first, then the scrollable ones from LeftCol and
// TopRow. Each cell is followed by its grid line; a column of width -1 takes
// no room at all, its line included. Used by the grid control to draw, hit
// test and scroll.

#include "GridModel.h"

namespace zorvex {

struct GridRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
};

struct GridCoord {
  int col = -1, row = -1;
};

class TGridLayout {
public:
  explicit TGridLayout(const TGridModel &model, int gridLineWidth = 1) : model_(model), lineWidth_(gridLineWidth) {}

  int GridLineWidth() const { return lineWidth_; }
  // Width (or height) of a cell plus its line; never negative.
  int ColExtent(int col) const;
  int RowExtent(int row) const;
  int FixedWidth() const;
  int FixedHeight() const;

  // The cell under a client point, the grid's scrolling taken into account;
  // -1 for a coordinate outside every cell (a point on a grid line belongs
  // to the cell before it).
  GridCoord MouseToCell(int x, int y) const;
  // The cell's rectangle in client coordinates, without its line; empty
  // when the cell is scrolled out of view or hidden. Cells past the client
  // size are not clipped.
  GridRect CellRect(int col, int row) const;

  // Scrollable rows (columns) that fit whole in the client area after the
  // fixed ones, at least 1.
  int VisibleRowCount(int clientHeight) const;
  int VisibleColCount(int clientWidth) const;
  // The largest TopRow (LeftCol) that still fills the client area.
  int MaxTopRow(int clientHeight) const;
  int MaxLeftCol(int clientWidth) const;

  // The column whose right border lies within `tolerance` pixels of x, in
  // the caption rows (y inside the fixed rows); -1 elsewhere. Used to size
  // columns by dragging.
  int ColumnBorderAt(int x, int y, int tolerance = 2) const;
  // Left edge of a visible column in client coordinates, -1 when scrolled
  // out of view.
  int ColumnLeft(int col) const;

private:
  const TGridModel &model_;
  int lineWidth_;
};

} // namespace zorvex
