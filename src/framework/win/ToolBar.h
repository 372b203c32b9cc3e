#pragma once
// TToolBar: a row of tool buttons over the system's tool bar class, with
// images from an image list. TToolButton: one button (a control without a
// window of its own, placed where the bar shows it): push, check, drop-down
// (its arrow opens a popup menu), separator or divider.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "ImageLink.h"

namespace zorvex {

class TToolBar;
class TPopupMenu;

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

class TToolButton : public TGraphicControl {
public:
  explicit TToolButton(TComponent *owner);
  ~TToolButton() override;
  std::string ClassName() const override { return "TToolButton"; }

  // The bar the button is on: its parent.
  TToolBar *ToolBar() const { return toolBar_; }
  void SetParent(TWinControl *parent) override;
  // Its place on the bar.
  int Index() const;
  void SetIndex(int index);
  TToolButtonStyle Style() const { return style_; }
  void SetStyle(TToolButtonStyle style);
  // The image from the bar's Images; -1 for none.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  // A check button that is down; a user's click turns it.
  bool Down() const;
  void SetDown(bool down);
  // Check buttons side by side with Grouped work as a group: one is down.
  bool Grouped() const { return grouped_; }
  void SetGrouped(bool grouped);
  bool Indeterminate() const { return indeterminate_; }
  void SetIndeterminate(bool indeterminate);
  // The button starts a new row.
  bool Wrap() const { return wrap_; }
  void SetWrap(bool wrap);
  // Shown under the button by its arrow (drop-down buttons) or by a click
  // (other buttons without an OnClick). Not owned.
  TPopupMenu *DropdownMenu() const { return dropdownMenu_; }
  void SetDropdownMenu(TPopupMenu *menu);
  // Opens the drop-down menu under the button now.
  bool CheckMenuDropdown();
  // The id of the button in its bar's messages.
  int Command() const { return command_; }

  // Caption, ImageIndex, Style, Down, Grouped, Indeterminate, Wrap,
  // DropdownMenu.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

protected:
  void TextChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void Notification(TComponent *component, TOperation operation) override;

private:
  friend class TToolBar;
  void Changed();
  TToolBar *toolBar_ = nullptr; // not owned
  TToolButtonStyle style_ = TToolButtonStyle::tbsButton;
  int imageIndex_ = -1;
  bool down_ = false, grouped_ = false, indeterminate_ = false, wrap_ = false;
  TPopupMenu *dropdownMenu_ = nullptr; // not owned
  int command_;
};

// Custom drawing states of a button.
namespace cds {
constexpr unsigned Selected = 1, Grayed = 2, Disabled = 4, Checked = 8, Focused = 16, Default = 32, Hot = 64,
                   Indeterminate = 128;
}
using TCustomDrawState = unsigned;
using TToolBarCustomDrawEvent = std::function<void(TToolBar *bar, const RECT &rect, bool &defaultDraw)>;
using TToolBarCustomDrawButtonEvent =
    std::function<void(TToolBar *bar, TToolButton *button, TCustomDrawState state, bool &defaultDraw)>;

class TToolBar : public TWinControl {
public:
  explicit TToolBar(TComponent *owner);
  ~TToolBar() override;
  std::string ClassName() const override { return "TToolBar"; }

  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  TToolButton *Buttons(int index) const { return buttons_.at(static_cast<size_t>(index)); }
  // Not owned; the buttons show their ImageIndex from it.
  TImageList *Images() const { return images_.Images(); }
  void SetImages(TImageList *images);
  // What disabled buttons show; without it, the Images greyed.
  TImageList *DisabledImages() const { return disabledImages_.Images(); }
  void SetDisabledImages(TImageList *images);
  // What buttons under the mouse show; without it, the Images.
  TImageList *HotImages() const { return hotImages_.Images(); }
  void SetHotImages(TImageList *images);
  int ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int width);
  int ButtonHeight() const { return buttonHeight_; }
  void SetButtonHeight(int height);
  // Captions under the images (beside them with List); without, captions
  // serve as tips.
  bool ShowCaptions() const { return showCaptions_; }
  void SetShowCaptions(bool show);
  bool List() const { return list_; }
  void SetList(bool list);
  // Buttons without edges until the mouse is over them.
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  // Buttons go on to more rows where the bar is too narrow.
  bool Wrapable() const { return wrapable_; }
  void SetWrapable(bool wrapable);
  // Room before the first button.
  int Indent() const { return indent_; }
  void SetIndent(int indent);
  // Draws in OnCustomDraw and OnCustomDrawButton only.
  TCanvas &Canvas() { return canvas_; }

  // Images, DisabledImages, HotImages, ButtonWidth, ButtonHeight,
  // ShowCaptions, List, Flat, Transparent, Wrapable, Indent.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  // The bar's background, before the buttons; clearing defaultDraw leaves
  // out the system's own.
  TToolBarCustomDrawEvent OnCustomDraw;
  // Each button; clearing defaultDraw leaves out the system's drawing of it.
  TToolBarCustomDrawButtonEvent OnCustomDrawButton;

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateWindowHandleDone() override;
  void WndProc(TMessage &message) override;
  bool CNNotify(NMHDR &header, LRESULT &result) override;
  void BoundsChanged() override { PlaceButtons(); }
  void Notification(TComponent *component, TOperation operation) override;

private:
  friend class TToolButton;
  void InsertButton(TToolButton *button);
  void RemoveButton(TToolButton *button);
  void MoveButton(TToolButton *button, int index);
  // Every button again, from the buttons (order, styles, states, texts).
  void UpdateButtons();
  void UpdateButton(TToolButton *button);
  void ApplyImages();
  void ApplyButtonSize();
  // The buttons' bounds as the bar lays them out.
  void PlaceButtons();
  TToolButton *ButtonOf(int command) const;
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  std::vector<TToolButton *> buttons_; // not owned: buttons are components of their own
  TImageLink images_, disabledImages_, hotImages_;
  int buttonWidth_ = 23, buttonHeight_ = 22;
  bool showCaptions_ = false, list_ = false, flat_ = true, transparent_ = false, wrapable_ = true;
  int indent_ = 0;
  bool updating_ = false;
  TCanvas canvas_;
};

} // namespace zorvex
