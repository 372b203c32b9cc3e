#include "ListView.h"

#include <algorithm>

#include <commctrl.h>

#include "framework/core/Texts.h"

namespace zorvex {

namespace {
// The sub-items of one item: every change redraws the item. They hold no
// objects.
class TListSubItems : public TStrings {
public:
  explicit TListSubItems(std::function<void()> changed) : changed_(std::move(changed)) {}
  int Count() const override { return items_.Count(); }
  std::string Get(int index) const override { return items_.Get(index); }
  void Put(int index, const std::string &text) override {
    items_.Put(index, text);
    changed_();
  }
  TObject *GetObject(int) const override { return nullptr; }
  void PutObject(int, TObject *) override {}
  void Insert(int index, const std::string &text) override {
    items_.Insert(index, text);
    changed_();
  }
  void Delete(int index) override {
    items_.Delete(index);
    changed_();
  }
  void Clear() override {
    items_.Clear();
    changed_();
  }

private:
  std::function<void()> changed_;
  TStringList items_;
};

int ColumnFormat(TAlignment alignment) {
  switch (alignment) {
  case TAlignment::taRightJustify: return LVCFMT_RIGHT;
  case TAlignment::taCenter: return LVCFMT_CENTER;
  case TAlignment::taLeftJustify: break;
  }
  return LVCFMT_LEFT;
}
} // namespace

// ---- TListColumn

const TPropertyTable &TListColumn::ClassProperties() {
  static const auto table =
      TPublished<TListColumn>()
          .String("Caption", &TListColumn::Caption, &TListColumn::SetCaption)
          .Integer("Width", &TListColumn::Width, &TListColumn::SetWidth)
          .Enumeration("Alignment", AlignmentNames(), &TListColumn::Alignment, &TListColumn::SetAlignment);
  return table;
}

void TListColumn::Assign(const TPersistent &source) {
  const auto *other = dynamic_cast<const TListColumn *>(&source);
  if (!other) {
    TCollectionItem::Assign(source);
    return;
  }
  caption_ = other->caption_;
  width_ = other->width_;
  alignment_ = other->alignment_;
  Changed();
}

void TListColumn::SetCaption(const std::string &caption) {
  caption_ = caption;
  Changed();
}

void TListColumn::SetWidth(int width) {
  width_ = std::max(width, 0);
  Changed();
}

void TListColumn::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Changed();
}

TListColumns::TListColumns(TListView *view) : TOwnedCollection(view, ItemClass<TListColumn>()), view_(view) {}

void TListColumns::Update(TCollectionItem *item) {
  if (item)
    view_->UpdateColumn(item->Index());
  else
    view_->UpdateColumns();
}

// ---- TListItem

TListItem::TListItem(TListItems *owner)
    : owner_(owner), subItems_(std::make_unique<TListSubItems>([this] { Changed(); })) {}

TListItem::~TListItem() = default;

int TListItem::Index() const { return owner_ ? owner_->IndexOf(this) : -1; }

void TListItem::Changed() {
  if (owner_ && owner_->view_)
    owner_->view_->UpdateWindowItem(Index());
}

void TListItem::SetCaption(const std::string &caption) {
  caption_ = caption;
  Changed();
}

void TListItem::SetImageIndex(int index) {
  imageIndex_ = index;
  Changed();
}

bool TListItem::Selected() const {
  const TListView *view = owner_ ? owner_->view_ : nullptr;
  if (view && view->HandleAllocated())
    return view->WindowState(Index(), LVIS_SELECTED) != 0;
  return selected_;
}

void TListItem::SetSelected(bool selected) {
  TListView *view = owner_ ? owner_->view_ : nullptr;
  if (view && view->HandleAllocated()) {
    view->SetWindowState(Index(), selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
    return;
  }
  selected_ = selected;
  // Without a window, a view of single selection still keeps only one.
  if (selected && view && !view->MultiSelect())
    for (int i = 0; i < owner_->Count(); ++i)
      if (owner_->Item(i) != this)
        owner_->Item(i)->selected_ = false;
}

bool TListItem::Focused() const {
  const TListView *view = owner_ ? owner_->view_ : nullptr;
  if (view && view->HandleAllocated())
    return view->WindowState(Index(), LVIS_FOCUSED) != 0;
  return focused_;
}

void TListItem::SetFocused(bool focused) {
  TListView *view = owner_ ? owner_->view_ : nullptr;
  if (view && view->HandleAllocated()) {
    view->SetWindowState(Index(), focused ? LVIS_FOCUSED : 0, LVIS_FOCUSED);
    return;
  }
  focused_ = focused;
}

bool TListItem::Checked() const {
  const TListView *view = owner_ ? owner_->view_ : nullptr;
  if (view && view->HandleAllocated() && view->Checkboxes())
    return (view->WindowState(Index(), LVIS_STATEIMAGEMASK) >> 12) == 2;
  return checked_;
}

void TListItem::SetChecked(bool checked) {
  checked_ = checked;
  TListView *view = owner_ ? owner_->view_ : nullptr;
  if (view && view->HandleAllocated() && view->Checkboxes())
    view->SetWindowState(Index(), INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

void TListItem::Delete() {
  if (owner_)
    owner_->Delete(Index());
}

// ---- TListItems

TListItems::~TListItems() = default;

TListItem *TListItems::Item(int index) const {
  if (index < 0 || index >= Count())
    throw Exception("List index out of bounds (" + std::to_string(index) + ")");
  return items_[static_cast<size_t>(index)].get();
}

int TListItems::IndexOf(const TListItem *item) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].get() == item)
      return static_cast<int>(i);
  return -1;
}

TListItem *TListItems::Insert(int index) {
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, std::make_unique<TListItem>(this));
  if (view_ && view_->HandleAllocated())
    view_->InsertWindowItem(index);
  return items_[static_cast<size_t>(index)].get();
}

void TListItems::Delete(int index) {
  Item(index); // checks the index
  if (view_ && view_->HandleAllocated())
    view_->Send(LVM_DELETEITEM, static_cast<WPARAM>(index));
  items_.erase(items_.begin() + index);
}

void TListItems::Clear() {
  if (view_ && view_->HandleAllocated())
    view_->Send(LVM_DELETEALLITEMS);
  items_.clear();
}

void TListItems::BeginUpdate() {
  if (updateCount_++ == 0 && view_ && view_->HandleAllocated())
    view_->Send(WM_SETREDRAW, FALSE);
}

void TListItems::EndUpdate() {
  if (updateCount_ == 0 || --updateCount_ > 0)
    return;
  if (view_ && view_->HandleAllocated()) {
    view_->Send(WM_SETREDRAW, TRUE);
    view_->Invalidate();
  }
}

// ---- TListView

TListView::TListView(TComponent *owner)
    : TWinControl(owner), columns_(std::make_unique<TListColumns>(this)), items_(std::make_unique<TListItems>(this)),
      smallImages_(*this, [this] { ApplyImages(); }), largeImages_(*this, [this] { ApplyImages(); }) {
  SetColor(clWindow);
  SetTabStop(true);
  StoreBounds(0, 0, 250, 150);
}

TListView::~TListView() {
  DestroyHandle();
  // Items outlive no window: they must not reach back into a view going away.
  items_->view_ = nullptr;
}

const TPropertyTable &TListView::ClassProperties() {
  static const auto table =
      TPublished<TListView>(&TWinControl::ClassProperties())
          .Object("Columns", [](const TListView &view) { return const_cast<TListColumns *>(&view.Columns()); })
          .Object("Items", [](const TListView &view) { return const_cast<TListItems *>(&view.Items()); })
          .Stored(false)
          .Enumeration("ViewStyle", {"vsIcon", "vsSmallIcon", "vsList", "vsReport"}, &TListView::ViewStyle,
                       &TListView::SetViewStyle)
          .Boolean("MultiSelect", &TListView::MultiSelect, &TListView::SetMultiSelect)
          .Boolean("RowSelect", &TListView::RowSelect, &TListView::SetRowSelect)
          .Boolean("GridLines", &TListView::GridLines, &TListView::SetGridLines)
          .Boolean("ReadOnly", &TListView::ReadOnly, &TListView::SetReadOnly)
          .Boolean("HideSelection", &TListView::HideSelection, &TListView::SetHideSelection)
          .Boolean("ShowColumnHeaders", &TListView::ShowColumnHeaders, &TListView::SetShowColumnHeaders)
          .Boolean("Checkboxes", &TListView::Checkboxes, &TListView::SetCheckboxes)
          .Enumeration("BorderStyle", BorderStyleNames(), &TListView::BorderStyle, &TListView::SetBorderStyle)
          .Object("SmallImages", &TListView::SmallImages, &TListView::SetSmallImages)
          .Object("LargeImages", &TListView::LargeImages, &TListView::SetLargeImages);
  return table;
}

void TListView::ApplyImages() {
  Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallImages_.SystemList()));
  Send(LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(largeImages_.SystemList()));
  Invalidate();
}

void TListView::Notification(TComponent *component, TOperation operation) {
  TWinControl::Notification(component, operation);
  smallImages_.Forget(component, operation);
  largeImages_.Forget(component, operation);
}

LRESULT TListView::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return HandleAllocated() ? SendMessageW(WindowHandle(), message, wParam, lParam) : 0;
}

namespace {
DWORD ViewStyleBits(TViewStyle style) {
  switch (style) {
  case TViewStyle::vsIcon: return LVS_ICON;
  case TViewStyle::vsSmallIcon: return LVS_SMALLICON;
  case TViewStyle::vsList: return LVS_LIST;
  case TViewStyle::vsReport: return LVS_REPORT;
  }
  return LVS_ICON;
}
} // namespace

void TListView::CreateParams(TCreateParams &params) {
  TWinControl::CreateParams(params);
  params.WindowClassBase = WC_LISTVIEWW;
  params.Style |= ViewStyleBits(viewStyle_) | LVS_SHAREIMAGELISTS | LVS_AUTOARRANGE;
  if (!multiSelect_)
    params.Style |= LVS_SINGLESEL;
  if (!readOnly_)
    params.Style |= LVS_EDITLABELS;
  if (!hideSelection_)
    params.Style |= LVS_SHOWSELALWAYS;
  if (!showColumnHeaders_)
    params.Style |= LVS_NOCOLUMNHEADER;
  if (borderStyle_ == TBorderStyle::bsSingle)
    params.ExStyle |= WS_EX_CLIENTEDGE;
}

DWORD TListView::ExtendedStyle() const {
  DWORD style = 0;
  if (rowSelect_)
    style |= LVS_EX_FULLROWSELECT;
  if (gridLines_)
    style |= LVS_EX_GRIDLINES;
  if (checkboxes_)
    style |= LVS_EX_CHECKBOXES;
  return style;
}

void TListView::ApplyExtendedStyle() {
  const DWORD mask = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES;
  Send(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, static_cast<LPARAM>(ExtendedStyle()));
}

void TListView::CreateWindowHandleDone() {
  filling_ = true;
  struct Done {
    bool &flag;
    ~Done() { flag = false; }
  } done{filling_};
  Send(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(GdiColor(Color())));
  Send(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(GdiColor(Color())));
  ApplyExtendedStyle();
  ApplyImages();
  UpdateColumns();
  for (int i = 0; i < items_->Count(); ++i)
    InsertWindowItem(i);
}

void TListView::WndProc(TMessage &message) {
  if (message.Msg == WM_DESTROY)
    SaveStates();
  TWinControl::WndProc(message);
}

void TListView::SaveStates() {
  for (int i = 0; i < items_->Count(); ++i) {
    TListItem &item = *items_->Item(i);
    const UINT state = WindowState(i, LVIS_SELECTED | LVIS_FOCUSED | LVIS_STATEIMAGEMASK);
    item.selected_ = (state & LVIS_SELECTED) != 0;
    item.focused_ = (state & LVIS_FOCUSED) != 0;
    if (checkboxes_)
      item.checked_ = ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
  }
}

UINT TListView::WindowState(int index, UINT mask) const {
  return static_cast<UINT>(Send(LVM_GETITEMSTATE, static_cast<WPARAM>(index), mask));
}

void TListView::SetWindowState(int index, UINT state, UINT mask) {
  LVITEMW item{};
  item.state = state;
  item.stateMask = mask;
  Send(LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void TListView::UpdateColumns() {
  if (!HandleAllocated())
    return;
  HWND header = HeaderHandle();
  int existing = header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
  const int count = columns_->Count();
  while (existing > count && Send(LVM_DELETECOLUMN, static_cast<WPARAM>(existing - 1)))
    --existing;
  for (int i = 0; i < count; ++i) {
    const TListColumn &column = *columns_->Items(i);
    std::wstring caption = Wide(column.Caption());
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    info.fmt = ColumnFormat(column.Alignment());
    info.cx = column.Width();
    info.pszText = caption.data();
    info.iSubItem = i;
    Send(i < existing ? LVM_SETCOLUMNW : LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
  }
  // Sub-items of new columns get their texts.
  for (int i = 0; i < items_->Count(); ++i)
    UpdateWindowItem(i);
}

void TListView::UpdateColumn(int index) {
  if (!HandleAllocated() || index < 0 || index >= columns_->Count())
    return;
  const TListColumn &column = *columns_->Items(index);
  std::wstring caption = Wide(column.Caption());
  LVCOLUMNW info{};
  info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  info.fmt = ColumnFormat(column.Alignment());
  info.cx = column.Width();
  info.pszText = caption.data();
  Send(LVM_SETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
}

void TListView::InsertWindowItem(int index) {
  const TListItem &item = *items_->Item(index);
  std::wstring caption = Wide(item.caption_);
  LVITEMW info{};
  info.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE;
  info.iItem = index;
  info.pszText = caption.data();
  info.iImage = item.imageIndex_;
  info.state = (item.selected_ ? LVIS_SELECTED : 0) | (item.focused_ ? LVIS_FOCUSED : 0);
  info.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  if (Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&info)) < 0)
    throw Exception("Cannot add an item to " + ClassName());
  if (checkboxes_)
    SetWindowState(index, INDEXTOSTATEIMAGEMASK(item.checked_ ? 2 : 1), LVIS_STATEIMAGEMASK);
  UpdateWindowItem(index);
}

void TListView::UpdateWindowItem(int index) {
  if (!HandleAllocated() || index < 0 || index >= items_->Count())
    return;
  const TListItem &item = *items_->Item(index);
  std::wstring text = Wide(item.caption_);
  LVITEMW info{};
  info.mask = LVIF_TEXT | LVIF_IMAGE;
  info.iItem = index;
  info.pszText = text.data();
  info.iImage = item.imageIndex_;
  Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&info));
  // Columns past the sub-items are emptied: a removed sub-item disappears.
  const int subItems = std::max(item.SubItems().Count(), columns_->Count() - 1);
  for (int sub = 0; sub < subItems; ++sub) {
    text = sub < item.SubItems().Count() ? Wide(item.SubItems().Get(sub)) : std::wstring();
    LVITEMW cell{};
    cell.iSubItem = sub + 1;
    cell.pszText = text.data();
    Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&cell));
  }
}

bool TListView::CNNotify(NMHDR &header, LRESULT &result) {
  result = 0;
  switch (header.code) {
  case LVN_ITEMCHANGED: {
    const auto &change = reinterpret_cast<const NMLISTVIEW &>(header);
    const bool selectionChanged =
        (change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED);
    if (!filling_ && selectionChanged && change.iItem >= 0 && change.iItem < items_->Count() && OnSelectItem)
      OnSelectItem(this, items_->Item(change.iItem), (change.uNewState & LVIS_SELECTED) != 0);
    return true;
  }
  case LVN_COLUMNCLICK: {
    const int column = reinterpret_cast<const NMLISTVIEW &>(header).iSubItem;
    if (column >= 0 && column < columns_->Count() && OnColumnClick)
      OnColumnClick(this, columns_->Items(column));
    return true;
  }
  case NM_CLICK: Click(); return true;
  case NM_DBLCLK:
    if (OnDblClick)
      OnDblClick(this);
    return true;
  case LVN_BEGINLABELEDITW: result = readOnly_ ? TRUE : FALSE; return true;
  case LVN_ENDLABELEDITW: {
    const auto &edit = reinterpret_cast<const NMLVDISPINFOW &>(header);
    const int index = edit.item.iItem;
    if (!edit.item.pszText || index < 0 || index >= items_->Count())
      return true; // cancelled
    std::string text = Narrow(edit.item.pszText);
    TListItem *item = items_->Item(index);
    if (OnEdited)
      OnEdited(this, item, text);
    // The list keeps the text; the window shows what the list holds.
    item->SetCaption(text);
    return true;
  }
  default: return false;
  }
}

void TListView::SetViewStyle(TViewStyle style) {
  viewStyle_ = style;
  ChangeStyle(LVS_TYPEMASK, false);
  ChangeStyle(ViewStyleBits(style), true);
}

void TListView::SetMultiSelect(bool multiSelect) {
  multiSelect_ = multiSelect;
  ChangeStyle(LVS_SINGLESEL, !multiSelect);
}

void TListView::SetRowSelect(bool rowSelect) {
  rowSelect_ = rowSelect;
  ApplyExtendedStyle();
}

void TListView::SetGridLines(bool gridLines) {
  gridLines_ = gridLines;
  ApplyExtendedStyle();
}

void TListView::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  ChangeStyle(LVS_EDITLABELS, !readOnly);
}

void TListView::SetHideSelection(bool hide) {
  hideSelection_ = hide;
  ChangeStyle(LVS_SHOWSELALWAYS, !hide);
}

void TListView::SetShowColumnHeaders(bool show) {
  showColumnHeaders_ = show;
  ChangeStyle(LVS_NOCOLUMNHEADER, !show);
}

void TListView::SetCheckboxes(bool checkboxes) {
  if (checkboxes == checkboxes_)
    return;
  if (HandleAllocated() && checkboxes_)
    SaveStates();
  checkboxes_ = checkboxes;
  ApplyExtendedStyle();
  if (HandleAllocated() && checkboxes_)
    for (int i = 0; i < items_->Count(); ++i)
      SetWindowState(i, INDEXTOSTATEIMAGEMASK(items_->Item(i)->checked_ ? 2 : 1), LVIS_STATEIMAGEMASK);
}

void TListView::SetBorderStyle(TBorderStyle style) {
  borderStyle_ = style;
  ChangeStyle(WS_EX_CLIENTEDGE, style == TBorderStyle::bsSingle, true);
}

TListItem *TListView::Selected() const {
  if (HandleAllocated()) {
    const auto index = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr;
  }
  for (int i = 0; i < items_->Count(); ++i)
    if (items_->Item(i)->selected_)
      return items_->Item(i);
  return nullptr;
}

void TListView::SetSelected(TListItem *item) {
  if (item && item->owner_ != items_.get())
    return;
  if (HandleAllocated()) {
    SetWindowState(-1, 0, LVIS_SELECTED);
  } else {
    for (int i = 0; i < items_->Count(); ++i)
      items_->Item(i)->selected_ = false;
  }
  if (!item)
    return;
  item->SetSelected(true);
  item->SetFocused(true);
  Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item->Index()), FALSE);
}

int TListView::ItemIndex() const {
  const TListItem *item = Selected();
  return item ? item->Index() : -1;
}

void TListView::SetItemIndex(int index) {
  SetSelected(index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr);
}

int TListView::SelCount() const {
  if (HandleAllocated())
    return static_cast<int>(Send(LVM_GETSELECTEDCOUNT));
  int count = 0;
  for (int i = 0; i < items_->Count(); ++i)
    count += items_->Item(i)->selected_ ? 1 : 0;
  return count;
}

TListItem *TListView::ItemFocused() const {
  if (HandleAllocated()) {
    const auto index = static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    return index >= 0 && index < items_->Count() ? items_->Item(index) : nullptr;
  }
  for (int i = 0; i < items_->Count(); ++i)
    if (items_->Item(i)->focused_)
      return items_->Item(i);
  return nullptr;
}

TListItem *TListView::GetItemAt(int x, int y) const {
  LVHITTESTINFO hit{};
  hit.pt = POINT{x, y};
  const auto index = static_cast<int>(Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (!HandleAllocated() || index < 0 || index >= items_->Count() || !(hit.flags & LVHT_ONITEM))
    return nullptr;
  return items_->Item(index);
}

HWND TListView::HeaderHandle() const { return reinterpret_cast<HWND>(Send(LVM_GETHEADER)); }

} // namespace zorvex
