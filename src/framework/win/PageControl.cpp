#include "PageControl.h"

#include <algorithm>

#include <commctrl.h>

namespace zorvex {

// ---- TPageControl

TPageControl::TPageControl(TComponent *owner) : TCustomTabControl(owner) {}

TPageControl::~TPageControl() {
  DestroyHandle();
  for (TTabSheet *page : pages_)
    page->pageControl_ = nullptr;
}

const TPropertyTable &TPageControl::ClassProperties() {
  static const auto table = TPublished<TPageControl>(&TCustomTabControl::ClassProperties())
                                .Object("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
  return table;
}

void TPageControl::CreateWindowHandleDone() {
  UpdateTabs();
  TCustomTabControl::CreateWindowHandleDone();
}

void TPageControl::WndProc(TMessage &message) {
  // Ctrl+Tab (with Shift: backwards) turns the pages while the focus is on
  // the control or one of its pages.
  if (message.Msg == CM_DIALOGKEY && message.WParam == VK_TAB && (KeyboardShiftState() & ss::Ctrl) &&
      HandleAllocated()) {
    const HWND focus = GetFocus();
    if (focus && (focus == WindowHandle() || IsChild(WindowHandle(), focus))) {
      SelectNextPage(!(KeyboardShiftState() & ss::Shift));
      message.Result = 1;
      return;
    }
  }
  TCustomTabControl::WndProc(message);
}

void TPageControl::InsertPage(TTabSheet *page) {
  pages_.push_back(page);
  page->pageControl_ = this;
  page->SetVisible(false);
  UpdateTabs();
  if (!activePage_ && page->tabVisible_)
    SetActivePage(page);
}

void TPageControl::RemovePage(TTabSheet *page) {
  TTabSheet *next = page == activePage_ ? FindNextPage(page, true) : activePage_;
  pages_.erase(std::remove(pages_.begin(), pages_.end(), page), pages_.end());
  page->pageControl_ = nullptr;
  if (page == activePage_) {
    activePage_ = nullptr;
    SetActivePage(next != page ? next : nullptr);
  }
  UpdateTabs();
}

void TPageControl::MovePage(TTabSheet *page, int index) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end())
    return;
  pages_.erase(it);
  index = std::clamp(index, 0, static_cast<int>(pages_.size()));
  pages_.insert(pages_.begin() + index, page);
  UpdateTabs();
}

void TPageControl::UpdateTabs() {
  if (!HandleAllocated())
    return;
  Send(TCM_DELETEALLITEMS);
  int tab = 0;
  for (TTabSheet *page : pages_)
    if (page->tabVisible_)
      InsertTab(tab++, page->Caption(), page->imageIndex_);
  SelectTab(activePage_ ? activePage_->TabIndex() : -1);
  TabsChanged();
}

void TPageControl::TabsChanged() {
  const RECT area = DisplayRect();
  for (TTabSheet *page : pages_)
    page->SetBounds(area.left, area.top, std::max<int>(area.right - area.left, 0),
                    std::max<int>(area.bottom - area.top, 0));
}

TTabSheet *TPageControl::PageForTab(int tab) const {
  if (tab < 0)
    return nullptr;
  for (TTabSheet *page : pages_)
    if (page->tabVisible_ && tab-- == 0)
      return page;
  return nullptr;
}

void TPageControl::SetActivePage(TTabSheet *page) {
  if (page && page->pageControl_ != this)
    return;
  if (page == activePage_)
    return;
  TTabSheet *old = activePage_;
  activePage_ = page;
  if (page) {
    const RECT area = DisplayRect();
    page->SetBounds(area.left, area.top, std::max<int>(area.right - area.left, 0),
                    std::max<int>(area.bottom - area.top, 0));
    page->SetVisible(true);
  }
  SelectTab(page ? page->TabIndex() : -1);
  if (old) {
    // The focus may not stay in a page that is hidden.
    const HWND focus = GetFocus();
    if (old->HandleAllocated() && focus && (focus == old->WindowHandle() || IsChild(old->WindowHandle(), focus)) &&
        CanFocus())
      SetFocus();
    old->SetVisible(false);
  }
}

int TPageControl::ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) {
  SetActivePage(index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr);
}

TTabSheet *TPageControl::FindNextPage(TTabSheet *current, bool forward) const {
  const int count = PageCount();
  if (count == 0)
    return nullptr;
  auto it = std::find(pages_.begin(), pages_.end(), current);
  int index = it == pages_.end() ? (forward ? count - 1 : 0) : static_cast<int>(it - pages_.begin());
  for (int step = 0; step < count; ++step) {
    index = forward ? (index + 1) % count : (index + count - 1) % count;
    if (pages_[static_cast<size_t>(index)]->tabVisible_)
      return pages_[static_cast<size_t>(index)];
  }
  return nullptr;
}

void TPageControl::SelectNextPage(bool forward) {
  TTabSheet *next = FindNextPage(activePage_, forward);
  if (!next || next == activePage_ || !CanChange())
    return;
  SetActivePage(next);
  TCustomTabControl::Change();
}

void TPageControl::Change() {
  SetActivePage(PageForTab(CurrentTab()));
  TCustomTabControl::Change();
}

// ---- TTabSheet

TTabSheet::TTabSheet(TComponent *owner) : TWinControl(owner) {
  TControl::SetVisible(false);
  StoreBounds(0, 0, 200, 150);
}

TTabSheet::~TTabSheet() {
  if (pageControl_)
    pageControl_->RemovePage(this);
}

const TPropertyTable &TTabSheet::ClassProperties() {
  static const auto table = TPublished<TTabSheet>(&TWinControl::ClassProperties())
                                .String("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption)
                                .Integer("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex)
                                .Boolean("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible)
                                .Integer("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex);
  return table;
}

void TTabSheet::SetParent(TWinControl *parent) {
  if (parent == Parent())
    return;
  if (pageControl_)
    pageControl_->RemovePage(this);
  TWinControl::SetParent(parent);
  if (auto *pageControl = dynamic_cast<TPageControl *>(parent))
    pageControl->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!pageControl_)
    return -1;
  const auto &pages = pageControl_->pages_;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
  if (pageControl_)
    pageControl_->MovePage(this, index);
}

int TTabSheet::TabIndex() const {
  if (!pageControl_ || !tabVisible_)
    return -1;
  int index = 0;
  for (const TTabSheet *page : pageControl_->pages_) {
    if (page == this)
      return index;
    if (page->tabVisible_)
      ++index;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool visible) {
  if (visible == tabVisible_)
    return;
  tabVisible_ = visible;
  if (!pageControl_)
    return;
  pageControl_->UpdateTabs();
  if (visible && !pageControl_->activePage_)
    pageControl_->SetActivePage(this);
}

void TTabSheet::SetImageIndex(int index) {
  imageIndex_ = index;
  if (pageControl_)
    pageControl_->UpdateTabs();
}

void TTabSheet::TextChanged() {
  TWinControl::TextChanged();
  if (pageControl_)
    pageControl_->UpdateTabs();
}

void TTabSheet::VisibleChanged() {
  TWinControl::VisibleChanged();
  if (Visible() && OnShow)
    OnShow(this);
  if (!Visible() && OnHide)
    OnHide(this);
}

} // namespace zorvex
