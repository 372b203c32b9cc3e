#pragma once
// The skins the preview program shows: the packages built into it (its
// resources) and any package file a skin author opens. A package is tried on
// a scratch skin data first, so a broken one leaves the skin on show as it is.

#include <string>
#include <vector>

#include <windows.h>

#include "framework/core/Streams.h"

namespace zorvex {

class TSkinData;

struct TBuiltInSkin {
  std::string Name;
  std::wstring Resource; // the RCDATA resource holding the package
};

// The built-in skins of the module, in the order the build lists them.
std::vector<TBuiltInSkin> BuiltInSkins(HINSTANCE module);
// Puts the package bytes of a built-in skin into package; false when the
// resource is missing.
bool BuiltInSkinPackage(HINSTANCE module, const TBuiltInSkin &skin, TMemoryStream &package);

// Whether the package loads as a skin (read from its start; the stream's
// position is left at its start).
bool SkinPackageLoads(TMemoryStream &package);

// Shows the package on skinData (activating it); false, with skinData left
// alone, when the package does not load.
bool ApplySkinPackage(TSkinData &skinData, TMemoryStream &package);
// The same for a package of the program's own, which is not tried first:
// false, with the skin data refusing it, when it does not load.
bool ApplyBuiltInPackage(TSkinData &skinData, TMemoryStream &package);

} // namespace zorvex
