#pragma once
// TListBox: a list of strings over the system's LISTBOX class, with one or
// several items selected.

#include <memory>
#include <string>
#include <vector>

#include "ControlStrings.h"
#include "Controls.h"

namespace zorvex {

class TListBox : public TWinControl {
public:
  explicit TListBox(TComponent *owner);
  ~TListBox() override;
  std::string ClassName() const override { return "TListBox"; }

  TStrings &Items() { return *items_; }
  const TStrings &Items() const { return *items_; }
  // The current item (the focused one when several may be selected); -1 for
  // none.
  int ItemIndex() const;
  void SetItemIndex(int index);
  // Several items may be selected; with ExtendedSelect (the default) by
  // Shift and Ctrl clicks, without it by plain clicks that toggle.
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool multiSelect);
  bool ExtendedSelect() const { return extendedSelect_; }
  void SetExtendedSelect(bool extendedSelect);
  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  int SelCount() const;
  void ClearSelection();
  // The first item in view.
  int TopIndex() const;
  void SetTopIndex(int index);
  int ItemHeight() const;
  // The item under a client point, or -1.
  int ItemAtPos(POINT point) const;
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);

  // Items, ItemIndex, MultiSelect, ExtendedSelect, BorderStyle.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  TNotifyEvent OnDblClick;

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateWindowHandleDone() override;
  void WndProc(TMessage &message) override;
  bool CNCommand(WORD notifyCode) override;

private:
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  std::unique_ptr<TControlStrings> items_;
  int itemIndex_ = -1;
  std::vector<int> savedSelection_; // multi-selection kept while the window is made again
  bool multiSelect_ = false;
  bool extendedSelect_ = true;
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
};

} // namespace zorvex
