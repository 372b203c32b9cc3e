#pragma once
// The skin preview window: a menu bar and at least one control of every kind
// the skin engine draws, in every state worth seeing (default, disabled,
// checked, indeterminate, pressed, selected, focused), with the list of the
// built-in skins and "Open skin file…" to show any package on all of them.

#include <string>
#include <vector>

#include "PreviewSkins.h"
#include "framework/win/Forms.h"

namespace zorvex {

class TButton;
class TComboBox;
class TEdit;
class TImageList;
class TListBox;
class TListView;
class TMainMenu;
class TMenuItem;
class TOpenDialog;
class TPageControl;
class TPopupMenu;
class TSkinData;
class TStatusBar;
class TToolBar;

class TPreviewForm : public TForm {
public:
  explicit TPreviewForm(TComponent *owner);
  std::string ClassName() const override { return "TPreviewForm"; }

  TSkinData *SkinData() const { return skinData_; }
  const std::vector<TBuiltInSkin> &Skins() const { return skins_; }
  // Shows built-in skin `index` (selecting it in the list and the menu).
  bool ShowBuiltInSkin(int index);
  // Asks for a package file and shows it; a file that is no skin is said so
  // and the skin on show stays.
  void OpenSkinFile();
  // Shows the package file; false (after telling the user) when it is no skin.
  bool ShowSkinFile(const std::string &path);
  // The skin on show, as the status bar names it.
  const std::string &ShownSkin() const { return shownSkin_; }

  TListBox *SkinList() const { return skinList_; }
  TPopupMenu *ContextMenu() const { return contextMenu_; }

protected:
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void BoundsChanged() override;

private:
  void MakeMenus();
  void MakeToolBar();
  void MakeSkinList();
  void MakeButtons(int left, int top);
  void MakeChoices(int left, int top);
  void MakeTextControls(int left, int top);
  void MakeRanges(int left, int top);
  void MakePages(int left, int top);
  // Tabs at the sides, a marquee bar, panels' edges and a bevel line.
  void MakeSides(int left, int top);
  void MakeStatusBar();
  void Shown(const std::string &name, int builtInIndex);

  TSkinData *skinData_ = nullptr; // owned through the component tree, like every control below
  TImageList *images_ = nullptr;
  TMainMenu *mainMenu_ = nullptr;
  TMenuItem *skinMenu_ = nullptr;
  TPopupMenu *contextMenu_ = nullptr;
  TPopupMenu *dropDownMenu_ = nullptr;
  TToolBar *toolBar_ = nullptr;
  TListBox *skinList_ = nullptr;
  TStatusBar *statusBar_ = nullptr;
  TOpenDialog *openDialog_ = nullptr;
  std::vector<TBuiltInSkin> skins_;
  std::string shownSkin_;
  bool listing_ = false; // the list is being set from code: its clicks are not the user's
};

} // namespace zorvex
