#pragma once
// How the scan reads the files it must compare. The scan's own reading takes
// them one after another on its thread and yields between them; the command
// line hands them to a small pool of threads.

#include <functional>
#include <vector>

#include "scan/FileContent.h"

namespace zorvex {

class TDirectoryHandle;
struct ScanState;

class FileReader {
public:
  virtual ~FileReader() = default;
  // Reads `part` of the file of each row (files rows count from 1) into its
  // record. progress runs on the calling thread with the count of files done
  // so far; when it returns false the reading stops. Only the records of the
  // rows given change.
  virtual void ReadFiles(ScanState &state, const std::vector<int> &rows, ContentPart part,
                         const std::function<bool(int done)> &progress) = 0;
};

// Reads one part of a scanned file into its record; a file that cannot be
// opened or read, or whose size changed since it was listed, is marked
// Failed. Safe to call from several threads for different rows: it writes
// only that row's record. folder: the file's folder, open, if the caller has it.
void ReadScannedFile(ScanState &state, int row, ContentPart part, const TDirectoryHandle *folder = nullptr);

} // namespace zorvex
