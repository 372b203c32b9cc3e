// The pictures of controls: buttons, boxes, bars, tabs and thumbs.
#include <algorithm>
#include <cmath>

#include "Glyphs.h"
#include "PartKit.h"
#include "SkinParts.h"

namespace zorvex::paint {

namespace {

float Radius(const SkinStyle &s, float most) {
  return s.relief == Relief::Raised ? 0.0f : std::min(static_cast<float>(s.controlRadius), most);
}

Shape Plate(const SkinStyle &s, float x0, float y0, float x1, float y1, float most = 8) {
  return RoundBox(x0, y0, x1, y1, Radius(s, most));
}

// An arrow sign in the skin's arrow style.
Shape Arrow(const SkinStyle &s, Direction direction, float cx, float cy, float size) {
  if (s.chevrons)
    return ChevronGlyph(direction, cx, cy, size, std::max(1.5f, s.glyphWeight));
  return ArrowGlyph(direction, cx, cy, size);
}

// ---- Check and radio boxes

enum class Mark { None, Tick, Mixed, Dot };

struct BoxFrame {
  bool marked;
  bool mixed;
  State state;
};

std::vector<BoxFrame> BoxFrames(int count) {
  if (count == 4)
    return {{false, false, State::Normal},
            {true, false, State::Normal},
            {false, false, State::Disabled},
            {true, false, State::Disabled}};
  std::vector<BoxFrame> frames;
  for (int kind = 0; kind < count / 4; ++kind)
    for (const State state : {State::Normal, State::Hot, State::Pressed, State::Disabled})
      frames.push_back({kind > 0, kind == 2, state});
  return frames;
}

TBitmap PaintBox(const SkinStyle &s, const Shape &box, int size, const BoxFrame &frame, Mark mark) {
  const float sz = static_cast<float>(size), centre = sz / 2;
  const State state = frame.state;
  const bool disabled = state == State::Disabled;
  Canvas canvas(size, size);
  Rgb signColour = disabled ? Mix(s.mark, s.face, 0.55f) : s.mark;
  if (s.relief == Relief::Raised) {
    canvas.Fill(box, state == State::Pressed || disabled ? s.face : s.field);
    PaintBevel(canvas, box, s, true);
    signColour = disabled ? s.shadow : s.text;
  } else {
    const bool filled = s.filledChecks && frame.marked;
    Rgb top = s.field, bottom = Darker(s.field, 0.06f), edge = s.buttonBorder;
    if (filled) {
      top = Lighter(s.accent, 0.18f);
      bottom = s.accent;
      edge = Darker(s.accent, 0.2f);
      signColour = s.accentText;
    }
    switch (state) {
    case State::Hot:
      top = Mix(top, filled ? s.light : s.accent, 0.1f);
      edge = filled ? edge : s.accent;
      break;
    case State::Pressed:
      top = Mix(top, filled ? s.darkShadow : s.accent, 0.2f);
      bottom = Mix(bottom, filled ? s.darkShadow : s.accent, 0.2f);
      edge = Darker(filled ? edge : s.accent, 0.1f);
      break;
    case State::Disabled:
      top = Mix(top, s.face, 0.6f);
      bottom = Mix(bottom, s.face, 0.6f);
      edge = Mix(edge, s.face, 0.5f);
      if (filled)
        signColour = Mix(s.accentText, s.face, 0.4f);
      break;
    default: break;
    }
    canvas.Fill(box, VerticalGradient({{0, top}, {sz, bottom}}));
    if (s.relief == Relief::Soft && !filled)
      PaintRim(canvas, Grow(box, -1), 1, Darker(top, 0.1f), bottom, false);
    canvas.Fill(InnerStroke(box, 1), edge);
  }
  if (frame.marked) {
    Shape sign;
    if (frame.mixed)
      sign = RoundBox(centre - sz * 0.22f, centre - sz * 0.22f, centre + sz * 0.22f, centre + sz * 0.22f, 1);
    else if (mark == Mark::Dot)
      sign = Circle(centre, centre, sz * 0.2f);
    else
      sign = CheckGlyph(centre, centre, sz * 0.66f, std::max(1.6f, sz / 7));
    PaintSign(canvas, sign, signColour, s, disabled ? State::Disabled : State::Normal);
  }
  return canvas.Flatten(s.face);
}

// ---- Scroll bars

Canvas TrackCanvas(const SkinStyle &s, int width, int height, bool horizontal, State state) {
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  Canvas track(width, height);
  if (s.relief == Relief::Raised) {
    // The fine checker of raised scroll bars; its 2-pixel period tiles.
    const Rgb a = state == State::Pressed ? s.darkShadow : s.light;
    const Rgb b = state == State::Pressed ? s.shadow : s.face;
    track.Fill(Box(0, 0, w, h),
               [=](float x, float y) { return (static_cast<int>(x) + static_cast<int>(y)) % 2 == 0 ? a : b; });
    return track;
  }
  Rgb base = s.track;
  if (state == State::Hot)
    base = Mix(base, s.text, 0.05f);
  else if (state == State::Pressed)
    base = Mix(base, s.text, 0.12f);
  else if (state == State::Disabled)
    base = Mix(base, s.face, 0.5f);
  if (s.relief == Relief::Flat) {
    track.Fill(Box(0, 0, w, h), base);
    return track;
  }
  // A shallow groove: shade on the side the light comes from.
  const float across = horizontal ? h : w;
  std::vector<Stop> stops = {{0, Darker(base, 0.08f)}, {across * 0.35f, base}, {across, Lighter(base, 0.06f)}};
  track.Fill(Box(0, 0, w, h), horizontal ? VerticalGradient(stops) : HorizontalGradient(stops));
  const Rgb line = Mix(base, s.shadow, 0.3f);
  if (horizontal) {
    track.Fill(Box(0, 0, w, 1), line);
    track.Fill(Box(0, h - 1, w, h), line);
  } else {
    track.Fill(Box(0, 0, 1, h), line);
    track.Fill(Box(w - 1, 0, w, h), line);
  }
  return track;
}

Canvas ThumbCanvas(const SkinStyle &s, int width, int height, bool horizontal, State state) {
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  Canvas thumb(width, height);
  if (s.relief == Relief::Raised) {
    PaintButton(thumb, Box(0, 0, w, h), s, state == State::Pressed ? State::Normal : state, Span{0, h});
    return thumb;
  }
  const float across = horizontal ? h : w;
  const float inset = across >= 14 ? 2.0f : 1.0f;
  const float radius = std::min((across - 2 * inset) / 2, static_cast<float>(std::max(2, s.controlRadius)));
  const Shape shape = RoundBox(horizontal ? 1.0f : inset, horizontal ? inset : 1.0f, horizontal ? w - 1 : w - inset,
                               horizontal ? h - inset : h - 1, radius);
  if (s.relief == Relief::Flat) {
    const float amount = state == State::Pressed ? 0.5f : state == State::Hot ? 0.4f : 0.3f;
    thumb.Fill(shape, Mix(s.track, s.text, amount));
    return thumb;
  }
  const Span span = horizontal ? Span{inset, h - inset} : Span{inset, w - inset, true};
  PaintButton(thumb, shape, s, state, span);
  return thumb;
}

Canvas ScrollArrow(const SkinStyle &s, Direction direction, State state) {
  const int size = s.scrollSize;
  const float sz = static_cast<float>(size), centre = sz / 2;
  Canvas arrow(size, size);
  bool pressedShift = false;
  if (s.relief == Relief::Raised) {
    PaintButton(arrow, Box(0, 0, sz, sz), s, state == State::Hot ? State::Normal : state, Span{0, sz});
    pressedShift = state == State::Pressed;
  } else if (s.relief == Relief::Soft) {
    PaintButton(arrow, RoundBox(1, 1, sz - 1, sz - 1, Radius(s, 3)), s, state, Span{1, sz - 1});
  } else if (state == State::Hot || state == State::Pressed) {
    arrow.Fill(RoundBox(1, 1, sz - 1, sz - 1, Radius(s, 3)),
               Mix(s.track, s.text, state == State::Pressed ? 0.25f : 0.12f));
  }
  const float shift = pressedShift ? 1.0f : 0.0f;
  const Shape sign = Arrow(s, direction, centre + shift, centre + shift, std::round(sz * 0.45f));
  PaintSign(arrow, sign, SignColour(s, state), s, state);
  return arrow;
}

} // namespace

TBitmap PaintPushButton(const SkinStyle &s) {
  const float size = PushButtonSize;
  const State states[] = {State::Normal, State::Pressed, State::Disabled, State::Hot, State::Default};
  return Frames(5, [&](int index) {
    Canvas button(PushButtonSize, PushButtonSize);
    PaintButton(button, Plate(s, 0, 0, size, size), s, states[index], Span{0, size});
    return button.Flatten(s.face);
  });
}

TBitmap PaintCheckBox(const SkinStyle &s) {
  const float size = static_cast<float>(s.checkSize);
  const Shape box = Plate(s, 0, 0, size, size, 3);
  std::vector<TBitmap> frames;
  for (const BoxFrame &frame : BoxFrames(s.checkFrames))
    frames.push_back(PaintBox(s, box, s.checkSize, frame, Mark::Tick));
  return SideBySide(frames);
}

TBitmap PaintRadioButton(const SkinStyle &s) {
  const float size = static_cast<float>(s.checkSize);
  const Shape disc = Circle(size / 2, size / 2, size / 2);
  std::vector<TBitmap> frames;
  for (const BoxFrame &frame : BoxFrames(s.radioFrames))
    frames.push_back(PaintBox(s, disc, s.checkSize, frame, Mark::Dot));
  return SideBySide(frames);
}

namespace {
Rgb TroughColour(const SkinStyle &s) { return s.relief == Relief::Raised ? s.face : Mix(s.field, s.track, 0.5f); }

Canvas Trough(const SkinStyle &s) {
  const float w = ProgressWidth, h = ProgressHeight;
  const Shape bar = Plate(s, 0, 0, w, h, 4);
  const Rgb trough = TroughColour(s);
  Canvas canvas(ProgressWidth, ProgressHeight);
  canvas.Fill(Box(0, 0, w, h), s.face);
  canvas.Fill(bar, VerticalGradient({{0, Darker(trough, 0.07f)}, {h, trough}}));
  if (s.relief == Relief::Raised) {
    PaintRim(canvas, bar, 1, s.shadow, s.light, true);
  } else {
    if (s.relief == Relief::Soft)
      PaintRim(canvas, Grow(bar, -1), 1, Darker(trough, 0.12f), trough, false);
    canvas.Fill(InnerStroke(bar, 1), s.buttonBorder);
  }
  return canvas;
}

Paint AccentBar(const SkinStyle &s, float y0, float y1) {
  if (s.relief != Relief::Soft)
    return Solid(s.accent);
  const float middle = (y0 + y1) / 2;
  return VerticalGradient({{y0, Lighter(s.accent, 0.4f)},
                           {middle, Lighter(s.accent, 0.1f)},
                           {middle + 0.01f, s.accent},
                           {y1, Darker(s.accent, 0.12f)}});
}
} // namespace

TBitmap PaintProgress(const SkinStyle &s) {
  const float w = ProgressWidth, h = ProgressHeight;
  std::vector<TBitmap> frames = {Trough(s).Flatten(s.face)};
  if (s.progressStyle == 0) {
    Canvas fill(ProgressWidth, ProgressHeight);
    const float inset = 2;
    fill.Fill(Plate(s, inset, inset, w - inset, h - inset, 3), AccentBar(s, inset, h - inset));
    frames.push_back(fill.Flatten(TroughColour(s)));
  }
  return SideBySide(frames);
}

TBitmap PaintProgressChunk(const SkinStyle &s) {
  const float w = ChunkWidth, h = ChunkHeight;
  Canvas chunk(ChunkWidth, ChunkHeight);
  chunk.Fill(Box(0, 0, w, h), TroughColour(s));
  chunk.Fill(Plate(s, 0, 0, w - 1, h, 1), AccentBar(s, 0, h));
  return chunk.Flatten(TroughColour(s));
}

TBitmap PaintGroupEdge(const SkinStyle &s) {
  const float size = GroupEdgeSize;
  return Frames(2, [&](int index) {
    const bool disabled = index == 1;
    Canvas edge(GroupEdgeSize, GroupEdgeSize);
    if (s.relief == Relief::Raised) {
      // An etched line: shade with light below and right of it.
      const Shape outer = Box(0, 0, size - 1, size - 1);
      edge.Fill(Moved(InnerStroke(outer, 1), 1, 1), s.light);
      edge.Fill(InnerStroke(outer, 1), disabled ? Mix(s.shadow, s.face, 0.5f) : s.shadow);
    } else {
      const Rgb line = Mix(s.buttonBorder, s.face, disabled ? 0.6f : 0.25f);
      const Shape outer = Plate(s, 0, 0, size, size, 5);
      edge.Fill(InnerStroke(outer, 1), line);
      if (s.relief == Relief::Soft)
        edge.Fill(InnerStroke(Grow(outer, -1), 1), Mix(s.face, s.light, 0.35f));
    }
    return edge.Flatten(s.face);
  });
}

TBitmap PaintGroupLabel(const SkinStyle &s) {
  const float w = GroupLabelWidth, h = GroupLabelHeight;
  Canvas label(GroupLabelWidth, GroupLabelHeight);
  if (s.relief == Relief::Raised) {
    label.Fill(Box(0, 0, w, h), s.face);
  } else {
    const Shape plate = RoundBox(0, 1, w, h - 1, std::min<float>(GroupLabelEnd, (h - 2) / 2));
    label.Fill(plate, Mix(s.face, s.accent, 0.14f));
    if (s.relief == Relief::Soft)
      label.Fill(InnerStroke(plate, 1), Mix(s.face, s.accent, 0.4f));
  }
  return label.Flatten(s.face);
}

TBitmap PaintTabs(const SkinStyle &s) {
  const float w = TabWidth, h = TabHeight;
  const float r = Radius(s, 4);
  const State states[] = {State::Normal, State::Pressed, State::Hot, State::Disabled, State::Focused};
  return Frames(5, [&](int index) {
    const State state = states[index];
    const bool selected = state == State::Pressed || state == State::Focused;
    const float top = selected ? 0.0f : 2.0f;
    const Shape tab = RoundBox(0, top, w, h + r + 1, Radii{r, r, 0, 0});
    Canvas canvas(TabWidth, TabHeight);
    canvas.Fill(Box(0, 0, w, h), s.face);
    Rgb fill = selected ? s.face : Mix(s.face, s.shadow, 0.18f);
    Rgb edge = s.buttonBorder;
    if (state == State::Disabled) {
      fill = Mix(fill, s.face, 0.6f);
      edge = Mix(edge, s.face, 0.5f);
    }
    if (state == State::Hot)
      fill = Mix(fill, s.light, 0.35f);
    if (s.relief == Relief::Raised) {
      canvas.Fill(tab, fill);
      PaintBevel(canvas, tab, s, false);
    } else {
      const Rgb lit = s.relief == Relief::Soft ? Mix(fill, s.light, 0.45f) : fill;
      canvas.Fill(tab, VerticalGradient({{top, lit}, {h, fill}}));
      canvas.Fill(InnerStroke(tab, 1), edge);
    }
    if (state == State::Hot || state == State::Focused)
      canvas.Fill(Intersect(tab, Box(0, top, w, top + 2)), s.accent);
    // Tabs behind the page stand on its top edge.
    if (!selected)
      canvas.Fill(Box(0, h - 1, w, h), s.relief == Relief::Raised ? s.light : s.buttonBorder);
    return canvas.Flatten(s.face);
  });
}

TBitmap PaintTabPage(const SkinStyle &s) {
  const float size = TabPageSize;
  const Shape page = Box(0, 0, size, size);
  Canvas canvas(TabPageSize, TabPageSize);
  canvas.Fill(page, s.face);
  if (s.relief == Relief::Raised) {
    PaintBevel(canvas, page, s, false);
  } else {
    canvas.Fill(InnerStroke(page, 1), s.buttonBorder);
    if (s.relief == Relief::Soft)
      PaintRim(canvas, Grow(page, -1), 1, Mix(s.face, s.light, 0.4f), Mix(s.face, s.shadow, 0.2f), true);
  }
  return canvas.Flatten(s.face);
}

TBitmap PaintStatusBar(const SkinStyle &s) {
  const float w = StatusWidth, h = StatusHeight;
  const auto bar = [&](Canvas &canvas) {
    canvas.Fill(Box(0, 0, w, h), s.relief == Relief::Soft
                                     ? VerticalGradient({{0, Mix(s.face, s.light, 0.25f)}, {h, s.face}})
                                     : Solid(s.face));
    canvas.Fill(Box(0, 0, w, 1), Mix(s.face, s.shadow, 0.7f));
    if (s.relief != Relief::Flat)
      canvas.Fill(Box(0, 1, w, 2), Mix(s.face, s.light, 0.6f));
  };
  return Frames(3, [&](int index) {
    Canvas canvas(StatusWidth, StatusHeight);
    bar(canvas);
    if (index == 1) {
      const Shape panel = Plate(s, 1, 3, w - 1, h - 1, 2);
      canvas.Fill(panel, Mix(s.face, s.field, 0.2f));
      if (s.relief == Relief::Flat)
        canvas.Fill(InnerStroke(panel, 1), Mix(s.face, s.shadow, 0.5f));
      else
        PaintRim(canvas, panel, 1, Mix(s.face, s.shadow, 0.7f), Mix(s.face, s.light, 0.7f), true);
    } else if (index == 2) {
      // Grip dots in a triangle at the bottom right.
      for (int row = 0; row < 3; ++row)
        for (int column = 2 - row; column < 3; ++column) {
          const float x = w - 4 - 3.0f * (2 - column), y = h - 4 - 3.0f * (2 - row);
          canvas.Fill(Box(x + 1, y + 1, x + 3, y + 3), s.light);
          canvas.Fill(Box(x, y, x + 2, y + 2), Mix(s.face, s.shadow, 0.9f));
        }
    }
    return canvas.Flatten(s.face);
  });
}

namespace {
const State ComboStates[] = {State::Normal, State::Hot, State::Pressed, State::Disabled};

Rgb FieldEdge(const SkinStyle &s, State state) {
  switch (state) {
  case State::Hot: return Mix(s.buttonBorder, s.accent, 0.6f);
  case State::Pressed: return s.accent;
  case State::Disabled: return Mix(s.buttonBorder, s.face, 0.5f);
  default: return s.buttonBorder;
  }
}
} // namespace

TBitmap PaintComboButton(const SkinStyle &s) {
  const float w = ComboButtonWidth, h = ComboHeight;
  const float r = Radius(s, 3);
  return Frames(4, [&](int index) {
    const State state = ComboStates[index];
    Canvas canvas(ComboButtonWidth, ComboHeight);
    canvas.Fill(Box(0, 0, w, h), s.face);
    if (s.relief == Relief::Raised) {
      // The field's sunken edge runs on round the button.
      const Shape field = Box(-4, 0, w, h);
      canvas.Fill(field, s.field);
      PaintBevel(canvas, field, s, true);
      PaintButton(canvas, Box(0, 2, w - 2, h - 2), s, state == State::Hot ? State::Normal : state, Span{2, h - 2});
    } else {
      const Shape button = RoundBox(0, 0, w, h, Radii{0, r, r, 0});
      PaintButton(canvas, button, s, state == State::Pressed ? State::Pressed : state, Span{0, h});
      // Top, right and bottom in the field's edge colour, so the two join.
      const Rgb edge = FieldEdge(s, state);
      canvas.Fill(Subtract(InnerStroke(button, 1), Box(0, 1, 1, h - 1)), edge);
      canvas.Fill(Box(0, 2, 1, h - 2), Mix(edge, s.buttonTop, 0.3f));
    }
    return canvas.Flatten(s.face);
  });
}

TBitmap PaintSunkenEdge(const SkinStyle &s) {
  const float w = ComboEdgeWidth, h = ComboHeight;
  return Frames(4, [&](int index) {
    const State state = ComboStates[index];
    Canvas canvas(ComboEdgeWidth, ComboHeight);
    canvas.Fill(Box(0, 0, w, h), s.face);
    const Shape field = Plate(s, 0, 0, w, h, 3);
    const Rgb inside = state == State::Disabled ? Mix(s.field, s.face, 0.6f) : s.field;
    canvas.Fill(field, inside);
    if (s.relief == Relief::Raised) {
      PaintBevel(canvas, field, s, true);
    } else {
      if (s.relief == Relief::Soft)
        PaintRim(canvas, Grow(field, -1), 1, Darker(inside, 0.1f), inside, false);
      canvas.Fill(InnerStroke(field, 1), FieldEdge(s, state));
    }
    return canvas.Flatten(s.face);
  });
}

TBitmap PaintComboArrows(const SkinStyle &s) {
  const float w = ComboButtonWidth, h = ComboHeight;
  const Rgb behind = s.relief == Relief::Raised ? s.face : Mix(s.buttonTop, s.buttonBottom, 0.5f);
  return Frames(5, [&](int index) {
    const State state = index < 4 ? ComboStates[index] : State::Normal;
    const float shift = state == State::Pressed ? 1.0f : 0.0f;
    const float cx = s.relief == Relief::Raised ? (w - 2) / 2 : w / 2;
    Canvas canvas(ComboButtonWidth, ComboHeight);
    const Shape sign = Arrow(s, index == 4 ? Direction::Up : Direction::Down, cx + shift, h / 2 + shift, 8);
    PaintSign(canvas, sign, SignColour(s, state), s, state);
    return canvas.Flatten(behind);
  });
}

TBitmap PaintHeader(const SkinStyle &s) {
  const float w = HeaderWidth, h = HeaderHeight;
  const State states[] = {State::Normal, State::Hot, State::Pressed, State::Focused, State::Disabled};
  return Frames(5, [&](int index) {
    const State state = states[index];
    Canvas canvas(HeaderWidth, HeaderHeight);
    const Shape cell = Box(0, 0, w, h);
    if (s.relief == Relief::Raised) {
      canvas.Fill(cell, state == State::Hot ? Lighter(s.face, 0.18f) : s.face);
      PaintBevel(canvas, cell, s, state == State::Pressed);
      return canvas.Flatten(s.face);
    }
    Rgb top = s.relief == Relief::Soft ? Mix(s.face, s.light, 0.45f) : s.face, bottom = s.face;
    if (state == State::Hot)
      top = Mix(top, s.light, 0.4f), bottom = Mix(bottom, s.light, 0.2f);
    if (state == State::Pressed)
      top = Mix(s.face, s.shadow, 0.25f), bottom = Mix(s.face, s.shadow, 0.12f);
    if (state == State::Focused)
      top = Mix(top, s.accent, 0.12f), bottom = Mix(bottom, s.accent, 0.12f);
    canvas.Fill(cell, VerticalGradient({{0, top}, {h, bottom}}));
    const Rgb line = Mix(s.face, s.shadow, state == State::Disabled ? 0.35f : 0.7f);
    canvas.Fill(Box(0, h - 1, w, h), line);
    canvas.Fill(Box(w - 1, 3, w, h - 3), line);
    if (s.relief == Relief::Soft)
      canvas.Fill(Box(0, 3, 1, h - 3), Mix(s.face, s.light, 0.5f));
    if (state == State::Hot || state == State::Focused)
      canvas.Fill(Box(0, h - 2, w, h), s.accent);
    return canvas.Flatten(s.face);
  });
}

TBitmap PaintScrollBar(const SkinStyle &s) {
  const int size = s.scrollSize;
  const Direction directions[] = {Direction::Left, Direction::Right, Direction::Up, Direction::Down};
  const State states[] = {State::Normal, State::Pressed, State::Hot, State::Disabled};
  const Paint track = Solid(s.relief == Relief::Raised ? s.face : s.track);
  std::vector<TBitmap> frames;
  for (const Direction direction : directions)
    for (const State state : states)
      frames.push_back(ScrollArrow(s, direction, state).Flatten(track));
  frames.push_back(TrackCanvas(s, size, size, true, State::Normal).Flatten(track));
  frames.push_back(TrackCanvas(s, size, size, false, State::Normal).Flatten(track));
  for (const State state : {State::Normal, State::Hot})
    for (const bool horizontal : {true, false}) {
      Canvas frame = TrackCanvas(s, size, size, horizontal, State::Normal);
      frame.Place(ThumbCanvas(s, size, size, horizontal, state), 0, 0);
      frames.push_back(frame.Flatten(track));
    }
  // The square where two scroll bars meet.
  Canvas corner(size, size);
  corner.Fill(Box(0, 0, static_cast<float>(size), static_cast<float>(size)), s.face);
  frames.push_back(corner.Flatten(s.face));
  return SideBySide(frames);
}

TBitmap PaintScrollTrack(const SkinStyle &s, bool horizontal) {
  const int along = ScrollTrackLength, across = s.scrollSize;
  const State states[] = {State::Normal, State::Hot, State::Disabled, State::Pressed};
  return Frames(4, [&](int index) {
    return TrackCanvas(s, horizontal ? along : across, horizontal ? across : along, horizontal, states[index])
        .Flatten(s.track);
  });
}

TBitmap PaintScrollThumb(const SkinStyle &s, bool horizontal) {
  const int along = ScrollThumbLength, across = s.scrollSize;
  const State states[] = {State::Normal, State::Pressed, State::Hot};
  return Frames(3, [&](int index) {
    return ThumbCanvas(s, horizontal ? along : across, horizontal ? across : along, horizontal, states[index])
        .Flatten(s.relief == Relief::Raised ? s.face : s.track);
  });
}

TBitmap PaintTrackThumb(const SkinStyle &s, TrackThumb kind) {
  const bool standing = kind == TrackThumb::Horizontal || kind == TrackThumb::Up || kind == TrackThumb::Down;
  const int width = standing ? TrackThumbWidth : TrackThumbLength;
  const int height = standing ? TrackThumbLength : TrackThumbWidth;
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  const float point = 6; // length of a pointer's tip
  // Pointers are drawn a pixel in and grown back, which rounds their corners.
  const float grow = s.relief == Relief::Raised ? 0.0f : 1.0f, g = grow;
  Shape shape;
  switch (kind) {
  case TrackThumb::Horizontal:
  case TrackThumb::Vertical: shape = Plate(s, 0, 0, w, h, 2); break;
  case TrackThumb::Down:
    shape = Polygon({{g, g}, {w - g, g}, {w - g, h - point}, {w / 2, h - g}, {g, h - point}});
    break;
  case TrackThumb::Up: shape = Polygon({{w / 2, g}, {w - g, point}, {w - g, h - g}, {g, h - g}, {g, point}}); break;
  case TrackThumb::Left: shape = Polygon({{g, h / 2}, {point, g}, {w - g, g}, {w - g, h - g}, {point, h - g}}); break;
  case TrackThumb::Right:
    shape = Polygon({{g, g}, {w - point, g}, {w - g, h / 2}, {w - point, h - g}, {g, h - g}});
    break;
  }
  shape = Grow(shape, grow);
  const State states[] = {State::Normal, State::Hot, State::Pressed, State::Disabled, State::Focused};
  return Frames(5, [&](int index) {
    Canvas canvas(width, height);
    const Span span = standing ? Span{0, w, true} : Span{0, h};
    PaintButton(canvas, shape, s, states[index], span);
    return canvas.Flatten(s.face);
  });
}

TBitmap PaintUpDown(const SkinStyle &s, bool vertical) {
  const int width = vertical ? UpDownLength : UpDownWidth, height = vertical ? UpDownWidth : UpDownLength;
  const float w = static_cast<float>(width), h = static_cast<float>(height), r = Radius(s, 2);
  const State states[] = {State::Normal, State::Hot, State::Pressed, State::Disabled};
  return Frames(8, [&](int index) {
    const bool first = index < 4;
    const Radii corners =
        vertical ? (first ? Radii{r, r, 0, 0} : Radii{0, 0, r, r}) : (first ? Radii{r, 0, 0, r} : Radii{0, r, r, 0});
    Canvas canvas(width, height);
    canvas.Fill(Box(0, 0, w, h), s.face);
    PaintButton(canvas, RoundBox(0, 0, w, h, corners), s, states[index % 4], Span{0, h});
    return canvas.Flatten(s.face);
  });
}

TBitmap PaintUpDownSigns(const SkinStyle &s, bool vertical) {
  const int width = vertical ? UpDownLength : UpDownWidth, height = vertical ? UpDownWidth : UpDownLength;
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  const State states[] = {State::Normal, State::Hot, State::Pressed, State::Disabled};
  const Rgb behind = s.relief == Relief::Raised ? s.face : Mix(s.buttonTop, s.buttonBottom, 0.5f);
  return Frames(8, [&](int index) {
    const bool first = index < 4;
    const State state = states[index % 4];
    const Direction direction =
        vertical ? (first ? Direction::Up : Direction::Down) : (first ? Direction::Left : Direction::Right);
    const float shift = state == State::Pressed ? 1.0f : 0.0f;
    Canvas canvas(width, height);
    PaintSign(canvas, Arrow(s, direction, w / 2 + shift, h / 2 + shift, 7), SignColour(s, state), s, state);
    return canvas.Flatten(behind);
  });
}

} // namespace zorvex::paint
