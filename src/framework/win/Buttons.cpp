#include "Buttons.h"

#include <algorithm>

#include "Win32Error.h"
#include "framework/core/Texts.h"

namespace zorvex {

ButtonLayout CalcButtonLayout(const RECT &client, SIZE glyph, SIZE text, TButtonLayout layout, int margin,
                              int spacing) {
  const int clientWidth = client.right - client.left, clientHeight = client.bottom - client.top;
  const bool horizontal = layout == TButtonLayout::blGlyphLeft || layout == TButtonLayout::blGlyphRight;
  if (glyph.cx == 0 || text.cx == 0)
    spacing = 0;
  const int along = horizontal ? clientWidth : clientHeight;
  const int glyphAlong = horizontal ? glyph.cx : glyph.cy;
  const int textAlong = horizontal ? text.cx : text.cy;
  if (margin == -1) {
    if (spacing == -1) {
      const int total = glyphAlong + textAlong;
      margin = (along - total) / 3;
      spacing = margin;
    } else {
      const int total = glyphAlong + spacing + textAlong;
      margin = (along - total + 1) / 2;
    }
  } else if (spacing == -1) {
    const int free = along - (margin + glyphAlong + textAlong);
    spacing = glyphAlong > 0 && textAlong > 0 ? free / 2 : 0;
  }
  ButtonLayout result{};
  POINT glyphAt{}, textAt{};
  if (horizontal) {
    glyphAt.y = (clientHeight - glyph.cy + 1) / 2;
    textAt.y = (clientHeight - text.cy + 1) / 2;
    if (layout == TButtonLayout::blGlyphLeft) {
      glyphAt.x = margin;
      textAt.x = margin + glyph.cx + spacing;
    } else {
      glyphAt.x = clientWidth - margin - glyph.cx;
      textAt.x = glyphAt.x - spacing - text.cx;
    }
  } else {
    glyphAt.x = (clientWidth - glyph.cx + 1) / 2;
    textAt.x = (clientWidth - text.cx + 1) / 2;
    if (layout == TButtonLayout::blGlyphTop) {
      glyphAt.y = margin;
      textAt.y = margin + glyph.cy + spacing;
    } else {
      glyphAt.y = clientHeight - margin - glyph.cy;
      textAt.y = glyphAt.y - spacing - text.cy;
    }
  }
  result.glyph = RECT{client.left + glyphAt.x, client.top + glyphAt.y, client.left + glyphAt.x + glyph.cx,
                      client.top + glyphAt.y + glyph.cy};
  result.text = RECT{client.left + textAt.x, client.top + textAt.y, client.left + textAt.x + text.cx,
                     client.top + textAt.y + text.cy};
  return result;
}

const std::vector<std::string> &ButtonLayoutNames() {
  static const std::vector<std::string> names{"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"};
  return names;
}

const TPropertyTable &TBitBtn::ClassProperties() {
  static const auto table =
      TPublished<TBitBtn>(&TButton::ClassProperties())
          .Object(
              "Glyph", [](const TBitBtn &button) { return const_cast<TDibBitmap *>(&button.Glyph()); },
              [](TBitBtn &button, TDibBitmap *glyph) { button.SetGlyph(glyph ? glyph->Clone() : TDibBitmap()); })
          .Integer("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs)
          .Object("Images", &TBitBtn::Images, &TBitBtn::SetImages)
          .Integer("ImageIndex", &TBitBtn::ImageIndex, &TBitBtn::SetImageIndex)
          .Integer("DisabledIndex", &TBitBtn::DisabledIndex, &TBitBtn::SetDisabledIndex)
          .Enumeration("Layout", ButtonLayoutNames(), &TBitBtn::Layout, &TBitBtn::SetLayout)
          .Integer("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin)
          .Integer("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing);
  return table;
}

TBitBtn::TBitBtn(TComponent *owner) : TButton(owner), images_(*this, [this] { Invalidate(); }) {}

void TBitBtn::SetImageIndex(int index) {
  imageIndex_ = index;
  Invalidate();
}

void TBitBtn::SetDisabledIndex(int index) {
  disabledIndex_ = index;
  Invalidate();
}

void TBitBtn::Notification(TComponent *component, TOperation operation) {
  TButton::Notification(component, operation);
  images_.Forget(component, operation);
}

void TBitBtn::CreateParams(TCreateParams &params) {
  TButton::CreateParams(params);
  params.Style = (params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void DrawGlyphAndCaption(TCanvas &canvas, const RECT &client, const TDibBitmap &glyph, const std::string &caption,
                         TButtonLayout layout, int margin, int spacing, bool enabled) {
  SIZE textSize{0, 0};
  if (!caption.empty()) {
    RECT measure{0, 0, std::max<int>(client.right - client.left, 0), 0};
    canvas.DrawText(caption, measure, DT_CALCRECT | DT_SINGLELINE);
    textSize = SIZE{measure.right, measure.bottom};
  }
  const ButtonLayout place =
      CalcButtonLayout(client, SIZE{glyph.Width(), glyph.Height()}, textSize, layout, margin, spacing);
  if (!glyph.Empty())
    glyph.Draw(canvas.Handle(), place.glyph.left, place.glyph.top);
  if (caption.empty())
    return;
  canvas.Brush().SetStyle(TBrushStyle::bsClear);
  RECT text = place.text;
  if (!enabled) {
    RECT shadow = text;
    OffsetRect(&shadow, 1, 1);
    canvas.Font().SetColor(clBtnHighlight);
    canvas.DrawText(caption, shadow, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    canvas.Font().SetColor(clBtnShadow);
  }
  canvas.DrawText(caption, text, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

void TButtonGlyph::SetGlyph(TDibBitmap glyph) {
  glyph_ = std::move(glyph);
  disabled_ = glyph_.Empty() ? TDibBitmap() : glyph_.Disabled();
}

void TButtonGlyph::SetNumGlyphs(int count) { numGlyphs_ = std::clamp(count, 1, 4); }

void TBitBtn::SetGlyph(TDibBitmap glyph) {
  glyph_.SetGlyph(std::move(glyph));
  Invalidate();
}

void TBitBtn::SetNumGlyphs(int count) {
  glyph_.SetNumGlyphs(count);
  Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout layout) {
  layout_ = layout;
  Invalidate();
}

void TBitBtn::SetMargin(int margin) {
  margin_ = margin;
  Invalidate();
}

void TBitBtn::SetSpacing(int spacing) {
  spacing_ = spacing;
  Invalidate();
}

TDibBitmap GlyphFrame(const TDibBitmap &glyph, const TDibBitmap &disabled, int numGlyphs, TButtonState state) {
  numGlyphs = std::max(numGlyphs, 1);
  if (state == TButtonState::bsExclusive && numGlyphs < 4)
    state = TButtonState::bsDown;
  if (state == TButtonState::bsDown && numGlyphs < 3)
    state = TButtonState::bsUp;
  int index = static_cast<int>(state);
  const TDibBitmap *source = &glyph;
  if (state == TButtonState::bsDisabled && numGlyphs < 2) {
    source = &disabled;
    index = 0;
  }
  const int frameWidth = source->Width() / numGlyphs;
  if (source->Empty() || frameWidth <= 0)
    return TDibBitmap();
  TDibBitmap frame(frameWidth, source->Height());
  for (int y = 0; y < source->Height(); ++y)
    std::copy_n(source->ScanLine(y) + index * frameWidth, frameWidth, frame.ScanLine(y));
  return frame;
}

void TBitBtn::MouseEnter() {
  hot_ = true;
  Invalidate();
}

void TBitBtn::MouseLeave() {
  hot_ = false;
  Invalidate();
}

void TBitBtn::WndProc(TMessage &message) {
  // The system draws owner-drawn buttons on a double click as on a click.
  if (message.Msg == WM_LBUTTONDBLCLK)
    message.Msg = WM_LBUTTONDOWN;
  TButton::WndProc(message);
}

bool TBitBtn::CNDrawItem(DRAWITEMSTRUCT &item) {
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  const bool pressed = item.itemState & ODS_SELECTED;
  const bool focused = item.itemState & ODS_FOCUS;
  const bool disabled = item.itemState & ODS_DISABLED;
  const bool isDefault = Active() && !disabled;

  ScopedDCState state(dc);
  // Face: a dark outline for the button Enter would press, then the 3-D edge.
  OwnedBrush face(CreateSolidBrush(GdiColor(hot_ && !pressed && !disabled ? cl3DLight : clBtnFace)));
  FillRect(dc, &rect, face.get());
  if (isDefault || pressed) {
    FrameRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&rect, -1, -1);
  }
  if (pressed) {
    FrameRect(dc, &rect, GetSysColorBrush(COLOR_BTNSHADOW));
  } else {
    DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT);
  }
  RECT client = item.rcItem;
  InflateRect(&client, -2, -2);
  if (pressed)
    OffsetRect(&client, 1, 1);

  TCanvas canvas(dc);
  canvas.Font() = Font();
  TDibBitmap glyph;
  const TImageList *images = images_.Images();
  if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
    if (!disabled)
      glyph = images->Image(imageIndex_).Clone();
    else if (disabledIndex_ >= 0 && disabledIndex_ < images->Count())
      glyph = images->Image(disabledIndex_).Clone();
    else
      glyph = images->Image(imageIndex_).Disabled();
  } else {
    glyph = glyph_.Frame(disabled ? TButtonState::bsDisabled : pressed ? TButtonState::bsDown : TButtonState::bsUp);
  }
  DrawGlyphAndCaption(canvas, client, glyph, GetText(), layout_, margin_, spacing_, !disabled);
  if (focused) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -4, -4);
    canvas.DrawFocusRect(focus);
  }
  return true;
}

} // namespace zorvex
