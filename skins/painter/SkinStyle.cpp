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
  // The scheme colours the runtime uses too, then the pictures' own.
  const std::pair<const char *, Rgb SkinStyle::*> schemeColours[] = {{"ButtonFace", &SkinStyle::face},
                                                                     {"ButtonText", &SkinStyle::text},
                                                                     {"ButtonHilight", &SkinStyle::light},
                                                                     {"ButtonShadow", &SkinStyle::shadow},
                                                                     {"ButtonDkShadow", &SkinStyle::darkShadow},
                                                                     {"Hilight", &SkinStyle::accent},
                                                                     {"HilightText", &SkinStyle::accentText},
                                                                     {"Menu", &SkinStyle::menu},
                                                                     {"MenuText", &SkinStyle::menuText},
                                                                     {"Menubar", &SkinStyle::menuBar},
                                                                     {"Scrollbar", &SkinStyle::track}};
  for (const auto &[key, colour] : schemeColours)
    s.*colour = Colour(skinIni, "Colours", key);
  const std::pair<const char *, Rgb SkinStyle::*> pictureColours[] = {
      {"TitleTop", &SkinStyle::titleTop},
      {"TitleBottom", &SkinStyle::titleBottom},
      {"InactiveTop", &SkinStyle::inactiveTop},
      {"InactiveBottom", &SkinStyle::inactiveBottom},
      {"Outline", &SkinStyle::outline},
      {"InactiveOutline", &SkinStyle::inactiveOutline},
      {"Border", &SkinStyle::border},
      {"InactiveBorder", &SkinStyle::inactiveBorder},
      {"Glyph", &SkinStyle::glyph},
      {"InactiveGlyph", &SkinStyle::inactiveGlyph},
      {"HotGlyph", &SkinStyle::hotGlyph},
      {"CloseGlyph", &SkinStyle::closeGlyph},
      {"CaptionButton", &SkinStyle::captionButton},
      {"CaptionButtonHot", &SkinStyle::captionButtonHot},
      {"CloseHot", &SkinStyle::closeHot},
      {"ButtonTop", &SkinStyle::buttonTop},
      {"ButtonBottom", &SkinStyle::buttonBottom},
      {"ButtonBorder", &SkinStyle::buttonBorder},
      {"Field", &SkinStyle::field},
      {"Mark", &SkinStyle::mark}};
  for (const auto &[key, colour] : pictureColours)
    s.*colour = Colour(recipe, "Palette", key);

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
