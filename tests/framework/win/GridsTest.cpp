#include "framework/win/Grids.h"

#include <gtest/gtest.h>

#include "framework/core/Texts.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class GridsTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 700, 500);
    grid = new TStringGrid(form, 4, 23);
    grid->SetParent(form);
    grid->SetBounds(9, 9, 600, 200);
    grid->Model().SetDefaultRowHeight(16);
    grid->SetColWidths(0, 40);
    grid->SetColWidths(1, 200);
    grid->SetColWidths(2, 200);
    grid->SetColWidths(3, 60);
    for (int row = 1; row < 23; ++row)
      grid->SetCells(1, row, "file" + IntToStr(row));
    grid->OnMouseUp = [this](TObject *, TMouseButton button, TShiftState, int x, int y) {
      ups.push_back({button, x, y});
    };
    form->Show();
  }
  void TearDown() override {
    delete form;
    GuiTest::TearDown();
  }
  struct Up {
    TMouseButton button;
    int x, y;
  };
  TForm *form = nullptr;
  TStringGrid *grid = nullptr;
  std::vector<Up> ups;
};

TEST_F(GridsTest, HitTestingFollowsTheScrollPosition) {
  int col = 0, row = 0;
  const RECT first = grid->CellRect(1, 1);
  grid->MouseToCell(first.left + 5, first.top + 5, col, row);
  EXPECT_EQ(col, 1);
  EXPECT_EQ(row, 1);
  grid->SetTopRow(8);
  grid->MouseToCell(first.left + 5, first.top + 5, col, row);
  EXPECT_EQ(row, 8); // the same place now shows row 8
  // The caption row stays where it is.
  grid->MouseToCell(first.left + 5, 3, col, row);
  EXPECT_EQ(row, 0);
  // Past the last column there is no cell.
  grid->MouseToCell(590, first.top + 5, col, row);
  EXPECT_EQ(col, -1);
}

TEST_F(GridsTest, AClickReportsTheCellItLandsOnAfterScrollingWithTheScrollBar) {
  for (int i = 0; i < 5; ++i)
    SendMessageW(grid->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(grid->TopRow(), 6);
  ClickCell(*grid, 2, 10);
  ASSERT_EQ(ups.size(), 1u);
  int col = 0, row = 0;
  grid->MouseToCell(ups[0].x, ups[0].y, col, row);
  EXPECT_EQ(col, 2);
  EXPECT_EQ(row, 10);
  EXPECT_EQ(grid->Row(), 10);
  // A right click reports its button too.
  ClickCell(*grid, 1, 7, TMouseButton::mbRight);
  ASSERT_EQ(ups.size(), 2u);
  EXPECT_EQ(ups[1].button, TMouseButton::mbRight);
}

TEST_F(GridsTest, TheScrollBarReflectsTheRowsAndStopsAtTheLastPage) {
  SCROLLINFO info{sizeof(info), SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(grid->Handle(), SB_VERT, &info));
  EXPECT_EQ(info.nMax, 21); // 22 scrollable rows
  EXPECT_EQ(static_cast<int>(info.nPage), grid->VisibleRowCount());
  SendMessageW(grid->Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_EQ(grid->TopRow(), 23 - grid->VisibleRowCount());
  SendMessageW(grid->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(grid->TopRow(), 23 - grid->VisibleRowCount());
  // The model's own scrolling (a scan appending rows) moves the bar soon
  // after, from the message loop.
  grid->Model().SetTopRow(3);
  info.fMask = SIF_POS;
  EXPECT_TRUE(WaitFor([&] {
    GetScrollInfo(grid->Handle(), SB_VERT, &info);
    return info.nPos == 2;
  }));
}

TEST_F(GridsTest, ManyRowsAppendedBetweenTwoPaintsCostOneScrollBarUpdate) {
  ProcessMessages();
  int updates = 0;
  TWndMethod old = grid->WindowProc;
  grid->WindowProc = [&](TMessage &message) {
    if (message.Msg == WM_TIMER)
      ++updates;
    old(message);
  };
  for (int row = 23; row < 1000; ++row) {
    grid->SetRowCount(row + 1);
    grid->SetCells(1, row, "more");
  }
  SCROLLINFO info{sizeof(info), SIF_RANGE, 0, 0, 0, 0, 0};
  EXPECT_TRUE(WaitFor([&] {
    GetScrollInfo(grid->Handle(), SB_VERT, &info);
    return info.nMax == 998;
  }));
  EXPECT_EQ(updates, 1);
  grid->WindowProc = old;
}

TEST_F(GridsTest, HiddenColumnsTakeNoRoom) {
  const RECT second = grid->CellRect(2, 1);
  grid->SetColWidths(1, -1);
  EXPECT_EQ(grid->CellRect(2, 1).left, second.left - 201);
  RECT hidden = grid->CellRect(1, 1);
  EXPECT_TRUE(IsRectEmpty(&hidden));
  int col = 0, row = 0;
  grid->MouseToCell(grid->CellRect(2, 1).left + 1, 30, col, row);
  EXPECT_EQ(col, 2);
}

TEST_F(GridsTest, DraggingACaptionBorderResizesTheColumnAndEndsWithAMouseUp) {
  const RECT caption = grid->CellRect(1, 0);
  Drag(*grid, POINT{caption.right, 8}, POINT{caption.right + 50, 8});
  EXPECT_EQ(grid->ColWidths(1), 200); // sizing is off by default
  grid->SetOptions(grid->Options() | go::ColSizing);
  ups.clear();
  Drag(*grid, POINT{caption.right, 8}, POINT{caption.right + 50, 8});
  EXPECT_EQ(grid->ColWidths(1), 250);
  ASSERT_EQ(ups.size(), 1u);
  int col = 0, row = 0;
  grid->MouseToCell(ups[0].x, ups[0].y, col, row);
  EXPECT_EQ(row, 0);
}

TEST_F(GridsTest, ShiftClickSelectsARangeOfCells) {
  ClickCell(*grid, 1, 2);
  Click(*grid, (grid->CellRect(2, 5).left + grid->CellRect(2, 5).right) / 2, grid->CellRect(2, 5).top + 4,
        TMouseButton::mbLeft, ss::Shift);
  const TGridSelection selection = grid->Selection();
  EXPECT_EQ(selection.Left, 1);
  EXPECT_EQ(selection.Top, 2);
  EXPECT_EQ(selection.Right, 2);
  EXPECT_EQ(selection.Bottom, 5);
}

TEST_F(GridsTest, ArrowKeysMoveTheCurrentCellAndScrollItIntoView) {
  ClickCell(*grid, 1, 1);
  for (int i = 0; i < 15; ++i)
    PressKey(grid->Handle(), VK_DOWN);
  EXPECT_EQ(grid->Row(), 16);
  EXPECT_GE(grid->TopRow() + grid->VisibleRowCount() - 1, 16);
  EXPECT_GT(grid->TopRow(), 1);
}

TEST_F(GridsTest, LoweringTheRowCountKeepsTheCurrentCellInsideTheGrid) {
  ClickCell(*grid, 1, 9);
  grid->SetRowCount(4);
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(grid->TopRow(), 1);
}

} // namespace
