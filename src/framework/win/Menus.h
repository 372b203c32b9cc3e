#pragma once
// Menus: TMenuItem (caption, command, check mark, image, shortcut and
// sub-items; "-" is a separator line), TMainMenu (a form's menu bar) and
// TPopupMenu. An item is drawn by its menu's owner when the menu's
// OwnerDraw switch is on, when the menu has images, or when the item has an
// OnDrawItem handler; OnMeasureItem and OnDrawItem replace the framework's
// own measuring and drawing, which MeasureItem and DrawItem offer to
// handlers that build on it. A change to a main menu sends CM_MENUCHANGED
// to its form.

#include <functional>
#include <string>
#include <vector>

#include <windows.h>

#include "Controls.h"
#include "Handles.h"

namespace zorvex {

class TForm;
class TImageList;
class TMenu;

// A key with its shift states: the virtual key in the low byte.
using TShortCut = WORD;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;
// "Alt+F4", "Ctrl+S", "Shift+Del"; empty for 0.
std::string ShortCutToText(TShortCut shortCut);
// The inverse, any letter case ("ALT+F4"); 0 for a text it cannot read.
TShortCut TextToShortCut(const std::string &text);

using TMenuMeasureItemEvent = std::function<void(TObject *sender, TCanvas &canvas, int &width, int &height)>;
using TMenuDrawItemEvent = std::function<void(TObject *sender, TCanvas &canvas, const RECT &rect, bool selected)>;

class TMenuItem : public TComponent {
public:
  explicit TMenuItem(TComponent *owner = nullptr);
  // Frees the sub-items too.
  ~TMenuItem() override;
  std::string ClassName() const override { return "TMenuItem"; }
  // Caption, Checked, Enabled, Visible, ImageIndex, ShortCut (and Name, Tag).
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  const std::string &Caption() const { return caption_; }
  void SetCaption(const std::string &caption);
  bool IsLine() const { return caption_ == "-"; }
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut);

  // Sub-items, which the item owns from Add on.
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem *Items(int index) const { return items_.at(static_cast<size_t>(index)); }
  void Add(TMenuItem *item);
  void Insert(int index, TMenuItem *item);
  // Takes an item out without freeing it.
  void Remove(TMenuItem *item);
  // Frees the sub-items.
  void Clear();
  int IndexOf(const TMenuItem *item) const;
  TMenuItem *Parent() const { return parent_; }
  int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
  // The menu the item belongs to, through its parents; null when none.
  TMenu *GetParentMenu() const;

  // WM_COMMAND's id for this item, unique in the process.
  UINT Command() const { return command_; }
  // The menu showing the sub-items (made on demand; null without any). The
  // root item of a menu shows the menu itself.
  HMENU Handle();
  bool HasHandle() const { return static_cast<bool>(handle_); }
  // Whether the item is drawn by the menu's owner.
  bool IsOwnerDraw() const;

  // The framework's own size and drawing of an owner-drawn item; the
  // canvas holds the menu font.
  virtual void MeasureItem(TCanvas &canvas, int &width, int &height);
  virtual void DrawItem(TCanvas &canvas, const RECT &rect, bool selected);
  // The item's handlers, or the framework's own when it has none.
  void DoMeasureItem(TCanvas &canvas, int &width, int &height);
  void DoDrawItem(TCanvas &canvas, const RECT &rect, bool selected);
  virtual void Click();

  // The live item with this command, or null.
  static TMenuItem *FromCommand(UINT command);

  TNotifyEvent OnClick;
  TMenuMeasureItemEvent OnMeasureItem;
  TMenuDrawItemEvent OnDrawItem;

private:
  friend class TMenu;
  // Something that shows changed: the parent's menu entry is set again,
  // and the menu tells its form.
  void Changed();
  void UpdateEntry();   // this item's entry in the parent's menu
  void RebuildHandle(); // every entry of this item's menu
  HMENU HandleForEntry();

  std::string caption_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  int imageIndex_ = -1;
  TShortCut shortCut_ = 0;
  UINT command_ = 0;
  TMenuItem *parent_ = nullptr;    // not owned
  std::vector<TMenuItem *> items_; // owned
  TMenu *menu_ = nullptr;          // set on a menu's root item; not owned
  OwnedMenu handle_;
};

class TMenu : public TComponent {
public:
  explicit TMenu(TComponent *owner);
  ~TMenu() override;
  std::string ClassName() const override { return "TMenu"; }
  // OwnerDraw, Images (and Name, Tag).
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  // The root item: its sub-items are the menu's items.
  TMenuItem *Items() const { return items_; }
  HMENU Handle() { return items_->Handle(); }
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool ownerDraw);
  TImageList *Images() const { return images_; }
  void SetImages(TImageList *images);
  // The item with this command among the menu's items, or null.
  TMenuItem *FindItem(UINT command) const;
  // The menu font, as the system draws menus.
  static const TFont &MenuFont();
  // Sets every entry of the menu's handles again, as after a change that
  // the items do not announce (their drawing handlers).
  void Rebuild();

protected:
  // The menu's contents changed (called after the menu's handle shows it).
  virtual void MenuChanged() {}
  // What handle the root item gets: a menu bar or a popup menu.
  virtual HMENU MakeHandle() const = 0;
  void Notification(TComponent *component, TOperation operation) override;

private:
  friend class TMenuItem;
  TMenuItem *items_; // owned
  bool ownerDraw_ = false;
  TImageList *images_ = nullptr; // not owned
};

// A form's menu bar; the form shows it once given as its Menu.
class TMainMenu : public TMenu {
public:
  explicit TMainMenu(TComponent *owner) : TMenu(owner) {}
  ~TMainMenu() override;
  std::string ClassName() const override { return "TMainMenu"; }
  // The form showing this menu, or null.
  TForm *Form() const { return form_; }

protected:
  void MenuChanged() override;
  HMENU MakeHandle() const override { return CreateMenu(); }

private:
  friend class TForm;
  TForm *form_ = nullptr; // not owned
};

class TPopupMenu : public TMenu {
public:
  explicit TPopupMenu(TComponent *owner) : TMenu(owner) {}
  std::string ClassName() const override { return "TPopupMenu"; }
  // Shows the menu at a screen point and waits until it closes; the chosen
  // item is clicked after that.
  void Popup(int x, int y);
  // Extra TrackPopupMenu flags (TPM_RIGHTBUTTON, TPM_RIGHTALIGN...).
  UINT TrackFlags() const { return trackFlags_; }
  void SetTrackFlags(UINT flags) { trackFlags_ = flags; }
  TNotifyEvent OnPopup;
  // Told of every popup menu just before it opens (the skin runtime leaves
  // some menus alone); empty by default.
  static std::function<void(TPopupMenu &menu)> BeforeTrack;

protected:
  HMENU MakeHandle() const override { return CreatePopupMenu(); }

private:
  UINT trackFlags_ = 0;
};

// Answers WM_MEASUREITEM and WM_DRAWITEM of framework menu items; false for
// anything else (a control's item, a menu that is not ours).
bool HandleMenuOwnerDraw(TMessage &message);

} // namespace zorvex
