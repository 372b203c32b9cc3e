#include "framework/win/StatusBar.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "framework/core/Texts.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class StatusBarTest : public FormTest {};

std::string PartText(HWND bar, int part) {
  wchar_t text[128] = {};
  SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text));
  return Narrow(text);
}

TEST_F(StatusBarTest, PanelsBecomePartsThatFollowTheirChanges) {
  auto *bar = Add<TStatusBar>(0, 300, 400, 20);
  TStatusPanel *left = bar->Panels().Add();
  left->SetText("Ready");
  left->SetWidth(120);
  TStatusPanel *middle = bar->Panels().Add();
  middle->SetWidth(80);
  middle->SetAlignment(TAlignment::taCenter);
  middle->SetText("12");
  bar->Panels().Add()->SetText("last");
  form->Show();
  HWND window = bar->Handle();
  int edges[4] = {};
  ASSERT_EQ(SendMessageW(window, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 3);
  EXPECT_EQ(edges[0], 120);
  EXPECT_EQ(edges[1], 200);
  EXPECT_EQ(edges[2], -1); // the last panel reaches the end
  EXPECT_EQ(PartText(window, 0), "Ready");
  EXPECT_EQ(PartText(window, 1), "\t12"); // how the bar centres text

  middle->SetText("13");
  left->SetWidth(100);
  EXPECT_EQ(PartText(window, 1), "\t13");
  SendMessageW(window, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges));
  EXPECT_EQ(edges[1], 180);

  bar->SetSimpleText("Scanning");
  bar->SetSimplePanel(true);
  EXPECT_TRUE(SendMessageW(window, SB_ISSIMPLE, 0, 0));
  EXPECT_EQ(PartText(window, 0), "Scanning"); // how this system reads the simple part back
  bar->SetSimplePanel(false);
  EXPECT_EQ(PartText(window, 2), "last");
}

} // namespace
