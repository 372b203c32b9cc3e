#include "skin/runtime/Winskinform.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <vector>

#include "BuiltSkins.h"
#include "framework/core/BitmapDraw.h"
#include "framework/win/Capture.h"
#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/Grids.h"
#include "skin/data/Winskindata.h"
#include "skin/runtime/SkinMessages.h"
#include "skin/runtime/Winskindlg.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

// A form that records what reaches it after the skinner.
struct RecordingForm : TForm {
  RecordingForm() : TForm(nullptr) {
    SetBounds(60, 60, 420, 300);
    SetCaption("Skinned");
    SetIcon(LoadIconW(nullptr, IDI_APPLICATION)); // a shared system icon: not owned
  }
  // Records the messages that reach the form's own procedure.
  void Record() {
    TWndMethod inner = WindowProc;
    WindowProc = [this, inner](TMessage &m) {
      seen.push_back(m);
      if (m.Msg == WM_SYSCOMMAND || m.Msg == CN_SkinButtonAction) {
        m.Result = 0;
        return; // the test only wants to know it came
      }
      inner(m);
    };
  }
  bool Saw(UINT message, WPARAM wParam) const {
    for (const TMessage &m : seen)
      if (m.Msg == message && (m.WParam & 0xFFF0) == (wParam & 0xFFF0))
        return true;
    return false;
  }
  std::vector<TMessage> seen;
};

class SkinnedWindowTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    InstallSkinRuntime();
    skin_ = std::make_unique<TSkinData>(nullptr);
    skin_->LoadFromFile(SkinPackages().at(2));
    ASSERT_FALSE(skin_->SkinLoading());
    skin_->Loaded();
    manager_ = RuntimeSkinManager();
    ASSERT_NE(manager_, nullptr);
  }
  void TearDown() override {
    forms_.clear();
    skin_.reset();
    DestroySkinManager();
    GuiTest::TearDown();
  }
  // Shows a form and skins every shown window now (as the timer would).
  RecordingForm &ShowSkinned() {
    forms_.push_back(std::make_unique<RecordingForm>());
    RecordingForm &form = *forms_.back();
    form.Show();
    ProcessMessages();
    skin_->SetActive(true);
    manager_->OnTimer();
    EXPECT_TRUE(WaitFor([&] { return Skinner(form) && Skinner(form)->State() == SkinState::Active; }));
    ProcessMessages();
    return form;
  }
  TWinSkinForm *Skinner(TForm &form) { return manager_->FindSkinForm(form.WindowHandle()); }
  POINT ScreenPoint(TForm &form, POINT windowPoint) {
    RECT r{};
    GetWindowRect(form.WindowHandle(), &r);
    return {r.left + windowPoint.x, r.top + windowPoint.y};
  }
  static LPARAM Pack(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }
  TWinSysButton *ButtonWithAction(TWinSkinForm &skinner, int action) {
    for (const auto &b : skinner.SysButtons())
      if (b->Data.Action == action && b->Visible)
        return b.get();
    return nullptr;
  }

  std::unique_ptr<TSkinData> skin_;
  TSkinManage *manager_ = nullptr;
  std::vector<std::unique_ptr<RecordingForm>> forms_;
};

} // namespace

TEST_F(SkinnedWindowTest, TheScreenShowsTheSkinsBordersAndButtonsActiveAndInactive) {
  RecordingForm &form = ShowSkinned();
  TWinSkinForm &skinner = *Skinner(form);
  const TFrameMetrics metrics = skinner.Metrics();
  ASSERT_GT(metrics.Left, 0);
  ASSERT_GT(metrics.Top, 0);
  RECT r{};
  GetWindowRect(form.WindowHandle(), &r);
  const int width = r.right - r.left, height = r.bottom - r.top;

  // The client area is the window less the skin's borders.
  RECT client{};
  GetClientRect(form.WindowHandle(), &client);
  EXPECT_EQ(client.right, width - metrics.Left - metrics.Right);
  EXPECT_EQ(client.bottom, height - metrics.Top - metrics.Bottom);

  for (bool active : {true, false}) {
    // The state under test is set here rather than left to the desktop,
    // where another program's window may take the focus meanwhile.
    SendMessageW(form.WindowHandle(), WM_NCACTIVATE, active ? TRUE : FALSE, 0);
    ProcessMessages();
    TBitmap expected(width, height);
    ComposeFrame(expected, *skin_, metrics, active);
    const TDibBitmap shot = CaptureWindow(form.WindowHandle(), true);
    for (int y : {metrics.Top + 5, height / 2, height - metrics.Bottom - 1})
      for (int x = 0; x < metrics.Left; ++x)
        EXPECT_EQ(Shot(shot, x, y), expected.GetPixel(x, y)) << "left border " << x << "," << y << " active " << active;
    EXPECT_EQ(Shot(shot, width / 2, height - 1), expected.GetPixel(width / 2, height - 1));

    // The close button shows frame 1, or frame 4 of four when inactive.
    TWinSysButton *close = ButtonWithAction(skinner, SysAction::Close);
    ASSERT_NE(close, nullptr);
    const TDataSkinSysButton &data = close->Data;
    const TRect frame = data.FrameOf(active || data.Frame < 4 ? 1 : 4);
    int compared = 0;
    for (int y = 0; y < frame.Height(); ++y)
      for (int x = 0; x < frame.Width(); ++x) {
        const TColor want = data.Image.GetPixel(frame.Left + x, frame.Top + y);
        if (want == clFuchsia)
          continue;
        ++compared;
        EXPECT_EQ(Shot(shot, close->Rect.Left + x, close->Rect.Top + y), want);
      }
    EXPECT_GT(compared, 10);
  }
}

TEST_F(SkinnedWindowTest, TheShapeLeavesOutTheCornersMagentaAndTheCaptionDrags) {
  RecordingForm &form = ShowSkinned();
  TWinSkinForm &skinner = *Skinner(form);
  OwnedRegion region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(form.WindowHandle(), region.get()), ERROR);
  // Whatever the skin paints magenta in the top-left corner is not window.
  const TBitmap &composed = skinner.FrameBitmap();
  bool sawKey = false;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      const bool key = composed.GetPixel(x, y) == clFuchsia;
      sawKey = sawKey || key;
      EXPECT_EQ(PtInRegion(region.get(), x, y) != FALSE, !key) << x << "," << y;
    }
  EXPECT_TRUE(sawKey) << "the skin under test cuts its corners";
  EXPECT_TRUE(PtInRegion(region.get(), 200, 150));

  const POINT caption = ScreenPoint(form, {150, skinner.Metrics().Top / 2 + 2});
  EXPECT_EQ(SendMessageW(form.WindowHandle(), WM_NCHITTEST, 0, Pack(caption)), HTCAPTION);
  const POINT inside = ScreenPoint(form, {200, 150});
  EXPECT_EQ(SendMessageW(form.WindowHandle(), WM_NCHITTEST, 0, Pack(inside)), HTCLIENT);
}

TEST_F(SkinnedWindowTest, CaptionButtonsPostTheirCommands) {
  RecordingForm &form = ShowSkinned();
  form.Record();
  TWinSkinForm &skinner = *Skinner(form);
  auto click = [&](TWinSysButton &button, UINT down = WM_NCLBUTTONDOWN) {
    const POINT p = ScreenPoint(form, {button.Rect.Left + button.Rect.Width() / 2,
                                       button.Rect.Top + button.Rect.Height() / 2});
    SendMessageW(form.WindowHandle(), down, HTCAPTION, Pack(p));
    if (down == WM_NCLBUTTONDOWN)
      SendMessageW(form.WindowHandle(), WM_NCLBUTTONUP, HTCAPTION, Pack(p));
    ProcessMessages();
  };
  TWinSysButton *close = ButtonWithAction(skinner, SysAction::Close);
  ASSERT_NE(close, nullptr);
  click(*close);
  EXPECT_TRUE(form.Saw(WM_SYSCOMMAND, SC_CLOSE));

  // A button whose action means nothing to the runtime tells the window.
  form.seen.clear();
  const_cast<TDataSkinSysButton &>(close->Data).Action = 40;
  click(*close);
  EXPECT_TRUE(form.Saw(CN_SkinButtonAction, 40));
  const_cast<TDataSkinSysButton &>(close->Data).Action = SysAction::Close;

  // A double click on the icon closes the window.
  TWinSysButton *icon = ButtonWithAction(skinner, SysAction::Icon);
  ASSERT_NE(icon, nullptr);
  {
    form.seen.clear();
    click(*icon, WM_NCLBUTTONDBLCLK);
    EXPECT_TRUE(form.Saw(WM_SYSCOMMAND, SC_CLOSE));
  }
}

TEST_F(SkinnedWindowTest, AMaximisedWindowCannotBeDragged) {
  RecordingForm &form = ShowSkinned();
  ShowWindow(form.WindowHandle(), SW_MAXIMIZE);
  ProcessMessages();
  form.Record();
  TWinSkinForm &skinner = *Skinner(form);
  SetActiveWindow(form.WindowHandle());
  SendMessageW(form.WindowHandle(), WM_NCACTIVATE, TRUE, 0);
  ASSERT_EQ(skinner.WindowState(), TSkinWindowState::swsMax);
  const POINT caption = ScreenPoint(form, {150, skinner.Metrics().Top / 2 + 2});
  // The caption's press reaches the window as a press on the menu, which
  // starts no move.
  PostMessageW(form.WindowHandle(), WM_LBUTTONUP, 0, 0);
  SendMessageW(form.WindowHandle(), WM_NCLBUTTONDOWN, HTCAPTION, Pack(caption));
  bool sawMenuPress = false;
  for (const TMessage &m : form.seen)
    if (m.Msg == WM_NCLBUTTONDOWN)
      sawMenuPress = m.WParam == HTMENU;
  EXPECT_TRUE(sawMenuPress);
}

TEST_F(SkinnedWindowTest, UnskinningGivesTheWindowItsOuterSizeBack) {
  forms_.push_back(std::make_unique<RecordingForm>());
  RecordingForm &form = *forms_.back();
  form.Show();
  ProcessMessages();
  RECT before{};
  GetWindowRect(form.WindowHandle(), &before);
  RECT clientBefore{};
  GetClientRect(form.WindowHandle(), &clientBefore);
  skin_->SetActive(true);
  manager_->OnTimer();
  ASSERT_TRUE(WaitFor([&] { return Skinner(form) && Skinner(form)->State() == SkinState::Active; }));
  RECT clientSkinned{};
  GetClientRect(form.WindowHandle(), &clientSkinned);
  EXPECT_EQ(clientSkinned.right, clientBefore.right); // the client keeps its size
  EXPECT_EQ(clientSkinned.bottom, clientBefore.bottom);
  skin_->SetActive(false);
  manager_->OnTimer();
  ProcessMessages();
  EXPECT_EQ(Skinner(form), nullptr);
  RECT after{};
  GetWindowRect(form.WindowHandle(), &after);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

TEST_F(SkinnedWindowTest, UnskinningGivesTheDesignedColoursBack) {
  forms_.push_back(std::make_unique<RecordingForm>());
  RecordingForm &form = *forms_.back();
  form.SetColor(clTeal);
  auto addGrid = [&](TWinControl &parent, int top) {
    auto *grid = new TStringGrid(&form); // owned by the form
    grid->SetParent(&parent);
    grid->SetBounds(10, top, 200, 60);
    grid->SetFixedColor(clYellow);
    return grid;
  };
  TStringGrid *grid = addGrid(form, 10);
  TStringGrid *freed = addGrid(form, 80);
  auto *nested = new TForm(&form); // owned by the form
  nested->SetParent(&form);
  nested->SetBounds(220, 10, 150, 100);
  nested->SetColor(clOlive);
  TStringGrid *nestedGrid = addGrid(*nested, 5);
  auto addPanel = [&](int top) {
    auto *panel = new TPanel(&form); // owned by the form
    panel->SetParent(&form);
    panel->SetBounds(10, top, 100, 30);
    return panel;
  };
  TPanel *following = addPanel(150);
  following->SetParentColor(true); // follows the form
  TPanel *own = addPanel(190);
  own->SetColor(clMaroon);
  nested->Show();
  form.Show();
  ProcessMessages();
  skin_->SetActive(true);
  manager_->OnTimer();
  ASSERT_TRUE(WaitFor([&] { return Skinner(form) && Skinner(form)->State() == SkinState::Active; }));

  // Two skin changes: the second replaces the first skin's colours, and the
  // design is still what comes back.
  for (const size_t package : {3u, 4u}) {
    skin_->LoadFromFile(SkinPackages().at(package));
    manager_->OnTimer();
    ProcessMessages();
    const TColor face = skin_->Colors(csButtonFace);
    EXPECT_EQ(form.Color(), face);
    EXPECT_EQ(grid->FixedColor(), face);
    EXPECT_EQ(nested->Color(), face);
    EXPECT_EQ(nestedGrid->FixedColor(), face);
  }
  delete freed; // a control gone while skinned is simply not restored
  skin_->SetActive(false);
  manager_->OnTimer();
  ProcessMessages();
  EXPECT_EQ(Skinner(form), nullptr);
  EXPECT_EQ(form.Color(), clTeal);
  EXPECT_EQ(grid->FixedColor(), clYellow);
  EXPECT_EQ(nested->Color(), clOlive);
  EXPECT_EQ(nestedGrid->FixedColor(), clYellow);
  EXPECT_TRUE(following->ParentColor());
  EXPECT_EQ(following->Color(), clTeal);
  EXPECT_EQ(own->Color(), clMaroon);
}

TEST_F(SkinnedWindowTest, WindowsThatOptOutOrDoNotQualifyAreLeftAlone) {
  skin_->SetActive(true);
  manager_->OnTimer();
  // Tag 99.
  RecordingForm tagged;
  tagged.SetTag(NoSkinTag);
  tagged.Show();
  ProcessMessages();
  EXPECT_FALSE(manager_->AddForm(tagged.WindowHandle()));
  // A window that says it is skinned already.
  struct SelfSkinned : RecordingForm {
    SelfSkinned() {
      TWndMethod inner = WindowProc;
      WindowProc = [inner](TMessage &m) {
        if (m.Msg == CN_IsSkinned) {
          m.Result = 1;
          return;
        }
        inner(m);
      };
    }
  } self;
  self.Show();
  ProcessMessages();
  EXPECT_FALSE(manager_->AddForm(self.WindowHandle()));
  // The application's own hidden window.
  EXPECT_FALSE(manager_->AddForm(TestApplication().Handle()));
  // A zero-sized window.
  RecordingForm empty;
  empty.SetBorderStyle(TFormBorderStyle::bsNone);
  empty.SetBounds(0, 0, 0, 0);
  empty.Show();
  ProcessMessages();
  EXPECT_FALSE(manager_->AddForm(empty.WindowHandle()));
  // A form placed in another one: only a forced request skins it.
  RecordingForm host;
  host.SetTag(NoSkinTag);
  host.Show();
  RecordingForm nested;
  nested.SetParent(&host);
  nested.SetBounds(10, 10, 100, 80);
  nested.Show();
  ProcessMessages();
  EXPECT_FALSE(manager_->AddForm(nested.WindowHandle()));
  manager_->SetForced(true);
  EXPECT_TRUE(manager_->AddForm(nested.WindowHandle()));
  manager_->SetForced(false);
  // A second request never adds a second skinner.
  manager_->SetForced(true);
  EXPECT_FALSE(manager_->AddForm(nested.WindowHandle()));
  manager_->SetForced(false);
  manager_->DeleteForm(nested.WindowHandle());
}

TEST_F(SkinnedWindowTest, PreviewWindowsNeedTheOption) {
  skin_->SetActive(true);
  manager_->OnTimer();
  EXPECT_TRUE(manager_->OnBeforeSkin("TPrintPreview"));
  TSkinOptions options = skin_->Options();
  options.Exclude(TSkinOption::xoPreview);
  skin_->SetOptions(options);
  EXPECT_FALSE(manager_->OnBeforeSkin("TPrintPreview"));
  EXPECT_FALSE(manager_->OnBeforeSkin("MYPREVIEWWINDOW"));
  EXPECT_TRUE(manager_->OnBeforeSkin("TForm1"));
}
