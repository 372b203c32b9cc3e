#include "ToolBar.h"

#include <algorithm>

#include "Menus.h"
#include "framework/core/Texts.h"

namespace zorvex {

namespace {
int NextCommand() {
  static int command = 1000;
  command = command >= 0x7FFF ? 1000 : command + 1;
  return command;
}
} // namespace

// ---- TToolButton

TToolButton::TToolButton(TComponent *owner) : TGraphicControl(owner), command_(NextCommand()) {
  StoreBounds(0, 0, 23, 22);
}

TToolButton::~TToolButton() {
  if (toolBar_)
    toolBar_->RemoveButton(this);
}

const TPropertyTable &TToolButton::ClassProperties() {
  static const auto table =
      TPublished<TToolButton>(&TGraphicControl::ClassProperties())
          .String("Caption", &TToolButton::Caption, &TToolButton::SetCaption)
          .Integer("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex)
          .Enumeration("Style", {"tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator", "tbsDivider"},
                       &TToolButton::Style, &TToolButton::SetStyle)
          .Boolean("Down", &TToolButton::Down, &TToolButton::SetDown)
          .Boolean("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped)
          .Boolean("Indeterminate", &TToolButton::Indeterminate, &TToolButton::SetIndeterminate)
          .Boolean("Wrap", &TToolButton::Wrap, &TToolButton::SetWrap)
          .Object("DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu);
  return table;
}

void TToolButton::SetParent(TWinControl *parent) {
  if (parent == Parent())
    return;
  if (toolBar_)
    toolBar_->RemoveButton(this);
  TGraphicControl::SetParent(parent);
  if (auto *bar = dynamic_cast<TToolBar *>(parent))
    bar->InsertButton(this);
}

int TToolButton::Index() const {
  if (!toolBar_)
    return -1;
  const auto &buttons = toolBar_->buttons_;
  return static_cast<int>(std::find(buttons.begin(), buttons.end(), this) - buttons.begin());
}

void TToolButton::SetIndex(int index) {
  if (toolBar_)
    toolBar_->MoveButton(this, index);
}

void TToolButton::Changed() {
  if (toolBar_)
    toolBar_->UpdateButton(this);
}

void TToolButton::SetStyle(TToolButtonStyle style) {
  if (style == style_)
    return;
  style_ = style;
  if (toolBar_)
    toolBar_->UpdateButtons();
}

void TToolButton::SetImageIndex(int index) {
  imageIndex_ = index;
  Changed();
}

bool TToolButton::Down() const {
  if (toolBar_ && toolBar_->HandleAllocated())
    return toolBar_->Send(TB_ISBUTTONCHECKED, static_cast<WPARAM>(command_)) != 0;
  return down_;
}

void TToolButton::SetDown(bool down) {
  down_ = down;
  if (down && grouped_ && style_ == TToolButtonStyle::tbsCheck && toolBar_) {
    // The others of the group: the run of grouped check buttons around it.
    const auto &buttons = toolBar_->buttons_;
    const int index = Index();
    auto inGroup = [](const TToolButton *b) { return b->grouped_ && b->style_ == TToolButtonStyle::tbsCheck; };
    for (int i = index - 1; i >= 0 && inGroup(buttons[static_cast<size_t>(i)]); --i)
      buttons[static_cast<size_t>(i)]->down_ = false;
    for (size_t i = static_cast<size_t>(index) + 1; i < buttons.size() && inGroup(buttons[i]); ++i)
      buttons[i]->down_ = false;
    toolBar_->UpdateButtons();
    return;
  }
  Changed();
}

void TToolButton::SetGrouped(bool grouped) {
  grouped_ = grouped;
  Changed();
}

void TToolButton::SetIndeterminate(bool indeterminate) {
  indeterminate_ = indeterminate;
  Changed();
}

void TToolButton::SetWrap(bool wrap) {
  wrap_ = wrap;
  Changed();
}

void TToolButton::SetDropdownMenu(TPopupMenu *menu) {
  if (menu == dropdownMenu_)
    return;
  if (dropdownMenu_)
    RemoveFreeNotification(dropdownMenu_);
  dropdownMenu_ = menu;
  if (menu)
    FreeNotification(menu);
}

void TToolButton::Notification(TComponent *component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == TOperation::Remove && component == dropdownMenu_)
    dropdownMenu_ = nullptr;
}

bool TToolButton::CheckMenuDropdown() {
  if (!dropdownMenu_ || !toolBar_ || !toolBar_->HandleAllocated())
    return false;
  RECT rect{};
  toolBar_->Send(TB_GETRECT, static_cast<WPARAM>(command_), reinterpret_cast<LPARAM>(&rect));
  POINT below{rect.left, rect.bottom};
  ::ClientToScreen(toolBar_->WindowHandle(), &below);
  dropdownMenu_->Popup(below.x, below.y);
  return true;
}

void TToolButton::TextChanged() {
  TGraphicControl::TextChanged();
  Changed();
}

void TToolButton::VisibleChanged() {
  TGraphicControl::VisibleChanged();
  Changed();
}

void TToolButton::EnabledChanged() {
  TGraphicControl::EnabledChanged();
  Changed();
}

// ---- TToolBar

TToolBar::TToolBar(TComponent *owner)
    : TWinControl(owner), images_(*this, [this] { ApplyImages(); }), disabledImages_(*this, [this] { ApplyImages(); }),
      hotImages_(*this, [this] { ApplyImages(); }) {
  StoreBounds(0, 0, 150, 29);
}

TToolBar::~TToolBar() {
  DestroyHandle();
  for (TToolButton *button : buttons_)
    button->toolBar_ = nullptr;
}

const TPropertyTable &TToolBar::ClassProperties() {
  static const auto table = TPublished<TToolBar>(&TWinControl::ClassProperties())
                                .Object("Images", &TToolBar::Images, &TToolBar::SetImages)
                                .Object("DisabledImages", &TToolBar::DisabledImages, &TToolBar::SetDisabledImages)
                                .Object("HotImages", &TToolBar::HotImages, &TToolBar::SetHotImages)
                                .Integer("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth)
                                .Integer("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight)
                                .Boolean("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions)
                                .Boolean("List", &TToolBar::List, &TToolBar::SetList)
                                .Boolean("Flat", &TToolBar::Flat, &TToolBar::SetFlat)
                                .Boolean("Transparent", &TToolBar::Transparent, &TToolBar::SetTransparent)
                                .Boolean("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable)
                                .Integer("Indent", &TToolBar::Indent, &TToolBar::SetIndent);
  return table;
}

LRESULT TToolBar::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return HandleAllocated() ? SendMessageW(WindowHandle(), message, wParam, lParam) : 0;
}

void TToolBar::CreateParams(TCreateParams &params) {
  TWinControl::CreateParams(params);
  params.WindowClassBase = TOOLBARCLASSNAMEW;
  // Placed like every other control, not glued to the parent's top.
  params.Style |= CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | TBSTYLE_TOOLTIPS;
  if (flat_)
    params.Style |= TBSTYLE_FLAT;
  if (list_)
    params.Style |= TBSTYLE_LIST;
  if (transparent_)
    params.Style |= TBSTYLE_TRANSPARENT;
  if (wrapable_)
    params.Style |= TBSTYLE_WRAPABLE;
}

void TToolBar::CreateWindowHandleDone() {
  Send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
  Send(TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
  Send(TB_SETINDENT, static_cast<WPARAM>(indent_));
  ApplyImages();
  UpdateButtons();
}

void TToolBar::ApplyImages() {
  if (!HandleAllocated())
    return;
  HIMAGELIST normal = images_.SystemList();
  Send(TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(normal));
  Send(TB_SETDISABLEDIMAGELIST, 0,
       reinterpret_cast<LPARAM>(disabledImages_.Images() ? disabledImages_.SystemList() : images_.SystemList(true)));
  Send(TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(hotImages_.SystemList()));
  if (!normal)
    Send(TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
  ApplyButtonSize();
}

void TToolBar::ApplyButtonSize() {
  if (!HandleAllocated())
    return;
  Send(TB_SETMAXTEXTROWS, showCaptions_ ? 1 : 0);
  Send(TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
  Send(TB_AUTOSIZE);
  PlaceButtons();
  Invalidate();
}

namespace {
struct ButtonEntry {
  TBBUTTON button{};
  std::wstring text;
};

BYTE ButtonState(const TToolButton &button, bool down) {
  BYTE state = 0;
  if (button.Enabled())
    state |= TBSTATE_ENABLED;
  if (down)
    state |= TBSTATE_CHECKED;
  if (!button.Visible())
    state |= TBSTATE_HIDDEN;
  if (button.Wrap())
    state |= TBSTATE_WRAP;
  if (button.Indeterminate())
    state |= TBSTATE_INDETERMINATE;
  return state;
}

BYTE ButtonStyle(const TToolButton &button, bool list) {
  switch (button.Style()) {
  case TToolButtonStyle::tbsSeparator:
  case TToolButtonStyle::tbsDivider: return BTNS_SEP;
  case TToolButtonStyle::tbsCheck:
    return static_cast<BYTE>(BTNS_CHECK | (button.Grouped() ? BTNS_GROUP : 0) | (list ? BTNS_AUTOSIZE : 0));
  case TToolButtonStyle::tbsDropDown: return static_cast<BYTE>(BTNS_DROPDOWN | (list ? BTNS_AUTOSIZE : 0));
  case TToolButtonStyle::tbsButton: break;
  }
  return static_cast<BYTE>(BTNS_BUTTON | (list ? BTNS_AUTOSIZE : 0));
}

int ButtonImage(const TToolButton &button, bool hasImages) {
  switch (button.Style()) {
  case TToolButtonStyle::tbsSeparator: return 6; // a separator's width
  case TToolButtonStyle::tbsDivider: return 8;
  default: return hasImages && button.ImageIndex() >= 0 ? button.ImageIndex() : I_IMAGENONE;
  }
}
} // namespace

void TToolBar::UpdateButtons() {
  if (!HandleAllocated())
    return;
  updating_ = true;
  struct Done {
    bool &flag;
    ~Done() { flag = false; }
  } done{updating_};
  // The window's check states are the user's: they come over first.
  for (TToolButton *button : buttons_)
    if (Send(TB_COMMANDTOINDEX, static_cast<WPARAM>(button->command_)) >= 0)
      button->down_ = Send(TB_ISBUTTONCHECKED, static_cast<WPARAM>(button->command_)) != 0;
  while (Send(TB_BUTTONCOUNT) > 0)
    Send(TB_DELETEBUTTON, 0);
  std::vector<ButtonEntry> entries(buttons_.size());
  for (size_t i = 0; i < buttons_.size(); ++i) {
    const TToolButton &source = *buttons_[i];
    ButtonEntry &entry = entries[i];
    entry.text = Wide(source.Caption());
    entry.button.iBitmap = ButtonImage(source, Images() != nullptr);
    entry.button.idCommand = source.command_;
    entry.button.fsState = ButtonState(source, source.down_);
    entry.button.fsStyle = ButtonStyle(source, list_);
    const bool separator = entry.button.fsStyle == BTNS_SEP;
    entry.button.iString = separator ? 0 : reinterpret_cast<INT_PTR>(entry.text.c_str());
  }
  std::vector<TBBUTTON> buttons;
  for (const ButtonEntry &entry : entries)
    buttons.push_back(entry.button);
  if (!buttons.empty())
    Send(TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  Send(TB_AUTOSIZE);
  PlaceButtons();
}

void TToolBar::UpdateButton(TToolButton *button) {
  if (!HandleAllocated() || updating_)
    return;
  std::wstring text = Wide(button->Caption());
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_IMAGE | TBIF_STATE | TBIF_STYLE | TBIF_TEXT;
  info.iImage = ButtonImage(*button, Images() != nullptr);
  info.fsState = ButtonState(*button, button->down_);
  info.fsStyle = ButtonStyle(*button, list_);
  info.pszText = text.data();
  Send(TB_SETBUTTONINFOW, static_cast<WPARAM>(button->command_), reinterpret_cast<LPARAM>(&info));
  Send(TB_AUTOSIZE);
  PlaceButtons();
}

void TToolBar::PlaceButtons() {
  for (size_t i = 0; i < buttons_.size(); ++i) {
    RECT rect{};
    if (HandleAllocated())
      Send(TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rect));
    buttons_[i]->StoreBounds(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  }
}

void TToolBar::InsertButton(TToolButton *button) {
  buttons_.push_back(button);
  button->toolBar_ = this;
  UpdateButtons();
}

void TToolBar::RemoveButton(TToolButton *button) {
  if (HandleAllocated()) {
    const LRESULT index = Send(TB_COMMANDTOINDEX, static_cast<WPARAM>(button->command_));
    if (index >= 0) {
      button->down_ = Send(TB_ISBUTTONCHECKED, static_cast<WPARAM>(button->command_)) != 0;
      Send(TB_DELETEBUTTON, static_cast<WPARAM>(index));
    }
  }
  buttons_.erase(std::remove(buttons_.begin(), buttons_.end(), button), buttons_.end());
  button->toolBar_ = nullptr;
  PlaceButtons();
}

void TToolBar::MoveButton(TToolButton *button, int index) {
  auto it = std::find(buttons_.begin(), buttons_.end(), button);
  if (it == buttons_.end())
    return;
  buttons_.erase(it);
  index = std::clamp(index, 0, static_cast<int>(buttons_.size()));
  buttons_.insert(buttons_.begin() + index, button);
  UpdateButtons();
}

TToolButton *TToolBar::ButtonOf(int command) const {
  for (TToolButton *button : buttons_)
    if (button->command_ == command)
      return button;
  return nullptr;
}

void TToolBar::WndProc(TMessage &message) {
  switch (message.Msg) {
  case WM_MOUSEMOVE:
  case WM_LBUTTONDOWN:
  case WM_LBUTTONUP:
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDOWN:
  case WM_RBUTTONUP:
  case WM_RBUTTONDBLCLK:
  case WM_MBUTTONDOWN:
  case WM_MBUTTONUP:
    // The bar's own window handles its buttons: the mouse is not handed to
    // them as to other controls without a window.
    TControl::WndProc(message);
    return;
  case WM_DESTROY:
    // The user's check states outlive the window.
    for (TToolButton *button : buttons_)
      button->down_ = Send(TB_ISBUTTONCHECKED, static_cast<WPARAM>(button->command_)) != 0;
    break;
  case WM_ERASEBKGND:
    if (OnCustomDraw) {
      const CanvasLoan loan(canvas_, reinterpret_cast<HDC>(message.WParam), Font());
      bool defaultDraw = true;
      OnCustomDraw(this, ClientRect(), defaultDraw);
      if (!defaultDraw) {
        message.Result = 1;
        return;
      }
    }
    break;
  case CN_COMMAND: {
    TToolButton *button = ButtonOf(LOWORD(message.WParam));
    message.Result = 0;
    if (!button)
      return;
    if (button->style_ == TToolButtonStyle::tbsCheck)
      for (TToolButton *other : buttons_)
        other->down_ = Send(TB_ISBUTTONCHECKED, static_cast<WPARAM>(other->command_)) != 0;
    if (!button->OnClick && button->style_ != TToolButtonStyle::tbsDropDown && button->CheckMenuDropdown())
      return;
    button->Click();
    return;
  }
  default: break;
  }
  TWinControl::WndProc(message);
}

bool TToolBar::CNNotify(NMHDR &header, LRESULT &result) {
  switch (header.code) {
  case TBN_DROPDOWN: {
    TToolButton *button = ButtonOf(reinterpret_cast<NMTOOLBARW &>(header).iItem);
    result = button && button->CheckMenuDropdown() ? TBDDRET_DEFAULT : TBDDRET_NODEFAULT;
    return true;
  }
  case TBN_GETINFOTIPW: {
    auto &tip = reinterpret_cast<NMTBGETINFOTIPW &>(header);
    TToolButton *button = ButtonOf(tip.iItem);
    if (button && !button->Hint().empty() && tip.pszText && tip.cchTextMax > 0) {
      const std::wstring hint = Wide(button->Hint());
      const size_t length = std::min(hint.size(), static_cast<size_t>(tip.cchTextMax - 1));
      std::copy_n(hint.c_str(), length, tip.pszText);
      tip.pszText[length] = L'\0';
    }
    result = 0;
    return true;
  }
  case NM_CUSTOMDRAW: {
    auto &draw = reinterpret_cast<NMTBCUSTOMDRAW &>(header);
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
      result = OnCustomDrawButton ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
      return true;
    }
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT || !OnCustomDrawButton) {
      result = CDRF_DODEFAULT;
      return true;
    }
    TToolButton *button = ButtonOf(static_cast<int>(draw.nmcd.dwItemSpec));
    if (!button) {
      result = CDRF_DODEFAULT;
      return true;
    }
    const UINT item = draw.nmcd.uItemState;
    TCustomDrawState state = 0;
    state |= (item & CDIS_SELECTED) ? cds::Selected : 0;
    state |= (item & CDIS_GRAYED) ? cds::Grayed : 0;
    state |= (item & CDIS_DISABLED) ? cds::Disabled : 0;
    state |= (item & CDIS_CHECKED) ? cds::Checked : 0;
    state |= (item & CDIS_FOCUS) ? cds::Focused : 0;
    state |= (item & CDIS_DEFAULT) ? cds::Default : 0;
    state |= (item & CDIS_HOT) ? cds::Hot : 0;
    state |= (item & CDIS_INDETERMINATE) ? cds::Indeterminate : 0;
    const CanvasLoan loan(canvas_, draw.nmcd.hdc, Font());
    bool defaultDraw = true;
    OnCustomDrawButton(this, button, state, defaultDraw);
    result = defaultDraw ? CDRF_DODEFAULT : CDRF_SKIPDEFAULT;
    return true;
  }
  default: return false;
  }
}

void TToolBar::Notification(TComponent *component, TOperation operation) {
  TWinControl::Notification(component, operation);
  images_.Forget(component, operation);
  disabledImages_.Forget(component, operation);
  hotImages_.Forget(component, operation);
}

void TToolBar::SetImages(TImageList *images) { images_.Set(images); }
void TToolBar::SetDisabledImages(TImageList *images) { disabledImages_.Set(images); }
void TToolBar::SetHotImages(TImageList *images) { hotImages_.Set(images); }

void TToolBar::SetButtonWidth(int width) {
  buttonWidth_ = std::max(width, 0);
  ApplyButtonSize();
}

void TToolBar::SetButtonHeight(int height) {
  buttonHeight_ = std::max(height, 0);
  ApplyButtonSize();
}

void TToolBar::SetShowCaptions(bool show) {
  showCaptions_ = show;
  ApplyButtonSize();
}

void TToolBar::SetList(bool list) {
  if (list == list_)
    return;
  list_ = list;
  RecreateWnd();
}

void TToolBar::SetFlat(bool flat) {
  flat_ = flat;
  ChangeStyle(TBSTYLE_FLAT, flat);
}

void TToolBar::SetTransparent(bool transparent) {
  transparent_ = transparent;
  ChangeStyle(TBSTYLE_TRANSPARENT, transparent);
}

void TToolBar::SetWrapable(bool wrapable) {
  wrapable_ = wrapable;
  ChangeStyle(TBSTYLE_WRAPABLE, wrapable);
  Send(TB_AUTOSIZE);
  PlaceButtons();
}

void TToolBar::SetIndent(int indent) {
  indent_ = std::max(indent, 0);
  Send(TB_SETINDENT, static_cast<WPARAM>(indent_));
  PlaceButtons();
}

} // namespace zorvex
