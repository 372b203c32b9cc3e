#pragma once
// The scan behind the Start button: validates the size window, counts the
// files in scope (phase 1), lists them and reads those that could have a
// double (phase 2), then lists every file that has a later copy (phase 3),
// leaving the results in the grids and in its state. It runs on the host's
// thread and yields to the host at fine-grained points; Abort sets a flag
// that the scan tests.

#include <string>

#include "scan/DirectoryWalker.h"
#include "scan/FileContent.h"
#include "scan/ScanState.h"

namespace zorvex {

class FileReader;
class ScanHost;

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
  ScanPipeline(ScanHost &host, ScanState &state) : host_(host), state_(state) {}

  // Runs the whole scan; ends silently (EAbort) when it was not completed.
  void Start();
  // The running scan stops at its next test of the flag. Start is enabled
  // again only once that scan has really ended.
  void Abort();

  ScanOutcome RunScan();
  // Phase 3 on the scanned files: for each file, in row order, the first
  // later file with the same size and content is its double. False when
  // aborted.
  bool ListDoubles();

  ScanState &State() { return state_; }
  void SetDirectoryLister(DirectoryLister lister) { lister_ = std::move(lister); }
  // Reads the files to compare; by default the scan reads them itself, one
  // after another on its thread. The reader must outlive the scans.
  void SetFileReader(FileReader *reader) { reader_ = reader; }

private:
  void ResetGrids();
  bool WalkTree(bool checksumPhase);
  bool ReadCandidates();
  bool ReadPart(const std::vector<int> &rows, ContentPart part);
  bool ReadInOrder(const std::vector<int> &rows, ContentPart part);
  void StartPhase(int phase, bool showProgress);
  void RestartProgress();

  ScanHost &host_;
  ScanState &state_;
  DirectoryLister lister_;
  FileReader *reader_ = nullptr;
};

} // namespace zorvex
