#include "HeaderControl.h"

#include <algorithm>

#include <commctrl.h>

#include "framework/core/Texts.h"

namespace zorvex {

// ---- THeaderSection

const TPropertyTable &THeaderSection::ClassProperties() {
  static const auto table =
      TPublished<THeaderSection>()
          .String("Text", &THeaderSection::Text, &THeaderSection::SetText)
          .Integer("Width", &THeaderSection::Width, &THeaderSection::SetWidth)
          .Integer("MinWidth", &THeaderSection::MinWidth, &THeaderSection::SetMinWidth)
          .Integer("MaxWidth", &THeaderSection::MaxWidth, &THeaderSection::SetMaxWidth)
          .Enumeration("Alignment", AlignmentNames(), &THeaderSection::Alignment, &THeaderSection::SetAlignment)
          .Boolean("AllowClick", &THeaderSection::AllowClick, &THeaderSection::SetAllowClick)
          .Enumeration("Style", {"hsText", "hsOwnerDraw"}, &THeaderSection::Style, &THeaderSection::SetStyle)
          .Integer("ImageIndex", &THeaderSection::ImageIndex, &THeaderSection::SetImageIndex);
  return table;
}

void THeaderSection::Assign(const TPersistent &source) {
  const auto *other = dynamic_cast<const THeaderSection *>(&source);
  if (!other) {
    TCollectionItem::Assign(source);
    return;
  }
  text_ = other->text_;
  width_ = other->width_;
  minWidth_ = other->minWidth_;
  maxWidth_ = other->maxWidth_;
  alignment_ = other->alignment_;
  allowClick_ = other->allowClick_;
  style_ = other->style_;
  imageIndex_ = other->imageIndex_;
  Changed();
}

void THeaderSection::SetText(const std::string &text) {
  text_ = text;
  Changed();
}

void THeaderSection::SetWidth(int width) {
  width_ = std::clamp(width, minWidth_, std::max(minWidth_, maxWidth_));
  Changed();
}

void THeaderSection::SetMinWidth(int width) {
  minWidth_ = std::max(width, 0);
  maxWidth_ = std::max(maxWidth_, minWidth_);
  SetWidth(width_);
}

void THeaderSection::SetMaxWidth(int width) {
  maxWidth_ = std::max(width, minWidth_);
  SetWidth(width_);
}

void THeaderSection::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Changed();
}

void THeaderSection::SetImageIndex(int index) {
  imageIndex_ = index;
  Changed();
}

void THeaderSection::SetAllowClick(bool allow) { allowClick_ = allow; }

void THeaderSection::SetStyle(THeaderSectionStyle style) {
  style_ = style;
  Changed();
}

int THeaderSection::Left() const {
  int left = 0;
  for (int i = 0; i < Index(); ++i)
    left += static_cast<THeaderSection *>(Collection()->Items(i))->width_;
  return left;
}

// ---- THeaderSections

THeaderSections::THeaderSections(THeaderControl *header)
    : TOwnedCollection(header, ItemClass<THeaderSection>()), header_(header) {}

void THeaderSections::Update(TCollectionItem *item) {
  if (item)
    header_->UpdateSection(item->Index());
  else
    header_->UpdateSections();
}

// ---- THeaderControl

THeaderControl::THeaderControl(TComponent *owner)
    : TWinControl(owner), sections_(std::make_unique<THeaderSections>(this)), images_(*this, [this] {
        Send(HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.SystemList()));
        UpdateSections();
      }) {
  StoreBounds(0, 0, 200, 17);
}

THeaderControl::~THeaderControl() { DestroyHandle(); }

const TPropertyTable &THeaderControl::ClassProperties() {
  static const auto table =
      TPublished<THeaderControl>(&TWinControl::ClassProperties())
          .Object("Sections",
                  [](const THeaderControl &header) { return const_cast<THeaderSections *>(&header.Sections()); })
          .Boolean("HotTrack", &THeaderControl::HotTrack, &THeaderControl::SetHotTrack)
          .Object("Images", &THeaderControl::Images, &THeaderControl::SetImages);
  return table;
}

LRESULT THeaderControl::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return HandleAllocated() ? SendMessageW(WindowHandle(), message, wParam, lParam) : 0;
}

void THeaderControl::CreateParams(TCreateParams &params) {
  TWinControl::CreateParams(params);
  params.WindowClassBase = WC_HEADERW;
  params.Style |= HDS_HORZ | HDS_BUTTONS | HDS_FULLDRAG;
  if (hotTrack_)
    params.Style |= HDS_HOTTRACK;
}

void THeaderControl::CreateWindowHandleDone() {
  Send(HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.SystemList()));
  UpdateSections();
}

void THeaderControl::Notification(TComponent *component, TOperation operation) {
  TWinControl::Notification(component, operation);
  images_.Forget(component, operation);
}

void THeaderControl::SetHotTrack(bool hotTrack) {
  hotTrack_ = hotTrack;
  ChangeStyle(HDS_HOTTRACK, hotTrack);
}

THeaderSection *THeaderControl::SectionOf(int index) const {
  return index >= 0 && index < sections_->Count() ? sections_->Items(index) : nullptr;
}

namespace {
int FormatOf(const THeaderSection &section, bool hasImages) {
  int format = section.Style() == THeaderSectionStyle::hsOwnerDraw ? HDF_OWNERDRAW : HDF_STRING;
  if (hasImages && section.ImageIndex() >= 0)
    format |= HDF_IMAGE;
  switch (section.Alignment()) {
  case TAlignment::taLeftJustify: format |= HDF_LEFT; break;
  case TAlignment::taRightJustify: format |= HDF_RIGHT; break;
  case TAlignment::taCenter: format |= HDF_CENTER; break;
  }
  return format;
}
} // namespace

void THeaderControl::UpdateSections() {
  if (!HandleAllocated())
    return;
  updating_ = true;
  while (Send(HDM_GETITEMCOUNT) > 0)
    Send(HDM_DELETEITEM, 0);
  for (int i = 0; i < sections_->Count(); ++i) {
    const THeaderSection &section = *sections_->Items(i);
    std::wstring text = Wide(section.Text());
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text.data();
    item.cxy = section.Width();
    item.fmt = FormatOf(section, Images() != nullptr);
    item.iImage = section.ImageIndex();
    Send(HDM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  updating_ = false;
}

void THeaderControl::UpdateSection(int index) {
  const THeaderSection *section = SectionOf(index);
  if (!HandleAllocated() || !section)
    return;
  std::wstring text = Wide(section->Text());
  HDITEMW item{};
  item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT | HDI_IMAGE;
  item.pszText = text.data();
  item.cxy = section->Width();
  item.fmt = FormatOf(*section, Images() != nullptr);
  item.iImage = section->ImageIndex();
  updating_ = true;
  Send(HDM_SETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  updating_ = false;
}

bool THeaderControl::CNNotify(NMHDR &header, LRESULT &result) {
  switch (header.code) {
  case HDN_ITEMCLICKW:
  case HDN_ITEMCLICKA:
  case HDN_BEGINTRACKW:
  case HDN_BEGINTRACKA:
  case HDN_TRACKW:
  case HDN_TRACKA:
  case HDN_ITEMCHANGINGW:
  case HDN_ITEMCHANGINGA:
  case HDN_ITEMCHANGEDW:
  case HDN_ITEMCHANGEDA:
  case HDN_ENDTRACKW:
  case HDN_ENDTRACKA: break;
  default: return false; // not a section's notification: no NMHEADER behind it
  }
  // The A and W forms differ only in the text, which is not read here.
  auto &notify = reinterpret_cast<NMHEADERW &>(header);
  THeaderSection *section = SectionOf(notify.iItem);
  const bool width = notify.pitem && (notify.pitem->mask & HDI_WIDTH);
  result = 0;
  switch (header.code) {
  case HDN_ITEMCLICKW:
  case HDN_ITEMCLICKA:
    if (section && section->AllowClick() && OnSectionClick)
      OnSectionClick(this, section);
    return true;
  case HDN_BEGINTRACKW:
  case HDN_BEGINTRACKA:
    if (section && OnSectionTrack)
      OnSectionTrack(this, section, section->Width(), TSectionTrackState::tsTrackBegin);
    return true;
  case HDN_TRACKW:
  case HDN_TRACKA:
    if (section && width && OnSectionTrack)
      OnSectionTrack(
          this, section,
          std::clamp(notify.pitem->cxy, section->MinWidth(), std::max(section->MinWidth(), section->MaxWidth())),
          TSectionTrackState::tsTrackMove);
    return true;
  case HDN_ITEMCHANGINGW:
  case HDN_ITEMCHANGINGA:
    // A width out of the section's limits is refused and the nearest limit
    // put in its place.
    if (section && width && !updating_) {
      const int wanted = notify.pitem->cxy;
      const int allowed = std::clamp(wanted, section->MinWidth(), std::max(section->MinWidth(), section->MaxWidth()));
      if (allowed != wanted) {
        result = TRUE;
        if (section->Width() != allowed)
          section->SetWidth(allowed);
      }
    }
    return true;
  case HDN_ITEMCHANGEDW:
  case HDN_ITEMCHANGEDA:
    if (section && width && !updating_ && notify.pitem->cxy != section->Width())
      section->SetWidth(notify.pitem->cxy);
    return true;
  case HDN_ENDTRACKW:
  case HDN_ENDTRACKA:
    if (section && OnSectionTrack)
      OnSectionTrack(this, section, section->Width(), TSectionTrackState::tsTrackEnd);
    if (section && OnSectionResize)
      OnSectionResize(this, section);
    return true;
  default: return false;
  }
}

void THeaderControl::WndProc(TMessage &message) {
  if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) {
    // A press on a section that takes no clicks is not shown pressed; its
    // edges still size it.
    HDHITTESTINFO hit{};
    hit.pt = POINT{static_cast<short>(LOWORD(message.LParam)), static_cast<short>(HIWORD(message.LParam))};
    const int index = static_cast<int>(Send(HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    const THeaderSection *section = SectionOf(index);
    if (section && !section->AllowClick() && (hit.flags & HHT_ONHEADER) &&
        !(hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN))) {
      message.Result = 0;
      return;
    }
  }
  TWinControl::WndProc(message);
}

bool THeaderControl::CNDrawItem(DRAWITEMSTRUCT &item) {
  THeaderSection *section = SectionOf(static_cast<int>(item.itemID));
  if (!section || !OnDrawSection)
    return false;
  const CanvasLoan loan(canvas_, item.hDC, Font());
  OnDrawSection(this, section, item.rcItem, (item.itemState & ODS_SELECTED) != 0);
  return true;
}

} // namespace zorvex
