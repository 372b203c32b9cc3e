#pragma once
// TPageControl: a tab per tab sheet; choosing a tab shows its sheet over
// the framed area and hides the others. TTabSheet: one page, a window of
// its own that holds the page's controls.

#include <string>
#include <vector>

#include "TabControl.h"

namespace zorvex {

class TTabSheet;

class TPageControl : public TCustomTabControl {
public:
  explicit TPageControl(TComponent *owner);
  ~TPageControl() override;
  std::string ClassName() const override { return "TPageControl"; }

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet *Pages(int index) const { return pages_.at(static_cast<size_t>(index)); }
  // The sheet shown, or null. Setting it from the program raises no
  // OnChanging or OnChange.
  TTabSheet *ActivePage() const { return activePage_; }
  void SetActivePage(TTabSheet *page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  // The next (or previous) sheet with a visible tab, going round; null when
  // there is none.
  TTabSheet *FindNextPage(TTabSheet *current, bool forward) const;
  // As the user would: asks OnChanging, then raises OnChange.
  void SelectNextPage(bool forward);

  // ActivePage.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

protected:
  void CreateWindowHandleDone() override;
  void WndProc(TMessage &message) override;
  void Change() override;
  void TabsChanged() override;

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet *page);
  void RemovePage(TTabSheet *page);
  void MovePage(TTabSheet *page, int index);
  // The tabs again, from the sheets (captions, images, visibility, order).
  void UpdateTabs() override;
  TTabSheet *PageForTab(int tab) const;
  std::vector<TTabSheet *> pages_; // not owned: sheets are components of their own
  TTabSheet *activePage_ = nullptr;
};

class TTabSheet : public TWinControl {
public:
  explicit TTabSheet(TComponent *owner);
  ~TTabSheet() override;
  std::string ClassName() const override { return "TTabSheet"; }

  // The page control the sheet belongs to: its parent.
  TPageControl *PageControl() const { return pageControl_; }
  void SetPageControl(TPageControl *pageControl) { SetParent(pageControl); }
  void SetParent(TWinControl *parent) override;
  // The sheet's place among the page control's sheets.
  int PageIndex() const;
  void SetPageIndex(int index);
  // Its tab's place among the visible tabs, or -1.
  int TabIndex() const;
  // A sheet without a visible tab can still be made active by the program.
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool visible);
  // An image of the page control's Images on the tab; -1 for none.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);

  // Caption, PageIndex, TabVisible, ImageIndex.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

protected:
  void TextChanged() override;
  void VisibleChanged() override;

private:
  friend class TPageControl;
  TPageControl *pageControl_ = nullptr; // not owned
  bool tabVisible_ = true;
  int imageIndex_ = -1;
};

} // namespace zorvex
