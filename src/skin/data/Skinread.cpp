#include "Skinread.h"

#include "Winconvert.h"
#include "framework/core/Notices.h"
#include "framework/core/Paths.h"
#include "framework/core/Streams.h"
#include "framework/core/Texts.h"

#include <vector>

namespace zorvex {

namespace {

int32_t Int32At(const uint8_t *bytes) {
  return static_cast<int32_t>(static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
                              (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24));
}

} // namespace

TSkinReader::TSkinReader() : names_(std::make_unique<TStringList>()), data_(std::make_unique<TMemoryStream>()) {}

TSkinReader::~TSkinReader() = default;

void TSkinReader::Decompress(TStream *source, TStream *dest) { LZHDecompress(*source, *dest); }

bool TSkinReader::Loadfromstream(TMemoryStream *package) {
  if (!package || package->Size() < 4)
    return false;
  // Refuse a size field no packed data could hold before allocating for it.
  if (!LZHSizeFits(Int32At(package->Memory()), package->Size() - 4))
    return false;

  TMemoryStream archive;
  try {
    Decompress(package, &archive);
  } catch (const ElzhException &) {
    return false; // cut short or otherwise damaged bit stream
  }
  const int64_t archiveSize = archive.Size();
  if (archiveSize < 16)
    return false;
  const uint8_t *bytes = archive.Memory();

  if (Int32At(bytes) != SkinPackageMagic) {
    ShowPlainMessage("This is Older Skin File\rPlease update to new version !");
    return false;
  }
  const int32_t nameListLength = Int32At(bytes + 4);
  if (nameListLength < 0 || nameListLength > archiveSize - 16)
    return false;

  TStringList names;
  names.SetText(
      LowerCaseAZ(std::string(reinterpret_cast<const char *>(bytes + 16), static_cast<size_t>(nameListLength))));
  const int count = names.Count();
  const int64_t sizesAt = 16 + static_cast<int64_t>(nameListLength);
  const int64_t dataAt = sizesAt + 4 * static_cast<int64_t>(count);
  if (count > SkinPackageMaxEntries || dataAt > archiveSize)
    return false;

  std::array<int32_t, SkinPackageMaxEntries> sizes{};
  int64_t total = 0;
  for (int i = 0; i < count; ++i) {
    sizes[static_cast<size_t>(i)] = Int32At(bytes + sizesAt + 4 * i);
    if (sizes[static_cast<size_t>(i)] < 0)
      return false;
    total += sizes[static_cast<size_t>(i)];
  }
  if (total > archiveSize - dataAt)
    return false;

  magic_ = SkinPackageMagic;
  nameListLength_ = nameListLength;
  reserved1_ = Int32At(bytes + 8);
  reserved2_ = Int32At(bytes + 12);
  names_->Assign(names);
  count_ = count;
  sizes_ = sizes;
  data_->Clear();
  data_->WriteBuffer(bytes + dataAt, archiveSize - dataAt);
  return true;
}

bool TSkinReader::loadfromfile(const std::string &fileName) {
  if (!FileExists(fileName))
    return false;
  TMemoryStream package;
  package.LoadFromFile(fileName);
  return Loadfromstream(&package);
}

void TSkinReader::ReadEntry(int index, TMemoryStream *output) {
  output->Clear();
  if (index < 0 || index >= count_)
    return;
  int64_t offset = 0;
  for (int i = 0; i < index; ++i)
    offset += sizes_[static_cast<size_t>(i)];
  const int32_t size = sizes_[static_cast<size_t>(index)];
  output->WriteBuffer(data_->Memory() + offset, size);
  output->SetPosition(0);
}

void TSkinReader::readfile(const std::string &name, TMemoryStream *output) {
  output->Clear();
  const std::string wanted = LowerCaseAZ(name);
  for (int i = 0; i < count_; ++i) {
    if (names_->Get(i) == wanted) {
      ReadEntry(i, output);
      return;
    }
  }
}

void TSkinReader::readIni(const std::string &part, TMemoryStream *output, std::string &foundName) {
  output->Clear();
  for (int i = 0; i < count_; ++i) {
    const std::string name = names_->Get(i);
    if (name.find(part) != std::string::npos) {
      ReadEntry(i, output);
      foundName = name;
      return;
    }
  }
}

} // namespace zorvex
