#include "StatusBar.h"

#include <vector>

#include <commctrl.h>

#include "Forms.h"
#include "framework/core/Texts.h"

namespace zorvex {

// ---- TStatusPanel

const TPropertyTable &TStatusPanel::ClassProperties() {
  static const auto table =
      TPublished<TStatusPanel>()
          .String("Text", &TStatusPanel::Text, &TStatusPanel::SetText)
          .Integer("Width", &TStatusPanel::Width, &TStatusPanel::SetWidth)
          .Enumeration("Alignment", AlignmentNames(), &TStatusPanel::Alignment, &TStatusPanel::SetAlignment)
          .Enumeration("Bevel", {"pbNone", "pbLowered", "pbRaised"}, &TStatusPanel::Bevel, &TStatusPanel::SetBevel)
          .Enumeration("Style", {"psText", "psOwnerDraw"}, &TStatusPanel::Style, &TStatusPanel::SetStyle);
  return table;
}

void TStatusPanel::Assign(const TPersistent &source) {
  const auto *other = dynamic_cast<const TStatusPanel *>(&source);
  if (!other) {
    TCollectionItem::Assign(source);
    return;
  }
  text_ = other->text_;
  width_ = other->width_;
  alignment_ = other->alignment_;
  bevel_ = other->bevel_;
  style_ = other->style_;
  Changed();
}

void TStatusPanel::SetText(const std::string &text) {
  if (text == text_)
    return;
  text_ = text;
  Changed();
}

void TStatusPanel::SetWidth(int width) {
  width_ = std::max(width, 0);
  Changed(true);
}

void TStatusPanel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Changed();
}

void TStatusPanel::SetBevel(TStatusPanelBevel bevel) {
  bevel_ = bevel;
  Changed();
}

void TStatusPanel::SetStyle(TStatusPanelStyle style) {
  style_ = style;
  Changed();
}

// ---- TStatusPanels

TStatusPanels::TStatusPanels(TStatusBar *bar) : TOwnedCollection(bar, ItemClass<TStatusPanel>()), bar_(bar) {}

void TStatusPanels::Update(TCollectionItem *item) {
  if (item)
    bar_->UpdatePanel(item->Index());
  else
    bar_->UpdatePanels();
}

// ---- TStatusBar

TStatusBar::TStatusBar(TComponent *owner) : TWinControl(owner), panels_(std::make_unique<TStatusPanels>(this)) {
  StoreBounds(0, 0, 200, 19);
}

TStatusBar::~TStatusBar() { DestroyHandle(); }

const TPropertyTable &TStatusBar::ClassProperties() {
  static const auto table =
      TPublished<TStatusBar>(&TWinControl::ClassProperties())
          .Object("Panels", [](const TStatusBar &bar) { return const_cast<TStatusPanels *>(&bar.Panels()); })
          .Boolean("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel)
          .String("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText)
          .Boolean("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip);
  return table;
}

LRESULT TStatusBar::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return HandleAllocated() ? SendMessageW(WindowHandle(), message, wParam, lParam) : 0;
}

void TStatusBar::CreateParams(TCreateParams &params) {
  TWinControl::CreateParams(params);
  params.WindowClassBase = STATUSCLASSNAMEW;
  // Placed like every other control, not glued to the parent's bottom.
  params.Style |= CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
  // A grip only where it can size something.
  const TForm *form = ParentForm();
  if (sizeGrip_ && form && form->BorderStyle() == TFormBorderStyle::bsSizeable)
    params.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::CreateWindowHandleDone() { UpdatePanels(); }

void TStatusBar::UpdatePanels() {
  if (!HandleAllocated())
    return;
  const int count = panels_->Count();
  std::vector<int> edges;
  int x = 0;
  for (int i = 0; i < count; ++i) {
    x += panels_->Items(i)->Width();
    edges.push_back(i == count - 1 ? -1 : x);
  }
  if (edges.empty())
    edges.push_back(-1);
  Send(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (int i = 0; i < count; ++i)
    UpdatePanel(i);
  if (count == 0)
    Send(SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L""));
  Send(SB_SIMPLE, simplePanel_ ? TRUE : FALSE);
  const std::wstring simple = Wide(simpleText_);
  Send(SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(simple.c_str()));
}

void TStatusBar::UpdatePanel(int index) {
  if (!HandleAllocated() || index < 0 || index >= panels_->Count())
    return;
  const TStatusPanel &panel = *panels_->Items(index);
  WPARAM flags = static_cast<WPARAM>(index);
  if (panel.Bevel() == TStatusPanelBevel::pbNone)
    flags |= SBT_NOBORDERS;
  else if (panel.Bevel() == TStatusPanelBevel::pbRaised)
    flags |= SBT_POPOUT;
  if (panel.Style() == TStatusPanelStyle::psOwnerDraw) {
    Send(SB_SETTEXTW, flags | SBT_OWNERDRAW, static_cast<LPARAM>(index));
    return;
  }
  // The bar centres text after one tab and right-aligns it after two.
  std::wstring text = Wide(panel.Text());
  if (panel.Alignment() == TAlignment::taCenter)
    text.insert(0, L"\t");
  else if (panel.Alignment() == TAlignment::taRightJustify)
    text.insert(0, L"\t\t");
  Send(SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(text.c_str()));
}

bool TStatusBar::CNDrawItem(DRAWITEMSTRUCT &item) {
  const int index = static_cast<int>(item.itemID);
  if (!OnDrawPanel || index < 0 || index >= panels_->Count())
    return false;
  const CanvasLoan loan(canvas_, item.hDC, Font());
  OnDrawPanel(this, panels_->Items(index), item.rcItem);
  return true;
}

void TStatusBar::SetSimplePanel(bool simple) {
  simplePanel_ = simple;
  Send(SB_SIMPLE, simple ? TRUE : FALSE);
}

void TStatusBar::SetSimpleText(const std::string &text) {
  simpleText_ = text;
  const std::wstring wide = Wide(text);
  Send(SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(wide.c_str()));
}

void TStatusBar::SetSizeGrip(bool sizeGrip) {
  if (sizeGrip == sizeGrip_)
    return;
  sizeGrip_ = sizeGrip;
  RecreateWnd();
}

RECT TStatusBar::PanelRect(int index) const {
  RECT rect{};
  Send(SB_GETRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
  return rect;
}

} // namespace zorvex
