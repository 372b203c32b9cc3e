// The window frame's pictures: borders, caption strip, caption buttons,
// the child-window buttons and the menus.
#include <algorithm>
#include <cmath>

#include "Glyphs.h"
#include "PartKit.h"
#include "SkinParts.h"

namespace zorvex::paint {

namespace {

constexpr float White = 255;

// The caption gradient of a horizontal caption needs room to show.
int TitleMiddle(const SkinStyle &s) { return s.horizontalTitle ? 240 : 8; }

// The colour of the frame's body: caption colours above the client area,
// border colours beside and below it.
Paint FrameBody(const SkinStyle &s, bool active, float width) {
  const Paint title = TitlePaint(s, active, width);
  const Rgb border = active ? s.border : s.inactiveBorder;
  const float titleHeight = static_cast<float>(s.titleHeight);
  return [=](float x, float y) { return y < titleHeight ? title(x, y) : border; };
}

// A whole window edge, active or not: the borders are cut from it.
Canvas PaintWindowEdge(const SkinStyle &s, bool active) {
  const int side = s.borderWidth, top = s.titleHeight, bottom = s.bottomHeight;
  const int width = side + EdgeWidth(s) + side, height = SideHeight(s);
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  const auto r = static_cast<float>(s.cornerRadius), rb = static_cast<float>(s.bottomRadius);
  const Shape window = RoundBox(0, 0, w, h, Radii{r, r, rb, rb});
  const Shape client = Box(static_cast<float>(side), static_cast<float>(top), w - side, h - bottom);
  const Rgb outline = active ? s.outline : s.inactiveOutline;
  const Rgb border = active ? s.border : s.inactiveBorder;

  Canvas edge(width, height);
  if (s.relief == Relief::Raised) {
    // A grey frame with the caption bar set into it.
    edge.Fill(window, s.face);
    PaintBevel(edge, window, s, false);
    const auto inset = static_cast<float>(std::min(side - 1, 3));
    const Shape bar = Box(inset, inset, w - inset, static_cast<float>(top - 1));
    const Paint title = TitlePaint(s, active, w - 2 * inset);
    edge.Fill(bar, [=](float x, float y) { return title(x - inset, y); });
  } else {
    const Paint body = FrameBody(s, active, w);
    edge.Fill(window, body);
    if (s.titleGloss > 0)
      edge.Fill(Intersect(window, Box(0, 0, w, static_cast<float>(top) / 2)), Rgb{White, White, White}, s.titleGloss);
    if (s.relief == Relief::Soft) {
      // A thin rim of light along the top and left, shade along the rest.
      const Shape rim = Grow(window, -1);
      edge.Fill(InnerStroke(rim, 1),
                RimPaint(rim, Lighter(active ? s.titleTop : s.inactiveTop, 0.45f), Darker(border, 0.15f), false), 0.7f);
    }
    edge.Fill(InnerStroke(window, 1), outline);
    // The client area sits in a line of shade.
    const Shape clientEdge = Grow(client, 1);
    edge.Fill(Subtract(clientEdge, client), Mix(outline, border, 0.45f));
  }
  edge.Fill(client, s.face);
  return edge;
}

Paint Matte(Rgb colour) { return Solid(colour); }

// The caption colour behind a picture placed `top` pixels down the caption
// bar, at its right end.
Paint CaptionBehind(const SkinStyle &s, bool active, int top) {
  const Paint title = TitlePaint(s, active, 1000);
  return [=](float, float y) { return title(999, y + static_cast<float>(top)); };
}

Shape SignShape(CaptionSign sign, float cx, float cy, float size, float weight) {
  switch (sign) {
  case CaptionSign::Close: return CloseGlyph(cx, cy, size, weight);
  case CaptionSign::Maximise: return MaximiseGlyph(cx, cy, size, weight);
  case CaptionSign::Restore: return RestoreGlyph(cx, cy, size, weight);
  case CaptionSign::Minimise: return MinimiseGlyph(cx, cy, size, weight);
  case CaptionSign::Help: return HelpGlyph(cx, cy, size, weight);
  }
  return CloseGlyph(cx, cy, size, weight);
}

// Caption-button frames in file order.
const State CaptionStates[] = {State::Normal, State::Pressed, State::Hot, State::Disabled};

} // namespace

int SideBottom(const SkinStyle &s) { return std::max(s.bottomHeight, s.bottomRadius); }
int SideHeight(const SkinStyle &s) { return s.titleHeight + 8 + SideBottom(s); }
int EdgeEnd(const SkinStyle &s) { return std::max(0, std::max(s.cornerRadius, s.bottomRadius) - s.borderWidth) + 2; }
int EdgeWidth(const SkinStyle &s) { return 2 * EdgeEnd(s) + TitleMiddle(s); }

Borders PaintBorders(const SkinStyle &s) {
  const int side = s.borderWidth, edgeWidth = EdgeWidth(s), height = SideHeight(s);
  std::vector<TBitmap> left, right, top, bottom;
  for (const bool active : {true, false}) {
    const Canvas edge = PaintWindowEdge(s, active);
    const Paint matte = Matte(s.relief == Relief::Raised ? s.face : active ? s.outline : s.inactiveOutline);
    left.push_back(edge.Cut(0, 0, side, height).Flatten(matte));
    right.push_back(edge.Cut(side + edgeWidth, 0, side, height).Flatten(matte));
    top.push_back(edge.Cut(side, 0, edgeWidth, s.titleHeight).Flatten(matte));
    bottom.push_back(edge.Cut(side, height - s.bottomHeight, edgeWidth, s.bottomHeight).Flatten(matte));
  }
  return Borders{SideBySide(left), SideBySide(right), Stacked(top), Stacked(bottom)};
}

int CaptionStripHeight(const SkinStyle &s) { return std::min(s.titleHeight - 4, 20); }

TBitmap PaintCaptionStrip(const SkinStyle &s) {
  const int width = 2 * CaptionStripCap + 8, height = CaptionStripHeight(s);
  const int top = (s.titleHeight - height) / 2;
  std::vector<TBitmap> frames;
  for (const bool active : {true, false}) {
    const Paint behind = CaptionBehind(s, active, top);
    const Rgb middle = behind(0, static_cast<float>(height) / 2);
    const Rgb edge = active ? s.outline : s.inactiveOutline;
    const float radius = s.relief == Relief::Raised ? 2.0f : std::min<float>(CaptionStripCap, height / 2.0f);
    const Shape plate = RoundBox(0, 0, static_cast<float>(width), static_cast<float>(height), radius);
    Canvas strip(width, height);
    // A shallow recess toward the frame's edge colour, shaded at the top left.
    strip.Fill(plate, VerticalGradient(
                          {{0, Mix(middle, edge, 0.34f)}, {static_cast<float>(height), Mix(middle, edge, 0.16f)}}));
    if (s.relief != Relief::Flat)
      PaintRim(strip, plate, 1, Mix(middle, edge, 0.55f), Lighter(middle, 0.22f), false);
    frames.push_back(strip.Flatten(behind));
  }
  return Stacked(frames);
}

TBitmap PaintCaptionButton(const SkinStyle &s, CaptionSign sign) {
  const int w = s.captionButtonWidth, h = s.captionButtonHeight;
  const float fw = static_cast<float>(w), fh = static_cast<float>(h);
  return Frames(4, [&](int index) {
    const State state = CaptionStates[index];
    const bool active = state != State::Disabled;
    const bool close = sign == CaptionSign::Close;
    Canvas button(w, h);
    Shape face;
    switch (s.captionButtons) {
    case CaptionButtonLook::Raised: face = Box(0, 0, fw, fh); break;
    case CaptionButtonLook::Round: face = Circle(fw / 2, fh / 2, std::min(fw, fh) / 2); break;
    case CaptionButtonLook::Rounded:
    case CaptionButtonLook::Flat: face = RoundBox(0, 0, fw, fh, static_cast<float>(s.captionButtonRadius)); break;
    }
    Rgb signColour = active ? s.glyph : s.inactiveGlyph;
    if (s.captionButtons == CaptionButtonLook::Raised) {
      PaintButton(button, face, s, state == State::Pressed ? State::Pressed : State::Normal, Span{0, fh});
      if (state == State::Hot)
        button.Fill(Grow(face, -2), Lighter(s.face, 0.25f));
    } else {
      Rgb fill = s.captionButton;
      bool filled = s.captionButtons != CaptionButtonLook::Flat;
      if (state == State::Hot || state == State::Pressed) {
        fill = close ? s.closeHot : s.captionButtonHot;
        if (state == State::Pressed)
          fill = Darker(fill, 0.18f);
        filled = true;
        signColour = close ? s.closeGlyph : s.hotGlyph;
      } else if (!active) {
        fill = Mix(s.captionButton, s.inactiveBottom, 0.6f);
      }
      if (filled) {
        const bool pressed = state == State::Pressed;
        button.Fill(face, VerticalGradient({{0, pressed ? Darker(fill, 0.1f) : Lighter(fill, 0.28f)},
                                            {fh, pressed ? Lighter(fill, 0.1f) : fill}}));
        if (s.relief == Relief::Soft && !pressed)
          PaintRim(button, Grow(face, -1), 1, Lighter(fill, 0.5f), fill, false);
        button.Fill(InnerStroke(face, 1), Mix(active ? s.outline : s.inactiveOutline, fill, 0.35f));
      }
    }
    const float shift = state == State::Pressed ? 1.0f : 0.0f;
    const Shape glyph = SignShape(sign, fw / 2 + shift, fh / 2 + shift, s.glyphSize, s.glyphWeight);
    PaintSign(button, glyph, signColour, s, active ? State::Normal : State::Disabled);
    return button.Flatten(CaptionBehind(s, active, s.CaptionButtonTop()));
  });
}

namespace {
// The menu bar's colour along y.
Paint MenuBarPaint(const SkinStyle &s, bool active) {
  const Rgb bar = active ? s.menuBar : Mix(s.menuBar, s.face, 0.5f);
  if (s.relief != Relief::Soft)
    return Solid(bar);
  return VerticalGradient({{0, Lighter(bar, 0.3f)}, {static_cast<float>(MenuBarHeight), bar}});
}
} // namespace

TBitmap PaintChildButtons(const SkinStyle &s) {
  const float w = ChildButtonWidth, h = ChildButtonHeight;
  const float top = (MenuBarHeight - h) / 2;
  const Paint bar = MenuBarPaint(s, true);
  const Paint behind = [=](float x, float y) { return bar(x, y + top); };
  std::vector<TBitmap> frames;
  for (const CaptionSign sign : {CaptionSign::Minimise, CaptionSign::Restore, CaptionSign::Close})
    for (const State state : {State::Normal, State::Pressed, State::Disabled, State::Hot}) {
      Canvas button(ChildButtonWidth, ChildButtonHeight);
      button.Fill(Box(0, 0, w, h), behind);
      const Shape plate = RoundBox(0, 0, w, h, s.relief == Relief::Raised ? 0.0f : 2.0f);
      if (state == State::Hot || state == State::Pressed)
        PaintButton(button, plate, s, state, Span{0, h});
      const float shift = state == State::Pressed ? 1.0f : 0.0f;
      const Shape glyph = SignShape(sign, w / 2 + shift, h / 2 + shift, 8, 1);
      PaintSign(button, glyph, state == State::Disabled ? SignColour(s, state) : s.menuText, s, state);
      frames.push_back(button.Flatten(behind));
    }
  return SideBySide(frames);
}

TBitmap PaintMenuBar(const SkinStyle &s) {
  std::vector<TBitmap> frames;
  for (const bool active : {true, false}) {
    Canvas bar(MenuBarWidth, MenuBarHeight);
    bar.Fill(Box(0, 0, MenuBarWidth, MenuBarHeight), MenuBarPaint(s, active));
    if (s.relief == Relief::Soft)
      bar.Fill(Box(0, MenuBarHeight - 1, MenuBarWidth, MenuBarHeight), Mix(s.menuBar, s.shadow, 0.45f));
    frames.push_back(bar.Flatten(s.menuBar));
  }
  return Stacked(frames);
}

TBitmap PaintMenuItem(const SkinStyle &s) {
  const float w = MenuItemWidth, h = MenuItemHeight;
  const bool square = s.relief == Relief::Raised;
  const Shape plate = square ? Box(0, 0, w, h) : RoundBox(1, 1, w - 1, h - 1, static_cast<float>(s.controlRadius));
  const auto highlight = [&](Canvas &item, Rgb colour) {
    if (square) {
      item.Fill(plate, colour);
      return;
    }
    item.Fill(plate, VerticalGradient({{1, Lighter(colour, 0.18f)}, {h - 1, colour}}));
    item.Fill(InnerStroke(plate, 1), Darker(colour, 0.18f));
  };
  return Frames(5, [&](int index) {
    Canvas item(MenuItemWidth, MenuItemHeight);
    switch (index) {
    case 0: item.Fill(Box(0, 0, w, h), s.menu); break;
    case 1: {
      const float middle = std::floor(h / 2) - 1;
      item.Fill(Box(2, middle, w - 2, middle + 1), Mix(s.menu, s.shadow, 0.75f));
      if (s.relief != Relief::Flat)
        item.Fill(Box(2, middle + 1, w - 2, middle + 2), Mix(s.menu, s.light, 0.6f));
      break;
    }
    case 2: highlight(item, Mix(s.menu, s.accent, 0.2f)); break;
    case 3: highlight(item, s.accent); break;
    default: highlight(item, Darker(s.accent, 0.15f)); break;
    }
    return item.Flatten(s.menu);
  });
}

TBitmap PaintMenuBackground(const SkinStyle &s) {
  const float size = MenuFrameSize;
  const Shape frame = Box(0, 0, size, size);
  Canvas menu(MenuFrameSize, MenuFrameSize);
  menu.Fill(frame, s.menu);
  if (s.relief == Relief::Raised) {
    PaintBevel(menu, frame, s, false);
  } else {
    menu.Fill(InnerStroke(frame, 1), Mix(s.darkShadow, s.menu, 0.25f));
    menu.Fill(InnerStroke(Grow(frame, -1), 1), Mix(s.menu, s.light, 0.3f));
  }
  return menu.Flatten(s.menu);
}

} // namespace zorvex::paint
