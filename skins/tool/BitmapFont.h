#pragma once
// A small built-in bitmap font (5 x 7 pixels in a 6 x 9 cell, printable
// ASCII), for labelling pictures without any font of the system.

#include <string>

#include "framework/core/Bitmap.h"

namespace zorvex {

constexpr int FontAdvance = 6;    // pixels from one character to the next
constexpr int FontLineHeight = 9; // pixels from one line to the next

// Draws the text with its top left at (x, y), each font pixel `scale`
// pixels square; characters outside printable ASCII show as '?'.
void DrawBitmapText(TBitmap &bitmap, int x, int y, const std::string &text, TColor colour, int scale = 1);
int BitmapTextWidth(const std::string &text, int scale = 1);

} // namespace zorvex
