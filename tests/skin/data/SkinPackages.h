#pragma once
// Skin packages built in memory for tests: an INI text and plain pictures.

#include <string>
#include <utility>
#include <vector>

#include "framework/core/Bitmap.h"
#include "framework/core/Streams.h"
#include "skin/data/Skinwrite.h"

namespace zorvex::test {

// A 24-bit BMP file of the given size, filled with one colour.
std::string BmpFile(int width, int height, TColor color = clSilver);
// Only the headers of a BMP file claiming that size: enough for a size check.
std::string BmpHeadersOnly(int width, int height);

// A package of the INI (named skin.ini) and the named entries.
TMemoryStream SkinPackage(const std::string &ini, const std::vector<SkinEntry> &entries);

// A small skin that has every section the runtime reads: what it holds is
// spelled out in SkinPackages.cpp.
std::string FullSkinIni();
std::vector<SkinEntry> FullSkinPictures();

} // namespace zorvex::test
