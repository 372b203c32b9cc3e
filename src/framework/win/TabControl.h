#pragma once
// Tabs over the system's tab control class: TCustomTabControl (the tab row
// and the area it frames, shared with the page control) and TTabControl (a
// row of tabs named by a string list, over one shared area).

#include <functional>
#include <memory>
#include <string>

#include "ControlStrings.h"
#include "Controls.h"
#include "ImageLink.h"

namespace zorvex {

enum class TTabPosition { tpTop, tpBottom, tpLeft, tpRight };
enum class TTabStyle { tsTabs, tsButtons, tsFlatButtons };
using TTabChangingEvent = std::function<void(TObject *sender, bool &allowChange)>;

class TCustomTabControl : public TWinControl {
public:
  explicit TCustomTabControl(TComponent *owner);
  std::string ClassName() const override { return "TCustomTabControl"; }

  // Tabs wrap onto more rows instead of scrolling.
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool multiLine);
  TTabPosition TabPosition() const { return tabPosition_; }
  void SetTabPosition(TTabPosition position);
  TTabStyle Style() const { return style_; }
  void SetStyle(TTabStyle style);
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool hotTrack);
  // A fixed tab size; 0 lets the tabs take their captions' size.
  int TabHeight() const { return tabHeight_; }
  void SetTabHeight(int height);
  int TabWidth() const { return tabWidth_; }
  void SetTabWidth(int width);
  // Images on the tabs (not owned).
  TImageList *Images() const { return images_.Images(); }
  void SetImages(TImageList *images) { images_.Set(images); }

  // The area inside the frame, where the tabs' content goes.
  RECT DisplayRect() const;
  // The tab under a client point, or -1.
  int IndexOfTabAt(int x, int y) const;
  RECT TabRect(int index) const;

  // MultiLine, TabPosition, Style, HotTrack, TabHeight, TabWidth, Images.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  // The user chose another tab.
  TNotifyEvent OnChange;
  // Before the user's choice takes effect: clearing allowChange keeps the
  // current tab.
  TTabChangingEvent OnChanging;

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateWindowHandleDone() override;
  bool CNNotify(NMHDR &header, LRESULT &result) override;
  void Notification(TComponent *component, TOperation operation) override;
  void BoundsChanged() override { TabsChanged(); }
  virtual bool CanChange();
  virtual void Change();
  // The tab rows or the size changed: the display area may have moved.
  virtual void TabsChanged() {}

  // The window's tabs, for subclasses: by default tab n shows image n.
  TItemWindowOps TabWindowOps();
  void InsertTab(int index, const std::string &caption, int imageIndex);
  // The tabs again, after the images changed.
  virtual void UpdateTabs() {}
  int CurrentTab() const;
  void SelectTab(int index);
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

private:
  void ApplyItemSize();
  bool multiLine_ = false;
  TTabPosition tabPosition_ = TTabPosition::tpTop;
  TTabStyle style_ = TTabStyle::tsTabs;
  bool hotTrack_ = false;
  int tabHeight_ = 0, tabWidth_ = 0;
  TImageLink images_;
};

class TTabControl : public TCustomTabControl {
public:
  explicit TTabControl(TComponent *owner);
  ~TTabControl() override;
  std::string ClassName() const override { return "TTabControl"; }

  TStrings &Tabs() { return *tabs_; }
  const TStrings &Tabs() const { return *tabs_; }
  // The selected tab, or -1.
  int TabIndex() const;
  void SetTabIndex(int index);

  // Tabs, TabIndex.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

protected:
  void CreateWindowHandleDone() override;
  void WndProc(TMessage &message) override;
  void UpdateTabs() override;

private:
  std::unique_ptr<TControlStrings> tabs_;
  int tabIndex_ = -1;
};

} // namespace zorvex
