#pragma once
// The main window's skin components as the program streams them in at
// start-up: SkinData1 (inactive, holding the first skin) and SkinStore1 (one
// item per skin, under its name), written by `zorvex-skin design`.

#include <ostream>
#include <string>
#include <vector>

namespace zorvex {

class TStream;

struct DesignedSkin {
  std::string name;    // the store item's name
  std::string package; // the package's bytes
};

// Writes the design of the two components; the first skin is also SkinData1's.
void WriteMainWindowDesign(const std::vector<DesignedSkin> &skins, TStream &out);

// design OUT NAME=PACKAGE...: the packages in store order. Returns the exit code.
int RunDesignCommand(const std::vector<std::string> &args, std::ostream &err);

} // namespace zorvex
