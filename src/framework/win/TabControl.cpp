#include "TabControl.h"

#include <algorithm>

#include <commctrl.h>

#include "Win32Error.h"
#include "framework/core/Texts.h"

namespace zorvex {

// ---- TCustomTabControl

TCustomTabControl::TCustomTabControl(TComponent *owner)
    : TWinControl(owner), images_(*this, [this] {
        Send(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.SystemList()));
        UpdateTabs();
      }) {
  SetTabStop(true);
  StoreBounds(0, 0, 289, 193);
}

const TPropertyTable &TCustomTabControl::ClassProperties() {
  static const auto table = TPublished<TCustomTabControl>(&TWinControl::ClassProperties())
                                .Boolean("MultiLine", &TCustomTabControl::MultiLine, &TCustomTabControl::SetMultiLine)
                                .Enumeration("TabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"},
                                             &TCustomTabControl::TabPosition, &TCustomTabControl::SetTabPosition)
                                .Enumeration("Style", {"tsTabs", "tsButtons", "tsFlatButtons"},
                                             &TCustomTabControl::Style, &TCustomTabControl::SetStyle)
                                .Boolean("HotTrack", &TCustomTabControl::HotTrack, &TCustomTabControl::SetHotTrack)
                                .Integer("TabHeight", &TCustomTabControl::TabHeight, &TCustomTabControl::SetTabHeight)
                                .Integer("TabWidth", &TCustomTabControl::TabWidth, &TCustomTabControl::SetTabWidth)
                                .Object("Images", &TCustomTabControl::Images, &TCustomTabControl::SetImages);
  return table;
}

LRESULT TCustomTabControl::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return HandleAllocated() ? SendMessageW(WindowHandle(), message, wParam, lParam) : 0;
}

void TCustomTabControl::CreateParams(TCreateParams &params) {
  TWinControl::CreateParams(params);
  params.WindowClassBase = WC_TABCONTROLW;
  params.Style |= WS_CLIPCHILDREN;
  if (multiLine_)
    params.Style |= TCS_MULTILINE;
  switch (tabPosition_) {
  case TTabPosition::tpTop: break;
  case TTabPosition::tpBottom: params.Style |= TCS_BOTTOM; break;
  case TTabPosition::tpLeft: params.Style |= TCS_VERTICAL | TCS_MULTILINE; break;
  case TTabPosition::tpRight: params.Style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE; break;
  }
  switch (style_) {
  case TTabStyle::tsTabs: break;
  case TTabStyle::tsButtons: params.Style |= TCS_BUTTONS; break;
  case TTabStyle::tsFlatButtons: params.Style |= TCS_BUTTONS | TCS_FLATBUTTONS; break;
  }
  if (hotTrack_)
    params.Style |= TCS_HOTTRACK;
  if (tabWidth_ > 0)
    params.Style |= TCS_FIXEDWIDTH;
}

void TCustomTabControl::CreateWindowHandleDone() {
  Send(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.SystemList()));
  ApplyItemSize();
}

void TCustomTabControl::Notification(TComponent *component, TOperation operation) {
  TWinControl::Notification(component, operation);
  images_.Forget(component, operation);
}

void TCustomTabControl::InsertTab(int index, const std::string &caption, int imageIndex) {
  std::wstring text = Wide(caption);
  TCITEMW item{};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = text.data();
  item.iImage = Images() ? imageIndex : -1;
  if (Send(TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) < 0)
    throw Exception("Cannot add a tab to " + ClassName());
}

void TCustomTabControl::ApplyItemSize() {
  if (!HandleAllocated() || (tabHeight_ <= 0 && tabWidth_ <= 0))
    return;
  int height = tabHeight_;
  if (height <= 0) {
    const RECT tab = TabRect(0);
    height = tab.bottom > tab.top ? tab.bottom - tab.top : 20;
  }
  Send(TCM_SETITEMSIZE, 0, MAKELPARAM(std::max(tabWidth_, 0), height));
  TabsChanged();
}

bool TCustomTabControl::CNNotify(NMHDR &header, LRESULT &result) {
  switch (header.code) {
  case static_cast<UINT>(TCN_SELCHANGING): result = CanChange() ? FALSE : TRUE; return true;
  case static_cast<UINT>(TCN_SELCHANGE):
    Change();
    result = 0;
    return true;
  default: return false;
  }
}

bool TCustomTabControl::CanChange() {
  bool allow = true;
  if (OnChanging)
    OnChanging(this, allow);
  return allow;
}

void TCustomTabControl::Change() {
  if (OnChange)
    OnChange(this);
}

TItemWindowOps TCustomTabControl::TabWindowOps() {
  TItemWindowOps ops;
  ops.windowExists = [this] { return HandleAllocated(); };
  ops.insert = [this](int index, const std::string &text) { InsertTab(index, text, index); };
  ops.remove = [this](int index) { Send(TCM_DELETEITEM, static_cast<WPARAM>(index)); };
  ops.clear = [this] { Send(TCM_DELETEALLITEMS); };
  ops.replace = [this](int index, const std::string &text) {
    std::wstring caption = Wide(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    Send(TCM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  };
  return ops;
}

int TCustomTabControl::CurrentTab() const { return HandleAllocated() ? static_cast<int>(Send(TCM_GETCURSEL)) : -1; }

void TCustomTabControl::SelectTab(int index) { Send(TCM_SETCURSEL, static_cast<WPARAM>(index)); }

RECT TCustomTabControl::DisplayRect() const {
  RECT rect = ClientRect();
  if (HandleAllocated())
    Send(TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&rect));
  return rect;
}

int TCustomTabControl::IndexOfTabAt(int x, int y) const {
  TCHITTESTINFO hit{POINT{x, y}, 0};
  return HandleAllocated() ? static_cast<int>(Send(TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))) : -1;
}

RECT TCustomTabControl::TabRect(int index) const {
  RECT rect{};
  if (!HandleAllocated() || !Send(TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)))
    return RECT{};
  return rect;
}

void TCustomTabControl::SetMultiLine(bool multiLine) {
  if (multiLine == multiLine_)
    return;
  multiLine_ = multiLine;
  RecreateWnd();
}

void TCustomTabControl::SetTabPosition(TTabPosition position) {
  if (position == tabPosition_)
    return;
  tabPosition_ = position;
  RecreateWnd();
}

void TCustomTabControl::SetStyle(TTabStyle style) {
  if (style == style_)
    return;
  style_ = style;
  RecreateWnd();
}

void TCustomTabControl::SetHotTrack(bool hotTrack) {
  hotTrack_ = hotTrack;
  ChangeStyle(TCS_HOTTRACK, hotTrack);
}

void TCustomTabControl::SetTabHeight(int height) {
  tabHeight_ = std::max(height, 0);
  ApplyItemSize();
}

void TCustomTabControl::SetTabWidth(int width) {
  tabWidth_ = std::max(width, 0);
  ChangeStyle(TCS_FIXEDWIDTH, tabWidth_ > 0);
  ApplyItemSize();
}

// ---- TTabControl

TTabControl::TTabControl(TComponent *owner)
    : TCustomTabControl(owner), tabs_(std::make_unique<TControlStrings>(TabWindowOps())) {
  tabs_->OnChange = [this] {
    if (!HandleAllocated() && tabIndex_ >= tabs_->Count())
      tabIndex_ = -1;
    TabsChanged();
  };
}

TTabControl::~TTabControl() { DestroyHandle(); }

const TPropertyTable &TTabControl::ClassProperties() {
  static const auto table =
      TPublished<TTabControl>(&TCustomTabControl::ClassProperties())
          .Object(
              "Tabs", [](const TTabControl &control) { return const_cast<TStrings *>(&control.Tabs()); },
              [](TTabControl &control, TStrings *tabs) {
                if (tabs && tabs != &control.Tabs())
                  control.Tabs().Assign(*tabs);
              })
          .Integer("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex);
  return table;
}

void TTabControl::CreateWindowHandleDone() {
  tabs_->FillWindow();
  SelectTab(tabIndex_);
  TCustomTabControl::CreateWindowHandleDone();
}

void TTabControl::UpdateTabs() {
  const int index = TabIndex();
  tabs_->FillWindow();
  SelectTab(index);
}

void TTabControl::WndProc(TMessage &message) {
  if (message.Msg == WM_DESTROY)
    tabIndex_ = TabIndex();
  TCustomTabControl::WndProc(message);
}

int TTabControl::TabIndex() const { return HandleAllocated() ? CurrentTab() : tabIndex_; }

void TTabControl::SetTabIndex(int index) {
  if (index < -1 || index >= tabs_->Count())
    index = -1;
  tabIndex_ = index;
  SelectTab(index);
}

} // namespace zorvex
