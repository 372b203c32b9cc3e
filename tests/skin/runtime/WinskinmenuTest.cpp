// Menus under the skin: the menu bar's keyboard-aware menu loop (run for real
// under the system's menu loop, driven from a timer inside it), popup menus
// that opt out, and the owner-drawn framework menus.
#include "skin/runtime/Winskinmenu.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <vector>

#include "framework/core/BitmapDraw.h"
#include "framework/win/Forms.h"
#include "framework/win/Graphics.h"
#include "framework/win/Handles.h"
#include "framework/win/ImgList.h"
#include "framework/win/Menus.h"
#include "skin/data/Winskindata.h"
#include "skin/runtime/Winskindlg.h"
#include "BuiltSkins.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

TMenuItem *NewItem(TMenuItem *parent, const std::string &caption) {
  auto *item = new TMenuItem(nullptr); // owned by its parent
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

// A form with a menu bar of four menus (the second with a submenu, the third
// disabled) and two popup menus.
struct MenuForm : TForm {
  MenuForm() : TForm(nullptr) {
    SetBounds(80, 80, 480, 320);
    SetCaption("Menus");
    images = new TImageList(this);
    images->Add(TDibBitmap(16, 16, 0xFF2080E0u));
    menu = new TMainMenu(this);
    for (const char *caption : {"&File", "&Edit", "&Off", "&Help"}) {
      TMenuItem *top = NewItem(menu->Items(), caption);
      NewItem(top, "First");
      if (top->Caption() == "&Edit")
        NewItem(NewItem(top, "More"), "Inner");
      NewItem(top, "Last");
      top->SetEnabled(top->Caption() != "&Off");
    }
    SetMenu(menu);
    popup = new TPopupMenu(this);
    optOut = new TPopupMenu(this);
    for (TPopupMenu *pop : {popup, optOut}) {
      pop->SetImages(images);
      NewItem(pop->Items(), "Picture")->SetImageIndex(0);
      NewItem(pop->Items(), "-");
      NewItem(pop->Items(), "Checked")->SetChecked(true);
    }
  }
  TImageList *images;
  TMainMenu *menu;
  TPopupMenu *popup;
  TPopupMenu *optOut;
};

// Steps carried out from a timer while the system's menu loop runs: each step
// waits until a menu of the bar is open, then acts; afterwards the menu is
// closed. Records every menu of the bar seen open, in order.
class MenuScript {
public:
  explicit MenuScript(TWinSkinMenu &bar, std::vector<std::function<void()>> steps)
      : bar_(bar), steps_(std::move(steps)) {
    current_ = this;
    timer_ = StartTimer(nullptr, 0, 40, &MenuScript::Tick);
  }
  ~MenuScript() { current_ = nullptr; }
  MenuScript(const MenuScript &) = delete;
  MenuScript &operator=(const MenuScript &) = delete;

  bool Done() const { return closed_ && bar_.OpenIndex() < 0; }
  const std::vector<int> &Opened() const { return opened_; }

private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_)
      current_->Step();
  }
  void Step() {
    const int open = bar_.OpenIndex();
    if (open >= 0 && (opened_.empty() || opened_.back() != open))
      opened_.push_back(open);
    if (++ticks_ > 150 && !closed_) { // a loop that never settles fails the test, it does not hang it
      closed_ = true;
      EndMenu();
      return;
    }
    if (open < 0 || closed_ || --pause_ > 0)
      return;
    pause_ = 4; // the menu takes what the last step sent before the next
    if (next_ < steps_.size()) {
      steps_[next_++]();
      return;
    }
    closed_ = true;
    EndMenu();
  }

  static inline MenuScript *current_ = nullptr;
  TWinSkinMenu &bar_;
  std::vector<std::function<void()>> steps_;
  size_t next_ = 0;
  int pause_ = 4;
  int ticks_ = 0;
  bool closed_ = false;
  std::vector<int> opened_;
  OwnedTimer timer_;
};

class SkinnedMenuTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    InstallSkinRuntime();
    skin = std::make_unique<TSkinData>(nullptr);
    skin->LoadFromFile(SkinPackages().at(2));
    ASSERT_FALSE(skin->SkinLoading());
    skin->Loaded();
    manager = RuntimeSkinManager();
    ASSERT_NE(manager, nullptr);
  }
  void TearDown() override {
    form.reset();
    skin.reset();
    DestroySkinManager();
    GuiTest::TearDown();
  }
  void ShowSkinned(bool rightToLeft = false, const std::function<void(MenuForm &)> &prepare = nullptr) {
    form = std::make_unique<MenuForm>();
    if (prepare)
      prepare(*form);
    form->Show();
    if (rightToLeft)
      SetWindowLongPtrW(form->WindowHandle(), GWL_EXSTYLE,
                        GetWindowLongPtrW(form->WindowHandle(), GWL_EXSTYLE) | WS_EX_LAYOUTRTL);
    ProcessMessages();
    skin->SetActive(true);
    manager->OnTimer();
    ASSERT_TRUE(WaitFor([&] { return Skinner() && Skinner()->State() == SkinState::Active; }));
    SetForegroundWindow(form->WindowHandle());
    RedrawWindow(form->WindowHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    ProcessMessages();
    ASSERT_NE(Bar(), nullptr);
    ASSERT_EQ(Bar()->ButtonCount(), 4);
  }
  TWinSkinForm *Skinner() { return manager->FindSkinForm(form->WindowHandle()); }
  TWinSkinMenu *Bar() { return Skinner() ? Skinner()->MenuBar() : nullptr; }
  // Opens menu `start` of the bar as a click does, runs the steps inside the
  // menu loop and returns the menus seen open.
  std::vector<int> Run(int start, std::vector<std::function<void()>> steps) {
    MenuScript script(*Bar(), std::move(steps));
    Bar()->ClickButton(Bar()->Button(start));
    EXPECT_TRUE(WaitFor([&] { return script.Done(); }, 10000));
    ProcessMessages();
    EXPECT_FALSE(Skinner()->InMenuLoop);
    return script.Opened();
  }
  std::function<void()> Key(WORD key, UINT message = WM_KEYDOWN) {
    return [this, key, message] { PostMessageW(form->WindowHandle(), message, key, 0); };
  }
  // The cursor moves over menu `index` of the bar.
  std::function<void()> MouseOver(int index) {
    return [this, index] {
      const TRect r = Bar()->Button(index).Rect;
      RECT window{};
      GetWindowRect(form->WindowHandle(), &window);
      const POINT p{window.left + (r.Left + r.Right) / 2, window.top + (r.Top + r.Bottom) / 2};
      SetCursorPos(p.x, p.y);
      PostMessageW(form->WindowHandle(), WM_MOUSEMOVE, 0, 0);
    };
  }

  std::unique_ptr<TSkinData> skin;
  TSkinManage *manager = nullptr;
  std::unique_ptr<MenuForm> form;
};

TEST_F(SkinnedMenuTest, ArrowKeysGoOnToTheNextMenuAndWrapAroundTheBar) {
  ShowSkinned();
  EXPECT_EQ(Run(3, {Key(VK_RIGHT)}), (std::vector<int>{3, 0}));
  EXPECT_EQ(Run(0, {Key(VK_LEFT)}), (std::vector<int>{0, 3}));
  // One switch after the other, past the disabled menu.
  EXPECT_EQ(Run(0, {Key(VK_RIGHT), Key(VK_RIGHT), Key(VK_RIGHT)}), (std::vector<int>{0, 1, 3, 0}));
  // Right on an item with a submenu (the menu's first key selects the first
  // item) opens the submenu, not the next menu.
  EXPECT_EQ(Run(1, {Key(VK_DOWN), Key(VK_RIGHT)}), (std::vector<int>{1}));
}

TEST_F(SkinnedMenuTest, AltClosesTheMenu) {
  ShowSkinned();
  EXPECT_EQ(Run(1, {Key(VK_MENU, WM_SYSKEYDOWN), [] {}}), (std::vector<int>{1}));
}

TEST_F(SkinnedMenuTest, TheMouseMovingToAnotherButtonSwitchesMenus) {
  ShowSkinned();
  EXPECT_EQ(Run(0, {MouseOver(3), MouseOver(2), MouseOver(1)}), (std::vector<int>{0, 3, 1}));
}

TEST_F(SkinnedMenuTest, RightToLeftSwapsTheArrowKeys) {
  ShowSkinned(true);
  // The first menu sits at the right of the screen.
  EXPECT_GT(Bar()->ScreenPoint({Bar()->Button(0).Rect.Left, 0}).x,
            Bar()->ScreenPoint({Bar()->Button(1).Rect.Left, 0}).x);
  EXPECT_EQ(Run(3, {Key(VK_LEFT)}), (std::vector<int>{3, 0}));
  EXPECT_EQ(Run(0, {Key(VK_RIGHT)}), (std::vector<int>{0, 3}));
}

// The menu windows that opened while `show` ran, and whether the skin took each.
std::vector<bool> MenuWindowsSkinned(TSkinManage &manager, const std::function<void()> &show) {
  struct Watch {
    TSkinManage *manager;
    std::vector<bool> skinned;
    HWND last = nullptr;
  };
  static Watch *watch = nullptr;
  Watch state{&manager, {}, nullptr};
  watch = &state;
  OwnedTimer timer = StartTimer(nullptr, 0, 40, [](HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!watch || !menu || !IsWindowVisible(menu) || menu == watch->last)
      return;
    watch->last = menu;
    watch->skinned.push_back(watch->manager->FindSkinMenu(menu) != nullptr);
    EndMenu();
  });
  show();
  ProcessMessages();
  watch = nullptr;
  return state.skinned;
}

TEST_F(SkinnedMenuTest, APopupMenuTaggedWithTheDisableTagKeepsItsOwnLook) {
  ShowSkinned(false, [&](MenuForm &menus) { menus.optOut->SetTag(skin->DisableTag()); });
  EXPECT_TRUE(form->popup->Items()->Items(0)->OnDrawItem);
  EXPECT_FALSE(form->optOut->Items()->Items(0)->OnDrawItem);
  EXPECT_FALSE(form->optOut->OwnerDraw());

  RECT window{};
  GetWindowRect(form->WindowHandle(), &window);
  EXPECT_EQ(MenuWindowsSkinned(*manager, [&] { form->popup->Popup(window.left + 60, window.top + 90); }),
            (std::vector<bool>{true}));
  EXPECT_EQ(MenuWindowsSkinned(*manager, [&] { form->optOut->Popup(window.left + 60, window.top + 90); }),
            (std::vector<bool>{false}));
  EXPECT_FALSE(manager->SkipNextMenu);
}

// The type of each entry of a menu handle.
std::vector<UINT> EntryTypes(HMENU menu) {
  std::vector<UINT> types;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    types.push_back(info.fType & (MFT_OWNERDRAW | MFT_SEPARATOR));
  }
  return types;
}

TEST_F(SkinnedMenuTest, FrameworkMenusAreOwnerDrawnWhileSkinnedAndPlainAfter) {
  form = std::make_unique<MenuForm>();
  TSkinControlTypes kinds = skin->SkinControls();
  kinds.Include(TSkinControlType::xcMenuItem);
  skin->SetSkinControls(kinds);
  TMenuItem *edit = form->menu->Items()->Items(1);
  const std::vector<UINT> plain = {0, 0, 0};
  ASSERT_EQ(EntryTypes(edit->Handle()), plain);

  InitFormMenus(*form, *skin, true);
  const std::vector<UINT> drawn = {MFT_OWNERDRAW, MFT_OWNERDRAW, MFT_OWNERDRAW};
  EXPECT_EQ(EntryTypes(edit->Handle()), drawn) << "the main menu's items";
  EXPECT_EQ(EntryTypes(edit->Items(1)->Handle()), std::vector<UINT>{MFT_OWNERDRAW}) << "a submenu's items";
  EXPECT_EQ(EntryTypes(form->popup->Handle()),
            (std::vector<UINT>{MFT_OWNERDRAW, MFT_OWNERDRAW | MFT_SEPARATOR, MFT_OWNERDRAW}));

  InitFormMenus(*form, *skin, false);
  EXPECT_EQ(EntryTypes(edit->Handle()), plain);
  EXPECT_FALSE(edit->Items(0)->OnDrawItem);
  // A popup menu with pictures stays the framework's own drawing.
  EXPECT_FALSE(form->popup->Items()->Items(0)->OnDrawItem);
  EXPECT_FALSE(form->popup->OwnerDraw());
}

TEST_F(SkinnedMenuTest, OwnerDrawnItemsShowTheSkinsPictureTheirGlyphAndCheckMark) {
  form = std::make_unique<MenuForm>();
  const TDataSkinObject *picture = skin->Slot(TSkinSlot::MenuItem);
  ASSERT_TRUE(picture && !picture->Image.Empty()) << "the skin under test draws menu items";
  constexpr int width = 160, height = 20;
  // Items 0 (picture), 2 (checked) and 2 again unchecked and selected, one
  // under the other.
  TDibBitmap target(width, 3 * height, 0xFF000000u);
  {
    MemoryDC dc;
    ScopedSelect select(dc.get(), target.Handle());
    TCanvas canvas(dc.get());
    TMenuItem &checked = *form->popup->Items()->Items(2);
    DrawMenuItem(*form->popup->Items()->Items(0), canvas, RECT{0, 0, width, height}, false);
    DrawMenuItem(checked, canvas, RECT{0, height, width, 2 * height}, false);
    checked.SetChecked(false);
    DrawMenuItem(checked, canvas, RECT{0, 2 * height, width, 3 * height}, true);
  }
  auto at = [&](int x, int y) {
    const uint32_t p = target.Pixel(x, y);
    return MakeColor((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  };
  // Right of the caption each item is the skin's picture: frame 1, or frame
  // 4 when selected.
  const std::optional<TColor> key = picture->Trans ? std::optional<TColor>(clFuchsia) : std::nullopt;
  for (const auto &[frame, top] : {std::pair{1, 0}, std::pair{1, height}, std::pair{4, 2 * height}}) {
    TBitmap expected(width, height);
    expected.Fill(skin->Colors(csMenubg));
    DrawNineSlice(expected, {0, 0, width, height}, picture->Image, picture->FrameOf(frame), picture->Margins(),
                  picture->Tile != 0, key);
    int differing = 0;
    for (int y = 0; y < height; ++y)
      for (int x = width - 20; x < width; ++x)
        differing += at(x, top + y) != expected.GetPixel(x, y);
    EXPECT_EQ(differing, 0) << "frame " << frame;
  }
  // The picture item's glyph sits in the glyph column.
  EXPECT_EQ(at(10, height / 2), MakeColor(0x20, 0x80, 0xE0));
  // A check mark shows in the checked item's glyph column and not once the
  // item is unchecked (the pictures of frames 1 and 4 aside).
  int marked = 0;
  for (int y = 4; y < height - 4; ++y)
    for (int x = 4; x < 16; ++x)
      marked += at(x, height + y) != at(x, 2 * height + y);
  EXPECT_GT(marked, 4);
}

} // namespace
