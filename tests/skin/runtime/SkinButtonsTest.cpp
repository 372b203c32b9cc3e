#include "skin/runtime/SkinButtons.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "framework/core/BitmapDraw.h"
#include "framework/core/PublishedProperties.h"
#include "framework/win/Buttons.h"
#include "framework/win/Capture.h"
#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/SpeedButton.h"
#include "framework/win/StdCtrls.h"
#include "skin/data/Winskindata.h"
#include "skin/runtime/PanelPicture.h"
#include "skin/runtime/SkinMessages.h"
#include "skin/runtime/Winskindlg.h"
#include "skin/runtime/Winskinform.h"
#include "BuiltSkins.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

// Packages by what their pictures hold (see each skin's INI).
constexpr int kTwelveFrameChecks = 1; // eight-frame radio buttons
constexpr int kFourFrameChecks = 4;   // four-frame radio buttons too

// Whether frame `index` of the picture appears, at its own size, somewhere
// in the left `width` columns of the capture (magenta is see-through).
bool ShowsFrame(const TDibBitmap &shot, const TBitmap &image, int frames, int index, int width) {
  const TRect source = FrameRect(image, frames, index);
  for (int top = 0; top + source.Height() <= shot.Height(); ++top)
    for (int left = 0; left + source.Width() <= std::min(width, shot.Width()); ++left) {
      bool same = true;
      for (int y = 0; same && y < source.Height(); ++y)
        for (int x = 0; same && x < source.Width(); ++x) {
          const TColor want = image.GetPixel(source.Left + x, source.Top + y);
          same = want == clFuchsia || Shot(shot, left + x, top + y) == want;
        }
      if (same)
        return true;
    }
  return false;
}

class SkinButtonsTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    InstallSkinRuntime();
    skin_ = std::make_unique<TSkinData>(nullptr);
    Load(kTwelveFrameChecks);
    skin_->Loaded(); // makes the manager
    manager_ = RuntimeSkinManager();
    ASSERT_NE(manager_, nullptr);
  }
  void TearDown() override {
    form_.reset();
    skin_.reset();
    DestroySkinManager();
    GuiTest::TearDown();
  }
  void Load(int index) {
    skin_->LoadFromFile(SkinPackages().at(static_cast<size_t>(index)));
    ASSERT_FALSE(skin_->SkinLoading());
  }
  TForm &NewForm() {
    form_ = std::make_unique<TForm>(nullptr);
    form_->SetBounds(40, 40, 460, 340);
    return *form_;
  }
  template <typename Control> Control &Add(int left, int top, int width, int height, TWinControl *parent = nullptr) {
    auto *control = new Control(form_.get()); // owned by the form
    control->SetParent(parent ? parent : form_.get());
    control->SetBounds(left, top, width, height);
    return *control;
  }
  TWinSkinForm *Skinner() { return manager_->FindSkinForm(form_->WindowHandle()); }
  // Shows the form and skins it now (as the manager's timer would).
  void ShowSkinned() {
    form_->Show();
    ProcessMessages();
    skin_->SetActive(true);
    manager_->OnTimer();
    ASSERT_TRUE(WaitFor([&] { return Skinner() && Skinner()->State() == SkinState::Active; }));
    ProcessMessages();
  }
  TDibBitmap Capture(TWinControl &control) {
    ProcessMessages();
    return CaptureWindow(control.WindowHandle(), false);
  }
  // The skin's push button frame as a skinner composes it for the control.
  TBitmap ButtonPicture(TControl &control, int frame) {
    const TDataSkinButton &buttons = skin_->Buttons();
    TBitmap picture(control.Width(), control.Height());
    FillRect(picture, {0, 0, control.Width(), control.Height()}, ColorToRGB(control.Parent()->Color()));
    DrawNineSlice(picture, {0, 0, control.Width(), control.Height()}, buttons.Image,
                  FrameRect(buttons.Image, buttons.Frame, frame), buttons.Margins(), buttons.Tile != 0,
                  buttons.Trans == 1 ? std::optional<TColor>(clFuchsia) : std::nullopt);
    return picture;
  }
  // Whether the capture's border band (where no caption goes) is the frame.
  ::testing::AssertionResult ShowsButtonFrame(TControl &control, int frame) {
    // A control without a window is seen in its parent.
    auto *windowed = dynamic_cast<TWinControl *>(&control);
    const TDibBitmap shot = Capture(windowed ? *windowed : *control.Parent());
    const int left = windowed ? 0 : control.Left(), top = windowed ? 0 : control.Top();
    const TBitmap want = ButtonPicture(control, frame);
    for (int y = 0; y < control.Height(); ++y)
      for (int x : {0, 1, 2, control.Width() - 3, control.Width() - 1})
        if (Shot(shot, left + x, top + y) != want.GetPixel(x, y))
          return ::testing::AssertionFailure() << "frame " << frame << " differs at " << x << "," << y;
    return ::testing::AssertionSuccess();
  }

  std::unique_ptr<TSkinData> skin_;
  TSkinManage *manager_ = nullptr;
  std::unique_ptr<TForm> form_;
};

} // namespace

// ---- Rules without windows

TEST(SkinButtonRules, FramesByStateAndPictureSize) {
  EXPECT_EQ(ButtonFrame(false, true, false, false, true), 3); // disabled default
  EXPECT_EQ(ButtonFrame(true, false, true, false, false), 2); // pressed focused
  EXPECT_EQ(ButtonFrame(true, true, false, false, false), 5); // focused default
  EXPECT_EQ(BitButtonFrame(true, false, false, false), 5);
  EXPECT_EQ(BitButtonFrame(true, false, true, false), 4);

  using M = TCheckMark;
  // Four frames: unchecked, checked, both disabled; mixed shows the last.
  EXPECT_EQ(CheckBoxFrame(M::Checked, true, false, false, 4), 4);
  EXPECT_EQ(CheckBoxFrame(M::Unchecked, true, false, false, 4), 3);
  EXPECT_EQ(CheckBoxFrame(M::Mixed, false, true, false, 4), 4);
  // Eight: four states of unchecked, then of checked.
  EXPECT_EQ(CheckBoxFrame(M::Checked, false, false, false, 8), 5);
  EXPECT_EQ(CheckBoxFrame(M::Unchecked, true, false, false, 8), 4);
  EXPECT_EQ(CheckBoxFrame(M::Checked, true, false, false, 8), 8);
  EXPECT_EQ(CheckBoxFrame(M::Unchecked, false, true, false, 8), 2);
  EXPECT_EQ(CheckBoxFrame(M::Checked, false, true, true, 8), 7);
  // Twelve: the mixed states follow.
  EXPECT_EQ(CheckBoxFrame(M::Mixed, false, false, false, 12), 9);
  EXPECT_EQ(CheckBoxFrame(M::Mixed, true, false, false, 12), 12);
  // A picture with fewer frames never gets asked for one it lacks.
  EXPECT_EQ(CheckBoxFrame(M::Checked, true, false, false, 2), 2);
  EXPECT_EQ(RadioButtonFrame(true, false, false, false, 8), 5);
  EXPECT_EQ(RadioButtonFrame(true, true, false, false, 4), 4);
}

// ---- Push buttons

TEST_F(SkinButtonsTest, PushButtonFramesFollowTheButtonsState) {
  Load(kTwelveFrameChecks);
  NewForm();
  auto &plain = Add<TButton>(20, 20, 100, 30);
  auto &fallback = Add<TButton>(20, 70, 100, 30);
  fallback.SetDefault(true);
  fallback.SetEnabled(false);
  ShowSkinned();
  EXPECT_TRUE(ShowsButtonFrame(fallback, 3)); // a disabled default button

  plain.SetFocus();
  ProcessMessages();
  EXPECT_TRUE(ShowsButtonFrame(plain, 4)); // focused
  SendMessageW(plain.WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_TRUE(ShowsButtonFrame(plain, 2)); // pressed while focused
  SendMessageW(plain.WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(500, 500));
  EXPECT_FALSE(ShowsButtonFrame(plain, 2));

  // The space key shows the pressed frame until it is released, then clicks.
  int clicks = 0;
  plain.OnClick = [&](TObject *) { ++clicks; };
  SendMessageW(plain.WindowHandle(), WM_KEYDOWN, VK_SPACE, 0x00390001);
  EXPECT_TRUE(ShowsButtonFrame(plain, 2));
  SendMessageW(plain.WindowHandle(), WM_KEYUP, VK_SPACE, 0xC0390001);
  ProcessMessages();
  EXPECT_TRUE(ShowsButtonFrame(plain, 4));
  EXPECT_EQ(clicks, 1);
}

TEST_F(SkinButtonsTest, DoubleBarsPutACaptionOnTwoLines) {
  Load(kTwelveFrameChecks);
  NewForm();
  auto &split = Add<TButton>(20, 20, 160, 60);
  split.SetCaption("one||one");
  auto &single = Add<TButton>(20, 100, 160, 60);
  single.SetCaption("one one");
  ShowSkinned();
  single.SetFocus(); // the focus rectangle would join the lines
  // Rows of text: rows where the capture differs from the bare frame.
  auto textBands = [&](TButton &button) {
    const TDibBitmap shot = Capture(button);
    const TBitmap bare = ButtonPicture(button, 1);
    int bands = 0;
    bool inText = false;
    for (int y = 0; y < button.Height(); ++y) {
      bool text = false;
      for (int x = 4; x < button.Width() - 4 && !text; ++x)
        text = Shot(shot, x, y) != bare.GetPixel(x, y);
      if (text && !inText)
        ++bands;
      inText = text;
    }
    return bands;
  };
  EXPECT_EQ(textBands(single), 1);
  EXPECT_EQ(textBands(split), 2);
}

// ---- Bit buttons

TEST_F(SkinButtonsTest, BitButtonsShowTheirGlyphOnTheFrameOfTheirState) {
  Load(kTwelveFrameChecks);
  NewForm();
  auto &button = Add<TBitBtn>(20, 20, 120, 40);
  TDibBitmap glyph(12, 12, 0xFF00C000); // opaque green
  button.SetGlyph(std::move(glyph));
  button.SetCaption("Go");
  auto &other = Add<TBitBtn>(20, 80, 120, 40);
  ShowSkinned();
  button.SetFocus();
  EXPECT_TRUE(ShowsButtonFrame(button, 5)); // bit buttons show focus with frame 5
  EXPECT_TRUE(ShowsButtonFrame(other, 1));
  const TDibBitmap shot = Capture(button);
  int green = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x)
      green += Shot(shot, x, y) == MakeColor(0, 0xC0, 0);
  EXPECT_EQ(green, 12 * 12);

  other.SetFocus();
  EXPECT_TRUE(ShowsButtonFrame(button, 1));
  other.SetEnabled(false);
  EXPECT_TRUE(ShowsButtonFrame(other, 3));
}

TEST_F(SkinButtonsTest, SpeedButtonsAreDrawnInTheirParentWithTheButtonFrames) {
  NewForm();
  auto *speed = new TSpeedButton(form_.get()); // owned by the form
  speed->SetParent(form_.get());
  speed->SetBounds(20, 20, 60, 30);
  speed->SetCaption("Go");
  ShowSkinned();
  EXPECT_TRUE(ShowsButtonFrame(*speed, 1));
  speed->SetGroupIndex(1);
  speed->SetDown(true);
  EXPECT_TRUE(ShowsButtonFrame(*speed, 2));
  speed->SetEnabled(false);
  EXPECT_TRUE(ShowsButtonFrame(*speed, 3));
  // Gone while skinned: its skinner lets go of a whole control.
  delete speed;
  form_->Repaint();
  ProcessMessages();
}

// ---- Check boxes, radio buttons, group boxes

// Which frame each state takes in each picture size is the rule's (above);
// here the control's state reaches the picture.
TEST_F(SkinButtonsTest, CheckBoxesShowTheFrameOfTheirMark) {
  Load(kTwelveFrameChecks);
  NewForm();
  auto &box = Add<TCheckBox>(20, 20, 160, 20);
  box.SetCaption("Recurse");
  auto &disabled = Add<TCheckBox>(20, 50, 160, 20);
  disabled.SetEnabled(false);
  ShowSkinned();
  const TDataSkinButton &buttons = skin_->Buttons();
  ASSERT_EQ(buttons.CheckFrame, 12);
  auto shows = [&](TCheckBox &control, int frame) {
    return ShowsFrame(Capture(control), buttons.CheckBoxImage, buttons.CheckFrame, frame, 24);
  };
  EXPECT_TRUE(shows(box, 1));
  box.SetState(TCheckBoxState::cbChecked);
  EXPECT_TRUE(shows(box, 5));
  EXPECT_FALSE(shows(box, 1));
  box.SetState(TCheckBoxState::cbGrayed);
  EXPECT_TRUE(shows(box, 9));
  disabled.SetState(TCheckBoxState::cbGrayed);
  EXPECT_TRUE(shows(disabled, 12));

  // A click goes through the control: its state changes, then the picture.
  Click(box);
  ProcessMessages();
  EXPECT_EQ(box.State(), TCheckBoxState::cbChecked);
}

TEST_F(SkinButtonsTest, RadioGroupsShowRadioFramesInsideARoundedFrame) {
  Load(kTwelveFrameChecks);
  NewForm();
  auto &group = Add<TRadioGroup>(20, 20, 300, 80);
  group.SetCaption("Size");
  group.SetItems({"Small", "Large"});
  group.SetItemIndex(1);
  ShowSkinned();
  const TDataSkinButton &buttons = skin_->Buttons();
  EXPECT_TRUE(ShowsFrame(Capture(*group.Button(0)), buttons.RadioButtonImage, buttons.RadioFrame, 1, 24));
  EXPECT_TRUE(ShowsFrame(Capture(*group.Button(1)), buttons.RadioButtonImage, buttons.RadioFrame, 5, 24));
  Click(*group.Button(0));
  ProcessMessages();
  EXPECT_EQ(group.ItemIndex(), 0);
  EXPECT_TRUE(ShowsFrame(Capture(*group.Button(1)), buttons.RadioButtonImage, buttons.RadioFrame, 1, 24));

  // The frame: the skin's frame colour down the left edge, the skin's
  // background inside it and behind the caption.
  const TDibBitmap shot = Capture(group);
  const TColor frame = skin_->Colors(csButtonShadow), face = skin_->Colors(csButtonFace);
  EXPECT_EQ(Shot(shot, 0, group.Height() / 2), frame);
  EXPECT_EQ(Shot(shot, group.Width() - 1, group.Height() / 2), frame);
  EXPECT_EQ(Shot(shot, group.Width() / 2, group.Height() - 1), frame);
  EXPECT_EQ(Shot(shot, 0, 0), face); // a cut corner
  EXPECT_EQ(Shot(shot, 4, group.Height() - 4), face);
}

// ---- Labels

TEST_F(SkinButtonsTest, LabelsGetAReadableColourWhileSkinnedAndTheirOwnBack) {
  Load(kTwelveFrameChecks); // a dark skin
  NewForm();
  auto *label = new TLabel(form_.get()); // owned by the form
  label->SetParent(form_.get());
  label->SetCaption("LOOK ONLY FILES BETWEEN");
  label->Font().SetColor(clBlue);
  auto *plain = new TLabel(form_.get()); // owned by the form
  plain->SetParent(form_.get());
  plain->SetTop(30);
  plain->SetCaption("STARTING DIRECTORY");
  ShowSkinned();
  // The system's text colour gives way to the skin's.
  EXPECT_EQ(plain->Font().Color(), skin_->Colors(csButtonText));
  const TColor face = skin_->Colors(csButtonFace);
  ASSERT_LT(ContrastRatio(clBlue, face), 4.5) << "the test needs a skin that blue is hard to read on";
  EXPECT_GE(ContrastRatio(label->Font().Color(), face), 4.5);
  EXPECT_TRUE(label->Transparent());
  skin_->SetActive(false);
  manager_->OnTimer();
  ProcessMessages();
  EXPECT_EQ(label->Font().Color(), clBlue);
  EXPECT_EQ(plain->Font().Color(), clWindowText);
  EXPECT_FALSE(label->Transparent());
}

// ---- Foreign dialogs

namespace {

// A dialog template in memory: one control per entry (class atom 0x0080 is
// BUTTON).
struct DialogTemplate {
  std::vector<WORD> words;
  void Align() {
    if (words.size() % 2)
      words.push_back(0);
  }
  void Put(DWORD value) {
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
  }
  void Text(const wchar_t *text) {
    for (; *text; ++text)
      words.push_back(*text);
    words.push_back(0);
  }
  DialogTemplate(WORD count) {
    Put(WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFONT);
    Put(0);
    words.push_back(count);
    words.insert(words.end(), {10, 10, 200, 120, 0, 0});
    Text(L"Foreign");
    words.push_back(8);
    Text(L"MS Sans Serif");
  }
  void Button(DWORD style, WORD id, short x, short y, short w, short h, const wchar_t *text) {
    Align();
    Put(WS_CHILD | WS_VISIBLE | style);
    Put(0);
    words.insert(words.end(), {static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(w), static_cast<WORD>(h),
                               id, 0xFFFF, 0x0080});
    Text(text);
    words.push_back(0);
  }
};

INT_PTR CALLBACK PlainDialog(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

} // namespace

TEST_F(SkinButtonsTest, PanelsDrawTheirEdgesInShadesOfTheSkinsFaceAndReadableCaptions) {
  Load(kFourFrameChecks); // the black skin, where the system's edges look foreign
  NewForm();
  auto &panel = Add<TPanel>(20, 20, 160, 40);
  panel.SetBevelInner(TPanelBevel::bvLowered);
  panel.SetCaption("WWWWWWWW");
  auto *line = new TBevel(form_.get()); // owned by the form
  line->SetParent(form_.get());
  line->SetBounds(200, 20, 2, 40);
  line->SetShape(TBevelShape::bsLeftLine);
  ShowSkinned();
  const TColor face = skin_->Colors(csButtonFace);
  const TBevelColors edges = BevelColorsFor(face);
  const TDibBitmap shot = Capture(panel);
  // Raised outside, lowered inside.
  EXPECT_EQ(Shot(shot, 0, 0), edges.Light);
  EXPECT_EQ(Shot(shot, 159, 39), edges.Shadow);
  EXPECT_EQ(Shot(shot, 1, 1), edges.Shadow);
  EXPECT_EQ(Shot(shot, 158, 38), edges.Light);
  EXPECT_EQ(Shot(shot, 5, 5), face);
  // The caption, in the middle, stands out from the face.
  double best = 1;
  for (int x = 40; x < 120; ++x)
    best = std::max(best, ContrastRatio(Shot(shot, x, 20), face));
  EXPECT_GE(best, 4.5);
  // A bevel line, lowered, in its parent.
  const TDibBitmap form = Capture(*form_);
  EXPECT_EQ(Shot(form, 200, 30), edges.Shadow);
  EXPECT_EQ(Shot(form, 201, 30), edges.Light);
}

TEST_F(SkinButtonsTest, ADialogsButtonRowsAreSkinnedAndClickLikeTheirOwn) {
  Load(kTwelveFrameChecks);
  DialogTemplate dialog(4);
  dialog.Button(BS_PUSHBUTTON | WS_TABSTOP, 101, 10, 10, 60, 14, L"OK");
  dialog.Button(BS_AUTOCHECKBOX | WS_TABSTOP, 102, 10, 30, 100, 12, L"Option");
  dialog.Button(BS_AUTORADIOBUTTON, 103, 10, 46, 100, 12, L"Choice");
  dialog.Button(BS_GROUPBOX, 104, 120, 10, 70, 60, L"Group");
  const HWND window = CreateDialogIndirectParamW(
      GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(dialog.words.data()), nullptr, PlainDialog, 0);
  ASSERT_NE(window, nullptr);
  ProcessMessages();
  skin_->SetActive(true);
  manager_->OnTimer();
  if (!manager_->FindSkinForm(window)) {
    ASSERT_TRUE(manager_->AddForm(window));
  }
  ASSERT_TRUE(WaitFor([&] {
    TWinSkinForm *skinner = manager_->FindSkinForm(window);
    return skinner && skinner->State() == SkinState::Active;
  }));
  ProcessMessages();
  for (int id : {101, 102, 103, 104})
    EXPECT_EQ(SendMessageW(GetDlgItem(window, id), CN_IsSkinned, 0, 0), 1) << id;

  const HWND check = GetDlgItem(window, 102);
  const TDataSkinButton &buttons = skin_->Buttons();
  SendMessageW(check, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  SendMessageW(check, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  ProcessMessages();
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED); // the system's own toggling
  EXPECT_TRUE(ShowsFrame(CaptureWindow(check, false), buttons.CheckBoxImage, buttons.CheckFrame, 5, 24));

  // A hovered button that goes away leaves no hovered control behind.
  const HWND ok = GetDlgItem(window, 101);
  SendMessageW(ok, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
  TWinSkinForm *skinner = manager_->FindSkinForm(window);
  ASSERT_NE(skinner->HoveredControl, nullptr);
  EXPECT_EQ(skinner->HoveredControl->Handle(), ok);
  DestroyWindow(ok);
  EXPECT_EQ(skinner->HoveredControl, nullptr);
  DestroyWindow(window);
  ProcessMessages();
}

// ---- Lifetime, failures, leaks

TEST_F(SkinButtonsTest, AHotOrPressedControlDestroyedLeavesNothingBehind) {
  Load(kTwelveFrameChecks);
  NewForm();
  auto *button = &Add<TButton>(20, 20, 100, 30);
  auto *box = &Add<TCheckBox>(20, 60, 100, 20);
  ShowSkinned();
  TWinSkinForm &skinner = *Skinner();
  SendMessageW(button->WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  SendMessageW(button->WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ASSERT_NE(skinner.HoveredControl, nullptr);
  delete button;
  EXPECT_EQ(skinner.HoveredControl, nullptr);
  SendMessageW(box->WindowHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ASSERT_NE(skinner.HoveredControl, nullptr);
  delete box;
  EXPECT_EQ(skinner.HoveredControl, nullptr);
}

namespace {
// A button whose caption cannot be read: its skinner fails to paint.
struct UnreadableButton : TButton {
  using TButton::TButton;
  static const TPropertyTable &Table() {
    static const auto table =
        TPublished<UnreadableButton>(&TButton::ClassProperties())
            .String("Caption", [](const UnreadableButton &) -> std::string { throw std::runtime_error("unreadable"); });
    return table;
  }
  const TPropertyTable *PublishedProperties() const override { return &Table(); }
};
} // namespace

TEST_F(SkinButtonsTest, ASkinnerThatCannotPaintLeavesTheControlToPaintItself) {
  Load(kTwelveFrameChecks);
  NewForm();
  auto &button = Add<UnreadableButton>(20, 20, 100, 30);
  ShowSkinned();
  // No exception got out of the window procedure (we are still here), and
  // the skinner stepped aside.
  EXPECT_FALSE(ShowsButtonFrame(button, 1));
  SendMessageW(button.WindowHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(button.WindowHandle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ProcessMessages();
}

TEST_F(SkinButtonsTest, AFailingEventHandlerOfASkinnedControlIsReportedOnce) {
  Load(kTwelveFrameChecks);
  NewForm();
  auto &button = Add<TButton>(20, 20, 100, 30);
  ShowSkinned();
  std::vector<std::string> calls, shown;
  button.OnMouseDown = [&](TObject *, TMouseButton, TShiftState, int, int) {
    calls.push_back("down");
    throw Exception("down");
  };
  button.OnMouseUp = [&](TObject *, TMouseButton, TShiftState, int, int) {
    calls.push_back("up");
    throw Exception("up");
  };
  button.OnClick = [&](TObject *) {
    calls.push_back("click");
    throw Exception("click");
  };
  const TExceptionEvent previous = TestApplication().OnException;
  TestApplication().OnException = [&](TObject *, const Exception &error) { shown.push_back(error.Message()); };
  Click(button);
  TestApplication().OnException = previous;
  // Not swallowed as the skinner's own failure, nor handled a second time.
  EXPECT_EQ(calls, (std::vector<std::string>{"down", "up", "click"}));
  EXPECT_EQ(shown, calls);
  EXPECT_EQ(GetCapture(), nullptr);
}

// ---- Image check boxes of other component sets

namespace {
// Stands in for another set's check box that draws itself from a picture.
struct TRzCheckBox : TCustomControl {
  using TCustomControl::TCustomControl;
  std::string ClassName() const override { return "TRzCheckBox"; }
  static const TPropertyTable &Table() {
    static const auto table =
        TPublished<TRzCheckBox>(&TCustomControl::ClassProperties())
            .Object(
                "CustomGlyphs", [](const TRzCheckBox &box) { return const_cast<TDibBitmap *>(&box.glyphs); },
                [](TRzCheckBox &box, TDibBitmap *picture) { box.glyphs = picture ? picture->Clone() : TDibBitmap(); })
            .Boolean(
                "UseCustomGlyphs", [](const TRzCheckBox &box) { return box.useGlyphs; },
                [](TRzCheckBox &box, bool use) { box.useGlyphs = use; })
            .Integer(
                "TransparentColor", [](const TRzCheckBox &box) { return box.transparent; },
                [](TRzCheckBox &box, int color) { box.transparent = color; });
    return table;
  }
  const TPropertyTable *PublishedProperties() const override { return &Table(); }
  TDibBitmap glyphs;
  bool useGlyphs = false;
  int transparent = 0;
};
} // namespace

TEST_F(SkinButtonsTest, OtherSetsImageCheckBoxesAreHandedTheSkinsPictureWhileSkinned) {
  Load(kTwelveFrameChecks);
  NewForm();
  auto &box = Add<TRzCheckBox>(20, 20, 120, 20);
  ShowSkinned();
  const TBitmap &image = skin_->Buttons().CheckBoxImage;
  EXPECT_TRUE(box.useGlyphs);
  EXPECT_EQ(box.glyphs.Width(), image.Width());
  EXPECT_EQ(box.transparent, clFuchsia);
  skin_->SetActive(false);
  manager_->OnTimer();
  ProcessMessages();
  EXPECT_FALSE(box.useGlyphs);
}
