#include "framework/win/TrackBar.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class TrackBarTest : public FormTest {};

TEST_F(TrackBarTest, ThePositionStaysInRangeAndEveryMoveIsReported) {
  auto *track = Add<TTrackBar>(10, 10, 150, 45);
  track->SetRange(0, 20);
  track->SetLineSize(3);
  int changes = 0;
  track->OnChange = [&](TObject *) { ++changes; };
  track->SetPosition(25);
  EXPECT_EQ(track->Position(), 20);
  track->SetMax(10); // a smaller range takes the position along
  EXPECT_EQ(track->Position(), 10);
  EXPECT_EQ(changes, 2);
  form->Show();
  EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETPOS, 0, 0), 10);
  track->SetFocus();
  PressKey(track->Handle(), VK_LEFT); // the user's step
  EXPECT_EQ(track->Position(), 7);
  EXPECT_EQ(changes, 3);

  track->SetOrientation(TTrackBarOrientation::trVertical);
  EXPECT_EQ(track->Width(), 45);
  EXPECT_EQ(track->Height(), 150);
  EXPECT_TRUE(GetWindowLongPtrW(track->Handle(), GWL_STYLE) & TBS_VERT);
  EXPECT_EQ(SendMessageW(track->Handle(), TBM_GETPOS, 0, 0), 7);
}

} // namespace
