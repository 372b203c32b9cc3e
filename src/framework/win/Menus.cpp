#include "Menus.h"

#include <algorithm>
#include <map>

#include "Forms.h"
#include "ImgList.h"
#include "Win32Error.h"
#include "framework/core/Texts.h"

namespace zorvex {

// ---- Shortcuts

namespace {
struct KeyName {
  WORD key;
  const char *name;
};
const KeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_ESCAPE, "Esc"}, {VK_RETURN, "Enter"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},    {VK_HOME, "Home"},    {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},  {VK_INSERT, "Ins"},   {VK_DELETE, "Del"},
};
struct ShiftName {
  TShortCut flag;
  const char *prefix;
};
const ShiftName kShiftNames[] = {{scShift, "Shift+"}, {scCtrl, "Ctrl+"}, {scAlt, "Alt+"}};

std::string KeyText(WORD key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
    return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24)
    return "F" + std::to_string(key - VK_F1 + 1);
  for (const KeyName &known : kKeyNames)
    if (known.key == key)
      return known.name;
  return std::string();
}
} // namespace

std::string ShortCutToText(TShortCut shortCut) {
  const std::string key = KeyText(shortCut & 0xFF);
  if (key.empty())
    return std::string();
  std::string text;
  for (const ShiftName &shift : kShiftNames)
    if (shortCut & shift.flag)
      text += shift.prefix;
  return text + key;
}

TShortCut TextToShortCut(const std::string &text) {
  TShortCut shifts = 0;
  std::string rest = text;
  for (bool found = true; found;) {
    found = false;
    for (const ShiftName &shift : kShiftNames) {
      const std::string prefix = shift.prefix;
      if (rest.size() > prefix.size() && SameTextAZ(rest.substr(0, prefix.size()), prefix)) {
        shifts |= shift.flag;
        rest.erase(0, prefix.size());
        found = true;
      }
    }
  }
  for (int key = 1; key < 256; ++key) {
    const std::string name = KeyText(static_cast<WORD>(key));
    if (!name.empty() && SameTextAZ(name, rest))
      return static_cast<TShortCut>(shifts | key);
  }
  return 0;
}

// ---- Commands

namespace {
// Every live item by its command. Ids stay below the system commands.
// Never destroyed: items that are module-wide objects go at the module's
// end, in no order with this list.
std::map<UINT, TMenuItem *> &Commands() {
  static auto &commands = *new std::map<UINT, TMenuItem *>;
  return commands;
}

UINT NewCommand(TMenuItem *item) {
  constexpr UINT first = 0x100, last = 0xEFFF;
  static UINT next = first;
  auto &commands = Commands();
  if (commands.size() > last - first)
    throw Exception("Too many menu items");
  while (commands.count(next))
    next = next >= last ? first : next + 1;
  const UINT command = next;
  next = next >= last ? first : next + 1;
  commands[command] = item;
  return command;
}

constexpr int kGlyphColumn = 16, kGap = 4, kShortCutGap = 16;

std::wstring EntryText(const TMenuItem &item) {
  std::wstring text = Wide(item.Caption());
  if (const std::string shortCut = ShortCutToText(item.ShortCut()); !shortCut.empty())
    text += L"\t" + Wide(shortCut);
  return text;
}
} // namespace

// ---- TMenuItem

TMenuItem::TMenuItem(TComponent *owner) : TComponent(owner), command_(NewCommand(this)) {}

const TPropertyTable &TMenuItem::ClassProperties() {
  static const auto table = TPublished<TMenuItem>(&TComponent::ClassProperties())
                                .String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
                                .Boolean("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
                                .Boolean("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
                                .Boolean("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
                                .Integer("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex)
                                .Integer("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut);
  return table;
}

TMenuItem::~TMenuItem() {
  if (parent_)
    parent_->Remove(this);
  Clear();
  Commands().erase(command_);
}

void TMenuItem::SetCaption(const std::string &caption) {
  if (caption == caption_)
    return;
  caption_ = caption;
  Changed();
}

void TMenuItem::SetChecked(bool checked) {
  if (checked == checked_)
    return;
  checked_ = checked;
  Changed();
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled == enabled_)
    return;
  enabled_ = enabled;
  Changed();
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == visible_)
    return;
  visible_ = visible;
  Changed();
}

void TMenuItem::SetImageIndex(int index) {
  if (index == imageIndex_)
    return;
  imageIndex_ = index;
  Changed();
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
  if (shortCut == shortCut_)
    return;
  shortCut_ = shortCut;
  Changed();
}

void TMenuItem::Add(TMenuItem *item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem *item) {
  if (!item || item == this)
    return;
  for (const TMenuItem *up = this; up; up = up->parent_)
    if (up == item)
      throw Exception("A menu item cannot hold itself");
  if (item->parent_)
    item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  RebuildHandle();
  // The parent's entry gains a submenu with the first item.
  if (Count() == 1 && parent_)
    parent_->RebuildHandle();
  if (TMenu *menu = GetParentMenu())
    menu->MenuChanged();
}

void TMenuItem::Remove(TMenuItem *item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end())
    return;
  items_.erase(it);
  item->parent_ = nullptr;
  RebuildHandle();
  if (items_.empty() && parent_)
    parent_->RebuildHandle();
  if (TMenu *menu = GetParentMenu())
    menu->MenuChanged();
}

void TMenuItem::Clear() {
  if (items_.empty())
    return;
  // The entries go first, so that freeing a sub-item's menu leaves nothing
  // in this one that points to it.
  if (handle_)
    while (GetMenuItemCount(handle_.get()) > 0 && RemoveMenu(handle_.get(), 0, MF_BYPOSITION)) {
    }
  while (!items_.empty()) {
    TMenuItem *item = items_.back();
    items_.pop_back();
    item->parent_ = nullptr;
    delete item;
  }
  if (parent_)
    parent_->RebuildHandle();
  if (TMenu *menu = GetParentMenu())
    menu->MenuChanged();
}

int TMenuItem::IndexOf(const TMenuItem *item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenu *TMenuItem::GetParentMenu() const {
  const TMenuItem *root = this;
  while (root->parent_)
    root = root->parent_;
  return root->menu_;
}

bool TMenuItem::IsOwnerDraw() const {
  if (OnDrawItem)
    return true;
  const TMenu *menu = GetParentMenu();
  return menu && (menu->OwnerDraw() || menu->Images());
}

HMENU TMenuItem::Handle() {
  if (!handle_ && (menu_ || !items_.empty())) {
    handle_.reset(menu_ ? menu_->MakeHandle() : CreatePopupMenu());
    if (!handle_)
      RaiseLastOSError("CreateMenu");
    RebuildHandle();
  }
  return handle_.get();
}

HMENU TMenuItem::HandleForEntry() { return items_.empty() ? nullptr : Handle(); }

void TMenuItem::RebuildHandle() {
  if (!handle_)
    return;
  const HMENU menu = handle_.get();
  while (GetMenuItemCount(menu) > 0 && RemoveMenu(menu, 0, MF_BYPOSITION)) {
  }
  UINT position = 0;
  for (TMenuItem *item : items_) {
    if (!item->visible_)
      continue;
    std::wstring text = EntryText(*item);
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU | MIIM_STRING;
    info.fType = (item->IsLine() ? MFT_SEPARATOR : 0) | (item->IsOwnerDraw() ? MFT_OWNERDRAW : 0);
    info.fState = (item->checked_ ? MFS_CHECKED : 0) | (item->enabled_ && !item->IsLine() ? 0 : MFS_GRAYED);
    info.wID = item->command_;
    info.hSubMenu = item->HandleForEntry();
    info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
    info.dwTypeData = text.data();
    if (!InsertMenuItemW(menu, position++, TRUE, &info))
      LogLastOSError("InsertMenuItem " + item->caption_);
  }
}

void TMenuItem::Changed() {
  if (parent_)
    parent_->RebuildHandle();
  if (TMenu *menu = GetParentMenu())
    menu->MenuChanged();
}

void TMenuItem::MeasureItem(TCanvas &canvas, int &width, int &height) {
  if (IsLine()) {
    width = kGlyphColumn;
    height = 5;
    return;
  }
  const TMenu *menu = GetParentMenu();
  const TImageList *images = menu ? menu->Images() : nullptr;
  RECT text{0, 0, 0, 0};
  canvas.DrawText(caption_.empty() ? std::string(" ") : caption_, text, DT_CALCRECT | DT_SINGLELINE);
  width = (images ? images->Width() : kGlyphColumn) + 2 * kGap + text.right + kGap;
  if (shortCut_)
    width += kShortCutGap + canvas.TextWidth(ShortCutToText(shortCut_));
  height = std::max<int>(text.bottom + 4, (images ? images->Height() : kGlyphColumn) + 4);
}

void TMenuItem::DrawItem(TCanvas &canvas, const RECT &rect, bool selected) {
  const HDC dc = canvas.Handle();
  const bool lit = selected && enabled_ && !IsLine();
  FillRect(dc, &rect, GetSysColorBrush(lit ? COLOR_HIGHLIGHT : COLOR_MENU));
  if (IsLine()) {
    RECT line = rect;
    line.top += (rect.bottom - rect.top) / 2 - 1;
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  const TMenu *menu = GetParentMenu();
  const TImageList *images = menu ? menu->Images() : nullptr;
  const int column = images ? images->Width() : kGlyphColumn;
  const TColor ink = !enabled_ ? clGrayText : (lit ? clHighlightText : clMenuText);
  const int middle = (rect.top + rect.bottom) / 2;
  if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
    images->Draw(dc, rect.left + kGap, middle - images->Height() / 2, imageIndex_, enabled_);
  } else if (checked_) {
    // A check mark drawn in the text colour, centred in the glyph column.
    const int x = rect.left + kGap + column / 2, y = middle;
    canvas.Pen().SetColor(ink);
    canvas.Pen().SetWidth(2);
    canvas.MoveTo(x - 4, y);
    canvas.LineTo(x - 1, y + 3);
    canvas.LineTo(x + 4, y - 3);
  }
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  canvas.Font().SetColor(ink);
  RECT text{rect.left + kGap + column + kGap, rect.top, rect.right - kGap, rect.bottom};
  canvas.DrawText(caption_, text, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
  if (shortCut_)
    canvas.DrawText(ShortCutToText(shortCut_), text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
}

void TMenuItem::DoMeasureItem(TCanvas &canvas, int &width, int &height) {
  if (OnMeasureItem)
    OnMeasureItem(this, canvas, width, height);
  else
    MeasureItem(canvas, width, height);
}

void TMenuItem::DoDrawItem(TCanvas &canvas, const RECT &rect, bool selected) {
  if (OnDrawItem)
    OnDrawItem(this, canvas, rect, selected);
  else
    DrawItem(canvas, rect, selected);
}

void TMenuItem::Click() {
  if (OnClick)
    OnClick(this);
}

TMenuItem *TMenuItem::FromCommand(UINT command) {
  auto &commands = Commands();
  auto found = commands.find(command);
  return found == commands.end() ? nullptr : found->second;
}

// ---- TMenu

TMenu::TMenu(TComponent *owner) : TComponent(owner), items_(new TMenuItem(this)) { // owned through the component tree
  items_->menu_ = this;
}

const TPropertyTable &TMenu::ClassProperties() {
  static const auto table = TPublished<TMenu>(&TComponent::ClassProperties())
                                .Boolean("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw)
                                .Object("Images", &TMenu::Images, &TMenu::SetImages);
  return table;
}

TMenu::~TMenu() {
  // The items go without telling the menu, which is going too.
  items_->menu_ = nullptr;
  SetImages(nullptr);
}

void TMenu::SetOwnerDraw(bool ownerDraw) {
  if (ownerDraw == ownerDraw_)
    return;
  ownerDraw_ = ownerDraw;
  Rebuild();
}

void TMenu::SetImages(TImageList *images) {
  if (images == images_)
    return;
  if (images_)
    images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_)
    images_->FreeNotification(this);
  if (items_->menu_)
    Rebuild();
}

void TMenu::Notification(TComponent *component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == TOperation::Remove && component == images_) {
    images_ = nullptr;
    if (items_->menu_)
      Rebuild();
  }
}

TMenuItem *TMenu::FindItem(UINT command) const {
  TMenuItem *item = TMenuItem::FromCommand(command);
  return item && item != items_ && item->GetParentMenu() == this ? item : nullptr;
}

void TMenu::Rebuild() {
  std::vector<TMenuItem *> pending{items_};
  while (!pending.empty()) {
    TMenuItem *item = pending.back();
    pending.pop_back();
    item->RebuildHandle();
    pending.insert(pending.end(), item->items_.begin(), item->items_.end());
  }
  MenuChanged();
}

const TFont &TMenu::MenuFont() {
  static const TFont font = [] {
    TFont made;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
      made.SetName(Narrow(metrics.lfMenuFont.lfFaceName));
      made.SetHeight(metrics.lfMenuFont.lfHeight);
    }
    made.SetColor(clMenuText);
    return made;
  }();
  return font;
}

// ---- TMainMenu

void TMainMenu::MenuChanged() {
  if (!form_ || !form_->HandleAllocated() || (form_->ComponentState() & cs::Destroying))
    return;
  DrawMenuBar(form_->WindowHandle());
  SendMessageW(form_->WindowHandle(), CM_MENUCHANGED, 0, 0);
}

TMainMenu::~TMainMenu() {
  if (form_)
    form_->SetMenu(nullptr);
}

// ---- TPopupMenu

std::function<void(TPopupMenu &menu)> TPopupMenu::BeforeTrack;

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup)
    OnPopup(this);
  if (BeforeTrack)
    BeforeTrack(*this);
  // The application's window owns the menu and answers its owner-drawing.
  const HWND owner = Application ? Application->Handle() : GetActiveWindow();
  SetForegroundWindow(owner);
  const UINT command =
      static_cast<UINT>(TrackPopupMenu(Handle(), trackFlags_ | TPM_RETURNCMD, x, y, 0, owner, nullptr));
  PostMessageW(owner, WM_NULL, 0, 0); // lets the menu close cleanly on the next click elsewhere
  if (TMenuItem *item = FindItem(command))
    item->Click();
}

// ---- Owner drawing

bool HandleMenuOwnerDraw(TMessage &message) {
  if (message.Msg == WM_MEASUREITEM) {
    auto *measure = reinterpret_cast<MEASUREITEMSTRUCT *>(message.LParam);
    if (!measure || measure->CtlType != ODT_MENU)
      return false;
    TMenuItem *item = TMenuItem::FromCommand(measure->itemID);
    if (!item || reinterpret_cast<TMenuItem *>(measure->itemData) != item)
      return false;
    WindowDC screen(nullptr);
    TCanvas canvas(screen.get());
    canvas.Font() = TMenu::MenuFont();
    int width = static_cast<int>(measure->itemWidth), height = static_cast<int>(measure->itemHeight);
    item->DoMeasureItem(canvas, width, height);
    measure->itemWidth = static_cast<UINT>(std::max(width, 0));
    measure->itemHeight = static_cast<UINT>(std::max(height, 0));
    message.Result = TRUE;
    return true;
  }
  if (message.Msg == WM_DRAWITEM) {
    auto *draw = reinterpret_cast<DRAWITEMSTRUCT *>(message.LParam);
    if (!draw || draw->CtlType != ODT_MENU)
      return false;
    TMenuItem *item = TMenuItem::FromCommand(draw->itemID);
    if (!item || reinterpret_cast<TMenuItem *>(draw->itemData) != item)
      return false;
    ScopedDCState state(draw->hDC);
    TCanvas canvas(draw->hDC);
    canvas.Font() = TMenu::MenuFont();
    item->DoDrawItem(canvas, draw->rcItem, (draw->itemState & ODS_SELECTED) != 0);
    message.Result = TRUE;
    return true;
  }
  return false;
}

} // namespace zorvex
