#pragma once
// Skin packages: an LZH-compressed archive of named entries (one INI text and
// the bitmaps it names). TSkinReader unpacks a package once and hands out
// single entries by name.
//
// Unpacked archive, integers signed 32-bit little-endian:
//   magic 20000, name list length L, two reserved words,
//   L bytes of names each ended by CR LF, one size per name, the contents.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "framework/core/Object.h"
#include "framework/core/Strings.h"

namespace zorvex {

class TStream;
class TMemoryStream;

constexpr int32_t SkinPackageMagic = 20000;
constexpr int SkinPackageMaxEntries = 1001;

class TSkinReader : public TObject {
public:
  TSkinReader();
  ~TSkinReader() override;
  TSkinReader(const TSkinReader &) = delete;
  TSkinReader &operator=(const TSkinReader &) = delete;

  // True when the package is of the current kind and well formed. An older
  // kind shows a message; a damaged archive (one cut short too) is refused
  // quietly. Either way the directory loaded before stays as it was.
  bool Loadfromstream(TMemoryStream *package);
  // False without a message when the file does not exist.
  bool loadfromfile(const std::string &fileName);
  // Unpacks the stored form (32-bit size, then the bit stream).
  void Decompress(TStream *source, TStream *dest);

  // The entry named `name` (letter case ignored) into output, position 0;
  // output stays empty when there is none.
  void readfile(const std::string &name, TMemoryStream *output);
  // The first entry whose name contains `part`; foundName receives its name
  // and is left alone when there is none.
  void readIni(const std::string &part, TMemoryStream *output, std::string &foundName);

  // Entry index into output, position 0 (a repeated name's later entries
  // are reachable only this way).
  void ReadEntry(int index, TMemoryStream *output);

  const TStringList &Names() const { return *names_; }
  int Count() const { return count_; }
  int32_t EntrySize(int index) const { return sizes_.at(static_cast<size_t>(index)); }

private:
  std::unique_ptr<TStringList> names_;
  int count_ = 0;
  std::array<int32_t, SkinPackageMaxEntries> sizes_{};
  std::unique_ptr<TMemoryStream> data_;
  int32_t magic_ = 0;
  int32_t nameListLength_ = 0;
  int32_t reserved1_ = 0;
  int32_t reserved2_ = 0;
};

} // namespace zorvex
