#pragma once
// The command line's reading of the files to compare: a small pool of
// threads, taking the files in the order of their place on disk. Only the
// order of the reads changes, never the results.

#include "scan/FileReader.h"

namespace zorvex {

class ParallelFileReader : public FileReader {
public:
  // threads: how many files are read at once, the calling thread included.
  explicit ParallelFileReader(int threads) : threads_(threads < 1 ? 1 : threads) {}

  void ReadFiles(ScanState &state, const std::vector<int> &rows, ContentPart part,
                 const std::function<bool(int done)> &progress) override;

private:
  int threads_;
};

} // namespace zorvex
