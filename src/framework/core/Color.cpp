#include "Color.h"

#include <algorithm>
#include <cmath>

#ifdef _WIN32
#include <windows.h>
#endif

namespace zorvex {

TColor SysColor(int index) {
  index &= 0xFF;
#ifdef _WIN32
  return static_cast<TColor>(GetSysColor(index));
#else
  // The classic scheme, so portable code sees the colours a plain Windows
  // desktop would give.
  static constexpr TColor scheme[] = {
      MakeColor(212, 208, 200), MakeColor(58, 110, 165),  MakeColor(10, 36, 106),   MakeColor(128, 128, 128),
      MakeColor(212, 208, 200), MakeColor(255, 255, 255), MakeColor(0, 0, 0),       MakeColor(0, 0, 0),
      MakeColor(0, 0, 0),       MakeColor(255, 255, 255), MakeColor(212, 208, 200), MakeColor(212, 208, 200),
      MakeColor(128, 128, 128), MakeColor(10, 36, 106),   MakeColor(255, 255, 255), MakeColor(212, 208, 200),
      MakeColor(128, 128, 128), MakeColor(128, 128, 128), MakeColor(0, 0, 0),       MakeColor(212, 208, 200),
      MakeColor(255, 255, 255), MakeColor(64, 64, 64),    MakeColor(212, 208, 200), MakeColor(0, 0, 0),
      MakeColor(255, 255, 225), MakeColor(0, 0, 0),       MakeColor(0, 0, 128),     MakeColor(166, 202, 240),
      MakeColor(192, 192, 192), MakeColor(10, 36, 106),   MakeColor(212, 208, 200)};
  return index < static_cast<int>(sizeof scheme / sizeof scheme[0]) ? scheme[index] : clBlack;
#endif
}

TColor ColorToRGB(TColor color) { return IsSystemColor(color) ? SysColor(color & 0xFF) : color; }

namespace {

double Linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return 0.2126 * Linear(ColorRed(rgb)) + 0.7152 * Linear(ColorGreen(rgb)) + 0.0722 * Linear(ColorBlue(rgb));
}

TColor Mix(TColor from, TColor to, double amount) {
  auto channel = [amount](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * amount)); };
  return MakeColor(channel(ColorRed(from), ColorRed(to)), channel(ColorGreen(from), ColorGreen(to)),
                   channel(ColorBlue(from), ColorBlue(to)));
}

// Control texts are small (8 to 10 points): they need the contrast of body
// text, not the 3:1 that large headings get by with.
constexpr double kLegibleContrast = 4.5;

} // namespace

double ContrastRatio(TColor a, TColor b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TColor ReadableColor(TColor text, TColor background) {
  const TColor rgb = ColorToRGB(text);
  const TColor back = ColorToRGB(background);
  if (ContrastRatio(rgb, back) >= kLegibleContrast)
    return rgb;
  const TColor towards = ContrastRatio(clWhite, back) > ContrastRatio(clBlack, back) ? clWhite : clBlack;
  for (int step = 1; step <= 20; ++step) {
    const TColor mixed = Mix(rgb, towards, step / 20.0);
    if (ContrastRatio(mixed, back) >= kLegibleContrast)
      return mixed;
  }
  return towards;
}

} // namespace zorvex
