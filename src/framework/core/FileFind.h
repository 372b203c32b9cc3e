#pragma once
// Directory listing with a 64-bit size and the Windows attribute word.
// On POSIX the word is synthesized: directory 0x10, read-only when the owner
// may not write, hidden for dot names, archive for regular files, reparse
// point 0x400 for symbolic links (so they are never followed) and device
// 0x40 for FIFOs, sockets and device nodes (so they are never opened);
// "." and ".." are plain directories (0x10).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zorvex {

namespace fa {
constexpr uint32_t ReadOnly = 0x01;
constexpr uint32_t Hidden = 0x02;
constexpr uint32_t SysFile = 0x04;
constexpr uint32_t VolumeID = 0x08;
constexpr uint32_t Directory = 0x10;
constexpr uint32_t Archive = 0x20;
constexpr uint32_t Device = 0x40;
constexpr uint32_t Normal = 0x80;
constexpr uint32_t Temporary = 0x100;
constexpr uint32_t SparseFile = 0x200;
constexpr uint32_t ReparsePoint = 0x400;
constexpr uint32_t Compressed = 0x800;
constexpr uint32_t Offline = 0x1000;
constexpr uint32_t NotContentIndexed = 0x2000;
constexpr uint32_t Encrypted = 0x4000;
constexpr uint32_t RecallOnOpen = 0x40000;
constexpr uint32_t RecallOnDataAccess = 0x400000;
constexpr uint32_t AnyFile = 0x3F;
} // namespace fa

struct TSearchRec {
  std::string Name;
  int64_t Size = 0;
  uint32_t Attr = 0;

  TSearchRec();
  ~TSearchRec();
  TSearchRec(const TSearchRec &) = delete;
  TSearchRec &operator=(const TSearchRec &) = delete;

  struct State;
  std::unique_ptr<State> state; // the open listing, if any
};

// Starts listing `pattern` (a directory path followed by a wildcard name such
// as "*.*"). Returns 0 and fills rec with the first entry, or a non-zero
// error code (nothing found, or the directory cannot be listed). Entries whose
// hidden, system, volume or directory bits are not in attrMask are skipped.
int FindFirst(const std::string &pattern, uint32_t attrMask, TSearchRec &rec);
// Next entry: 0, or non-zero at the end.
int FindNext(TSearchRec &rec);
void FindClose(TSearchRec &rec);

// One entry of a whole folder's listing, with the file's ID on its volume
// (the inode number on POSIX, the file ID on Windows): reading files in the
// order of their IDs follows their place on disk more closely than any order
// of names does.
struct TFolderEntry {
  std::string Name;
  int64_t Size = 0;
  uint32_t Attr = 0;
  uint64_t FileId = 0;
};

enum class FolderListing {
  Listed,
  Missing,    // no such folder (nor the path to it)
  CannotList, // not a folder, or no right to read its names
  CannotEnter // its names can be read, but not what they name
};

// Every entry of the folder but "." and "..", with the attribute words
// FindFirst gives; onEntry runs after each one, so that a long listing can
// yield. `error` gets the system's error code when the folder cannot be
// listed or entered.
FolderListing ListFolder(const std::string &folder, std::vector<TFolderEntry> &entries, int &error,
                         const std::function<void()> &onEntry = {});

// The system's text for an error code of ListFolder.
std::string SystemErrorText(int error);

// The folder is the root of a volume: a drive, a share or a mounted file system.
bool IsVolumeRoot(const std::string &folder);

// Wildcard match of a file name against a mask with '*' and '?', letters A-Z
// without case; "*.*" and "*" match every name.
bool MatchesMask(const std::string &name, const std::string &mask);

} // namespace zorvex
