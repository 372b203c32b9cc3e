#pragma once
// One picture of every bitmap of a skin package: each drawn twice its size
// under its name, its frames parted by a grid and its unscaled margins
// dotted, so a skin's author sees at a glance what the skin holds.

#include <string>

#include "framework/core/Bitmap.h"

namespace zorvex {

class TSkinData;
class TSkinReader;

// The skin is the package's loaded data (for the frame counts it works
// out); the reader holds the package's entries.
TBitmap SkinSheet(const TSkinData &skin, TSkinReader &reader, const std::string &title);

} // namespace zorvex
