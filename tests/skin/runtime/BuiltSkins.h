#pragma once
// What the skinned-window tests share: the skins the build paints and the
// colour of a captured pixel.

#include <sstream>
#include <string>
#include <vector>

#include "framework/core/Color.h"
#include "framework/win/Graphics.h"

namespace zorvex::test {

// The packages the build made, in store order (the build passes them
// separated by bars).
inline std::vector<std::string> SkinPackages() {
  std::vector<std::string> paths;
  std::stringstream list(ZORVEX_SKIN_PACKAGES);
  for (std::string path; std::getline(list, path, '|');)
    paths.push_back(path);
  return paths;
}

// A captured pixel as a colour.
inline TColor Shot(const TDibBitmap &shot, int x, int y) {
  const uint32_t p = shot.Pixel(x, y);
  return MakeColor((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

} // namespace zorvex::test
