#include "Winskinmenu.h"

#include <algorithm>

#include "SkinGdi.h"
#include "SkinMessages.h"
#include "Winskindlg.h"
#include "framework/core/BitmapDraw.h"
#include "framework/core/Texts.h"
#include "framework/win/Forms.h"
#include "framework/win/Hooks.h"
#include "framework/win/ImgList.h"
#include "framework/win/Menus.h"
#include "skin/data/Winskindata.h"

namespace zorvex {

namespace {

// The popup menu window's border, drawn from the skin.
constexpr int MenuBorder = 3;

// The skin data that draws framework menus: the main one.
TSkinData *MenuSkinData() {
  TSkinManage *manager = RuntimeSkinManager();
  if (!manager)
    return nullptr;
  if (TSkinData *main = manager->MainSkinData())
    return main;
  return manager->FindSkindata(nullptr);
}

} // namespace

// ---- TWinSkinPopMenu ----------------------------------------------------------------

TWinSkinPopMenu::~TWinSkinPopMenu() { UnSubClass(); }

void TWinSkinPopMenu::InitSkin(HWND menuWindow, TSkinData *skinData, int mode) {
  menuWindow_ = menuWindow;
  skinData_ = skinData;
  mode_ = mode;
  subclass_.Attach(
      menuWindow, [this](TWindowSubclass &sub, UINT msg, WPARAM w, LPARAM l) { return WinWndProc(sub, msg, w, l); },
      TProcKind::Ansi);
}

void TWinSkinPopMenu::UnSubClass() { subclass_.Restore(); }

bool TWinSkinPopMenu::MakeFrame() {
  if (!skinData_ || skinData_->SkinLoading())
    return false;
  const TDataSkinObject *background = skinData_->Slot(TSkinSlot::MenuBackground);
  if (!background || background->Image.Empty())
    return false;
  RECT r{};
  GetWindowRect(menuWindow_, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  if (width <= 0 || height <= 0)
    return false;
  frame_ = TBitmap(width, height);
  frame_.Fill(skinData_->Colors(csMenubg));
  DrawNineSlice(frame_, {0, 0, width, height}, background->Image, background->FrameOf(1), background->Margins(),
                background->Tile != 0);
  return true;
}

void TWinSkinPopMenu::NcPaint() {
  if (!MakeFrame())
    return;
  WindowDC dc(menuWindow_, true);
  const int w = frame_.Width(), h = frame_.Height();
  CopyBitmapToDC(dc.get(), 0, 0, frame_, {0, 0, w, MenuBorder});
  CopyBitmapToDC(dc.get(), 0, h - MenuBorder, frame_, {0, h - MenuBorder, w, h});
  CopyBitmapToDC(dc.get(), 0, MenuBorder, frame_, {0, MenuBorder, MenuBorder, h - MenuBorder});
  CopyBitmapToDC(dc.get(), w - MenuBorder, MenuBorder, frame_, {w - MenuBorder, MenuBorder, w, h - MenuBorder});
}

LRESULT TWinSkinPopMenu::WMPrint(WPARAM wParam, LPARAM lParam) {
  if (!MakeFrame())
    return subclass_.CallOld(WM_PRINT, wParam, lParam);
  const HDC dc = reinterpret_cast<HDC>(wParam);
  CopyBitmapToDC(dc, 0, 0, frame_, {0, 0, frame_.Width(), frame_.Height()});
  ScopedDCState state(dc);
  IntersectClipRect(dc, MenuBorder, MenuBorder, frame_.Width() - MenuBorder, frame_.Height() - MenuBorder);
  SetBkMode(dc, TRANSPARENT);
  return subclass_.CallOld(WM_PRINT, wParam, lParam & ~static_cast<LPARAM>(PRF_NONCLIENT | PRF_ERASEBKGND));
}

LRESULT TWinSkinPopMenu::WMPrintClient(WPARAM wParam, LPARAM lParam) {
  const LRESULT result = subclass_.CallOld(WM_PRINTCLIENT, wParam, lParam);
  if (MakeFrame()) {
    const HDC dc = reinterpret_cast<HDC>(wParam);
    ScopedDCState state(dc);
    ExcludeClipRect(dc, MenuBorder, MenuBorder, frame_.Width() - MenuBorder, frame_.Height() - MenuBorder);
    CopyBitmapToDC(dc, 0, 0, frame_, {0, 0, frame_.Width(), frame_.Height()});
  }
  return result;
}

LRESULT TWinSkinPopMenu::WMERASEBKGND(WPARAM wParam, LPARAM lParam) {
  if (OwnerDrawItems && MakeFrame()) {
    RECT client{};
    GetClientRect(menuWindow_, &client);
    // The client area sits inside the frame: copy the matching part.
    POINT origin{0, 0};
    ClientToScreen(menuWindow_, &origin);
    RECT window{};
    GetWindowRect(menuWindow_, &window);
    const int dx = origin.x - window.left, dy = origin.y - window.top;
    CopyBitmapToDC(reinterpret_cast<HDC>(wParam), 0, 0, frame_, {dx, dy, dx + client.right, dy + client.bottom});
    return 1;
  }
  subclass_.CallOld(WM_ERASEBKGND, wParam, lParam);
  return 1;
}

LRESULT TWinSkinPopMenu::WinWndProc(TWindowSubclass &sub, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CN_IsSkinned)
    return 1;
  TSkinManage *manager = RuntimeSkinManager();
  if (!manager || !manager->Active())
    return sub.CallOld(message, wParam, lParam);
  try {
    switch (message) {
    case WM_DESTROY: {
      const LRESULT result = sub.CallOld(message, wParam, lParam);
      UnSubClass();
      return result;
    }
    case WM_NCPAINT: NcPaint(); return 0;
    case WM_PRINT: return WMPrint(wParam, lParam);
    case WM_PRINTCLIENT: return WMPrintClient(wParam, lParam);
    case WM_ERASEBKGND: return WMERASEBKGND(wParam, lParam);
    default: break;
    }
  } catch (...) {
    // The menu paints itself when the skin cannot.
  }
  return sub.CallOld(message, wParam, lParam);
}

// ---- Owner-drawn items ----------------------------------------------------------------

void MeasureItem(TMenuItem &item, TCanvas &canvas, int &width, int &height) {
  item.MeasureItem(canvas, width, height);
  TSkinData *skin = MenuSkinData();
  const TDataSkinObject *picture = skin ? skin->Slot(TSkinSlot::MenuItem) : nullptr;
  TMenu *menu = item.GetParentMenu();
  width += (picture ? picture->LeftWidth : 0) + (menu && menu->Images() ? 0 : 25) + 10;
}

void MeasureItemPop(TMenuItem &item, TCanvas &canvas, int &width, int &height) {
  item.MeasureItem(canvas, width, height);
  TSkinData *skin = MenuSkinData();
  const TDataSkinObject *picture = skin ? skin->Slot(TSkinSlot::MenuItem) : nullptr;
  TMenu *menu = item.GetParentMenu();
  width += (picture ? picture->LeftWidth : 0) + (menu && menu->Images() ? 0 : 23) + 12;
}

void DrawItemText(TMenuItem &item, HDC dc, const TRect &rect, bool selected, TSkinData *skin) {
  TMenu *menu = item.GetParentMenu();
  const TImageList *images = menu ? menu->Images() : nullptr;
  const int column = images ? images->Width() : 16;
  const bool rtl = false;
  const int columnLeft = rtl ? rect.Right - column - 2 : rect.Left + 2;
  const int top = rect.Top + (rect.Height() - (images ? images->Height() : 16)) / 2;
  if (images && item.ImageIndex() >= 0 && item.ImageIndex() < images->Count()) {
    if (item.Checked()) {
      RECT edge{columnLeft - 1, top - 1, columnLeft + column + 1, top + images->Height() + 1};
      DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    }
    images->Draw(dc, columnLeft, top, item.ImageIndex(), item.Enabled());
  } else if (item.Checked()) {
    // The system's check mark, centred in the glyph column.
    RECT mark{columnLeft, rect.Top, columnLeft + column, rect.Bottom};
    ScopedDCState state(dc);
    SetBkMode(dc, TRANSPARENT);
    DrawFrameControl(dc, &mark, DFC_MENU, DFCS_MENUCHECK | DFCS_TRANSPARENT);
  }

  TColor color = clMenuText;
  if (skin) {
    const TDataSkinObject *picture = skin->Slot(TSkinSlot::MenuItem);
    color = skin->Colors(csMenuText);
    if (picture && selected)
      color = picture->MouseOverColour2;
    else if (picture)
      color = picture->NormalColour2;
  }
  if (!item.Enabled())
    color = clGrayText;
  const std::wstring caption = Wide(item.Caption());
  const std::wstring shortcut = Wide(ShortCutToText(item.ShortCut()));
  const TRect textRect{rect.Left + column + 8, rect.Top, rect.Right - 8, rect.Bottom};
  const HFONT font = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
  DrawSkinText(dc, caption, textRect, font, GdiColor(color), DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
  if (!shortcut.empty())
    DrawSkinText(dc, shortcut, textRect, font, GdiColor(color), DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

void DrawMenuItem(TMenuItem &item, TCanvas &canvas, const RECT &rect, bool selected) {
  TSkinManage *manager = RuntimeSkinManager();
  HMENU parentMenu = item.Parent() ? item.Parent()->Handle() : nullptr;
  if (manager) {
    manager->SetPopMenu();
    manager->SetHMenu(parentMenu);
  }
  TSkinData *skin = MenuSkinData();
  const TDataSkinObject *picture = skin ? skin->Slot(TSkinSlot::MenuItem) : nullptr;
  if (!skin || !picture || picture->Image.Empty()) {
    item.DrawItem(canvas, rect, selected);
    return;
  }
  const HDC dc = canvas.Handle();
  const TRect r = ToTRect(rect);
  TBitmap piece(r.Width(), r.Height());
  piece.Fill(skin->Colors(csMenubg));
  if (const TBitmap *frame = manager ? manager->GetMenuBg(parentMenu) : nullptr)
    StretchCopy(piece, {0, 0, piece.Width(), piece.Height()}, *frame,
                {r.Left + MenuBorder, r.Top + MenuBorder, r.Right + MenuBorder, r.Bottom + MenuBorder});
  const std::optional<TColor> key = picture->Trans ? std::optional<TColor>(clFuchsia) : std::nullopt;
  if (!item.IsLine()) {
    const TRect source = picture->FrameOf(selected ? 4 : 1);
    if (!source.IsEmpty())
      DrawNineSlice(piece, {0, 0, piece.Width(), piece.Height()}, picture->Image, source, picture->Margins(),
                    picture->Tile != 0, key);
    CopyBitmapToDC(dc, r.Left, r.Top, piece, {0, 0, piece.Width(), piece.Height()});
    DrawItemText(item, dc, r, selected, skin);
    return;
  }
  // A separator: the line picture across the item, ends unscaled.
  const TRect source = picture->FrameOf(2);
  if (!source.IsEmpty()) {
    const int height = std::min(source.Height(), piece.Height());
    const int top = (piece.Height() - height) / 2;
    DrawNineSlice(piece, {0, top, piece.Width(), top + height}, picture->Image, source,
                  {picture->LeftWidth, 0, picture->RightWidth, 0}, false, clFuchsia);
  }
  CopyBitmapToDC(dc, r.Left, r.Top, piece, {0, 0, piece.Width(), piece.Height()});
}

namespace {

// The handlers the skin gives items: named, so that turning the skin off
// clears exactly these and leaves an item's own handlers alone.
struct SkinDrawHandler {
  void operator()(TObject *sender, TCanvas &canvas, const RECT &rect, bool selected) const {
    DrawMenuItem(*static_cast<TMenuItem *>(sender), canvas, rect, selected);
  }
};
struct SkinMeasureHandler {
  void operator()(TObject *sender, TCanvas &canvas, int &width, int &height) const {
    MeasureItem(*static_cast<TMenuItem *>(sender), canvas, width, height);
  }
};

void SkinItems(TMenuItem &parent, bool on) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem &item = *parent.Items(i);
    if (on && !item.OnDrawItem) {
      item.OnDrawItem = SkinDrawHandler{};
      item.OnMeasureItem = SkinMeasureHandler{};
    } else if (!on && item.OnDrawItem.target<SkinDrawHandler>()) {
      item.OnDrawItem = nullptr;
      item.OnMeasureItem = nullptr;
    }
    SkinItems(item, on);
  }
}

} // namespace

void InitPopMenu(TForm &form, TSkinData &skin, bool on) {
  if (on && !skin.SkinControls().Contains(TSkinControlType::xcPopupMenu))
    return;
  for (int i = 0; i < form.ComponentCount(); ++i) {
    auto *menu = dynamic_cast<TPopupMenu *>(form.Components(i));
    if (!menu || menu->Tag() == skin.DisableTag())
      continue;
    // The handles are rebuilt last, when the items hold their final handlers.
    SkinItems(*menu->Items(), on);
    if (menu->OwnerDraw() != on)
      menu->SetOwnerDraw(on);
    else
      menu->Rebuild();
  }
}

void InitMainMenu(TForm &form, TSkinData &skin, bool on) {
  if (on && !skin.SkinControls().Contains(TSkinControlType::xcMenuItem))
    return;
  TMainMenu *menu = form.Menu();
  if (!menu)
    return;
  // Below the top level only: the bar's own buttons are the bar skinner's.
  for (int i = 0; i < menu->Items()->Count(); ++i)
    SkinItems(*menu->Items()->Items(i), on);
  // The entries become owner-drawn (or plain again) only when set anew.
  menu->Rebuild();
}

void InitToolbarMenu(TMenuItem &item, TSkinData &skin, bool on) {
  if (on && !skin.SkinControls().Contains(TSkinControlType::xcMainMenu))
    return;
  SkinItems(item, on);
  if (TMenu *menu = item.GetParentMenu())
    menu->Rebuild();
}

void InitFormMenus(TForm &form, TSkinData &skin, bool on) {
  if (form.ClassName() == "TwwRichEditForm")
    return;
  InitPopMenu(form, skin, on);
  InitMainMenu(form, skin, on);
}

bool HandleForeignMenuItem(TWinSkinForm &form, UINT message, WPARAM wParam, LPARAM lParam, LRESULT &result) {
  if (form.Form())
    return false; // the framework form answers its own menus
  TMessage m{message, wParam, lParam, 0};
  if (!HandleMenuOwnerDraw(m))
    return false;
  result = m.Result;
  return true;
}

// ---- The menu bar ----------------------------------------------------------------

namespace {

// The one menu loop that can run at a time.
struct MenuLoop {
  std::unique_ptr<THook> hook;
  TWinSkinMenu *bar = nullptr; // not owned
  int openIndex = -1;
  HMENU openMenu = nullptr;     // the open button's popup
  HMENU selectedMenu = nullptr; // the popup holding the selected item
  bool selectedHasChildren = false;
  bool selection = false;
  // The button whose menu opens once the open one has closed; -1 for none.
  // Switching closes the menu and opens the next from CheckMenu, never from
  // inside the closing menu's loop: a click posted to the window would be
  // handed to the window by the system's loop and open the next menu nested
  // in the first.
  int pendingIndex = -1;
  bool firstKey = false;
  POINT lastMouse{-1, -1};
  bool rightToLeft = false;
};
MenuLoop loop;

// A button that can show a menu.
bool Opens(TMenuBtn &button) { return button.Enabled && button.SubMenu; }

// The next button from `from` in `step` direction (wrapping) that can show a
// menu; -1 when no other can.
int NextOpening(TWinSkinMenu &bar, int from, int step) {
  const int count = bar.ButtonCount();
  for (int i = 1; i < count; ++i) {
    const int index = ((from + step * i) % count + count) % count;
    if (Opens(bar.Button(index)))
      return index;
  }
  return -1;
}

LRESULT MenuLoopHook(THook &hook, int code, WPARAM wParam, LPARAM lParam) {
  const LRESULT next = hook.CallNext(code, wParam, lParam);
  if (next != 0 || code != MSGF_MENU || !loop.bar)
    return next;
  auto *msg = reinterpret_cast<MSG *>(lParam);
  if (!msg)
    return next;
  try {
    // A right-to-left bar runs the other way: so do the arrow keys.
    if (loop.rightToLeft && msg->message == WM_KEYDOWN && (msg->wParam == VK_LEFT || msg->wParam == VK_RIGHT))
      msg->wParam = msg->wParam == VK_LEFT ? VK_RIGHT : VK_LEFT;
    if (!loop.firstKey) {
      loop.firstKey = true;
      PostMessageW(msg->hwnd, WM_KEYDOWN, VK_DOWN, 0);
    }
    TWinSkinMenu &bar = *loop.bar;
    int target = -1;
    switch (msg->message) {
    case WM_KEYDOWN:
      if (msg->wParam == VK_RIGHT && (!loop.selection || !loop.selectedHasChildren))
        target = NextOpening(bar, loop.openIndex, 1);
      else if (msg->wParam == VK_LEFT && (!loop.selection || loop.selectedMenu == loop.openMenu))
        target = NextOpening(bar, loop.openIndex, -1);
      break;
    case WM_SYSKEYDOWN:
      if (msg->wParam == VK_MENU) {
        loop.pendingIndex = -1;
        EndMenu();
      }
      break;
    case WM_MOUSEMOVE: {
      POINT cursor{};
      GetCursorPos(&cursor);
      if (cursor.x != loop.lastMouse.x || cursor.y != loop.lastMouse.y) {
        loop.lastMouse = cursor;
        TWinSkinForm &form = *static_cast<TWinSkinForm *>(bar.Owner());
        if (TMenuBtn *over = bar.FindBtn(form.GetWinXY(cursor.x, cursor.y)); over && Opens(*over))
          target = over->Index;
      }
      break;
    }
    default: break;
    }
    if (target >= 0 && target != loop.openIndex && loop.pendingIndex < 0) {
      loop.pendingIndex = target;
      EndMenu();
    }
  } catch (...) {
    // The menu goes on without the bar's keys.
  }
  return next;
}

} // namespace

TWinSkinMenu::TWinSkinMenu(TComponent *owner, TWinSkinForm &form)
    : TComponent(owner), form_(form), font_(CreateMenuFont()) {}

TWinSkinMenu::~TWinSkinMenu() {
  if (loop.bar == this) {
    loop.hook.reset();
    loop.bar = nullptr;
  }
  form_.HotObject = nullptr;
  buttons_.clear();
}

int TWinSkinMenu::OpenIndex() const { return loop.bar == this ? loop.openIndex : -1; }

void TWinSkinMenu::Rebuild(HMENU menu) {
  form_.HotObject = nullptr;
  buttons_.clear();
  menu_ = menu;
  if (!menu || !IsMenu(menu))
    return;
  TMainMenu *framework = form_.Form() ? form_.Form()->Menu() : nullptr;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[81] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 80;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info))
      continue;
    auto button = std::make_unique<TMenuBtn>(form_, *this);
    button->Index = static_cast<int>(buttons_.size());
    button->Caption = text;
    button->Enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
    button->Command = info.wID;
    button->SubMenu = info.hSubMenu;
    if (framework) {
      for (int k = 0; k < framework->Items()->Count(); ++k) {
        TMenuItem *item = framework->Items()->Items(k);
        if (item->Command() == info.wID || (info.hSubMenu && item->HasHandle() && item->Handle() == info.hSubMenu)) {
          button->Item = item;
          button->Caption = Wide(item->Caption());
          button->Enabled = item->Enabled();
          button->SubMenu = item->Count() > 0 ? item->Handle() : nullptr;
          if (!item->Visible())
            button.reset();
          break;
        }
      }
    }
    if (button)
      buttons_.push_back(std::move(button));
  }
  for (size_t i = 0; i < buttons_.size(); ++i)
    buttons_[i]->Index = static_cast<int>(i);
}

void TWinSkinMenu::UpdataBtn() {
  HMENU menu = GetMenu(form_.Handle);
  if (!menu)
    menu = menu_;
  if (form_.Form() && form_.Form()->Menu())
    menu = form_.Form()->Menu()->Handle();
  Rebuild(menu);
  if (GetMenu(form_.Handle))
    SetMenu(form_.Handle, nullptr);
}

void TWinSkinMenu::UpdataBtn2(HMENU menu) {
  Rebuild(menu);
  if (GetMenu(form_.Handle))
    SetMenu(form_.Handle, nullptr);
}

void TWinSkinMenu::RestoreMenu() {
  if (menu_ && IsMenu(menu_) && !GetMenu(form_.Handle))
    SetMenu(form_.Handle, menu_);
}

void TWinSkinMenu::Layout(const TRect &strip, HDC dc) {
  // Left to right in window coordinates: a right-to-left window's device
  // contexts and client coordinates are mirrored by the system, which puts
  // the first button at the right.
  TSkinData *skin = form_.SkinData();
  const TDataSkinObject *object = skin ? skin->Slot(TSkinSlot::MenuBar) : nullptr;
  int offset = object ? object->LeftWidth + 4 : 6;
  if (strip.Width() < offset)
    offset = 12;
  int x = strip.Left + offset;
  for (auto &button : buttons_) {
    const SIZE text = MeasureSkinText(dc, button->Caption, font_.get());
    const int width = text.cx + 16;
    button->Rect = {x, strip.Top + 1, x + width, strip.Bottom - 1};
    x += width;
  }
}

void TWinSkinMenu::DrawMenu(HDC dc, const TRect &strip) {
  TSkinData *skin = form_.SkinData();
  if (!skin || strip.IsEmpty())
    return;
  strip_ = strip;
  background_ = TBitmap(strip.Width(), strip.Height());
  background_.Fill(skin->Colors(csMenuBar));
  if (const TDataSkinObject *object = skin->Slot(TSkinSlot::MenuBar); object && !object->Image.Empty()) {
    const TRect source = object->FrameOf(form_.IsActive() ? 1 : 2, true);
    const TMargins margins{object->LeftWidth, 0, object->RightWidth, 0};
    DrawNineSlice(background_, {0, 0, strip.Width(), strip.Height()}, object->Image, source, margins,
                  object->Tile != 1);
  }
  // Buttons of a maximised child in the bar.
  TSkinManage *manager = RuntimeSkinManager();
  Layout(strip, dc);
  TBitmap bar = background_;
  bool childButtons = false;
  for (const auto &button : form_.SysButtons())
    if (button->Data.Align == AlignMenuBar && form_.Checkvisible(button->Index)) {
      childButtons = true;
      const TRect source = button->Data.FrameOf(1);
      const TRect dest{button->Rect.Left - strip.Left, button->Rect.Top - strip.Top, button->Rect.Right - strip.Left,
                       button->Rect.Bottom - strip.Top};
      StretchCopy(bar, dest, button->Data.Image, source, clFuchsia);
    }
  if (childButtons && manager)
    manager->SetMDIMax(true);
  CopyBitmapToDC(dc, strip.Left, strip.Top, bar, {0, 0, bar.Width(), bar.Height()});
  for (auto &button : buttons_)
    DrawButton(dc, *button);
}

void TWinSkinMenu::DrawButton(HDC dc, TMenuBtn &button) {
  TSkinData *skin = form_.SkinData();
  if (!skin)
    return;
  TBitmap piece(button.Rect.Width(), button.Rect.Height());
  CopyBackground(piece, button.Rect);
  CopyBitmapToDC(dc, button.Rect.Left, button.Rect.Top, piece, {0, 0, piece.Width(), piece.Height()});
  if (button.State == StatePressed || button.State == StateHot) {
    OwnedBrush brush(CreateSolidBrush(GdiColor(skin->Colors(csButtonHilight))));
    RECT r = ToRECT(button.Rect);
    FrameRect(dc, &r, brush.get());
  }
  const TColor color = button.Enabled ? skin->Colors(csMenuBarText) : skin->Colors(csButtonShadow);
  DrawSkinText(dc, button.Caption, button.Rect, font_.get(), GdiColor(color), DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

void TWinSkinMenu::CopyBackground(TBitmap &piece, const TRect &rect) const {
  if (background_.Empty())
    return;
  StretchCopy(piece, {0, 0, piece.Width(), piece.Height()}, background_,
              {rect.Left - strip_.Left, rect.Top - strip_.Top, rect.Right - strip_.Left, rect.Bottom - strip_.Top});
}

void TMenuBtn::Draw() {
  try {
    WindowDC dc(form_.Handle, true);
    bar_.DrawButton(dc.get(), *this);
  } catch (...) {
    // Painting failures are not the user's business.
  }
}

TMenuBtn *TWinSkinMenu::FindBtn(POINT p) {
  for (auto &button : buttons_)
    if (p.x >= button->Rect.Left && p.x < button->Rect.Right && p.y >= button->Rect.Top && p.y < button->Rect.Bottom)
      return button.get();
  return nullptr;
}

POINT TWinSkinMenu::ScreenPoint(POINT windowPoint) const {
  // The inverse of the form's GetWinXY, which goes through the client area
  // (mirrored for a right-to-left window).
  const TFrameMetrics metrics = form_.Metrics();
  POINT p{windowPoint.x - metrics.Left, windowPoint.y - metrics.Top - metrics.MenuBar};
  ClientToScreen(form_.Handle, &p);
  return p;
}

void TWinSkinMenu::ClickButton(TMenuBtn &button) {
  const POINT p = ScreenPoint({button.Rect.Left + 1, button.Rect.Top + 1});
  PostMessageW(form_.Handle, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
}

void TWinSkinMenu::MenuSelect(WPARAM wParam, LPARAM lParam) {
  if (loop.bar != this)
    return;
  const UINT flags = HIWORD(wParam);
  const auto menu = reinterpret_cast<HMENU>(lParam);
  if (flags == 0xFFFF && !menu) {
    if (loop.pendingIndex < 0)
      EndMenu();
    return;
  }
  loop.selection = true;
  loop.selectedMenu = menu;
  loop.selectedHasChildren = (flags & MF_POPUP) != 0;
}

void TWinSkinMenu::CheckMenu(TMenuBtn &button) {
  const int first = button.Index;
  int index = first;
  while (index >= 0 && index < ButtonCount()) {
    TMenuBtn &shown = *buttons_[static_cast<size_t>(index)];
    if (index != first)
      shown.MouseDown();
    const int next = TrackButton(shown);
    // The menu's commands may have rebuilt the bar: buttons by index only.
    if (index < ButtonCount() && form_.HotObject == buttons_[static_cast<size_t>(index)].get())
      buttons_[static_cast<size_t>(index)]->MouseLeave();
    index = next;
  }
}

int TWinSkinMenu::TrackButton(TMenuBtn &button) {
  PostMessageW(form_.Handle, WM_COMMAND, button.Command, 0);
  if (!button.SubMenu)
    return -1;
  loop.bar = this;
  loop.openIndex = button.Index;
  loop.openMenu = button.SubMenu;
  loop.selection = false;
  loop.selectedMenu = nullptr;
  loop.pendingIndex = -1;
  SendMessageW(form_.Handle, WM_INITMENU, reinterpret_cast<WPARAM>(button.SubMenu), 0);
  form_.InMenuLoop = true;
  if (TSkinManage *manager = RuntimeSkinManager())
    manager->MenuRoot().MenuKind = MenuKind::MenuBar;
  if (!loop.hook)
    loop.hook = std::make_unique<THook>(THookKind::MessageFilter, MenuLoopHook);
  loop.firstKey = false;
  GetCursorPos(&loop.lastMouse);
  loop.rightToLeft = (GetWindowLongPtrW(form_.Handle, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
  if (button.Enabled) {
    // Under the button; a right-to-left window's (mirrored) button ends at
    // the screen point of its logical left edge.
    UINT flags = TPM_NONOTIFY | TPM_RIGHTBUTTON;
    POINT at = ScreenPoint({button.Rect.Left, button.Rect.Bottom});
    if (loop.rightToLeft) {
      flags |= TPM_RIGHTALIGN;
      at.x += 1;
    }
    TrackPopupMenu(button.SubMenu, flags, at.x, at.y, 0, form_.Handle, nullptr);
  }
  const int next = loop.pendingIndex;
  loop.hook.reset();
  loop.bar = nullptr;
  loop.openIndex = -1;
  loop.openMenu = nullptr;
  loop.pendingIndex = -1;
  form_.InMenuLoop = false;
  return next;
}

bool TWinSkinMenu::CMDialogChar(wchar_t character) {
  if (!(GetKeyState(VK_MENU) & 0x8000))
    return false;
  const wchar_t wanted = UpperChar(character);
  for (auto &button : buttons_) {
    if (!button->Enabled)
      continue;
    if (AcceleratorOf(Narrow(button->Caption)) == wanted) {
      ClickButton(*button);
      return true;
    }
  }
  return false;
}

void TWinSkinMenu::KeyMenu(wchar_t character) {
  if (buttons_.empty())
    return;
  if (character == 0) {
    ClickButton(*buttons_.front());
    return;
  }
  const wchar_t wanted = UpperChar(character);
  for (auto &button : buttons_)
    if (button->Enabled && AcceleratorOf(Narrow(button->Caption)) == wanted) {
      ClickButton(*button);
      return;
    }
}

} // namespace zorvex
