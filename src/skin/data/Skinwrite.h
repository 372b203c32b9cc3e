#pragma once
// Writing skin packages, the counterpart of TSkinReader: the archive layout
// it reads, LZH-packed behind its 32-bit size.

#include <string>
#include <vector>

namespace zorvex {

class TStream;

struct SkinEntry {
  std::string name;  // 8-bit file name, CR and LF not allowed
  std::string bytes; // the entry's contents
};

// The unpacked archive: magic, name list, sizes and contents, in the order
// given. Both reserved header words are written as 0. Throws EConvertError
// for a name holding CR or LF or more entries than a reader takes.
std::string BuildSkinArchive(const std::vector<SkinEntry> &entries);

// The package as stored: the archive in the LZH stored form.
void WriteSkinPackage(const std::vector<SkinEntry> &entries, TStream &dest);

} // namespace zorvex
