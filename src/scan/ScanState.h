#pragma once
// The state of a scan, kept beyond the scan itself: the main window and the
// file actions read the counters and paths after the scan has ended.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "scan/Crc32.h"

namespace zorvex {

// What the scan knows of one files-grid row besides its texts.
struct ScannedFile {
  int64_t size = 0;
  bool hashed = false; // false: the file could have no double, so it was not read
  ContentDigest digest;
};

// A directory entry as phase 1 listed it.
struct ListedEntry {
  std::string name;
  int64_t size = 0;
  uint32_t attributes = 0;
};

struct ScanState {
  std::string CurrentDir;    // directory being walked, ending with a separator
  std::string SearchPattern; // CurrentDir + "*.*", then the entry at hand
  std::string LastFirstFile; // first file of the last double listed
  int FileCount = 0;         // data rows of SG1
  int DirCount = 0;          // data rows of SG2 in phase 2
  int DoubleCount = 0;       // data rows of SG3
  int ScopeCount = 0;        // files in scope found by phase 1
  int PrescanDirCount = 0;   // data rows of SG2 in phase 1
  bool AbortRequested = false;
  int ProgressPercent = 0;
  int PreviousPercent = 0;

  // True from Start until the scan handler has returned.
  bool Running = false;
  // Files[i] belongs to SG1 row i + 1.
  std::vector<ScannedFile> Files;
  // Phase 1: the size of every file in scope, sorted once phase 1 is done.
  std::vector<int64_t> ScopeSizes;
  // Phase 1's listing of each search pattern, so that phase 2 does not list
  // every directory again.
  std::unordered_map<std::string, std::vector<ListedEntry>> Listings;
};

} // namespace zorvex
