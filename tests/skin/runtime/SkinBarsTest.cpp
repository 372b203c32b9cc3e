// <windows.h> first, then the header that takes back its renaming of
// GetObject, so every string list below is declared under one name.
#include <windows.h>

#include "framework/core/PublishedProperties.h"
#include "skin/runtime/SkinBars.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "framework/core/PublishedProperties.h"
#include "framework/core/Strings.h"
#include "framework/win/Capture.h"
#include "framework/win/ComCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/HeaderControl.h"
#include "framework/win/ListView.h"
#include "framework/win/Menus.h"
#include "framework/win/PageControl.h"
#include "framework/win/StatusBar.h"
#include "framework/win/StdCtrls.h"
#include "framework/win/TabControl.h"
#include "framework/win/ToolBar.h"
#include "framework/win/TrackBar.h"
#include "framework/win/UpDown.h"
#include "skin/data/Winskindata.h"
#include "skin/runtime/SkinGdi.h"
#include "skin/runtime/SkinMessages.h"
#include "skin/runtime/SkinnerRegistry.h"
#include "skin/runtime/Winskindlg.h"
#include "skin/runtime/Winskinform.h"
#include "BuiltSkins.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace zorvex {

// Stand-ins for controls of other component sets, as far as the choice of a
// skinner and the skinners read them.
class TTabSet : public TCustomControl {
public:
  explicit TTabSet(TComponent *owner) : TCustomControl(owner) {}
  std::string ClassName() const override { return "TTabSet"; }
  static const TPropertyTable &ClassProperties() {
    static const auto table = TPublished<TTabSet>(&TWinControl::ClassProperties())
                                  .Object("Tabs", &TTabSet::TabList)
                                  .Integer("TabIndex", &TTabSet::TabIndex);
    return table;
  }
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }
  TStrings *TabList() const {
    if (broken)
      throw std::runtime_error("the tab list is gone");
    return const_cast<TStringList *>(&tabs);
  }
  int TabIndex() const { return 1; }
  TStringList tabs{"First", "Second", "Third"};
  bool broken = false;
};

class TDBNavigator : public TCustomControl {
public:
  explicit TDBNavigator(TComponent *owner) : TCustomControl(owner) {}
  std::string ClassName() const override { return "TDBNavigator"; }
  static const TPropertyTable &ClassProperties() {
    static const auto table = TPublished<TDBNavigator>(&TWinControl::ClassProperties())
                                  .Boolean("Flat", &TDBNavigator::Flat, &TDBNavigator::SetFlat);
    return table;
  }
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }
  bool Flat() const { return flat_; }
  void SetFlat(bool flat) { flat_ = flat; }

private:
  bool flat_ = false;
};

enum class TDateTimeKind { dtkDate, dtkTime };

class TDateTimePicker : public TCustomControl {
public:
  TDateTimePicker(TComponent *owner, TDateTimeKind kind) : TCustomControl(owner), kind_(kind) {}
  std::string ClassName() const override { return "TDateTimePicker"; }
  static const TPropertyTable &ClassProperties() {
    static const auto table = TPublished<TDateTimePicker>(&TWinControl::ClassProperties())
                                  .Enumeration("Kind", {"dtkDate", "dtkTime"}, &TDateTimePicker::Kind);
    return table;
  }
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }
  TDateTimeKind Kind() const { return kind_; }

private:
  TDateTimeKind kind_;
};

class TRzCheckBox : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  std::string ClassName() const override { return "TRzCheckBox"; }
};

} // namespace zorvex

namespace {

TSkinControl *SkinnerOf(TControl &control) {
  for (int i = 0; i < control.ComponentCount(); ++i)
    if (auto *skinner = dynamic_cast<TSkinControl *>(control.Components(i)))
      return skinner;
  return nullptr;
}

std::string SkinnerClass(TControl &control) {
  TSkinControl *skinner = SkinnerOf(control);
  return skinner ? skinner->ClassName() : "none";
}

template <typename T> T &Place(TWinControl &parent, int left, int top, int width, int height) {
  auto *control = new T(&parent);
  control->SetParent(&parent);
  control->SetBounds(left, top, width, height);
  return *control;
}

// A form with one of every bar control.
struct BarsForm : TForm {
  BarsForm() : TForm(nullptr) {
    SetBounds(40, 40, 640, 420);
    SetCaption("Bars");
    progress = &Place<TProgressBar>(*this, 8, 8, 529, 17); // as in the main window
    progress->SetPosition(37);
    pages = &Place<TPageControl>(*this, 8, 34, 300, 150);
    for (const char *name : {"General", "Files", "More"}) {
      auto *sheet = new TTabSheet(this);
      sheet->SetPageControl(pages);
      sheet->SetCaption(name);
    }
    pages->SetActivePageIndex(1);
    track = &Place<TTrackBar>(*this, 320, 34, 200, 36);
    track->SetPosition(4);
    upDown = &Place<TUpDown>(*this, 530, 34, 17, 40);
    header = &Place<THeaderControl>(*this, 320, 80, 300, 22);
    for (const char *name : {"Name", "Size", "Folder"})
      header->Sections().Add()->SetText(name);
    list = &Place<TListView>(*this, 320, 110, 300, 100);
    list->SetViewStyle(TViewStyle::vsReport);
    list->Columns().Add()->SetCaption("Column");
    tools = &Place<TToolBar>(*this, 8, 220, 300, 28);
    tools->SetFlat(false);
    // Not the form's: only the tool button's row skins it.
    menu = std::make_unique<TPopupMenu>(nullptr);
    menu->Items()->Add(new TMenuItem(menu.get()));
    menu->Items()->Items(0)->SetCaption("Choice");
    auto *button = new TToolButton(this);
    button->SetParent(tools);
    button->SetStyle(TToolButtonStyle::tbsDropDown);
    button->SetDropdownMenu(menu.get());
    dropDown = button;
    marquee = &Place<TProgressBar>(*this, 320, 220, 200, 17);
    marquee->SetStyle(TProgressBarStyle::pbstMarquee);
    for (TTabControl **tabs : {&leftTabs, &rightTabs}) {
      *tabs = &Place<TTabControl>(*this, tabs == &leftTabs ? 8 : 220, 254, 200, 100);
      (*tabs)->SetTabPosition(tabs == &leftTabs ? TTabPosition::tpLeft : TTabPosition::tpRight);
      (*tabs)->Tabs().SetCommaText("Sideways,Turned");
    }
    status = &Place<TStatusBar>(*this, 0, 360, 624, 22);
    status->Panels().Add()->SetText("Ready");
    status->Panels().Add()->SetText("\tmiddle");
  }
  TProgressBar *progress;
  TPageControl *pages;
  TTrackBar *track;
  TUpDown *upDown;
  THeaderControl *header;
  TListView *list;
  TToolBar *tools;
  std::unique_ptr<TPopupMenu> menu;
  TToolButton *dropDown;
  TProgressBar *marquee;
  TTabControl *leftTabs;
  TTabControl *rightTabs;
  TStatusBar *status;
};

class SkinBarsTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    InstallSkinRuntime();
    skin_ = std::make_unique<TSkinData>(nullptr);
    Load(SkinPackages().at(2));
    manager_ = RuntimeSkinManager();
    ASSERT_NE(manager_, nullptr);
  }
  void TearDown() override {
    form_.reset();
    skin_.reset();
    DestroySkinManager();
    GuiTest::TearDown();
  }
  void Load(const std::string &package) {
    skin_->LoadFromFile(package);
    ASSERT_FALSE(skin_->SkinLoading());
    skin_->Loaded();
  }
  BarsForm &ShowSkinned() {
    if (!form_) {
      form_ = std::make_unique<BarsForm>();
      form_->Show();
      ProcessMessages();
    }
    SetSkinned(true);
    return *form_;
  }
  void SetSkinned(bool on) {
    skin_->SetActive(on);
    manager_->OnTimer();
    if (on) {
      EXPECT_TRUE(WaitFor([&] {
        TWinSkinForm *skinner = manager_->FindSkinForm(form_->WindowHandle());
        return skinner && skinner->State() == SkinState::Active;
      }));
    }
    ProcessMessages();
  }

  std::unique_ptr<TSkinData> skin_;
  TSkinManage *manager_ = nullptr;
  std::unique_ptr<BarsForm> form_;
};

} // namespace

TEST_F(SkinBarsTest, TheProgressBarShowsTheSkinsBarForItsPositionInEverySkin) {
  const std::vector<std::string> packages = SkinPackages();
  LONG_PTR unskinnedStyle = 0;
  for (size_t i = 0; i < packages.size(); ++i) {
    if (form_) {
      SetSkinned(false);
    } else {
      form_ = std::make_unique<BarsForm>();
      form_->Show();
      ProcessMessages();
      unskinnedStyle = GetWindowLongPtrW(form_->progress->WindowHandle(), GWL_EXSTYLE);
    }
    Load(packages[i]);
    BarsForm &form = ShowSkinned();
    const HWND bar = form.progress->WindowHandle();
    ASSERT_EQ(SkinnerClass(*form.progress), "TSkinProgress");
    // The system's edge gives its room to the skin's picture.
    EXPECT_FALSE(GetWindowLongPtrW(bar, GWL_EXSTYLE) & (WS_EX_STATICEDGE | WS_EX_CLIENTEDGE));
    RECT client{};
    GetClientRect(bar, &client);
    ASSERT_EQ(client.right, 529);
    const TDataSkinBorder *progress = skin_->BorderSlot(TSkinSlot::Progress);
    ASSERT_NE(progress, nullptr);
    const TBitmap want = ProgressPicture(*progress, client.right, client.bottom,
                                         ProgressFillLength(client.right, 37, 0, 100), ColorToRGB(form.Color()));
    const TDibBitmap shot = CaptureWindow(bar, false);
    int wrong = 0;
    for (int y = 0; y < want.Height(); ++y)
      for (int x = 0; x < want.Width(); ++x)
        wrong += Shot(shot, x, y) != want.GetPixel(x, y);
    EXPECT_EQ(wrong, 0) << packages[i];
    SaveWindowImage(form.WindowHandle(), ScreenshotPath("bars-" + std::to_string(i) + ".png"));
  }
  SetSkinned(false);
  EXPECT_EQ(GetWindowLongPtrW(form_->progress->WindowHandle(), GWL_EXSTYLE), unskinnedStyle);
}

TEST_F(SkinBarsTest, AMarqueeMovesItsChunkOnTheBarsOwnTimerAndEmptiesWhenStopped) {
  BarsForm &form = ShowSkinned();
  const HWND bar = form.marquee->WindowHandle();
  RECT client{};
  GetClientRect(bar, &client);
  const TDataSkinBorder &progress = *skin_->BorderSlot(TSkinSlot::Progress);
  const TColor back = ColorToRGB(form.Color());
  auto shows = [&](TBarSpan span) {
    ProcessMessages();
    const TDibBitmap shot = CaptureWindow(bar, false);
    const TBitmap want = ProgressPicture(progress, client.right, client.bottom, span, back);
    for (int y = 0; y < want.Height(); ++y)
      for (int x = 0; x < want.Width(); ++x)
        if (Shot(shot, x, y) != want.GetPixel(x, y))
          return false;
    return true;
  };
  // Which step of its crossing the bar shows (0 is the empty bar).
  auto step = [&] {
    for (int tick = 1; tick < MarqueeTicks; ++tick)
      if (shows(MarqueeSpan(client.right, tick)))
        return tick;
    return shows(TBarSpan{}) ? 0 : -1;
  };
  // Stopped: no chunk. Started again with a slow period: the chunk waits
  // for the bar's first tick.
  SendMessageW(bar, PBM_SETMARQUEE, FALSE, 0);
  EXPECT_EQ(step(), 0);
  form.marquee->SetMarqueeInterval(10000);
  Sleep(150);
  EXPECT_EQ(step(), 0);
  form.marquee->SetMarqueeInterval(20);
  std::vector<int> seen;
  ASSERT_TRUE(WaitFor([&] {
    const int now = step();
    if (now > 0 && (seen.empty() || seen.back() != now))
      seen.push_back(now);
    return seen.size() >= 3;
  }));
  EXPECT_LT(seen[0], seen[1]);
  EXPECT_LT(seen[1], seen[2]);
  // Stopped again: the chunk goes, and none comes back.
  SendMessageW(bar, PBM_SETMARQUEE, FALSE, 0);
  EXPECT_EQ(step(), 0);
  Sleep(100);
  EXPECT_EQ(step(), 0);
}

TEST_F(SkinBarsTest, TabsAtTheSidesCarryTheirCaptionsTurned) {
  // A caption colour no picture holds, to find the text by.
  constexpr TColor marker = 0x1F7F3D;
  TDataSkinBorder &tabs = *skin_->BorderSlot(TSkinSlot::Tabs);
  tabs.NormalColour2 = tabs.MouseOverColour2 = tabs.PressedColour2 = marker;
  BarsForm &form = ShowSkinned();
  for (TTabControl *control : {form.leftTabs, form.rightTabs}) {
    ASSERT_EQ(SkinnerClass(*control), "TSkinTab");
    const TDibBitmap shot = CaptureWindow(control->WindowHandle(), false);
    for (int i = 0; i < 2; ++i) {
      RECT r{};
      SendMessageW(control->WindowHandle(), TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
      RECT text{r.right, r.bottom, r.left, r.top};
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
          if (Shot(shot, x, y) == marker) {
            text = {std::min<LONG>(text.left, x), std::min<LONG>(text.top, y), std::max<LONG>(text.right, x + 1),
                    std::max<LONG>(text.bottom, y + 1)};
          }
      ASSERT_LT(text.left, text.right) << "no caption on tab " << i;
      // The caption runs along the tab, not across it.
      EXPECT_GT(text.bottom - text.top, 2 * (text.right - text.left)) << "tab " << i;
    }
  }
}

TEST_F(SkinBarsTest, EveryBarControlGetsItsSkinnerAndTheListItsHeaders) {
  BarsForm &form = ShowSkinned();
  EXPECT_EQ(SkinnerClass(*form.pages), "TSkinTab");
  EXPECT_EQ(SkinnerClass(*form.pages->Pages(0)), "TSkinTabSheet");
  EXPECT_EQ(SkinnerClass(*form.track), "TSkinTrackBar");
  EXPECT_EQ(SkinnerClass(*form.upDown), "TSkinUpDown");
  EXPECT_EQ(SkinnerClass(*form.header), "TSkinHeader");
  EXPECT_EQ(SkinnerClass(*form.tools), "TSkinToolbar");
  EXPECT_EQ(SkinnerClass(*form.dropDown), "TSkinToolMenu");
  EXPECT_EQ(SkinnerClass(*form.status), "TSkinStatusBar");
  ASSERT_EQ(SkinnerClass(*form.list), "TSkinListView");
  const auto header = reinterpret_cast<HWND>(SendMessageW(form.list->WindowHandle(), LVM_GETHEADER, 0, 0));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(SendMessageW(header, CN_IsSkinned, 0, 0), 1);
  // The tool bar goes flat under the skin and the drop-down menu is drawn
  // by it; both come back when the skin goes.
  EXPECT_TRUE(form.tools->Flat());
  EXPECT_TRUE(static_cast<bool>(form.menu->Items()->Items(0)->OnDrawItem));
  SetSkinned(false);
  EXPECT_FALSE(form.tools->Flat());
  EXPECT_FALSE(static_cast<bool>(form.menu->Items()->Items(0)->OnDrawItem));
  EXPECT_NE(SendMessageW(header, CN_IsSkinned, 0, 0), 1);
}

TEST_F(SkinBarsTest, ATabUnderTheMouseShowsTheHotFrame) {
  BarsForm &form = ShowSkinned();
  const HWND pages = form.pages->WindowHandle();
  const TDataSkinBorder &tabs = *skin_->BorderSlot(TSkinSlot::Tabs);
  RECT r{};
  SendMessageW(pages, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  const TRect place = ToTRect(r);
  // A column inside the tab's left edge, clear of its text.
  auto shows = [&](int frame) {
    TBitmap want(place.Right + 4, place.Bottom + 4);
    DrawTab(want, place, tabs, frame, TTabSide::Top);
    const TDibBitmap shot = CaptureWindow(pages, false);
    int wrong = 0;
    for (int y = place.Top + 3; y < place.Bottom - 3; ++y)
      wrong += Shot(shot, place.Left + 3, y) != want.GetPixel(place.Left + 3, y);
    return wrong == 0;
  };
  ASSERT_TRUE(shows(1));
  ASSERT_FALSE(shows(3)) << "the skin under test draws hot tabs alike";
  SendMessageW(pages, WM_MOUSEMOVE, 0, MAKELPARAM(place.Left + 5, place.Top + 5));
  ProcessMessages();
  EXPECT_EQ(static_cast<TSkinBarControl *>(SkinnerOf(*form.pages))->HotPart(), 0);
  EXPECT_TRUE(shows(3));
  // The form skinner's mouse-leave puts it back.
  SendMessageW(pages, CM_MOUSELEAVE, 0, 0);
  ProcessMessages();
  EXPECT_TRUE(shows(1));
}

TEST_F(SkinBarsTest, ClassesOfOtherSetsTakeTheirRowsOfTheTable) {
  // The kinds other families draw are stood in for, to see which is asked.
  HasSkinner("tab"); // every family registers first
  struct Probe : TSkinControl {
    Probe(TComponent *owner, std::string kind) : TSkinControl(owner), Kind(std::move(kind)) {}
    std::string ClassName() const override { return "Probe:" + Kind; }
    void DrawControl(HDC, const TRect &) override {}
    std::string Kind;
  };
  for (const char *kind : {"combobox", "edit", "objimage"})
    RegisterSkinner(kind, [kind](TComponent *owner) { return new Probe(owner, kind); });

  BarsForm &form = ShowSkinned();
  auto &tabSet = Place<TTabSet>(form, 8, 260, 300, 22);
  auto &navigator = Place<TDBNavigator>(form, 8, 290, 200, 24);
  auto &date = *new TDateTimePicker(&form, TDateTimeKind::dtkDate);
  date.SetParent(&form);
  auto &time = *new TDateTimePicker(&form, TDateTimeKind::dtkTime);
  time.SetParent(&form);
  auto &check = Place<TRzCheckBox>(form, 220, 290, 80, 20);
  TWinSkinForm &skinner = *manager_->FindSkinForm(form.WindowHandle());
  for (TControl *control : std::initializer_list<TControl *>{&tabSet, &navigator, &date, &time, &check})
    AddComp(skinner, *control);
  EXPECT_EQ(SkinnerClass(tabSet), "TSkinTab31");
  EXPECT_EQ(SkinnerClass(navigator), "TSkinNavigator");
  EXPECT_TRUE(navigator.Flat());
  EXPECT_EQ(SkinnerClass(date), "Probe:combobox");
  EXPECT_EQ(SkinnerClass(time), "Probe:edit");
  EXPECT_EQ(SkinnerClass(check), "Probe:objimage");

  // A tab set that cannot say its tabs lets nothing out of its window
  // procedure.
  UpdateWindow(tabSet.WindowHandle());
  tabSet.broken = true;
  RedrawWindow(tabSet.WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  EXPECT_NO_THROW(SendMessageW(tabSet.WindowHandle(), WM_PAINT, 0, 0));
  ProcessMessages();
  EXPECT_TRUE(IsWindow(tabSet.WindowHandle()));
}
