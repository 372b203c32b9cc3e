#pragma once
// Every picture of a skin under its file name, as the skin's INI names them.

#include <string>
#include <utility>
#include <vector>

#include "SkinStyle.h"

namespace zorvex::paint {

using NamedPicture = std::pair<std::string, TBitmap>;

std::vector<NamedPicture> PaintSkin(const SkinStyle &style);

} // namespace zorvex::paint
