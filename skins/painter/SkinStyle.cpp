#include "SkinStyle.h"

#include <cstdlib>
#include <sstream>

#include "framework/core/Exceptions.h"
#include "framework/core/Texts.h"
#include "skin/data/Winskinini.h"

namespace zorvex::paint {

namespace {

std::string Required(TQuickIni &ini, const std::string &section, const std::string &key) {
  const std::string value = ini.ReadString(section, key, "");
  if (value.empty())
    throw Exception("[" + section + "] " + key + " is missing");
  return value;
}

Rgb Colour(TQuickIni &ini, const std::string &section, const std::string &key) {
  Rgb colour;
  if (!ParseRgb(Required(ini, section, key), colour))
    throw Exception("[" + section + "] " + key + " is not three numbers from 0 to 255");
  return colour;
}

int Number(TQuickIni &ini, const std::string &section, const std::string &key, int low, int high) {
  const std::string text = Required(ini, section, key);
  char *end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (*end != '\0' || value < low || value > high)
    throw Exception("[" + section + "] " + key + " must be a whole number from " + std::to_string(low) + " to " +
                    std::to_string(high));
  return static_cast<int>(value);
}

float Decimal(TQuickIni &ini, const std::string &section, const std::string &key, float low, float high) {
  const std::string text = Required(ini, section, key);
  char *end = nullptr;
  const float value = std::strtof(text.c_str(), &end);
  if (*end != '\0' || value < low || value > high)
    throw Exception("[" + section + "] " + key + " must be a number from " + std::to_string(low) + " to " +
                    std::to_string(high));
  return value;
}

template <typename T>
T Choice(TQuickIni &ini, const std::string &section, const std::string &key,
         std::initializer_list<std::pair<const char *, T>> choices) {
  const std::string text = LowerCaseAZ(Required(ini, section, key));
  std::string names;
  for (const auto &[name, value] : choices) {
    if (text == name)
      return value;
    names += names.empty() ? name : std::string(", ") + name;
  }
  throw Exception("[" + section + "] " + key + " must be one of " + names);
}

} // namespace

bool ParseRgb(const std::string &text, Rgb &colour) {
  std::string spaced = text;
  for (char &c : spaced)
    if (c == ',')
      c = ' ';
  std::istringstream in(spaced);
  int r = -1, g = -1, b = -1;
  if (!(in >> r >> g >> b) || !(in >> std::ws).eof())
    return false;
  if (r < 0 || r > 255 || g < 0 || g > 255 || b < 0 || b > 255)
    return false;
  colour = Rgb{static_cast<float>(r), static_cast<float>(g), static_cast<float>(b)};
  return true;
}

SkinStyle ReadSkinStyle(TQuickIni &skinIni, TQuickIni &recipe) {
  SkinStyle s;
  const std::string scheme = "Colours";
  s.face = Colour(skinIni, scheme, "ButtonFace");
  s.text = Colour(skinIni, scheme, "ButtonText");
  s.light = Colour(skinIni, scheme, "ButtonHilight");
  s.shadow = Colour(skinIni, scheme, "ButtonShadow");
  s.darkShadow = Colour(skinIni, scheme, "ButtonDkShadow");
  s.accent = Colour(skinIni, scheme, "Hilight");
  s.accentText = Colour(skinIni, scheme, "HilightText");
  s.menu = Colour(skinIni, scheme, "Menu");
  s.menuText = Colour(skinIni, scheme, "MenuText");
  s.menuBar = Colour(skinIni, scheme, "Menubar");
  s.track = Colour(skinIni, scheme, "Scrollbar");

  const std::string palette = "Palette";
  s.titleTop = Colour(recipe, palette, "TitleTop");
  s.titleBottom = Colour(recipe, palette, "TitleBottom");
  s.inactiveTop = Colour(recipe, palette, "InactiveTop");
  s.inactiveBottom = Colour(recipe, palette, "InactiveBottom");
  s.outline = Colour(recipe, palette, "Outline");
  s.inactiveOutline = Colour(recipe, palette, "InactiveOutline");
  s.border = Colour(recipe, palette, "Border");
  s.inactiveBorder = Colour(recipe, palette, "InactiveBorder");
  s.glyph = Colour(recipe, palette, "Glyph");
  s.inactiveGlyph = Colour(recipe, palette, "InactiveGlyph");
  s.hotGlyph = Colour(recipe, palette, "HotGlyph");
  s.closeGlyph = Colour(recipe, palette, "CloseGlyph");
  s.captionButton = Colour(recipe, palette, "CaptionButton");
  s.captionButtonHot = Colour(recipe, palette, "CaptionButtonHot");
  s.closeHot = Colour(recipe, palette, "CloseHot");
  s.buttonTop = Colour(recipe, palette, "ButtonTop");
  s.buttonBottom = Colour(recipe, palette, "ButtonBottom");
  s.buttonBorder = Colour(recipe, palette, "ButtonBorder");
  s.field = Colour(recipe, palette, "Field");
  s.mark = Colour(recipe, palette, "Mark");

  const std::string shape = "Shape";
  s.relief = Choice<Relief>(recipe, shape, "Relief",
                            {{"raised", Relief::Raised}, {"soft", Relief::Soft}, {"flat", Relief::Flat}});
  s.horizontalTitle = Choice<bool>(recipe, shape, "TitleGradient", {{"vertical", false}, {"horizontal", true}});
  s.titleGloss = Decimal(recipe, shape, "TitleGloss", 0, 1);
  s.titleHeight = Number(recipe, shape, "TitleHeight", 16, 48);
  s.borderWidth = Number(recipe, shape, "BorderWidth", 2, 12);
  s.bottomHeight = Number(recipe, shape, "BottomHeight", 2, 12);
  s.cornerRadius = Number(recipe, shape, "CornerRadius", 0, 16);
  s.bottomRadius = Number(recipe, shape, "BottomRadius", 0, 16);
  s.captionButtons = Choice<CaptionButtonLook>(recipe, shape, "CaptionButtons",
                                               {{"raised", CaptionButtonLook::Raised},
                                                {"rounded", CaptionButtonLook::Rounded},
                                                {"round", CaptionButtonLook::Round},
                                                {"flat", CaptionButtonLook::Flat}});
  s.captionButtonWidth = Number(recipe, shape, "CaptionButtonWidth", 10, 48);
  s.captionButtonHeight = Number(recipe, shape, "CaptionButtonHeight", 10, s.titleHeight);
  s.captionButtonRadius = Number(recipe, shape, "CaptionButtonRadius", 0, 24);
  s.glyphSize = Decimal(recipe, shape, "GlyphSize", 4, 24);
  s.glyphWeight = Decimal(recipe, shape, "GlyphWeight", 0.75f, 4);
  s.controlRadius = Number(recipe, shape, "ControlRadius", 0, 8);
  s.checkSize = Number(recipe, shape, "CheckSize", 11, 20);
  s.checkFrames = Choice<int>(recipe, shape, "CheckFrames", {{"4", 4}, {"8", 8}, {"12", 12}});
  s.radioFrames = Choice<int>(recipe, shape, "RadioFrames", {{"4", 4}, {"8", 8}});
  s.filledChecks = Choice<bool>(recipe, shape, "CheckMark", {{"tick", false}, {"filled", true}});
  s.progressStyle = Number(recipe, shape, "ProgressStyle", 0, 1);
  s.scrollSize = Number(recipe, shape, "ScrollSize", 12, 24);
  s.chevrons = Choice<bool>(recipe, shape, "Arrows", {{"triangle", false}, {"chevron", true}});
  s.helpButton = Choice<bool>(recipe, shape, "HelpButton", {{"no", false}, {"yes", true}});
  return s;
}

} // namespace zorvex::paint
