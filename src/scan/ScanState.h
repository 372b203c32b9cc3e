#pragma once
// The state of a scan, kept beyond the scan itself: its host and the file
// actions read the counters and paths after the scan has ended.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/core/FileFind.h"
#include "scan/FileContent.h"

namespace zorvex {

// A directory entry as phase 1 listed it.
using ListedEntry = TFolderEntry;

// A file in scope found by phase 2: a row of the files grid where the host
// shows one.
struct ScannedFile {
  std::string name;
  int64_t size = 0;
  uint64_t fileId = 0;
  FileContent content;
  int folder = 0; // index in ScanState::Folders
};

struct ScanState {
  std::string CurrentDir;    // directory being walked, ending with a separator
  std::string SearchPattern; // CurrentDir + "*.*", then the entry at hand
  std::string LastFirstFile; // first file of the last double listed
  int FileCount = 0;         // files found by phase 2 (rows of the files grid)
  int DirCount = 0;          // folders found by phase 2 (rows of the directories grid)
  int DoubleCount = 0;       // rows of the doubles grid
  int ScopeCount = 0;        // files in scope found by phase 1
  int PrescanDirCount = 0;   // folders found by phase 1
  bool AbortRequested = false;
  int ProgressPercent = 0;
  int PreviousPercent = 0;

  // True from Start until the scan has returned.
  bool Running = false;
  // The starting folder with its separator, read once at Start: the folder
  // typed or chosen during the scan never makes the phases walk different trees.
  std::string StartFolder;
  // The running phase's folders in visiting order: the starting folder, then
  // one per row of the directories grid.
  std::vector<std::string> Folders;
  int CurrentFolder = 0; // CurrentDir's index in Folders
  // Files[i] is files row i + 1.
  std::vector<ScannedFile> Files;
  // Phase 3: NextCopy[row] is the row of the file's double, 0 when it has none.
  std::vector<int> NextCopy;
  // Phase 1: the size of every file in scope, sorted once phase 1 is done.
  std::vector<int64_t> ScopeSizes;
  // Phase 1's listing of each search pattern, so that phase 2 does not list
  // every directory again.
  std::unordered_map<std::string, std::vector<ListedEntry>> Listings;
  // Folders phase 1 could neither list nor enter: skipped.
  int UnreadableDirCount = 0;

  std::string FilePath(int row) const {
    const ScannedFile &file = Files[static_cast<size_t>(row - 1)];
    return Folders[static_cast<size_t>(file.folder)] + file.name;
  }
};

} // namespace zorvex
