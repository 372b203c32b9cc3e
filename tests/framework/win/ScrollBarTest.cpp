#include "framework/win/ScrollBar.h"

#include <climits>

#include <gtest/gtest.h>

#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

TEST(ScrollTarget, RequestsMoveWithinTheRangeThatThePageLeaves) {
  const TScrollRange range{0, 100, 10}; // the last page starts at 91
  EXPECT_EQ(ScrollTarget(TScrollCode::scLineDown, 50, 0, range, 1, 10), 51);
  EXPECT_EQ(ScrollTarget(TScrollCode::scPageUp, 5, 0, range, 1, 10), 0);
  EXPECT_EQ(ScrollTarget(TScrollCode::scPageDown, 88, 0, range, 1, 10), 91);
  EXPECT_EQ(ScrollTarget(TScrollCode::scTrack, 50, 120, range, 1, 10), 91);
  EXPECT_EQ(ScrollTarget(TScrollCode::scBottom, 0, 0, range, 1, 10), 91);
  EXPECT_EQ(ScrollTarget(TScrollCode::scTop, 60, 0, range, 1, 10), 0);
  EXPECT_EQ(ScrollTarget(TScrollCode::scEndScroll, 60, 0, range, 1, 10), 60);
  // No page: the thumb reaches Max; big steps near the ends do not wrap.
  const TScrollRange wide{INT_MIN, INT_MAX, 0};
  EXPECT_EQ(ScrollTarget(TScrollCode::scPageDown, INT_MAX - 1, 0, wide, 1, INT_MAX), INT_MAX);
  EXPECT_EQ(ScrollTarget(TScrollCode::scLineUp, INT_MIN, 0, wide, 5, 10), INT_MIN);
}

class ScrollBarTest : public FormTest {};

TEST_F(ScrollBarTest, TheUsersRequestsGoThroughOnScrollAndMoveTheBar) {
  auto *bar = Add<TScrollBar>(10, 10, 200, 17);
  bar->SetParams(10, 0, 50);
  bar->SetLargeChange(5);
  std::vector<TScrollCode> codes;
  int changes = 0;
  bar->OnScroll = [&](TObject *, TScrollCode code, int &position) {
    codes.push_back(code);
    if (code == TScrollCode::scPageDown)
      position += 100; // the handler may send it elsewhere; it stays in range
  };
  bar->OnChange = [&](TObject *) { ++changes; };
  form->Show();
  SendMessageW(form->Handle(), WM_HSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(bar->Handle()));
  EXPECT_EQ(bar->Position(), 11);
  SendMessageW(form->Handle(), WM_HSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(bar->Handle()));
  EXPECT_EQ(bar->Position(), 50);
  EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 50);
  SendMessageW(form->Handle(), WM_HSCROLL, SB_ENDSCROLL, reinterpret_cast<LPARAM>(bar->Handle()));
  EXPECT_EQ(codes,
            (std::vector<TScrollCode>{TScrollCode::scLineDown, TScrollCode::scPageDown, TScrollCode::scEndScroll}));
  EXPECT_EQ(changes, 2);
  bar->SetPosition(3); // the program's changes are reported too
  EXPECT_EQ(changes, 3);

  bar->SetKind(TScrollBarKind::sbVertical);
  EXPECT_EQ(bar->Width(), 17);
  EXPECT_EQ(bar->Height(), 200);
  EXPECT_TRUE(GetWindowLongPtrW(bar->Handle(), GWL_STYLE) & SBS_VERT);
  EXPECT_EQ(bar->Position(), 3);
  EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 3);
}

} // namespace
