#include "ListBox.h"

#include <algorithm>

namespace zorvex {

TListBox::TListBox(TComponent *owner)
    : TWinControl(owner), items_(std::make_unique<TControlStrings>(
                              ListWindowOps(*this, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT))) {
  SetColor(clWindow);
  SetTabStop(true);
  StoreBounds(0, 0, 121, 97);
  items_->OnChange = [this] {
    if (!HandleAllocated() && itemIndex_ >= items_->Count())
      itemIndex_ = -1;
  };
}

TListBox::~TListBox() {
  // The window goes first: its messages may still ask for the items.
  DestroyHandle();
}

const TPropertyTable &TListBox::ClassProperties() {
  static const auto table =
      TPublished<TListBox>(&TWinControl::ClassProperties())
          .Object(
              "Items", [](const TListBox &box) { return const_cast<TStrings *>(&box.Items()); },
              [](TListBox &box, TStrings *items) {
                if (items && items != &box.Items())
                  box.Items().Assign(*items);
              })
          .Integer("ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex)
          .Boolean("MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect)
          .Boolean("ExtendedSelect", &TListBox::ExtendedSelect, &TListBox::SetExtendedSelect)
          .Enumeration("BorderStyle", BorderStyleNames(), &TListBox::BorderStyle, &TListBox::SetBorderStyle);
  return table;
}

LRESULT TListBox::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return SendMessageW(WindowHandle(), message, wParam, lParam);
}

void TListBox::CreateParams(TCreateParams &params) {
  TWinControl::CreateParams(params);
  params.WindowClassBase = L"LISTBOX";
  params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS;
  if (multiSelect_)
    params.Style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (borderStyle_ == TBorderStyle::bsSingle)
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateWindowHandleDone() {
  items_->FillWindow();
  if (multiSelect_) {
    for (int index : savedSelection_)
      Send(LB_SETSEL, TRUE, index);
    if (itemIndex_ >= 0)
      Send(LB_SETCARETINDEX, static_cast<WPARAM>(itemIndex_), FALSE);
  } else {
    Send(LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
  }
  savedSelection_.clear();
}

void TListBox::WndProc(TMessage &message) {
  if (message.Msg == WM_DESTROY) {
    itemIndex_ = ItemIndex();
    savedSelection_.clear();
    if (multiSelect_)
      for (int i = 0; i < items_->Count(); ++i)
        if (Selected(i))
          savedSelection_.push_back(i);
  }
  TWinControl::WndProc(message);
}

bool TListBox::CNCommand(WORD notifyCode) {
  switch (notifyCode) {
  case LBN_SELCHANGE: Click(); return true;
  case LBN_DBLCLK:
    if (OnDblClick)
      OnDblClick(this);
    return true;
  default: return false;
  }
}

int TListBox::ItemIndex() const {
  if (!HandleAllocated())
    return itemIndex_;
  if (multiSelect_)
    return Send(LB_GETSELCOUNT) > 0 ? static_cast<int>(Send(LB_GETCARETINDEX)) : -1;
  return static_cast<int>(Send(LB_GETCURSEL));
}

void TListBox::SetItemIndex(int index) {
  if (index < -1 || index >= items_->Count())
    index = -1;
  itemIndex_ = index;
  savedSelection_.clear();
  if (multiSelect_ && index >= 0)
    savedSelection_.push_back(index);
  if (!HandleAllocated())
    return;
  if (multiSelect_) {
    Send(LB_SETSEL, FALSE, -1);
    if (index >= 0) {
      Send(LB_SETSEL, TRUE, index);
      Send(LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
    }
  } else {
    Send(LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

void TListBox::SetMultiSelect(bool multiSelect) {
  if (multiSelect == multiSelect_)
    return;
  multiSelect_ = multiSelect;
  RecreateWnd();
}

void TListBox::SetExtendedSelect(bool extendedSelect) {
  if (extendedSelect == extendedSelect_)
    return;
  extendedSelect_ = extendedSelect;
  if (multiSelect_)
    RecreateWnd();
}

bool TListBox::Selected(int index) const {
  if (index < 0 || index >= items_->Count())
    return false;
  if (HandleAllocated())
    return Send(LB_GETSEL, static_cast<WPARAM>(index)) > 0;
  if (multiSelect_)
    return std::find(savedSelection_.begin(), savedSelection_.end(), index) != savedSelection_.end();
  return index == itemIndex_;
}

void TListBox::SetSelected(int index, bool selected) {
  if (index < 0 || index >= items_->Count())
    return;
  if (!multiSelect_) {
    if (selected)
      SetItemIndex(index);
    else if (ItemIndex() == index)
      SetItemIndex(-1);
    return;
  }
  if (HandleAllocated()) {
    Send(LB_SETSEL, selected ? TRUE : FALSE, index);
    return;
  }
  std::erase(savedSelection_, index);
  if (selected)
    savedSelection_.push_back(index);
}

int TListBox::SelCount() const {
  if (!multiSelect_)
    return ItemIndex() >= 0 ? 1 : 0;
  if (HandleAllocated())
    return static_cast<int>(Send(LB_GETSELCOUNT));
  return static_cast<int>(savedSelection_.size());
}

void TListBox::ClearSelection() {
  if (multiSelect_) {
    savedSelection_.clear();
    if (HandleAllocated())
      Send(LB_SETSEL, FALSE, -1);
  } else {
    SetItemIndex(-1);
  }
}

int TListBox::TopIndex() const { return HandleAllocated() ? static_cast<int>(Send(LB_GETTOPINDEX)) : 0; }

void TListBox::SetTopIndex(int index) {
  if (HandleAllocated())
    Send(LB_SETTOPINDEX, static_cast<WPARAM>(std::max(index, 0)));
}

int TListBox::ItemHeight() const { return HandleAllocated() ? static_cast<int>(Send(LB_GETITEMHEIGHT)) : 0; }

int TListBox::ItemAtPos(POINT point) const {
  if (!HandleAllocated())
    return -1;
  const LRESULT result = Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
  if (HIWORD(result) != 0) // outside every item
    return -1;
  const int index = LOWORD(result);
  return index < items_->Count() ? index : -1;
}

void TListBox::SetBorderStyle(TBorderStyle style) {
  borderStyle_ = style;
  ChangeStyle(WS_EX_CLIENTEDGE, style == TBorderStyle::bsSingle, true);
}

} // namespace zorvex
