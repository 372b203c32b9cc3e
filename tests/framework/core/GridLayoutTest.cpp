#include "framework/core/GridLayout.h"

#include <gtest/gtest.h>

using namespace zorvex;

namespace {

// Columns 40, 100, 100 and rows 16 high, lines 1 wide: cells start every
// 41/101 and 17 pixels.
TGridModel Grid(int rows = 30) {
  TGridModel model(3, rows);
  model.SetDefaultRowHeight(16);
  model.SetColWidth(0, 40);
  model.SetColWidth(1, 100);
  model.SetColWidth(2, 100);
  return model;
}

TEST(GridLayout, MouseToCellCountsFromTheScrollPositionAfterTheFixedCells) {
  TGridModel model = Grid();
  TGridLayout layout(model);
  EXPECT_EQ(layout.MouseToCell(0, 0).row, 0);
  EXPECT_EQ(layout.MouseToCell(45, 17).col, 1);
  EXPECT_EQ(layout.MouseToCell(45, 17).row, 1);
  model.SetTopRow(11);
  model.SetLeftCol(2);
  EXPECT_EQ(layout.MouseToCell(45, 17).row, 11);
  EXPECT_EQ(layout.MouseToCell(45, 17 + 17 * 3 + 5).row, 14);
  EXPECT_EQ(layout.MouseToCell(45, 17).col, 2); // column 1 is scrolled away
  EXPECT_EQ(layout.MouseToCell(10, 5).col, 0);  // fixed cells stay
  EXPECT_EQ(layout.MouseToCell(10, 5).row, 0);
}

TEST(GridLayout, APointOnAGridLineBelongsToTheCellBeforeIt) {
  TGridModel model = Grid();
  TGridLayout layout(model);
  EXPECT_EQ(layout.MouseToCell(40, 5).col, 0); // the line after column 0
  EXPECT_EQ(layout.MouseToCell(41, 5).col, 1);
  EXPECT_EQ(layout.MouseToCell(5, 16).row, 0);
  EXPECT_EQ(layout.MouseToCell(5, 17).row, 1);
}

TEST(GridLayout, OutsideEveryCellIsMinusOne) {
  TGridModel model = Grid(3);
  TGridLayout layout(model);
  EXPECT_EQ(layout.MouseToCell(41 + 101 + 101, 5).col, -1);
  EXPECT_EQ(layout.MouseToCell(5, 17 * 3).row, -1);
  EXPECT_EQ(layout.MouseToCell(-1, -1).col, -1);
  EXPECT_EQ(layout.MouseToCell(-1, -1).row, -1);
}

TEST(GridLayout, HiddenColumnsTakeNoRoomNorHits) {
  TGridModel model(5, 4);
  model.SetColWidth(0, 40);
  model.SetColWidth(1, 490);
  for (int col = 2; col < 5; ++col)
    model.SetColWidth(col, -1);
  TGridLayout layout(model);
  EXPECT_EQ(layout.ColExtent(3), 0);
  EXPECT_TRUE(layout.CellRect(3, 1).Empty());
  EXPECT_EQ(layout.MouseToCell(41 + 491, 30).col, -1);
  EXPECT_EQ(layout.MouseToCell(41 + 490, 30).col, 1);
}

TEST(GridLayout, CellRectsAreEmptyOnceScrolledAway) {
  TGridModel model = Grid();
  TGridLayout layout(model);
  model.SetTopRow(5);
  EXPECT_TRUE(layout.CellRect(1, 4).Empty());
  const GridRect rect = layout.CellRect(1, 5);
  EXPECT_EQ(rect.top, 17);
  EXPECT_EQ(rect.bottom, 33);
  EXPECT_EQ(rect.left, 41);
  EXPECT_EQ(rect.right, 141);
  EXPECT_EQ(layout.CellRect(1, 0).top, 0);
}

TEST(GridLayout, VisibleRowsAndTheLastTopRow) {
  TGridModel model = Grid(25);
  TGridLayout layout(model);
  // 189 pixels: the caption row (17) and ten whole rows of 17.
  EXPECT_EQ(layout.VisibleRowCount(189), 10);
  EXPECT_EQ(layout.MaxTopRow(189), 15);
  EXPECT_EQ(layout.VisibleRowCount(10), 1);
  TGridModel small = Grid(5);
  TGridLayout few(small);
  EXPECT_EQ(few.MaxTopRow(189), 1);
}

TEST(GridLayout, ColumnBordersAreFoundOnlyInTheCaptionRow) {
  TGridModel model = Grid();
  TGridLayout layout(model);
  EXPECT_EQ(layout.ColumnBorderAt(140, 5), 1);
  EXPECT_EQ(layout.ColumnBorderAt(143, 5), 1);
  EXPECT_EQ(layout.ColumnBorderAt(144, 5), -1);
  EXPECT_EQ(layout.ColumnBorderAt(90, 5), -1);
  EXPECT_EQ(layout.ColumnBorderAt(140, 30), -1);
  model.SetLeftCol(2);
  EXPECT_EQ(layout.ColumnBorderAt(140, 5), 2); // column 2 now ends where 1 did
}

} // namespace
