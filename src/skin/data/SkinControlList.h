#pragma once
// What the skin runtime touches: the kinds of controls to skin, behaviour
// options, the kinds of containers, and the default list that maps control
// classes of other component libraries to the skin kind that suits them.

#include <memory>
#include <string>
#include <vector>

#include "framework/core/Component.h"
#include "framework/core/EnumSet.h"
#include "framework/core/Strings.h"

namespace zorvex {

enum class TSkinControlType {
  xcMainMenu,
  xcPopupMenu,
  xcMenuItem,
  xcToolbar,
  xcControlbar,
  xcCombo,
  xcCheckBox,
  xcRadioButton,
  xcProgress,
  xcScrollbar,
  xcEdit,
  xcButton,
  xcBitBtn,
  xcSpeedButton,
  xcSpin,
  xcPanel,
  xcGroupBox,
  xcStatusBar,
  xcTab,
  xcTrackBar,
  xcSystemMenu,
  xcFastReport,
};
using TSkinControlTypes = EnumSet<TSkinControlType>;
const std::vector<std::string> &SkinControlTypeNames();
// Every kind but menu items and report-designer windows.
TSkinControlTypes DefaultSkinControls();

enum class TSkinOption {
  xoMDIScrollbar,
  xoMenuMerge,
  xoTransparent,
  xoPreview,
  xoParentBackGround,
  xoNoFocusRect,
  xoToolbarBK,
};
using TSkinOptions = EnumSet<TSkinOption>;
const std::vector<std::string> &SkinOptionNames();
constexpr TSkinOptions DefaultSkinOptions() { return TSkinOptions{TSkinOption::xoPreview}; }

enum class TWinContainer {
  xccForm,
  xccFrame,
  xccToolbar,
  xccCoolbar,
  xccControlbar,
  xccPanel,
  xccScrollBox,
  xccGroupBox,
  xccTabSheet,
  xccPageScroller,
};
using TWinContainers = EnumSet<TWinContainer>;
TWinContainers AllWinContainers();

// The default "class name=kind" lines for controls of other libraries, in
// their order, repeated lines included.
const std::vector<std::string> &DefaultSkin3rd();

// Per-kind class lists (edits, check boxes, combo boxes, radio buttons).
class TSkinControlList : public TPersistent {
public:
  TSkinControlList();
  ~TSkinControlList() override;

  TStrings *Edit() const { return edit_.get(); }
  TStrings *Checkbox() const { return checkbox_.get(); }
  TStrings *Combobox() const { return combobox_.get(); }
  TStrings *Radiobutton() const { return radiobutton_.get(); }
  // Each setter copies the given list.
  void SetEdit(TStrings *value);
  void SetCheckbox(TStrings *value);
  void Setcombobox(TStrings *value);
  void SetRadiobutton(TStrings *value);

  std::string ClassName() const override { return "TSkinControlList"; }
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

private:
  std::unique_ptr<TStringList> edit_, checkbox_, combobox_, radiobutton_;
};

} // namespace zorvex
