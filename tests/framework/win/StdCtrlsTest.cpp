#include "framework/win/StdCtrls.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <climits>

#include "framework/win/Buttons.h"
#include "framework/win/Capture.h"
#include "framework/win/ComCtrls.h"
#include "framework/win/ExtCtrls.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class StdCtrlsTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 700, 400);
  }
  void TearDown() override {
    delete form;
    GuiTest::TearDown();
  }
  TForm *form = nullptr;
};

TEST_F(StdCtrlsTest, AnAutoSizedLabelTakesTheSizeOfItsText) {
  auto *label = new TLabel(form);
  label->SetParent(form);
  label->SetCaption("AND");
  const int narrow = label->Width();
  label->SetCaption("     ET"); // leading blanks count
  EXPECT_GT(label->Width(), narrow);
  const int plain = label->Width();
  label->Font().SetStyle(fs::Bold);
  EXPECT_GE(label->Width(), plain);
  EXPECT_GT(label->Height(), 8);
}

TEST_F(StdCtrlsTest, ARadioGroupLaysItsButtonsOutInColumnsAndTracksTheClickedOne) {
  auto *group = new TRadioGroup(form);
  group->SetParent(form);
  group->SetBounds(192, 27, 529, 31);
  group->SetColumns(8);
  group->SetItems({"1 Byte", "1 Kb", "10 Kb", "100 Kb", "1 Mb", "10 Mb", "100 Mb", "1 Gb"});
  group->SetItemIndex(0);
  int clicks = 0;
  group->OnClick = [&](TObject *) { ++clicks; };
  form->Show();
  ASSERT_EQ(group->ItemCount(), 8);
  // (529 - 10) / 8 = 64 pixels per column, the first 8 from the left.
  EXPECT_EQ(group->Button(0)->Left(), 8);
  EXPECT_EQ(group->Button(3)->Left(), 8 + 3 * 64);
  EXPECT_EQ(group->Button(3)->Top(), group->Button(0)->Top());
  Click(*group->Button(4));
  EXPECT_EQ(group->ItemIndex(), 4);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(group->Button(0)->Checked());
  EXPECT_EQ(SendMessageW(group->Button(4)->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(group->Button(0)->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  group->SetItemIndex(-1);
  EXPECT_EQ(group->ItemIndex(), -1);
  EXPECT_FALSE(group->Button(4)->Checked());
}

TEST_F(StdCtrlsTest, ACheckBoxFollowsClicksAndSettingsGrayedOnlyWhenAllowed) {
  auto *check = new TCheckBox(form);
  check->SetParent(form);
  check->SetCaption("Recurse directories");
  check->SetChecked(true);
  form->Show();
  EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  Click(*check);
  EXPECT_FALSE(check->Checked());
  Click(*check);
  EXPECT_TRUE(check->Checked());
  check->SetAllowGrayed(true);
  std::vector<TCheckBoxState> states;
  check->OnClick = [&](TObject *) { states.push_back(check->State()); };
  for (int i = 0; i < 3; ++i)
    Click(*check);
  EXPECT_EQ(states, (std::vector<TCheckBoxState>{TCheckBoxState::cbUnchecked, TCheckBoxState::cbGrayed,
                                                 TCheckBoxState::cbChecked}));
  check->SetAllowGrayed(false);
  check->SetState(TCheckBoxState::cbGrayed); // the program may still
  EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
}

TEST_F(StdCtrlsTest, PublishedPropertiesReachTheControlsByName) {
  auto *check = new TCheckBox(form);
  check->SetParent(form);
  auto *button = new TBitBtn(form);
  button->SetParent(form);
  form->Show();
  const TPropertyTable &checks = *check->PublishedProperties();
  ASSERT_TRUE(checks.Find("State")->SetEnumName(*check, "cbGrayed"));
  EXPECT_EQ(SendMessageW(check->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  EXPECT_EQ(checks.Find("Checked")->GetOrdinal(*check), 0);
  checks.Find("Caption")->SetString(*check, "By name");
  EXPECT_EQ(WindowText(check->Handle()), "By name");
  checks.Find("Enabled")->SetOrdinal(*check, 0);
  EXPECT_FALSE(IsWindowEnabled(check->Handle()));
  // Every control reaches its font, and its enumerations by value name.
  const TPropertyTable &buttons = *button->PublishedProperties();
  EXPECT_EQ(buttons.Find("Font")->GetObject(*button), &button->Font());
  ASSERT_TRUE(buttons.Find("Layout")->SetEnumName(*button, "BLGLYPHTOP"));
  EXPECT_EQ(button->Layout(), TButtonLayout::blGlyphTop);
  EXPECT_EQ(buttons.Find("Glyph")->GetObject(*button), &button->Glyph());
  EXPECT_EQ(buttons.Find("State"), nullptr);
}

TEST_F(StdCtrlsTest, DisabledOrHiddenButtonsCannotBeClicked) {
  auto *button = new TBitBtn(form);
  button->SetParent(form);
  button->SetBounds(10, 10, 80, 30);
  button->SetCaption("Start");
  int clicks = 0;
  button->OnClick = [&](TObject *) { ++clicks; };
  form->Show();
  Click(*button);
  button->SetEnabled(false);
  Click(*button);
  button->SetEnabled(true);
  button->Hide();
  Click(*button);
  EXPECT_EQ(clicks, 1);
}

TEST_F(StdCtrlsTest, HintsBecomeTooltipsOfTheirWindows) {
  auto *edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetHint("Ex : *.jpg");
  form->Show();
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = form->Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(edit->Handle());
  wchar_t text[80] = {};
  tool.lpszText = text;
  ASSERT_TRUE(SendMessageW(TestApplication().HintWindow(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool)));
  SendMessageW(TestApplication().HintWindow(), TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"Ex : *.jpg");
}

TEST(ButtonLayout, GlyphAndCaptionAreCentredTogether) {
  const RECT client{2, 2, 78, 28};
  ButtonLayout layout = CalcButtonLayout(client, SIZE{20, 20}, SIZE{30, 13}, TButtonLayout::blGlyphLeft, -1, 4);
  const int block = 20 + 4 + 30;
  EXPECT_EQ(layout.glyph.left, 2 + (76 - block + 1) / 2);
  EXPECT_EQ(layout.text.left, layout.glyph.right + 4);
  // Without a caption the glyph alone is centred.
  layout = CalcButtonLayout(client, SIZE{20, 20}, SIZE{0, 0}, TButtonLayout::blGlyphLeft, -1, 4);
  EXPECT_EQ(layout.glyph.left, 2 + (76 - 20 + 1) / 2);
  EXPECT_EQ(layout.glyph.top, 2 + (26 - 20 + 1) / 2);
}

TEST_F(StdCtrlsTest, AProgressBarClampsItsPositionAndWrapsWhenStepping) {
  auto *bar = new TProgressBar(form);
  bar->SetParent(form);
  bar->SetRange(0, 100);
  bar->SetStep(1);
  form->Show();
  bar->SetPosition(150);
  EXPECT_EQ(bar->Position(), 100);
  bar->SetPosition(99);
  bar->StepIt();
  EXPECT_EQ(bar->Position(), 100);
  bar->StepIt();
  EXPECT_EQ(bar->Position(), 1);
}

TEST_F(StdCtrlsTest, AMarqueeBarTicksAtItsIntervalUntilItsStyleGoesBack) {
  auto *bar = new TProgressBar(form);
  bar->SetParent(form);
  bar->SetMarqueeInterval(15);
  form->Show();
  int ticks = 0;
  TWndMethod own = bar->WindowProc;
  bar->WindowProc = [&](TMessage &message) {
    ticks += message.Msg == WM_TIMER;
    own(message);
  };
  bar->SetStyle(TProgressBarStyle::pbstMarquee);
  EXPECT_TRUE(GetWindowLongPtrW(bar->WindowHandle(), GWL_STYLE) & PBS_MARQUEE);
  EXPECT_TRUE(WaitFor([&] { return ticks >= 3; }, 2000));
  bar->SetStyle(TProgressBarStyle::pbstNormal);
  EXPECT_FALSE(GetWindowLongPtrW(bar->WindowHandle(), GWL_STYLE) & PBS_MARQUEE);
  ProcessMessages();
  const int stopped = ticks;
  Sleep(100);
  ProcessMessages();
  EXPECT_EQ(ticks, stopped);
  bar->WindowProc = own;
}

TEST_F(StdCtrlsTest, RichEditLinesKeepTheFormatInForceWhenAdded) {
  auto *rich = new TRichEdit(form);
  rich->SetParent(form);
  rich->SetBounds(0, 0, 400, 300);
  form->Show();
  rich->AddLine("plain");
  rich->SetSelAttributes(TTextAttributes{true, false, clRed});
  rich->SetParagraph(TParaAttributes{true, 20});
  rich->AddLine("bold red bullet");
  rich->AddLine("still so");
  rich->SetParagraph(TParaAttributes{false, 2});
  rich->AddLine("");
  // A line the box wraps is still one line.
  const std::string longLine(400, 'w');
  rich->AddLine(longLine);
  ASSERT_EQ(rich->LineCount(), 5);
  EXPECT_EQ(rich->Line(4), longLine);
  EXPECT_FALSE(rich->LineParagraph(4).Bullets);
  EXPECT_EQ(rich->Line(1), "bold red bullet");
  EXPECT_FALSE(rich->LineAttributes(0).Bold);
  EXPECT_TRUE(rich->LineAttributes(2).Bold);
  EXPECT_EQ(rich->LineAttributes(2).Color, clRed);
  EXPECT_TRUE(rich->LineParagraph(1).Bullets);
  EXPECT_EQ(rich->LineParagraph(1).FirstIndent, 20);
  EXPECT_FALSE(rich->LineParagraph(3).Bullets);
  rich->ClearLines();
  EXPECT_EQ(rich->LineCount(), 0);
}

TEST_F(StdCtrlsTest, RichEditBulletsAreDrawnAsBullets) {
  auto *rich = new TRichEdit(form);
  rich->SetParent(form);
  rich->SetBounds(0, 0, 400, 100);
  form->Show();
  rich->SetParagraph(TParaAttributes{true, 20});
  rich->AddLine("Item");
  ::SetFocus(form->Handle()); // no caret in the picture
  // The first mark of the line is the bullet: a blob no taller than wide,
  // half way up the letters, not a sign as tall as they are.
  const TDibBitmap shot = CaptureWindow(rich->Handle(), false);
  struct Box {
    int left = INT_MAX, right = -1, top = INT_MAX, bottom = -1;
  } bullet, letters;
  for (int x = 0; x < shot.Width() - 20; ++x)
    for (int y = 0; y < shot.Height() - 20; ++y)
      if ((shot.Pixel(x, y) & 0xFF) < 0x80) {
        // Columns after the first gap in the marks belong to the letters.
        Box &box = bullet.right < 0 || x <= bullet.right + 1 ? bullet : letters;
        box = {std::min(box.left, x), std::max(box.right, x), std::min(box.top, y), std::max(box.bottom, y)};
      }
  ASSERT_GE(letters.right, 0);
  EXPECT_LE(bullet.bottom - bullet.top, bullet.right - bullet.left + 1);
  EXPECT_GT(bullet.top, letters.top);
  EXPECT_LT(bullet.bottom, letters.bottom);
}

TEST_F(StdCtrlsTest, ATimerTicksFromTheMessageLoop) {
  TTimer timer(nullptr);
  timer.SetInterval(20);
  int ticks = 0;
  timer.OnTimer = [&](TObject *) { ++ticks; };
  EXPECT_TRUE(WaitFor([&] { return ticks >= 2; }, 3000));
  timer.SetEnabled(false);
  const int stopped = ticks;
  Sleep(80);
  ProcessMessages();
  EXPECT_EQ(ticks, stopped);
}

} // namespace
