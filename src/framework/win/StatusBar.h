#pragma once
// TStatusBar: a row of panels over the system's status bar class, or one
// simple panel across the whole bar.

#include <functional>
#include <memory>
#include <string>

#include "StdCtrls.h"
#include "framework/core/Collection.h"

namespace zorvex {

enum class TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum class TStatusPanelStyle { psText, psOwnerDraw };

class TStatusBar;

class TStatusPanel : public TCollectionItem {
public:
  explicit TStatusPanel(TCollection *collection) : TCollectionItem(collection) {}
  std::string ClassName() const override { return "TStatusPanel"; }
  void Assign(const TPersistent &source) override;

  const std::string &Text() const { return text_; }
  void SetText(const std::string &text);
  // The last panel reaches the bar's right end whatever its width.
  int Width() const { return width_; }
  void SetWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TStatusPanelBevel Bevel() const { return bevel_; }
  void SetBevel(TStatusPanelBevel bevel);
  // Owner-drawn panels are painted by the bar's OnDrawPanel.
  TStatusPanelStyle Style() const { return style_; }
  void SetStyle(TStatusPanelStyle style);

  // Text, Width, Alignment, Bevel, Style.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

private:
  std::string text_;
  int width_ = 50;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TStatusPanelBevel bevel_ = TStatusPanelBevel::pbLowered;
  TStatusPanelStyle style_ = TStatusPanelStyle::psText;
};

class TStatusPanels : public TOwnedCollection {
public:
  explicit TStatusPanels(TStatusBar *bar);
  std::string ClassName() const override { return "TStatusPanels"; }
  TStatusPanel *Add() { return static_cast<TStatusPanel *>(TCollection::Add()); }
  TStatusPanel *Items(int index) const { return static_cast<TStatusPanel *>(TCollection::Items(index)); }

protected:
  void Update(TCollectionItem *item) override;

private:
  TStatusBar *bar_; // not owned: the bar owns the panels
};

using TDrawPanelEvent = std::function<void(TStatusBar *bar, TStatusPanel *panel, const RECT &rect)>;

class TStatusBar : public TWinControl {
public:
  explicit TStatusBar(TComponent *owner);
  ~TStatusBar() override;
  std::string ClassName() const override { return "TStatusBar"; }

  TStatusPanels &Panels() { return *panels_; }
  const TStatusPanels &Panels() const { return *panels_; }
  // One panel across the bar, showing SimpleText, in place of Panels.
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool simple);
  const std::string &SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::string &text);
  // A grip at the right end that sizes the form.
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool sizeGrip);
  // Where a panel lies in the bar.
  RECT PanelRect(int index) const;
  // Draws an owner-drawn panel, during OnDrawPanel only.
  TCanvas &Canvas() { return canvas_; }

  // Panels, SimplePanel, SimpleText, SizeGrip.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  TDrawPanelEvent OnDrawPanel;

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateWindowHandleDone() override;
  bool CNDrawItem(DRAWITEMSTRUCT &item) override;

private:
  friend class TStatusPanels;
  void UpdatePanels();
  void UpdatePanel(int index);
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  std::unique_ptr<TStatusPanels> panels_;
  bool simplePanel_ = false;
  std::string simpleText_;
  bool sizeGrip_ = true;
  TCanvas canvas_;
};

} // namespace zorvex
