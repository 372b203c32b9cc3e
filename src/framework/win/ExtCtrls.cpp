#include "ExtCtrls.h"

#include <algorithm>

#include "Win32Error.h"

namespace zorvex {

// ---- TBevel

const TPropertyTable &TBevel::ClassProperties() {
  static const auto table =
      TPublished<TBevel>(&TGraphicControl::ClassProperties())
          .Enumeration("Shape",
                       {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine", "bsSpacer"},
                       &TBevel::Shape, &TBevel::SetShape)
          .Enumeration("Style", {"bsLowered", "bsRaised"}, &TBevel::Style, &TBevel::SetStyle);
  return table;
}

TBevel::TBevel(TComponent *owner) : TGraphicControl(owner) { StoreBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape shape) {
  shape_ = shape;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle style) {
  style_ = style;
  Invalidate();
}

void DrawBevelShape(HDC dc, int width, int height, TBevelShape shape, TColor first, TColor second) {
  const OwnedBrush firstBrush(CreateSolidBrush(GdiColor(first))), secondBrush(CreateSolidBrush(GdiColor(second)));
  auto fill = [dc](const OwnedBrush &brush, RECT r) { FillRect(dc, &r, brush.get()); };
  const int w = width, h = height;
  switch (shape) {
  case TBevelShape::bsBox:
    fill(firstBrush, {0, 0, 1, h});
    fill(firstBrush, {0, 0, w - 1, 1});
    fill(secondBrush, {w - 1, 0, w, h - 1});
    fill(secondBrush, {1, h - 1, w, h});
    break;
  case TBevelShape::bsFrame: {
    const RECT outer{0, 0, w - 1, h - 1}, inner{1, 1, w, h};
    FrameRect(dc, &outer, firstBrush.get());
    FrameRect(dc, &inner, secondBrush.get());
    break;
  }
  case TBevelShape::bsTopLine:
    fill(firstBrush, {0, 0, w, 1});
    fill(secondBrush, {0, 1, w, 2});
    break;
  case TBevelShape::bsBottomLine:
    fill(firstBrush, {0, h - 2, w, h - 1});
    fill(secondBrush, {0, h - 1, w, h});
    break;
  case TBevelShape::bsLeftLine:
    fill(firstBrush, {0, 0, 1, h});
    fill(secondBrush, {1, 0, 2, h});
    break;
  case TBevelShape::bsRightLine:
    fill(firstBrush, {w - 2, 0, w - 1, h});
    fill(secondBrush, {w - 1, 0, w, h});
    break;
  case TBevelShape::bsSpacer: break;
  }
}

void TBevel::Paint() {
  const bool lowered = style_ == TBevelStyle::bsLowered;
  DrawBevelShape(Canvas().Handle(), Width(), Height(), shape_, lowered ? clBtnShadow : clBtnHighlight,
                 lowered ? clBtnHighlight : clBtnShadow);
}

// ---- TPanel

const TPropertyTable &TPanel::ClassProperties() {
  static const std::vector<std::string> bevels{"bvNone", "bvLowered", "bvRaised"};
  static const auto table = TPublished<TPanel>(&TCustomControl::ClassProperties())
                                .String("Caption", &TPanel::Caption, &TPanel::SetCaption)
                                .Enumeration("BevelOuter", bevels, &TPanel::BevelOuter, &TPanel::SetBevelOuter)
                                .Enumeration("BevelInner", bevels, &TPanel::BevelInner, &TPanel::SetBevelInner);
  return table;
}

TPanel::TPanel(TComponent *owner) : TCustomControl(owner) {
  clickOnMouseUp_ = true;
  StoreBounds(0, 0, 185, 41);
}

void TPanel::SetBevelOuter(TPanelBevel bevel) {
  bevelOuter_ = bevel;
  Invalidate();
}

void TPanel::SetBevelInner(TPanelBevel bevel) {
  bevelInner_ = bevel;
  Invalidate();
}

void TPanel::Paint() {
  TCanvas &canvas = Canvas();
  RECT rect = ClientRect();
  auto bevel = [&](TPanelBevel kind) {
    if (kind == TPanelBevel::bvNone)
      return;
    const COLORREF topLeft = GdiColor(kind == TPanelBevel::bvRaised ? clBtnHighlight : clBtnShadow);
    const COLORREF bottomRight = GdiColor(kind == TPanelBevel::bvRaised ? clBtnShadow : clBtnHighlight);
    HDC dc = canvas.Handle();
    OwnedPen light(CreatePen(PS_SOLID, 1, topLeft)), dark(CreatePen(PS_SOLID, 1, bottomRight));
    {
      ScopedSelect pen(dc, light.get());
      MoveToEx(dc, rect.left, rect.bottom - 1, nullptr);
      ::LineTo(dc, rect.left, rect.top);
      ::LineTo(dc, rect.right - 1, rect.top);
    }
    {
      ScopedSelect pen(dc, dark.get());
      MoveToEx(dc, rect.right - 1, rect.top, nullptr);
      ::LineTo(dc, rect.right - 1, rect.bottom - 1);
      ::LineTo(dc, rect.left - 1, rect.bottom - 1);
    }
    InflateRect(&rect, -1, -1);
  };
  bevel(bevelOuter_);
  bevel(bevelInner_);
  const std::string text = GetText();
  if (!text.empty()) {
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    canvas.DrawText(text, rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
}

// ---- TImage

RECT PictureDestRect(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight, bool stretch, bool proportional,
                     bool center) {
  int w = pictureWidth, h = pictureHeight;
  if (stretch || (proportional && (w > boxWidth || h > boxHeight))) {
    if (proportional && w > 0 && h > 0) {
      if (w > h) {
        const int64_t scaledHeight = static_cast<int64_t>(boxWidth) * h / w;
        if (scaledHeight > boxHeight) {
          w = static_cast<int>(static_cast<int64_t>(boxHeight) * pictureWidth / pictureHeight);
          h = boxHeight;
        } else {
          w = boxWidth;
          h = static_cast<int>(scaledHeight);
        }
      } else {
        const int64_t scaledWidth = static_cast<int64_t>(boxHeight) * w / h;
        if (scaledWidth > boxWidth) {
          h = static_cast<int>(static_cast<int64_t>(boxWidth) * pictureHeight / pictureWidth);
          w = boxWidth;
        } else {
          h = boxHeight;
          w = static_cast<int>(scaledWidth);
        }
      }
    } else {
      w = boxWidth;
      h = boxHeight;
    }
  }
  RECT rect{0, 0, w, h};
  if (center)
    OffsetRect(&rect, (boxWidth - w) / 2, (boxHeight - h) / 2);
  return rect;
}

const TPropertyTable &TImage::ClassProperties() {
  static const auto table = TPublished<TImage>(&TGraphicControl::ClassProperties())
                                .Boolean("Stretch", &TImage::Stretch, &TImage::SetStretch)
                                .Boolean("Proportional", &TImage::Proportional, &TImage::SetProportional)
                                .Boolean("Center", &TImage::Center, &TImage::SetCenter);
  return table;
}

TImage::TImage(TComponent *owner) : TGraphicControl(owner) {
  clickOnMouseUp_ = true;
  StoreBounds(0, 0, 105, 105);
}

void TImage::SetPicture(TDibBitmap picture) {
  picture_ = std::move(picture);
  Invalidate();
}

void TImage::ClearPicture() {
  picture_ = TDibBitmap();
  Invalidate();
}

void TImage::SetStretch(bool stretch) {
  stretch_ = stretch;
  Invalidate();
}

void TImage::SetProportional(bool proportional) {
  proportional_ = proportional;
  Invalidate();
}

void TImage::SetCenter(bool center) {
  center_ = center;
  Invalidate();
}

RECT TImage::DestRect() const {
  return PictureDestRect(picture_.Width(), picture_.Height(), Width(), Height(), stretch_, proportional_, center_);
}

void TImage::Paint() {
  if (!picture_.Empty())
    Canvas().StretchDraw(DestRect(), picture_);
}

// ---- TGroupButton, TRadioGroup

TGroupButton::TGroupButton(TRadioGroup *group, int index) : TRadioButton(group), group_(group), index_(index) {}

void TGroupButton::Click() {
  TRadioButton::Click();
  if (Checked())
    group_->ButtonClicked(index_);
}

const TPropertyTable &TRadioGroup::ClassProperties() {
  static const auto table = TPublished<TRadioGroup>(&TCustomGroupBox::ClassProperties())
                                .Integer("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex)
                                .Integer("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns);
  return table;
}

TRadioGroup::TRadioGroup(TComponent *owner) : TCustomGroupBox(owner) { SetTabStop(false); }

TRadioGroup::~TRadioGroup() {
  for (TGroupButton *button : buttons_)
    delete button;
}

std::string TRadioGroup::Item(int index) const { return buttons_.at(static_cast<size_t>(index))->Caption(); }

void TRadioGroup::SetItems(const std::vector<std::string> &items) {
  updating_ = true;
  for (TGroupButton *button : buttons_)
    delete button;
  buttons_.clear();
  for (size_t i = 0; i < items.size(); ++i) {
    auto *button = new TGroupButton(this, static_cast<int>(i)); // owned by the group
    button->SetCaption(items[i]);
    button->SetParent(this);
    buttons_.push_back(button);
  }
  if (itemIndex_ >= static_cast<int>(buttons_.size()))
    itemIndex_ = -1;
  if (itemIndex_ >= 0)
    buttons_[static_cast<size_t>(itemIndex_)]->SetChecked(true);
  updating_ = false;
  ArrangeButtons();
}

void TRadioGroup::SetItemIndex(int index) {
  index = std::clamp(index, -1, static_cast<int>(buttons_.size()) - 1);
  if (index == itemIndex_)
    return;
  updating_ = true;
  if (itemIndex_ >= 0)
    buttons_[static_cast<size_t>(itemIndex_)]->SetChecked(false);
  itemIndex_ = index;
  if (index >= 0)
    buttons_[static_cast<size_t>(index)]->SetChecked(true);
  updating_ = false;
}

void TRadioGroup::ButtonClicked(int index) {
  if (updating_)
    return;
  itemIndex_ = index;
  Click();
}

void TRadioGroup::SetColumns(int columns) {
  columns_ = std::clamp(columns, 1, 16);
  ArrangeButtons();
}

void TRadioGroup::FontChanged() {
  TCustomGroupBox::FontChanged();
  ArrangeButtons();
}

void TRadioGroup::ArrangeButtons() {
  if (buttons_.empty() || !HandleAllocated())
    return;
  WindowDC screen(nullptr);
  TCanvas canvas(screen.get());
  canvas.Font() = Font();
  const int textHeight = canvas.TextHeight("0");
  const int count = static_cast<int>(buttons_.size());
  const int perColumn = (count + columns_ - 1) / columns_;
  const int buttonWidth = (Width() - 10) / columns_;
  const int space = Height() - textHeight - 5;
  const int buttonHeight = std::max(space / perColumn, 1);
  const int topMargin = textHeight + 1 + (space % perColumn) / 2;
  for (int i = 0; i < count; ++i)
    buttons_[static_cast<size_t>(i)]->SetBounds((i / perColumn) * buttonWidth + 8,
                                                (i % perColumn) * buttonHeight + topMargin, buttonWidth, buttonHeight);
}

// ---- TTimer

TTimer::TTimer(TComponent *owner) : TComponent(owner) {
  window_ = std::make_unique<UtilityWindow>([this](TMessage &message) {
    if (message.Msg != WM_TIMER)
      return false;
    if (enabled_ && OnTimer)
      OnTimer(this);
    return true;
  });
  Update();
}

TTimer::~TTimer() { timer_.reset(); }

void TTimer::SetInterval(unsigned milliseconds) {
  interval_ = milliseconds;
  Update();
}

void TTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Update();
}

void TTimer::Update() {
  timer_.reset();
  if (!enabled_ || interval_ == 0)
    return;
  timer_ = StartTimer(window_->Handle(), 1, interval_);
  if (!timer_)
    RaiseLastOSError("SetTimer");
}

} // namespace zorvex
