#include "framework/win/Memo.h"

#include <gtest/gtest.h>

#include "framework/core/Exceptions.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class MemoTest : public FormTest {};

TEST_F(MemoTest, LinesAreTheParagraphsOfTheText) {
  TMemo memo(nullptr); // no window: the same rules on the kept text
  memo.SetText("one\r\ntwo");
  TStrings &lines = memo.Lines();
  ASSERT_EQ(lines.Count(), 2);
  EXPECT_EQ(lines[1], "two");
  lines.Add("three"); // the open last line is closed first
  EXPECT_EQ(memo.Text(), "one\r\ntwo\r\nthree\r\n");
  lines.Insert(0, "zero");
  lines.Put(2, "TWO");
  EXPECT_EQ(memo.Text(), "zero\r\none\r\nTWO\r\nthree\r\n");
  lines.Delete(0);
  lines.Delete(2);
  EXPECT_EQ(memo.Text(), "one\r\nTWO\r\n");
  memo.SetText("a\nb\rc");
  lines.Delete(2); // a last line without its break takes the break before it
  EXPECT_EQ(memo.Text(), "a\nb");
  EXPECT_THROW(lines.Get(2), Exception);
  EXPECT_THROW(lines.Insert(3, "x"), Exception);
  lines.Clear();
  EXPECT_EQ(lines.Count(), 0);
}

TEST_F(MemoTest, LinesFollowTheWindowAndTheTextSurvivesANewWindow) {
  auto *memo = Add<TMemo>(10, 10, 200, 100);
  memo->SetScrollBars(TScrollStyle::ssVertical);
  form->Show();
  SendMessageW(memo->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed\r\nby hand")); // as typed
  EXPECT_EQ(memo->Lines().Count(), 2);
  const HWND before = memo->Handle();
  memo->SetWordWrap(false);
  EXPECT_NE(memo->Handle(), before);
  EXPECT_TRUE(GetWindowLongPtrW(memo->Handle(), GWL_STYLE) & WS_VSCROLL);
  ASSERT_EQ(memo->Lines().Count(), 2);
  EXPECT_EQ(memo->Lines()[1], "by hand");
  // More than an edit box takes by default: nothing is cut. (Unwrapped: the
  // system's wrapping of one word this long takes a minute under Wine.)
  const std::string longLine(40000, 'x');
  memo->Lines().Add(longLine);
  EXPECT_EQ(memo->Lines()[2], longLine);
}

TEST_F(MemoTest, EnterTypesALineBreakOnlyWhenTheMemoWantsIt) {
  auto *memo = Add<TMemo>(10, 10, 200, 100);
  auto *button = Add<TButton>(10, 120, 75, 25);
  button->SetDefault(true);
  int clicks = 0;
  button->OnClick = [&](TObject *) { ++clicks; };
  form->Show();
  memo->SetFocus();
  PressKey(memo->Handle(), VK_RETURN);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(memo->Text(), "\r\n");
  memo->SetWantReturns(false);
  PressKey(memo->Handle(), VK_RETURN);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(memo->Text(), "\r\n");
}

} // namespace
