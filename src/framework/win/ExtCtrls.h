#pragma once
// Bevel, panel, image, radio group and timer.

#include <memory>
#include <string>
#include <vector>

#include "StdCtrls.h"
#include "framework/core/Strings.h"

namespace zorvex {

class UtilityWindow;

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };

// The lines of a bevel `width` by `height` of that shape on the device
// context: `first` the top and left ones (the shadow of a lowered bevel),
// `second` the bottom and right ones.
void DrawBevelShape(HDC dc, int width, int height, TBevelShape shape, TColor first, TColor second);

class TBevel : public TGraphicControl {
public:
  explicit TBevel(TComponent *owner);
  std::string ClassName() const override { return "TBevel"; }
  // Shape, Style.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }
  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape shape);
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle style);

protected:
  void Paint() override;

private:
  TBevelShape shape_ = TBevelShape::bsBox;
  TBevelStyle style_ = TBevelStyle::bsLowered;
};

enum class TPanelBevel { bvNone, bvLowered, bvRaised };

class TPanel : public TCustomControl {
public:
  explicit TPanel(TComponent *owner);
  std::string ClassName() const override { return "TPanel"; }
  // Caption, BevelOuter, BevelInner.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }
  TPanelBevel BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TPanelBevel bevel);
  TPanelBevel BevelInner() const { return bevelInner_; }
  void SetBevelInner(TPanelBevel bevel);

protected:
  void Paint() override;
  void TextChanged() override { Invalidate(); }

private:
  TPanelBevel bevelOuter_ = TPanelBevel::bvRaised;
  TPanelBevel bevelInner_ = TPanelBevel::bvNone;
};

// Where a picture of this size goes in a box: stretched to it, or scaled to
// fit it with its proportions kept (enlarged only when stretching), from the
// top-left corner or centred.
RECT PictureDestRect(int pictureWidth, int pictureHeight, int boxWidth, int boxHeight, bool stretch, bool proportional,
                     bool center);

class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent *owner);
  std::string ClassName() const override { return "TImage"; }
  // Stretch, Proportional, Center.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  const TDibBitmap &Picture() const { return picture_; }
  void SetPicture(TDibBitmap picture);
  void ClearPicture();
  bool Stretch() const { return stretch_; }
  void SetStretch(bool stretch);
  bool Proportional() const { return proportional_; }
  void SetProportional(bool proportional);
  bool Center() const { return center_; }
  void SetCenter(bool center);
  // Where the picture is drawn, in the image's coordinates.
  RECT DestRect() const;

protected:
  void Paint() override;

private:
  TDibBitmap picture_;
  bool stretch_ = false;
  bool proportional_ = false;
  bool center_ = false;
};

class TRadioGroup;

// One button of a radio group.
class TGroupButton : public TRadioButton {
public:
  TGroupButton(TRadioGroup *group, int index);
  std::string ClassName() const override { return "TGroupButton"; }
  int Index() const { return index_; }
  void Click() override;

private:
  TRadioGroup *group_; // not owned: the group owns the button
  int index_;
};

// A group box holding one radio button per item, in columns.
class TRadioGroup : public TCustomGroupBox {
public:
  explicit TRadioGroup(TComponent *owner);
  ~TRadioGroup() override;
  std::string ClassName() const override { return "TRadioGroup"; }
  // ItemIndex, Columns.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  // Replaces the items (and their buttons); the item index is kept if it
  // is still valid.
  void SetItems(const std::vector<std::string> &items);
  int ItemCount() const { return static_cast<int>(buttons_.size()); }
  std::string Item(int index) const;
  TGroupButton *Button(int index) const { return buttons_.at(static_cast<size_t>(index)); }
  // -1 when no item is chosen.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  int Columns() const { return columns_; }
  void SetColumns(int columns);

protected:
  void BoundsChanged() override { ArrangeButtons(); }
  void FontChanged() override;
  void CreateWindowHandleDone() override { ArrangeButtons(); }

private:
  friend class TGroupButton;
  void ButtonClicked(int index);
  void ArrangeButtons();
  std::vector<TGroupButton *> buttons_; // owned through the component tree
  int itemIndex_ = -1;
  int columns_ = 1;
  bool updating_ = false;
};

// Calls OnTimer every Interval milliseconds while Enabled, from the
// message loop.
class TTimer : public TComponent {
public:
  explicit TTimer(TComponent *owner);
  ~TTimer() override;
  std::string ClassName() const override { return "TTimer"; }

  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned milliseconds);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  TNotifyEvent OnTimer;

private:
  void Update();
  unsigned interval_ = 1000;
  bool enabled_ = true;
  std::unique_ptr<UtilityWindow> window_;
  OwnedTimer timer_;
};

} // namespace zorvex
