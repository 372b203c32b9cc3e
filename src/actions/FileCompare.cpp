#include "FileCompare.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"

#ifdef _WIN32
#include <windows.h>

#include "framework/core/Paths.h"
#include "framework/win/Handles.h"
#else
#include <sys/stat.h>
#endif

namespace zorvex {

namespace {
constexpr int64_t kBlock = 256 * 1024;

struct FileIdentity {
  uint64_t volume;
  uint64_t index;
  friend bool operator==(const FileIdentity &, const FileIdentity &) = default;
};

// Identifies the file behind a name, so that two spellings of one name (case,
// links) are not taken for two copies.
std::optional<FileIdentity> IdentityOf(const std::string &path) {
#ifdef _WIN32
  const OwnedFileHandle handle(
      CreateFileW(WinPath(path).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, 0, nullptr));
  if (!handle)
    return std::nullopt;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle.get(), &info))
    return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber, (uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
#else
  struct stat st {};
  if (stat(path.c_str(), &st) != 0)
    return std::nullopt;
  return FileIdentity{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
#endif
}
} // namespace

ContentMatch CompareFileContents(const std::string &path1, const std::string &path2) {
  const std::optional<FileIdentity> id1 = IdentityOf(path1);
  const std::optional<FileIdentity> id2 = IdentityOf(path2);
  if (!id1 || !id2)
    return ContentMatch::Unreadable;
  if (*id1 == *id2)
    return ContentMatch::SameFile;
  try {
    TFileStream file1(path1, fm::OpenRead | fm::ShareDenyWrite);
    TFileStream file2(path2, fm::OpenRead | fm::ShareDenyWrite);
    if (file1.Size() != file2.Size())
      return ContentMatch::Different;
    std::vector<char> block1(kBlock), block2(kBlock);
    for (;;) {
      const int64_t got1 = file1.Read(block1.data(), kBlock);
      const int64_t got2 = file2.Read(block2.data(), kBlock);
      if (got1 != got2 || std::memcmp(block1.data(), block2.data(), static_cast<size_t>(got1)) != 0)
        return ContentMatch::Different;
      if (got1 == 0)
        return ContentMatch::Identical;
    }
  } catch (const Exception &) {
    return ContentMatch::Unreadable;
  }
}

} // namespace zorvex
