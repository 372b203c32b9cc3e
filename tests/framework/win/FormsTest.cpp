#include "framework/win/Forms.h"

#include <gtest/gtest.h>

#include "framework/win/Buttons.h"
#include "framework/win/Capture.h"
#include "framework/win/ExtCtrls.h"
#include "framework/win/Hooks.h"
#include "framework/win/ImgList.h"
#include "framework/win/Subclass.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

using FormsTest = GuiTest;

struct WatchedForm : TForm {
  explicit WatchedForm(bool *gone) : TForm(nullptr), gone_(gone) { SetBounds(0, 0, 300, 200); }
  ~WatchedForm() override { *gone_ = true; }
  bool *gone_;
};

TEST_F(FormsTest, ClosingHidesUnlessOnCloseSaysOtherwise) {
  bool gone = false;
  auto *form = new WatchedForm(&gone);
  form->Show();
  form->OnClose = [](TObject *, TCloseAction &action) { action = TCloseAction::caNone; };
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(form->Showing());
  form->OnClose = nullptr;
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(gone);
  form->Show();
  form->OnClose = [](TObject *, TCloseAction &action) { action = TCloseAction::caFree; };
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(gone); // freed once the message being handled is done
  EXPECT_TRUE(WaitFor([&] { return gone; }, 2000));
}

TEST_F(FormsTest, OnShowRunsEachTimeTheFormGoesFromHiddenToShown) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  int shows = 0, hides = 0;
  form.OnShow = [&](TObject *) { ++shows; };
  form.OnHide = [&](TObject *) { ++hides; };
  form.Show();
  form.Show();
  EXPECT_EQ(shows, 1);
  form.Hide();
  form.Show();
  EXPECT_EQ(shows, 2);
  EXPECT_EQ(hides, 1);
}

TEST_F(FormsTest, CentredFormsSitInTheMiddleOfTheScreenOrDesktop) {
  TForm screen(nullptr);
  screen.SetBounds(0, 0, 400, 300);
  screen.SetPosition(TPosition::poScreenCenter);
  screen.Show();
  EXPECT_EQ(screen.Left(), (GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
  EXPECT_EQ(screen.Top(), (GetSystemMetrics(SM_CYSCREEN) - 300) / 2);
  TForm desktop(nullptr);
  desktop.SetBounds(0, 0, 400, 300);
  desktop.SetPosition(TPosition::poDesktopCenter);
  desktop.Show();
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(desktop.Left(), work.left + (work.right - work.left - 400) / 2);
}

TEST_F(FormsTest, AModalFormEndsWithTheResultOfTheButtonPressed) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto *button = new TButton(&form);
  button->SetParent(&form);
  button->SetModalResult(mrRetry);
  static TButton *pressed = nullptr;
  pressed = button;
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, [](HWND, UINT, UINT_PTR, DWORD) {
    if (pressed && pressed->Showing()) {
      TButton *target = pressed;
      pressed = nullptr;
      Click(*target);
    }
  });
  EXPECT_EQ(form.ShowModal(), mrRetry);
  KillTimer(nullptr, timer);
  EXPECT_FALSE(form.Visible());
  EXPECT_FALSE(form.Modal());
}

// Pixel colours, without alpha, of a control's middle in a capture of its form.
uint32_t MiddleOf(TForm &form, TControl &control, int dx = 0, int dy = 0) {
  const TDibBitmap shot = CaptureWindow(form.Handle(), false);
  const POINT origin = control.ClientToScreen(POINT{control.Width() / 2 + dx, control.Height() / 2 + dy});
  const POINT formOrigin = form.ClientToScreen(POINT{0, 0});
  return shot.Pixel(origin.x - formOrigin.x, origin.y - formOrigin.y) & 0xFFFFFF;
}

TEST_F(FormsTest, PictureButtonsDrawTheirGlyphAndGreyItWhenDisabled) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  auto *button = new TBitBtn(&form);
  button->SetParent(&form);
  button->SetBounds(10, 10, 40, 30);
  TDibBitmap glyph(16, 16, 0xFFFF0000u);
  button->SetGlyph(std::move(glyph));
  form.Show();
  EXPECT_EQ(MiddleOf(form, *button), 0xFF0000u);
  button->SetEnabled(false);
  const uint32_t grey = MiddleOf(form, *button);
  EXPECT_NE(grey, 0xFF0000u);
  EXPECT_EQ((grey >> 16) & 0xFF, grey & 0xFF); // no colour left

  // From an image list instead, with a picture of its own when disabled.
  TImageList images(nullptr);
  images.Add(TDibBitmap(16, 16, 0xFF00FF00u));
  images.Add(TDibBitmap(16, 16, 0xFF0000FFu));
  button->SetImages(&images);
  button->SetImageIndex(0);
  button->SetDisabledIndex(1);
  EXPECT_EQ(MiddleOf(form, *button), 0x0000FFu);
  button->SetEnabled(true);
  EXPECT_EQ(MiddleOf(form, *button), 0x00FF00u);
}

TEST_F(FormsTest, AutoScrollShowsScrollBarsThatBringEveryControlIntoView) {
  TForm form(nullptr);
  form.SetClientSize(200, 150);
  auto *distant = new TButton(&form);
  distant->SetParent(&form);
  distant->SetBounds(300, 400, 75, 25);
  form.SetAutoScroll(true);
  form.Show();
  SCROLLINFO vertical{sizeof(vertical), SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(form.Handle(), SB_VERT, &vertical));
  EXPECT_EQ(vertical.nMax, 424);
  SendMessageW(form.Handle(), WM_VSCROLL, SB_BOTTOM, 0);
  SendMessageW(form.Handle(), WM_HSCROLL, SB_BOTTOM, 0);
  const RECT client = form.ClientRect();
  EXPECT_EQ(distant->Top() + distant->Height(), client.bottom);
  EXPECT_EQ(distant->Left() + distant->Width(), client.right);
  form.SetAutoScroll(false); // back where it was put, no bars
  EXPECT_EQ(distant->Top(), 400);
  EXPECT_FALSE(GetWindowLongPtrW(form.Handle(), GWL_STYLE) & WS_VSCROLL);
}

TEST_F(FormsTest, LabelsFillTheirColourUnlessTransparent) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 100);
  form.SetColor(clSilver);
  auto *label = new TLabel(&form);
  label->SetParent(&form);
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 200, 20);
  label->SetCaption("x");
  label->SetColor(clYellow);
  form.Show();
  EXPECT_EQ(MiddleOf(form, *label, 60), 0xFFFF00u); // yellow, red + green
  label->SetTransparent(true);
  EXPECT_EQ(MiddleOf(form, *label, 60), 0xC0C0C0u);
}

TEST_F(FormsTest, ImagesDrawTheirPictureScaledToFitWithItsProportions) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 250);
  form.SetColor(clWhite);
  auto *image = new TImage(&form);
  image->SetParent(&form);
  image->SetBounds(20, 20, 154, 154);
  image->SetStretch(true);
  image->SetProportional(true);
  image->SetPicture(TDibBitmap(300, 100, 0xFF0000FFu)); // wide and blue
  form.Show();
  // Full width, 154 * 100 / 300 = 51 pixels high, from the top.
  EXPECT_EQ(MiddleOf(form, *image, 0, -77 + 25), 0x0000FFu);
  EXPECT_EQ(MiddleOf(form, *image, 0, -77 + 60), 0xFFFFFFu);
}

} // namespace

namespace {

// A component that changed its owner's window and undoes that itself.
struct WindowHook : TComponent {
  WindowHook(TWinControl &owner, bool &sawWindow) : TComponent(&owner), sawWindow_(sawWindow) {
    subclass_.Attach(owner.Handle(), [](TWindowSubclass &self, UINT message, WPARAM w, LPARAM l) {
      return self.CallOld(message, w, l);
    });
  }
  ~WindowHook() override {
    sawWindow_ = IsWindow(subclass_.Window()) && subclass_.Attached();
    subclass_.Restore();
  }
  bool &sawWindow_;
  TWindowSubclass subclass_;
};

TEST_F(FormsTest, OwnedComponentsGoWhileTheirOwnersWindowStillExists) {
  const int stubs = TWindowSubclass::LiveStubs();
  bool sawWindow = false;
  {
    TForm form(nullptr);
    new WindowHook(form, sawWindow); // owned by the form
  }
  EXPECT_TRUE(sawWindow);
  EXPECT_EQ(TWindowSubclass::LiveStubs(), stubs); // restored, not left behind
}

TEST_F(FormsTest, AnMdiChildLivesInItsFramesClientAndIsBoundAtCreation) {
  TForm frame(nullptr);
  frame.SetFormStyle(TFormStyle::fsMDIForm);
  frame.SetBounds(0, 0, 500, 400);
  frame.Show();
  ASSERT_NE(frame.ClientHandle(), nullptr);
  EXPECT_EQ(WindowClass(frame.ClientHandle()), "MDIClient");
  TControl *seenAtCreation = nullptr;
  THook hook(THookKind::Cbt, [&](THook &self, int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && WindowClass(reinterpret_cast<HWND>(wParam)) == "TForm")
      seenAtCreation = FindControl(reinterpret_cast<HWND>(wParam));
    return self.CallNext(code, wParam, lParam);
  });
  TForm child(nullptr);
  child.SetFormStyle(TFormStyle::fsMDIChild);
  child.SetBounds(10, 10, 200, 150);
  child.Show();
  EXPECT_EQ(seenAtCreation, &child);
  EXPECT_EQ(GetParent(child.Handle()), frame.ClientHandle());
  EXPECT_TRUE(GetWindowLongPtrW(child.Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
  EXPECT_EQ(frame.MDIChildCount(), 1);
  EXPECT_EQ(frame.ActiveMDIChild(), &child);
  child.SetWindowState(TWindowState::wsMaximized);
  EXPECT_EQ(child.WindowState(), TWindowState::wsMaximized);
  child.SetWindowState(TWindowState::wsNormal);
  EXPECT_EQ(child.WindowState(), TWindowState::wsNormal);
}

} // namespace
