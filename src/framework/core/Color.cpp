#include "Color.h"

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

} // namespace zorvex
