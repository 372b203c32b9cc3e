#pragma once
// Everything the painter needs to know about one skin: the scheme colours
// come from the skin's own INI text (so the pictures and the colours the
// runtime uses can never disagree), the rest from the skin's recipe:
// the colours only pictures use and the shape settings.

#include <string>

#include "PaintCanvas.h"

namespace zorvex {
class TQuickIni;
}

namespace zorvex::paint {

// How edges catch the light (always from the top left).
enum class Relief {
  Raised, // one-pixel light and dark lines, square corners
  Soft,   // outlines with a soft highlight, rounded corners, gradients
  Flat,   // plain outlines and fills
};

enum class CaptionButtonLook {
  Raised,  // bevelled boxes
  Rounded, // filled rounded squares
  Round,   // filled discs
  Flat,    // the sign alone; a filled square when hot or pressed
};

struct SkinStyle {
  // Scheme colours, from the INI's Colours section.
  Rgb face, text, light, shadow, darkShadow, accent, accentText, menu, menuText, menuBar, track;

  // Picture colours, from the recipe's Palette section.
  Rgb titleTop, titleBottom, inactiveTop, inactiveBottom; // caption bar gradients
  Rgb outline, inactiveOutline;                           // the window's outer edge
  Rgb border, inactiveBorder;                             // side and bottom borders
  Rgb glyph, inactiveGlyph, hotGlyph, closeGlyph;         // caption-button signs (hot: on the hot fills)
  Rgb captionButton, captionButtonHot, closeHot;          // caption-button fills
  Rgb buttonTop, buttonBottom, buttonBorder;              // push buttons
  Rgb field, mark;                                        // check and radio boxes

  // Shape settings, from the recipe's Shape section.
  Relief relief = Relief::Soft;
  bool horizontalTitle = false; // caption gradient from left to right
  float titleGloss = 0;         // strength of the light band on the upper caption half
  int titleHeight = 24, borderWidth = 4, bottomHeight = 4, cornerRadius = 0, bottomRadius = 0;
  CaptionButtonLook captionButtons = CaptionButtonLook::Rounded;
  int captionButtonWidth = 18, captionButtonHeight = 18, captionButtonRadius = 3;
  float glyphSize = 8, glyphWeight = 1.5f;
  int controlRadius = 3; // push buttons, tabs, combo and edit frames
  int checkSize = 13, checkFrames = 4, radioFrames = 4;
  bool filledChecks = false; // a checked box fills with the accent colour
  int progressStyle = 0;
  int scrollSize = 16;
  bool chevrons = false; // arrows as open chevrons instead of triangles
  bool helpButton = false;

  // Where caption buttons sit: centred in the caption bar.
  int CaptionButtonTop() const { return (titleHeight - captionButtonHeight) / 2; }
};

// Reads the style; throws Exception naming the first missing or malformed key.
SkinStyle ReadSkinStyle(TQuickIni &skinIni, TQuickIni &recipe);

// "r g b" or "r, g, b"; false for anything else.
bool ParseRgb(const std::string &text, Rgb &colour);

} // namespace zorvex::paint
