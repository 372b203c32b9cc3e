#pragma once
// TComboBox: an edit or a static field with a list of strings, over the
// system's COMBOBOX class: drop-down (typed text or a pick from the list),
// drop-down list (picks only) or simple (the list always shown).

#include <memory>
#include <string>

#include "ControlStrings.h"
#include "Controls.h"

namespace zorvex {

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TComboBox : public TWinControl {
public:
  explicit TComboBox(TComponent *owner);
  ~TComboBox() override;
  std::string ClassName() const override { return "TComboBox"; }

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle style);
  TStrings &Items() { return *items_; }
  const TStrings &Items() const { return *items_; }
  // The item picked, or -1 (typed text that is no item leaves it at -1).
  int ItemIndex() const;
  void SetItemIndex(int index);
  // What the field shows. A drop-down list shows only items: setting a text
  // picks the item of that text (letters A-Z compared without case), or
  // none.
  std::string Text() const;
  void SetText(const std::string &text) override;
  // How many items the dropped list shows without scrolling.
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int count);
  bool DroppedDown() const;
  void SetDroppedDown(bool dropped);

  // The edit height only: the dropped list comes on top of it.
  void SetBounds(int left, int top, int width, int height) override;

  // Style, Items, ItemIndex, Text, DropDownCount.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  // The user changed the text or picked an item; not raised by the program's
  // own changes.
  TNotifyEvent OnChange;
  // The user picked an item.
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateWindowHandleDone() override;
  void WndProc(TMessage &message) override;
  bool CNCommand(WORD notifyCode) override;

private:
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  int DroppedListHeight() const;
  std::unique_ptr<TControlStrings> items_;
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
  int itemIndex_ = -1;
  int dropDownCount_ = 8;
};

} // namespace zorvex
