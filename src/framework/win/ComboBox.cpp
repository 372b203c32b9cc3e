#include "ComboBox.h"

#include <algorithm>

#include "Win32Error.h"
#include "framework/core/Texts.h"

namespace zorvex {

TComboBox::TComboBox(TComponent *owner)
    : TWinControl(owner), items_(std::make_unique<TControlStrings>(
                              ListWindowOps(*this, CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT))) {
  SetColor(clWindow);
  SetTabStop(true);
  StoreBounds(0, 0, 145, 21);
  items_->OnChange = [this] {
    if (!HandleAllocated() && itemIndex_ >= items_->Count())
      itemIndex_ = -1;
  };
}

TComboBox::~TComboBox() { DestroyHandle(); }

const TPropertyTable &TComboBox::ClassProperties() {
  static const auto table =
      TPublished<TComboBox>(&TWinControl::ClassProperties())
          .Enumeration("Style", {"csDropDown", "csSimple", "csDropDownList"}, &TComboBox::Style, &TComboBox::SetStyle)
          .Object(
              "Items", [](const TComboBox &box) { return const_cast<TStrings *>(&box.Items()); },
              [](TComboBox &box, TStrings *items) {
                if (items && items != &box.Items())
                  box.Items().Assign(*items);
              })
          .Integer("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex)
          .String("Text", &TComboBox::Text, &TComboBox::SetText)
          .Integer("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount);
  return table;
}

LRESULT TComboBox::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageW(WindowHandle(), message, wParam, lParam);
}

int TComboBox::DroppedListHeight() const {
  if (style_ == TComboBoxStyle::csSimple)
    return 0;
  int itemHeight = 0;
  if (HandleAllocated())
    itemHeight = static_cast<int>(Send(CB_GETITEMHEIGHT, 0));
  if (itemHeight <= 0) {
    WindowDC screen(nullptr);
    ScopedSelect font(screen.get(), Font().Handle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.get(), &metrics);
    itemHeight = metrics.tmHeight;
  }
  const int visible = std::clamp(std::max(items_->Count(), 1), 1, dropDownCount_);
  // The list takes whole items only: half an item more, so that the last
  // one is not cut off by the list's own border.
  return visible * itemHeight + itemHeight / 2 + 2;
}

void TComboBox::CreateParams(TCreateParams &params) {
  TWinControl::CreateParams(params);
  params.WindowClassBase = L"COMBOBOX";
  params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | CBS_HASSTRINGS;
  switch (style_) {
  case TComboBoxStyle::csDropDown: params.Style |= CBS_DROPDOWN; break;
  case TComboBoxStyle::csSimple: params.Style |= CBS_SIMPLE; break;
  case TComboBoxStyle::csDropDownList: params.Style |= CBS_DROPDOWNLIST; break;
  }
  params.Height += DroppedListHeight();
}

void TComboBox::CreateWindowHandleDone() {
  items_->FillWindow();
  Send(CB_SETCURSEL, static_cast<WPARAM>(itemIndex_));
  // Typed text that is no item comes back as typed.
  if (style_ != TComboBoxStyle::csDropDownList && !SetWindowTextW(WindowHandle(), Wide(text_).c_str()))
    LogLastOSError("SetWindowText TComboBox");
}

void TComboBox::WndProc(TMessage &message) {
  switch (message.Msg) {
  case WM_DESTROY: itemIndex_ = ItemIndex(); break;
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORLISTBOX:
  case WM_CTLCOLORSTATIC:
    // From the combo box's own edit and list.
    if (reinterpret_cast<HWND>(message.LParam) != WindowHandle()) {
      message.Result = reinterpret_cast<LRESULT>(CNCtlColor(reinterpret_cast<HDC>(message.WParam)));
      return;
    }
    break;
  default: break;
  }
  TWinControl::WndProc(message);
}

bool TComboBox::CNCommand(WORD notifyCode) {
  switch (notifyCode) {
  case CBN_SELCHANGE: {
    // The edit shows the new pick only after this notification: make it
    // show it now, for the handlers.
    const int index = ItemIndex();
    if (style_ != TComboBoxStyle::csDropDownList && index >= 0)
      SetWindowTextW(WindowHandle(), Wide(items_->Get(index)).c_str());
    if (OnSelect)
      OnSelect(this);
    if (OnChange)
      OnChange(this);
    return true;
  }
  case CBN_EDITCHANGE:
    if (OnChange)
      OnChange(this);
    return true;
  case CBN_DROPDOWN:
    if (OnDropDown)
      OnDropDown(this);
    return true;
  case CBN_CLOSEUP:
    if (OnCloseUp)
      OnCloseUp(this);
    return true;
  default: return false;
  }
}

void TComboBox::SetStyle(TComboBoxStyle style) {
  if (style == style_)
    return;
  style_ = style;
  if (style_ == TComboBoxStyle::csDropDownList && HandleAllocated())
    text_.clear();
  RecreateWnd();
}

int TComboBox::ItemIndex() const {
  if (!HandleAllocated())
    return itemIndex_;
  return static_cast<int>(Send(CB_GETCURSEL));
}

void TComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= items_->Count())
    index = -1;
  itemIndex_ = index;
  text_ = index >= 0 ? items_->Get(index) : std::string();
  if (HandleAllocated())
    Send(CB_SETCURSEL, static_cast<WPARAM>(index));
}

std::string TComboBox::Text() const {
  if (!HandleAllocated() && style_ == TComboBoxStyle::csDropDownList)
    return itemIndex_ >= 0 ? items_->Get(itemIndex_) : std::string();
  return GetText();
}

void TComboBox::SetText(const std::string &text) {
  if (style_ == TComboBoxStyle::csDropDownList) {
    SetItemIndex(items_->IndexOf(text));
    return;
  }
  // Typed text is an item only when it is that item's very text.
  int index = -1;
  for (int i = 0; i < items_->Count() && index < 0; ++i)
    if (items_->Get(i) == text)
      index = i;
  itemIndex_ = index;
  if (HandleAllocated())
    Send(CB_SETCURSEL, static_cast<WPARAM>(index));
  TWinControl::SetText(text);
}

void TComboBox::SetDropDownCount(int count) {
  dropDownCount_ = std::max(count, 1);
  if (HandleAllocated())
    SetBounds(Left(), Top(), Width(), Height());
}

bool TComboBox::DroppedDown() const { return HandleAllocated() && Send(CB_GETDROPPEDSTATE) != 0; }

void TComboBox::SetDroppedDown(bool dropped) {
  if (HandleAllocated())
    Send(CB_SHOWDROPDOWN, dropped ? TRUE : FALSE);
}

void TComboBox::SetBounds(int left, int top, int width, int height) {
  if (!HandleAllocated() || style_ == TComboBoxStyle::csSimple) {
    TWinControl::SetBounds(left, top, width, height);
    return;
  }
  // The window takes the dropped height and keeps its field's own height.
  if (!SetWindowPos(WindowHandle(), nullptr, left, top, width, height + DroppedListHeight(),
                    SWP_NOZORDER | SWP_NOACTIVATE))
    LogLastOSError("SetWindowPos TComboBox");
}

} // namespace zorvex
