#pragma once
// TListView: items with sub-items in columns (report view) or as icons and
// lists, over the system's list view class. The items, their texts and
// their states live in TListItems, so they exist before the window and
// survive it being made again.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ImageLink.h"
#include "StdCtrls.h"
#include "framework/core/Collection.h"
#include "framework/core/Strings.h"

namespace zorvex {

class TListView;
class TListItems;

enum class TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };

class TListColumn : public TCollectionItem {
public:
  explicit TListColumn(TCollection *collection) : TCollectionItem(collection) {}
  std::string ClassName() const override { return "TListColumn"; }
  void Assign(const TPersistent &source) override;

  const std::string &Caption() const { return caption_; }
  void SetCaption(const std::string &caption);
  int Width() const { return width_; }
  void SetWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);

  // Caption, Width, Alignment.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

private:
  friend class TListView;
  std::string caption_;
  int width_ = 50;
  TAlignment alignment_ = TAlignment::taLeftJustify;
};

class TListColumns : public TOwnedCollection {
public:
  explicit TListColumns(TListView *view);
  std::string ClassName() const override { return "TListColumns"; }
  TListColumn *Add() { return static_cast<TListColumn *>(TCollection::Add()); }
  TListColumn *Items(int index) const { return static_cast<TListColumn *>(TCollection::Items(index)); }

protected:
  void Update(TCollectionItem *item) override;

private:
  TListView *view_; // not owned: the view owns its columns
};

// One item: its caption (the first column) and the texts of the other
// columns (sub-items).
class TListItem : public TObject {
public:
  explicit TListItem(TListItems *owner);
  ~TListItem() override;
  TListItem(const TListItem &) = delete;
  TListItem &operator=(const TListItem &) = delete;

  TListItems *Owner() const { return owner_; }
  int Index() const;
  const std::string &Caption() const { return caption_; }
  void SetCaption(const std::string &caption);
  TStrings &SubItems() { return *subItems_; }
  const TStrings &SubItems() const { return *subItems_; }
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  bool Selected() const;
  void SetSelected(bool selected);
  bool Focused() const;
  void SetFocused(bool focused);
  // The item's check box, with the view's Checkboxes.
  bool Checked() const;
  void SetChecked(bool checked);
  // The program's own data; not owned.
  void *Data() const { return data_; }
  void SetData(void *data) { data_ = data; }
  // Removes the item from its list and frees it.
  void Delete();

private:
  friend class TListItems;
  friend class TListView;
  void Changed();
  TListItems *owner_; // not owned: the list owns its items
  std::string caption_;
  std::unique_ptr<TStrings> subItems_;
  int imageIndex_ = -1;
  // States kept while there is no window.
  bool selected_ = false, focused_ = false, checked_ = false;
  void *data_ = nullptr;
};

class TListItems : public TPersistent {
public:
  explicit TListItems(TListView *view) : view_(view) {}
  ~TListItems() override;
  std::string ClassName() const override { return "TListItems"; }

  TListView *Owner() const { return view_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TListItem *Item(int index) const;
  TListItem *operator[](int index) const { return Item(index); }
  TListItem *Add() { return Insert(Count()); }
  TListItem *Insert(int index);
  void Delete(int index);
  void Clear();
  // -1 when the item is not in this list.
  int IndexOf(const TListItem *item) const;
  // The window is not redrawn between these (for many changes at once).
  void BeginUpdate();
  void EndUpdate();

private:
  friend class TListItem;
  friend class TListView;
  TListView *view_; // not owned: the view owns the list
  std::vector<std::unique_ptr<TListItem>> items_;
  int updateCount_ = 0;
};

using TLVSelectItemEvent = std::function<void(TObject *sender, TListItem *item, bool selected)>;
using TLVColumnClickEvent = std::function<void(TObject *sender, TListColumn *column)>;
using TLVEditedEvent = std::function<void(TObject *sender, TListItem *item, std::string &text)>;

class TListView : public TWinControl {
public:
  explicit TListView(TComponent *owner);
  ~TListView() override;
  std::string ClassName() const override { return "TListView"; }

  TListColumns &Columns() { return *columns_; }
  const TListColumns &Columns() const { return *columns_; }
  TListItems &Items() { return *items_; }
  const TListItems &Items() const { return *items_; }

  TViewStyle ViewStyle() const { return viewStyle_; }
  void SetViewStyle(TViewStyle style);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool multiSelect);
  // A click anywhere on the row selects it, and the whole row shows it.
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool rowSelect);
  bool GridLines() const { return gridLines_; }
  void SetGridLines(bool gridLines);
  // Without ReadOnly the user edits captions in place (OnEdited).
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  // The selection is shown only while the view has the focus.
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool hide);
  bool ShowColumnHeaders() const { return showColumnHeaders_; }
  void SetShowColumnHeaders(bool show);
  bool Checkboxes() const { return checkboxes_; }
  void SetCheckboxes(bool checkboxes);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  // The items' images in the small-icon, list and report views, and in the
  // icon view (not owned).
  TImageList *SmallImages() const { return smallImages_.Images(); }
  void SetSmallImages(TImageList *images) { smallImages_.Set(images); }
  TImageList *LargeImages() const { return largeImages_.Images(); }
  void SetLargeImages(TImageList *images) { largeImages_.Set(images); }

  // The first selected item, or null; setting selects only that item.
  TListItem *Selected() const;
  void SetSelected(TListItem *item);
  int ItemIndex() const;
  void SetItemIndex(int index);
  int SelCount() const;
  TListItem *ItemFocused() const;
  // The item at a client point, or null.
  TListItem *GetItemAt(int x, int y) const;
  // The column header window of the report view (not a framework control),
  // or null.
  HWND HeaderHandle() const;

  // Columns, Items, ViewStyle, MultiSelect, RowSelect, GridLines, ReadOnly,
  // HideSelection, ShowColumnHeaders, Checkboxes, BorderStyle, SmallImages,
  // LargeImages.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  // An item was selected or unselected, by the user or the program.
  TLVSelectItemEvent OnSelectItem;
  TLVColumnClickEvent OnColumnClick;
  TNotifyEvent OnDblClick;
  // The user edited a caption; the handler may change the text kept.
  TLVEditedEvent OnEdited;

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateWindowHandleDone() override;
  void WndProc(TMessage &message) override;
  bool CNNotify(NMHDR &header, LRESULT &result) override;
  void Notification(TComponent *component, TOperation operation) override;

private:
  friend class TListColumns;
  friend class TListItems;
  friend class TListItem;
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  DWORD ExtendedStyle() const;
  void ApplyExtendedStyle();
  void UpdateColumns();
  void UpdateColumn(int index);
  void InsertWindowItem(int index);
  void UpdateWindowItem(int index);
  void SaveStates();
  UINT WindowState(int index, UINT mask) const;
  void SetWindowState(int index, UINT state, UINT mask);
  void ApplyImages();

  std::unique_ptr<TListColumns> columns_;
  std::unique_ptr<TListItems> items_;
  TViewStyle viewStyle_ = TViewStyle::vsIcon;
  bool multiSelect_ = false, rowSelect_ = false, gridLines_ = false, readOnly_ = false;
  bool hideSelection_ = true, showColumnHeaders_ = true, checkboxes_ = false;
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
  bool filling_ = false; // the window is being filled from the items: no events
  TImageLink smallImages_, largeImages_;
};

} // namespace zorvex
