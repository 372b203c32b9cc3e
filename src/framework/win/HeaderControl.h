#pragma once
// THeaderControl: a row of column captions (sections) over the system's
// header class, that the user clicks and sizes by dragging their edges.

#include <functional>
#include <memory>
#include <string>

#include "ImageLink.h"
#include "StdCtrls.h"
#include "framework/core/Collection.h"

namespace zorvex {

enum class THeaderSectionStyle { hsText, hsOwnerDraw };

class THeaderControl;

class THeaderSection : public TCollectionItem {
public:
  explicit THeaderSection(TCollection *collection) : TCollectionItem(collection) {}
  std::string ClassName() const override { return "THeaderSection"; }
  void Assign(const TPersistent &source) override;

  const std::string &Text() const { return text_; }
  void SetText(const std::string &text);
  // Kept within MinWidth..MaxWidth, also while the user drags.
  int Width() const { return width_; }
  void SetWidth(int width);
  int MinWidth() const { return minWidth_; }
  void SetMinWidth(int width);
  int MaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  // A section that takes no clicks looks and stays flat.
  bool AllowClick() const { return allowClick_; }
  void SetAllowClick(bool allow);
  THeaderSectionStyle Style() const { return style_; }
  void SetStyle(THeaderSectionStyle style);
  // An image from the header's Images before the text; -1 for none.
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int index);
  // The left edge, from the sections before it.
  int Left() const;
  int Right() const { return Left() + width_; }

  // Text, Width, MinWidth, MaxWidth, Alignment, AllowClick, Style,
  // ImageIndex.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

private:
  std::string text_;
  int width_ = 50;
  int minWidth_ = 0;
  int maxWidth_ = 10000;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  bool allowClick_ = true;
  THeaderSectionStyle style_ = THeaderSectionStyle::hsText;
  int imageIndex_ = -1;
};

class THeaderSections : public TOwnedCollection {
public:
  explicit THeaderSections(THeaderControl *header);
  std::string ClassName() const override { return "THeaderSections"; }
  THeaderSection *Add() { return static_cast<THeaderSection *>(TCollection::Add()); }
  THeaderSection *Items(int index) const { return static_cast<THeaderSection *>(TCollection::Items(index)); }

protected:
  void Update(TCollectionItem *item) override;

private:
  THeaderControl *header_; // not owned: the header owns its sections
};

enum class TSectionTrackState { tsTrackBegin, tsTrackMove, tsTrackEnd };
using TSectionNotifyEvent = std::function<void(THeaderControl *header, THeaderSection *section)>;
using TSectionTrackEvent =
    std::function<void(THeaderControl *header, THeaderSection *section, int width, TSectionTrackState state)>;
using TDrawSectionEvent =
    std::function<void(THeaderControl *header, THeaderSection *section, const RECT &rect, bool pressed)>;

class THeaderControl : public TWinControl {
public:
  explicit THeaderControl(TComponent *owner);
  ~THeaderControl() override;
  std::string ClassName() const override { return "THeaderControl"; }

  THeaderSections &Sections() { return *sections_; }
  const THeaderSections &Sections() const { return *sections_; }
  // Sections light up under the mouse.
  bool HotTrack() const { return hotTrack_; }
  void SetHotTrack(bool hotTrack);
  // Not owned.
  TImageList *Images() const { return images_.Images(); }
  void SetImages(TImageList *images) { images_.Set(images); }
  // Draws an owner-drawn section, during OnDrawSection only.
  TCanvas &Canvas() { return canvas_; }

  // Sections, HotTrack, Images.
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

  TSectionNotifyEvent OnSectionClick;
  // The user finished sizing a section.
  TSectionNotifyEvent OnSectionResize;
  // Each step of the user's sizing, with the width it would give.
  TSectionTrackEvent OnSectionTrack;
  TDrawSectionEvent OnDrawSection;

protected:
  void CreateParams(TCreateParams &params) override;
  void CreateWindowHandleDone() override;
  bool CNNotify(NMHDR &header, LRESULT &result) override;
  bool CNDrawItem(DRAWITEMSTRUCT &item) override;
  void WndProc(TMessage &message) override;
  void Notification(TComponent *component, TOperation operation) override;

private:
  friend class THeaderSections;
  void UpdateSections();
  void UpdateSection(int index);
  THeaderSection *SectionOf(int index) const;
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  std::unique_ptr<THeaderSections> sections_;
  bool hotTrack_ = false;
  bool updating_ = false;
  TCanvas canvas_;
  TImageLink images_;
};

} // namespace zorvex
