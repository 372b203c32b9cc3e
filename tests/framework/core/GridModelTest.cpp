#include "framework/core/GridModel.h"

#include <gtest/gtest.h>

using namespace zorvex;

TEST(GridModel, LoweringTheRowCountDropsRowsBeyondIt) {
  TGridModel grid(3, 5);
  grid.SetCell(1, 4, "last");
  grid.SetRowCount(3);
  grid.SetRowCount(5);
  EXPECT_EQ(grid.Cell(1, 4), "");
}

TEST(GridModel, CellsOutsideTheGridReadEmptyAndColumnsAreBounded) {
  TGridModel grid(2, 2);
  EXPECT_EQ(grid.Cell(5, 50), "");
  grid.SetCell(2, 1, "beyond last column");
  EXPECT_EQ(grid.Cell(2, 1), "");
  grid.SetCell(1, 7, "beyond row count");
  EXPECT_EQ(grid.Cell(1, 7), "beyond row count");
}

TEST(GridModel, TopRowStaysInsideTheScrollableRows) {
  TGridModel grid(2, 10);
  grid.SetTopRow(0);
  EXPECT_EQ(grid.TopRow(), 1);
  grid.SetTopRow(50);
  EXPECT_EQ(grid.TopRow(), 9);
  grid.SetRowCount(4);
  EXPECT_EQ(grid.TopRow(), 3);
}

TEST(GridModel, RowCommaTextFillsFromColumnZeroAndBlanksTheRest) {
  TGridModel grid(4, 2);
  grid.SetRowCommaText(0, "A,B,C,D");
  grid.SetRowCommaText(0, "NUM,\"TWO WORDS\"");
  EXPECT_EQ(grid.Cell(1, 0), "TWO WORDS");
  EXPECT_EQ(grid.Cell(2, 0), "");
  EXPECT_EQ(grid.RowCommaText(0), "NUM,\"TWO WORDS\",,");
}

TEST(GridModel, ColumnWidthsDefaultAndHidden) {
  TGridModel grid(3, 2);
  grid.SetDefaultColWidth(50);
  grid.SetColWidth(1, -1);
  grid.SetColWidth(2, 0);
  EXPECT_EQ(grid.ColWidth(0), 50);
  EXPECT_EQ(grid.ColWidth(1), -1);
  EXPECT_EQ(grid.ColWidth(2), 0);
}

TEST(GridModel, NotifiesItsViewOfChanges) {
  TGridModel grid(2, 2);
  int changes = 0;
  grid.OnChanged = [&] { ++changes; };
  grid.SetCell(0, 1, "x");
  grid.SetRowCount(3);
  EXPECT_EQ(changes, 2);
}
