#include "SkinSheet.h"

#include <algorithm>

#include "BitmapFont.h"
#include "framework/core/BitmapDraw.h"
#include "framework/core/Streams.h"
#include "framework/core/Texts.h"
#include "skin/data/Skinread.h"
#include "skin/data/Winskindata.h"
#include "skin/data/Winskinini.h"

namespace zorvex {

namespace {

constexpr int Scale = 2;
constexpr int SheetWidth = 1100;
constexpr int Padding = 12;
const TColor Background = MakeColor(58, 60, 64);
const TColor Grid = MakeColor(0, 190, 240);
const TColor Label = MakeColor(240, 240, 240);
const TColor Note = MakeColor(170, 174, 180);

// How one picture is cut: its frames and the margins drawn unscaled.
struct Cut {
  std::string use = "not named by the INI";
  int frames = 1;
  bool stacked = false;
  TMargins margins;
};

// A picture's use: the INI's section and key that name it.
struct Use {
  std::string section, key;
};

// The pictures the INI names, in the order it first names them.
std::vector<std::pair<std::string, Use>> PictureUses(TSkinReader &reader) {
  TMemoryStream text;
  std::string found;
  reader.readIni(".ini", &text, found);
  TQuickIni ini;
  ini.LoadFromStream(&text);
  std::vector<std::pair<std::string, Use>> uses;
  std::string section;
  for (int i = 0; i < ini.Lines().Count(); ++i) {
    const std::string line = ini.Lines().Get(i);
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
      continue;
    }
    const size_t equals = line.find('=');
    if (equals == std::string::npos)
      continue;
    const std::string value = LowerCaseAZ(Trim(line.substr(equals + 1)));
    const bool named = std::any_of(uses.begin(), uses.end(), [&](const auto &use) { return use.first == value; });
    if (EndsWith(value, ".bmp") && !named)
      uses.push_back({value, Use{section, Trim(line.substr(0, equals))}});
  }
  return uses;
}

TMargins MarginsOf(const TDataSkinObject &object) {
  return {object.LeftWidth, object.TopHeight, object.RightWidth, object.BottomHeight};
}

// The frames and margins the loaded skin gives the picture that `section`
// names with `key`.
Cut CutFor(const TSkinData &skin, const std::string &section, const std::string &key) {
  const std::string s = LowerCaseAZ(section), k = LowerCaseAZ(key);
  Cut cut;
  cut.use = section + "." + key;
  const auto object = [&](const TDataSkinObject &o, bool stacked) {
    cut.frames = o.Frame;
    cut.stacked = stacked;
    cut.margins = MarginsOf(o);
  };
  if (s == "personality") {
    if (k == "left")
      object(skin.Left(), false);
    else if (k == "right")
      object(skin.Right(), false);
    else if (k == "top")
      object(skin.Top(), true);
    else if (k == "bottom")
      object(skin.Bottom(), true);
    else if (k == "textback") {
      object(skin.Title(), true);
      cut.margins = {skin.Title().TXTBackleft, 0, skin.Title().TXTBackRight, 0};
    } else if (k == "menubar" && skin.Slot(TSkinSlot::MenuBar)) {
      object(*skin.Slot(TSkinSlot::MenuBar), true);
      cut.margins = {};
    }
    return cut;
  }
  if (s == "buttons") {
    object(skin.Buttons(), false);
    if (k == "checkbutton")
      cut.frames = skin.Buttons().CheckFrame, cut.margins = {};
    else if (k == "radiobutton")
      cut.frames = skin.Buttons().RadioFrame, cut.margins = {};
    return cut;
  }
  if (s == "mdicontrols") {
    cut.frames = 12;
    return cut;
  }
  for (const auto &button : skin.SysButtons())
    if (LowerCaseAZ(button->Name) == s) {
      cut.frames = button->Frame;
      return cut;
    }
  for (int slot = 0; slot < SkinSlotCount; ++slot) {
    const TDataSkinObject *o = skin.Slot(static_cast<TSkinSlot>(slot));
    if (!o || LowerCaseAZ(o->Name) != s)
      continue;
    object(*o, false);
    // Second pictures: a tab page and a progress block are one frame; the
    // up-down signs are cut like their buttons.
    if (k == "border" || k == "chunk") {
      cut.frames = 1;
      cut.margins = {};
    }
    break;
  }
  return cut;
}

// A picture drawn Scale times its size, frames parted by grid lines.
struct Tile {
  std::string name;
  Cut cut;
  TBitmap picture;

  std::string Note() const {
    return cut.use + ", " + std::to_string(cut.frames) + " frame" + (cut.frames == 1 ? "" : "s") +
           (cut.stacked ? " stacked" : "");
  }
  int FrameWidth() const { return cut.stacked ? picture.Width() : picture.Width() / cut.frames; }
  int FrameHeight() const { return cut.stacked ? picture.Height() / cut.frames : picture.Height(); }
  int Columns() const { return cut.stacked ? 1 : cut.frames; }
  int Rows() const { return cut.stacked ? cut.frames : 1; }
  int PictureWidth() const { return Columns() * (FrameWidth() * Scale + 1) + 1; }
  int PictureHeight() const { return Rows() * (FrameHeight() * Scale + 1) + 1; }
  int Width() const { return std::max({PictureWidth(), BitmapTextWidth(name), BitmapTextWidth(Note())}); }
  int Height() const { return 2 * FontLineHeight + 4 + PictureHeight(); }
};

void DottedLine(TBitmap &sheet, int x0, int y0, int x1, int y1) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if ((x + y) % 2 == 0)
        sheet.SetPixel(x, y, Grid);
}

void DrawTile(TBitmap &sheet, const Tile &tile, int x, int y) {
  DrawBitmapText(sheet, x, y, tile.name, Label);
  DrawBitmapText(sheet, x, y + FontLineHeight, tile.Note(), Note);
  const int top = y + 2 * FontLineHeight + 4;
  FillRect(sheet, Bounds(x, top, tile.PictureWidth(), tile.PictureHeight()), Grid);
  const int fw = tile.FrameWidth(), fh = tile.FrameHeight();
  const TMargins &m = tile.cut.margins;
  for (int i = 0; i < tile.cut.frames; ++i) {
    const int column = tile.cut.stacked ? 0 : i, row = tile.cut.stacked ? i : 0;
    const int fx = x + 1 + column * (fw * Scale + 1), fy = top + 1 + row * (fh * Scale + 1);
    StretchCopy(sheet, Bounds(fx, fy, fw * Scale, fh * Scale), tile.picture,
                FrameRect(tile.picture, tile.cut.frames, i + 1, tile.cut.stacked));
    if (m.Left > 0 && m.Left < fw)
      DottedLine(sheet, fx + m.Left * Scale, fy, fx + m.Left * Scale, fy + fh * Scale - 1);
    if (m.Right > 0 && m.Right < fw)
      DottedLine(sheet, fx + (fw - m.Right) * Scale - 1, fy, fx + (fw - m.Right) * Scale - 1, fy + fh * Scale - 1);
    if (m.Top > 0 && m.Top < fh)
      DottedLine(sheet, fx, fy + m.Top * Scale, fx + fw * Scale - 1, fy + m.Top * Scale);
    if (m.Bottom > 0 && m.Bottom < fh)
      DottedLine(sheet, fx, fy + (fh - m.Bottom) * Scale - 1, fx + fw * Scale - 1, fy + (fh - m.Bottom) * Scale - 1);
  }
}

} // namespace

TBitmap SkinSheet(const TSkinData &skin, TSkinReader &reader, const std::string &title) {
  // The pictures in the order the INI names them, then those it does not.
  std::vector<std::pair<int, const Use *>> order;
  const auto uses = PictureUses(reader);
  for (const auto &[name, use] : uses) {
    const int index = reader.Names().IndexOf(name);
    if (index >= 0)
      order.push_back({index, &use});
  }
  for (int i = 0; i < reader.Count(); ++i) {
    const bool named = std::any_of(order.begin(), order.end(), [&](const auto &entry) { return entry.first == i; });
    if (!named && EndsWith(reader.Names().Get(i), ".bmp"))
      order.push_back({i, nullptr});
  }

  std::vector<Tile> tiles;
  for (const auto &[index, use] : order) {
    Tile tile{AnsiToUtf8(reader.Names().Get(index)), {}, {}};
    TMemoryStream entry;
    reader.ReadEntry(index, &entry);
    try {
      tile.picture.LoadFromStream(entry);
    } catch (const EInvalidGraphic &) {
      tile.picture.Clear();
    }
    if (tile.picture.Empty() || tile.picture.Width() > MaxSkinImageSide || tile.picture.Height() > MaxSkinImageSide) {
      tile.picture = TBitmap(1, 1);
      tile.cut.use = "not a picture a skin can load";
    } else if (use) {
      tile.cut = CutFor(skin, use->section, use->key);
    }
    // A count that does not divide the picture is shown as one frame.
    const int along = tile.cut.stacked ? tile.picture.Height() : tile.picture.Width();
    if (tile.cut.frames < 1 || along % tile.cut.frames != 0) {
      tile.cut.use += " (frame count does not divide the picture)";
      tile.cut.frames = 1;
    }
    tiles.push_back(std::move(tile));
  }

  // Lay the tiles out in rows, left to right.
  struct Place {
    int x, y;
  };
  std::vector<Place> places;
  int x = Padding, y = Padding + 3 * FontLineHeight + 2 * FontLineHeight, rowHeight = 0, width = SheetWidth;
  for (const Tile &tile : tiles) {
    width = std::max(width, tile.Width() + 2 * Padding);
    if (x > Padding && x + tile.Width() > SheetWidth - Padding) {
      x = Padding;
      y += rowHeight + Padding;
      rowHeight = 0;
    }
    places.push_back({x, y});
    x += tile.Width() + Padding;
    rowHeight = std::max(rowHeight, tile.Height());
  }
  TBitmap sheet(width, y + rowHeight + Padding);
  sheet.Fill(Background);
  DrawBitmapText(sheet, Padding, Padding, skin.SkinName(), Label, 3);
  DrawBitmapText(sheet, Padding, Padding + 3 * FontLineHeight, title, Note);
  for (size_t i = 0; i < tiles.size(); ++i)
    DrawTile(sheet, tiles[i], places[i].x, places[i].y);
  return sheet;
}

} // namespace zorvex
