#pragma once
// The printed list of doubles, laid out in printer pixels: captions at the
// top, a thin rule under them, one row every 60 pixels, a thick rule after the
// last row. Rows that do not fit the page continue on the next ones, each
// starting with the captions and thin rule again.

#include <string>

#include "framework/core/GridModel.h"

namespace zorvex {

// What the layout draws with; the printer's canvas on Windows, a recorder in
// tests.
class TPrintCanvas {
public:
  virtual ~TPrintCanvas() = default;
  virtual void TextOut(int x, int y, const std::string &text) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  virtual void SetPenWidth(int width) = 0;
  // Ends the current page and starts the next one.
  virtual void NewPage() = 0;
};

namespace print_layout {
constexpr int kColumnX[4] = {50, 150, 1200, 2250};
constexpr int kCaptionY = 80;
constexpr int kRuleY = 160;
constexpr int kRowStep = 60;
constexpr int kRuleLeft = 50;
constexpr int kRuleRight = 2450;
constexpr int kThickPen = 6;
} // namespace print_layout

// How many data rows one page holds: a row fits when the band below it (where
// the next row or the closing rule goes) still ends on the page. Always at
// least one, whatever the page.
int RowsPerPage(int pageHeight);

// Draws rows 1.. of the doubles grid up to the first empty NUM cell, in grid
// order. Pen width is 1 again at the end.
void PrintDoublesList(TPrintCanvas &canvas, const TGridModel &grid, int pageHeight);

} // namespace zorvex
