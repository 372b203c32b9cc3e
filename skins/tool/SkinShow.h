#pragma once
// What a loaded skin holds, as text for a skin's author: its name, every
// data object with its picture, frames, margins and flags, the colours and
// the caption buttons.

#include <ostream>

namespace zorvex {

class TSkinData;

void ShowSkin(const TSkinData &skin, std::ostream &out);

} // namespace zorvex
