#include "framework/win/Controls.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

#include "framework/core/Texts.h"
#include "framework/core/Yield.h"
#include "framework/win/Buttons.h"
#include "framework/win/ComCtrls.h"
#include "framework/win/ExtCtrls.h"
#include "framework/win/Grids.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class ControlsTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    form = new TForm(nullptr);
    form->SetBounds(10, 10, 400, 300);
  }
  void TearDown() override {
    delete form;
    GuiTest::TearDown();
  }
  template <typename Control> Control *Add(int left, int top, int width, int height, TWinControl *parent = nullptr) {
    auto *control = new Control(form);
    control->SetParent(parent ? parent : form);
    control->SetBounds(left, top, width, height);
    return control;
  }
  TForm *form = nullptr;
};

TEST_F(ControlsTest, WindowsAreRegisteredUnderTheClassNamesAndMapBackToTheirControls) {
  auto *edit = Add<TEdit>(10, 10, 100, 21);
  auto *button = Add<TBitBtn>(10, 40, 80, 25);
  auto *progress = Add<TProgressBar>(10, 70, 100, 17);
  auto *grid = Add<TStringGrid>(10, 90, 200, 100);
  form->Show();
  EXPECT_EQ(WindowClass(form->Handle()), "TForm");
  EXPECT_EQ(WindowClass(edit->Handle()), "TEdit");
  EXPECT_EQ(WindowClass(button->Handle()), "TBitBtn");
  EXPECT_EQ(WindowClass(progress->Handle()), "TProgressBar");
  EXPECT_EQ(WindowClass(grid->Handle()), "TStringGrid");
  for (TWinControl *control : std::initializer_list<TWinControl *>{form, edit, button, progress, grid}) {
    EXPECT_EQ(FindControl(control->Handle()), control);
    EXPECT_EQ(GetPropW(control->Handle(), MAKEINTATOM(ControlAtom())), static_cast<TControl *>(control));
  }
  // The system classes underneath still do their work: the edit edits.
  SendMessageW(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed"));
  EXPECT_EQ(edit->Text(), "typed");
  EXPECT_EQ(FindControl(GetDesktopWindow()), nullptr);
}

TEST_F(ControlsTest, ThePropertyIsNamedAfterTheModuleAndTheThread) {
  char expected[64];
  std::snprintf(expected, sizeof(expected), "ControlOfs%.8llX%.8lX",
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(GetModuleHandleW(nullptr))),
                static_cast<unsigned long>(GetCurrentThreadId()));
  EXPECT_EQ(Narrow(ControlPropName()), expected);
  wchar_t atomName[64] = {};
  ASSERT_GT(GlobalGetAtomNameW(ControlAtom(), atomName, 64), 0u);
  EXPECT_EQ(Narrow(atomName), expected);
}

TEST_F(ControlsTest, TheWindowIsUnboundWhenItGoesAway) {
  auto *edit = Add<TEdit>(10, 10, 100, 21);
  form->Show();
  HWND window = edit->Handle();
  DestroyWindow(window);
  EXPECT_FALSE(edit->HandleAllocated());
  EXPECT_EQ(FindControl(window), nullptr);
  // A new window is made on the next use, bound again.
  EXPECT_EQ(FindControl(edit->Handle()), edit);
}

TEST_F(ControlsTest, AReplacedWindowProcSeesRealMessagesAndPassesThemOn) {
  auto *button = Add<TButton>(10, 10, 80, 25);
  button->SetCaption("Go");
  int clicks = 0;
  button->OnClick = [&](TObject *) { ++clicks; };
  form->Show();
  std::vector<UINT> seen;
  TWndMethod old = button->WindowProc;
  button->WindowProc = [&](TMessage &message) {
    seen.push_back(message.Msg);
    old(message);
  };
  Click(*button);
  EXPECT_EQ(clicks, 1);
  EXPECT_NE(std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_LBUTTONDOWN)), seen.end());
  EXPECT_NE(std::find(seen.begin(), seen.end(), CN_COMMAND), seen.end());
  // A skinner that swallows the click keeps the handler from running.
  button->WindowProc = [&](TMessage &message) {
    if (message.Msg != CN_COMMAND)
      old(message);
  };
  Click(*button);
  EXPECT_EQ(clicks, 1);
  button->WindowProc = old;
}

TEST_F(ControlsTest, NotificationsGoThroughWindowProc) {
  auto *button = Add<TButton>(10, 10, 80, 25);
  auto *edit = Add<TEdit>(10, 40, 80, 21);
  form->Show();
  std::vector<UINT> seen;
  TWndMethod old = button->WindowProc;
  button->WindowProc = [&](TMessage &message) {
    if (message.Msg >= CM_BASE && message.Msg < CN_BASE)
      seen.push_back(message.Msg);
    old(message);
  };
  button->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(button->Handle()));
  button->SetEnabled(true);
  edit->SetFocus();
  ProcessMessages();
  button->Font().SetStyle(fs::Bold);
  // Moving the mouse onto the button and away again, through the loop.
  PostMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  PostMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(300, 200));
  ProcessMessages();
  for (UINT expected : {CM_ENABLEDCHANGED, CM_FOCUSCHANGED, CM_FONTCHANGED, CM_MOUSEENTER, CM_MOUSELEAVE})
    EXPECT_NE(std::find(seen.begin(), seen.end(), expected), seen.end()) << expected;
  EXPECT_EQ(CM_DIALOGKEY, 45061u);
  EXPECT_EQ(CM_MENUCHANGED, 45077u);
  button->WindowProc = old;
}

TEST_F(ControlsTest, GraphicControlsGetTheMouseFromTheirParent) {
  auto *label = new TLabel(form);
  label->SetParent(form);
  label->SetBounds(50, 60, 0, 0);
  label->SetCaption("Click me");
  int clicks = 0, upX = -1, upY = -1;
  label->OnClick = [&](TObject *) { ++clicks; };
  label->OnMouseUp = [&](TObject *, TMouseButton, TShiftState, int x, int y) {
    upX = x;
    upY = y;
  };
  form->Show();
  Click(*label, 3, 4);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(upX, 3);
  EXPECT_EQ(upY, 4);
  // Disabled, it takes no clicks.
  label->SetEnabled(false);
  Click(*label, 3, 4);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsTest, NoExceptionLeavesAWindowProcedure) {
  std::vector<std::string> shown;
  TestApplication().OnException = [&](TObject *, const Exception &error) { shown.push_back(error.Message()); };
  auto *button = Add<TButton>(10, 10, 80, 25);
  form->Show();
  button->OnClick = [](TObject *) { throw Exception("disk full"); };
  Click(*button);
  button->OnClick = [](TObject *) { Abort(); };
  Click(*button);
  button->OnClick = [](TObject *) { throw std::runtime_error("not ours"); };
  Click(*button);
  // Mouse handlers, also of a graphic control (the parent holds the mouse
  // for it): the capture still ends with the release.
  auto *label = Add<TLabel>(10, 50, 80, 20);
  label->OnMouseDown = [](TObject *, TMouseButton, TShiftState, int, int) { throw Exception("down"); };
  label->OnMouseUp = [](TObject *, TMouseButton, TShiftState, int, int) { throw Exception("up"); };
  Click(*label);
  EXPECT_EQ(GetCapture(), nullptr);
  TestApplication().OnException = nullptr;
  // EAbort is silent; a foreign exception shows as an empty framework one.
  EXPECT_EQ(shown, (std::vector<std::string>{"disk full", "", "down", "up"}));
}

TEST_F(ControlsTest, UnhandledExceptionsAreShownInAnErrorBoxTitledWithTheApplication) {
  DialogRecorder dialogs;
  auto *button = Add<TButton>(10, 10, 80, 25);
  form->Show();
  button->OnClick = [](TObject *) { throw Exception("Cannot open the file"); };
  Click(*button);
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].Type, TMsgDlgType::mtError);
  EXPECT_EQ(dialogs.Messages()[0].Title, "Zorvex");
  EXPECT_EQ(dialogs.Messages()[0].Text, "Cannot open the file");
  EXPECT_TRUE(form->Showing()); // and the program goes on
}

TEST_F(ControlsTest, ParentFontAndColourFollowTheParentUntilSetOwnWay) {
  auto *panel = Add<TPanel>(0, 0, 200, 100);
  auto *check = Add<TCheckBox>(10, 10, 100, 17, panel);
  panel->Font().SetColor(clBlue);
  panel->SetColor(clSilver);
  EXPECT_EQ(check->Font().Color(), clBlue);
  EXPECT_EQ(check->Color(), clSilver);
  check->Font().SetStyle(fs::Bold);
  panel->Font().SetColor(clRed);
  EXPECT_EQ(check->Font().Color(), clBlue); // its own font now
  EXPECT_FALSE(check->ParentFont());
}

TEST_F(ControlsTest, TheYieldPumpHandlesPendingMessages) {
  auto *edit = Add<TEdit>(10, 10, 100, 21);
  form->Show();
  int changes = 0;
  edit->OnChange = [&](TObject *) { ++changes; };
  PostMessageW(edit->Handle(), WM_CHAR, 'x', 1);
  YieldNow();
  EXPECT_EQ(edit->Text(), "x");
  EXPECT_EQ(changes, 1);
}

} // namespace
