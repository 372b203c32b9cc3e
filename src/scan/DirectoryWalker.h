#pragma once
// Lists one directory and decides for each entry whether it is a file in
// scope, a folder to visit later, or nothing. The walker never descends: it
// appends the folders it meets to the scan's list of folders (and to the
// directories grid), which the pipeline works through in order, so the tree
// is walked breadth first.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scan/ScanState.h"

namespace zorvex {

class ScanHost;
class TDirectoryHandle;

enum class EntryKind { Ignored, Folder, File };

// Any entry with the directory bit is a folder, whatever its other bits
// (read-only and hidden folders included); any other entry is a file.
// Links, junctions, cloud placeholders (reparse points), offline and
// recall-on-access entries, volume labels and devices are neither: following
// them could loop or start a download.
EntryKind ClassifyEntry(std::string_view name, uint32_t attributes);

// The folders where Windows keeps recycled files and its own data about a
// volume ("$Recycle.Bin", "RECYCLER", "RECYCLED", "System Volume
// Information", in any letter case). The scan skips them where they carry the
// system attribute, and at the root of a volume whatever their attributes:
// recycled copies are no doubles to act on.
bool IsSystemFolderName(std::string_view name);

// More than one of the sorted sizes equals size.
bool SizeShared(const std::vector<int64_t> &sortedSizes, int64_t size);

// The progress rule of phases 2 and 3: the whole percentage done * 100 /
// total; each time it grows the bar advances one step and the host yields.
void AdvanceProgress(ScanHost &host, ScanState &state, int done, int total);

// The entries of a search pattern, "." and ".." included; the file system's
// listing unless a test gives its own.
using DirectoryLister = std::function<std::vector<ListedEntry>(const std::string &searchPattern)>;

class DirectoryWalker {
public:
  DirectoryWalker(ScanHost &host, ScanState &state, DirectoryLister lister = {})
      : host_(host), state_(state), lister_(std::move(lister)) {}

  // Phase 1: counts the files in scope (ScopeCount and the count per size)
  // and appends the folders with PrescanDirCount. A folder that can be
  // neither listed nor entered is counted in UnreadableDirCount.
  void CountFilesInDir(const std::string &searchPattern);
  // Phase 2: one file record per file in scope, folders appended with
  // DirCount, progress advanced. Where the host has the files grid, each file
  // gets its row only if it can be opened, and a file whose size another file
  // in scope has gets its first block read. A directory listed by phase 1 is
  // not listed again: phase 2 goes through the same entries.
  void ChecksumFilesInDir(const std::string &searchPattern);

private:
  std::vector<ListedEntry> List(const std::string &searchPattern, bool countFailure);
  void Walk(const std::string &searchPattern, bool checksumPhase);
  bool SkipsFolder(const ListedEntry &entry);
  void HandleFile(ListedEntry &entry, const TDirectoryHandle *directory, bool checksumPhase);
  void AddFile(ListedEntry &entry, const TDirectoryHandle *directory);
  void AppendDirectory(const std::string &name, int &counter);

  ScanHost &host_;
  ScanState &state_;
  DirectoryLister lister_;
  std::optional<bool> atVolumeRoot_; // of the directory being walked, once asked
};

} // namespace zorvex
