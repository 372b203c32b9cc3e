#pragma once
// zorvex-skin: builds skin packages from a folder and takes them apart.
//   pack DIR OUT        one INI file and the BMP files of DIR into package OUT
//   unpack PACKAGE DIR  every entry of PACKAGE into DIR
//   list PACKAGE        entry names and sizes
//   ini PACKAGE         the INI text
//   design OUT NAME=PACKAGE...  the main window's skin components (SkinDesign.h)

#include <ostream>
#include <string>
#include <vector>

namespace zorvex {

// Runs one command; returns the process exit code (0 success, 1 failure,
// 2 wrong usage). Results go to out, messages to err.
int RunSkinTool(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);

} // namespace zorvex
