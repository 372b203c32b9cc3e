#include "Skinwrite.h"

#include "Skinread.h"
#include "Winconvert.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"

#include <cstdint>

namespace zorvex {

namespace {
void AppendInt32(std::string &out, int64_t value) {
  const auto bits = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<char>((bits >> shift) & 0xFF));
}
} // namespace

std::string BuildSkinArchive(const std::vector<SkinEntry> &entries) {
  if (entries.size() > static_cast<size_t>(SkinPackageMaxEntries))
    throw EConvertError("A skin package holds at most " + std::to_string(SkinPackageMaxEntries) + " entries");
  std::string names;
  for (const SkinEntry &entry : entries) {
    if (entry.name.empty() || entry.name.find_first_of("\r\n") != std::string::npos)
      throw EConvertError("Invalid entry name in a skin package: '" + entry.name + "'");
    names += entry.name + "\r\n";
  }
  std::string archive;
  AppendInt32(archive, SkinPackageMagic);
  AppendInt32(archive, static_cast<int64_t>(names.size()));
  AppendInt32(archive, 0);
  AppendInt32(archive, 0);
  archive += names;
  for (const SkinEntry &entry : entries)
    AppendInt32(archive, static_cast<int64_t>(entry.bytes.size()));
  for (const SkinEntry &entry : entries)
    archive += entry.bytes;
  if (archive.size() > static_cast<size_t>(LZHMaxUnpackedSize))
    throw EConvertError("A skin package must unpack to at most 64 MiB");
  return archive;
}

void WriteSkinPackage(const std::vector<SkinEntry> &entries, TStream &dest) {
  const std::string archive = BuildSkinArchive(entries);
  TMemoryStream source;
  source.WriteBuffer(archive.data(), static_cast<int64_t>(archive.size()));
  LZHCompress(source, dest);
}

} // namespace zorvex
