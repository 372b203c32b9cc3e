#include "UpDown.h"

#include <algorithm>

#include <commctrl.h>

namespace zorvex {

TUpDown::TUpDown(TComponent *owner) : TWinControl(owner) { StoreBounds(0, 0, 17, 21); }

TUpDown::~TUpDown() { DestroyHandle(); }

const TPropertyTable &TUpDown::ClassProperties() {
  static const auto table =
      TPublished<TUpDown>(&TWinControl::ClassProperties())
          .Object("Associate", &TUpDown::Associate, &TUpDown::SetAssociate)
          .Integer("Min", &TUpDown::Min, &TUpDown::SetMin)
          .Integer("Max", &TUpDown::Max, &TUpDown::SetMax)
          .Integer("Position", &TUpDown::Position, &TUpDown::SetPosition)
          .Integer("Increment", &TUpDown::Increment, &TUpDown::SetIncrement)
          .Enumeration("Orientation", {"udHorizontal", "udVertical"}, &TUpDown::Orientation, &TUpDown::SetOrientation)
          .Enumeration("AlignButton", {"udLeft", "udRight"}, &TUpDown::AlignButton, &TUpDown::SetAlignButton)
          .Boolean("Wrap", &TUpDown::Wrap, &TUpDown::SetWrap)
          .Boolean("ArrowKeys", &TUpDown::ArrowKeys, &TUpDown::SetArrowKeys)
          .Boolean("Thousands", &TUpDown::Thousands, &TUpDown::SetThousands);
  return table;
}

LRESULT TUpDown::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return HandleAllocated() ? SendMessageW(WindowHandle(), message, wParam, lParam) : 0;
}

void TUpDown::CreateParams(TCreateParams &params) {
  TWinControl::CreateParams(params);
  params.WindowClassBase = UPDOWN_CLASSW;
  params.Style |= UDS_SETBUDDYINT | UDS_HOTTRACK;
  params.Style |= alignButton_ == TUDAlignButton::udRight ? UDS_ALIGNRIGHT : UDS_ALIGNLEFT;
  if (arrowKeys_)
    params.Style |= UDS_ARROWKEYS;
  if (wrap_)
    params.Style |= UDS_WRAP;
  if (orientation_ == TUDOrientation::udHorizontal)
    params.Style |= UDS_HORZ;
  if (!thousands_)
    params.Style |= UDS_NOTHOUSANDS;
}

void TUpDown::CreateWindowHandleDone() {
  Send(UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  UDACCEL accel{0, static_cast<UINT>(std::max(increment_, 1))};
  Send(UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  AttachBuddy();
  Send(UDM_SETPOS32, 0, position_);
}

void TUpDown::AttachBuddy() {
  if (!associate_ || !HandleAllocated() || buddyAttached_)
    return;
  associateBounds_ = associate_->BoundsRect();
  Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(associate_->Handle()));
  buddyAttached_ = true;
}

void TUpDown::DetachBuddy() {
  if (!buddyAttached_)
    return;
  buddyAttached_ = false;
  Send(UDM_SETBUDDY, 0);
  if (associate_)
    associate_->SetBounds(associateBounds_.left, associateBounds_.top, associateBounds_.right - associateBounds_.left,
                          associateBounds_.bottom - associateBounds_.top);
}

void TUpDown::WndProc(TMessage &message) {
  switch (message.Msg) {
  case WM_DESTROY:
    // Made again, the buttons take their part of the associate again.
    position_ = Position();
    DetachBuddy();
    break;
  case CN_HSCROLL:
  case CN_VSCROLL:
    // Sent after every press, also one OnChanging refused.
    if (LOWORD(message.WParam) == SB_THUMBPOSITION && lastAllowed_) {
      position_ = Position();
      if (OnClick)
        OnClick(this, lastDelta_ >= 0 ? TUDBtnType::btNext : TUDBtnType::btPrev);
    }
    message.Result = 0;
    return;
  default: break;
  }
  TWinControl::WndProc(message);
}

bool TUpDown::CNNotify(NMHDR &header, LRESULT &result) {
  if (header.code != static_cast<UINT>(UDN_DELTAPOS))
    return false;
  lastDelta_ = reinterpret_cast<NMUPDOWN &>(header).iDelta;
  bool allow = true;
  if (OnChanging)
    OnChanging(this, allow);
  lastAllowed_ = allow;
  result = allow ? 0 : 1;
  return true;
}

void TUpDown::Notification(TComponent *component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == TOperation::Remove && component == associate_) {
    associate_ = nullptr;
    buddyAttached_ = false;
    Send(UDM_SETBUDDY, 0);
  }
}

void TUpDown::SetAssociate(TWinControl *associate) {
  if (associate == this || associate == associate_)
    return;
  DetachBuddy();
  associate_ = associate;
  if (associate_) {
    associate_->FreeNotification(this);
    AttachBuddy();
    Send(UDM_SETPOS32, 0, position_);
  }
}

int TUpDown::Position() const {
  if (!HandleAllocated())
    return position_;
  BOOL failed = FALSE;
  const auto position = static_cast<int>(Send(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
  // Without an associate the buttons' own position is all there is.
  if (!failed || !associate_)
    position_ = position;
  return position_;
}

void TUpDown::SetPosition(int position) {
  position_ = std::clamp(position, std::min(min_, max_), std::max(min_, max_));
  Send(UDM_SETPOS32, 0, position_);
}

void TUpDown::SetMin(int min) {
  min_ = min;
  Send(UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  SetPosition(position_);
}

void TUpDown::SetMax(int max) {
  max_ = max;
  Send(UDM_SETRANGE32, static_cast<WPARAM>(min_), max_);
  SetPosition(position_);
}

void TUpDown::SetIncrement(int increment) {
  increment_ = std::max(increment, 1);
  UDACCEL accel{0, static_cast<UINT>(increment_)};
  Send(UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
}

void TUpDown::SetOrientation(TUDOrientation orientation) {
  orientation_ = orientation;
  ChangeStyle(UDS_HORZ, orientation == TUDOrientation::udHorizontal);
}

void TUpDown::SetAlignButton(TUDAlignButton align) {
  if (align == alignButton_)
    return;
  alignButton_ = align;
  // The side is taken when the associate is attached.
  DetachBuddy();
  RecreateWnd();
}

void TUpDown::SetWrap(bool wrap) {
  wrap_ = wrap;
  ChangeStyle(UDS_WRAP, wrap);
}

void TUpDown::SetArrowKeys(bool arrowKeys) {
  arrowKeys_ = arrowKeys;
  ChangeStyle(UDS_ARROWKEYS, arrowKeys);
}

void TUpDown::SetThousands(bool thousands) {
  thousands_ = thousands;
  ChangeStyle(UDS_NOTHOUSANDS, !thousands);
}

} // namespace zorvex
