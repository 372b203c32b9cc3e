#pragma once
// The scan behind the Start button: validates the size window, counts the
// files in scope (phase 1), lists and checksums them (phase 2), then lists
// every file that has a later copy (phase 3), leaving the results in the
// three grids. It runs on the user-interface thread and yields to the host
// at fine-grained points; Abort sets a flag that the scan tests.

#include <string>

#include "scan/DirectoryWalker.h"
#include "scan/ScanState.h"

namespace zorvex {

class ScanHost;

// The main window's scan state.
extern ScanState MainScan;

enum class ScanOutcome {
  Completed,
  Invalid, // the size window is contradictory: nothing scanned
  Aborted,
  Busy // a scan is still running (or finishing after Abort): not started
};

// The starting folder with a trailing separator: typed without one, the
// search pattern would list the parent's entries instead.
std::string StartFolderPath(std::string folder);

std::string PhaseText(int phase, bool french);
std::string SizeWindowErrorText(bool french);
std::string DoublesFoundText(int doubleCount, bool french);

class ScanPipeline {
public:
  explicit ScanPipeline(ScanHost &host, ScanState &state = MainScan) : host_(host), state_(state) {}

  // Start: runs the whole scan; ends silently (EAbort) when the scan was not
  // completed.
  void BitBtn1Click();
  // Abort: the running scan stops at its next test of the flag. Start is
  // enabled again only once that scan has really ended.
  void BitBtn3Click();

  ScanOutcome RunScan();
  // Phase 3 on the files of SG1: for each file, in row order, the first later
  // file with the same size and content is its double. False when aborted.
  bool ListDoubles();

  ScanState &State() { return state_; }
  void SetDirectoryLister(DirectoryLister lister) { lister_ = std::move(lister); }

private:
  void ResetGrids();
  bool WalkTree(bool checksumPhase);
  bool ChecksumLateSharers();
  void StartPhase(int phase, bool showProgress);

  ScanHost &host_;
  ScanState &state_;
  DirectoryLister lister_;
};

} // namespace zorvex
