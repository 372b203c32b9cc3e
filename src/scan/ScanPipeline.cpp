#include "ScanPipeline.h"

#include "DirectoryWalker.h"
#include "FileReader.h"
#include "ScanHost.h"
#include "framework/core/Exceptions.h"
#include "framework/core/GridModel.h"
#include "framework/core/Paths.h"
#include "framework/core/Texts.h"

#include <algorithm>
#include <tuple>
#include <vector>

namespace zorvex {

std::string PhaseText(int phase, bool french) {
  switch (phase) {
  case 1: return french ? "1/3 : CALCULE TAILLE TOTALE" : "1/3 : GET TOTAL SIZE";
  case 2: return french ? "2/3 : CALCULE CRC" : "2/3 : COMPUTE CRC";
  default: return french ? "3/3 : LISTE DOUBLONS" : "3/3 : LIST DOUBLES";
  }
}

std::string SizeWindowErrorText(bool french) {
  return french ? "Taille fichier : Votre maximum n'est pas sup\xC3\xA9rieur \xC3\xA0 votre minimum"
                : "File size : Your maximum is not greater than your minimum";
}

std::string DoublesFoundText(int doubleCount, bool french) {
  if (doubleCount == 0)
    return french ? "Aucun doublon trouv\xC3\xA9" : "No doubles found";
  if (doubleCount == 1)
    return IntToStr(1) + (french ? " doublon trouv\xC3\xA9" : " double found");
  return IntToStr(doubleCount) + (french ? " doublons trouv\xC3\xA9s" : " doubles found");
}

namespace {

constexpr const char *kAllFiles = "*.*";

// Marks the scan as running for its whole length; when it ends any other way
// than by completing (abort, or a failure the caller will report), the
// controls go back to idle so that Start is usable again.
class RunningScan {
public:
  RunningScan(ScanHost &host, ScanState &state) : host_(host), state_(state) { state_.Running = true; }
  ~RunningScan() {
    state_.Running = false;
    if (completed_)
      return;
    try {
      host_.SetPhaseVisible(false);
      host_.SetProgressVisible(false);
      host_.SetButtonEnabled(ScanButton::Abort, false);
      host_.SetButtonEnabled(ScanButton::Start, true);
    } catch (...) {
      // Nothing may escape a destructor; the controls are as they were.
    }
  }
  RunningScan(const RunningScan &) = delete;
  RunningScan &operator=(const RunningScan &) = delete;
  void Completed() { completed_ = true; }

private:
  ScanHost &host_;
  ScanState &state_;
  bool completed_ = false;
};

bool SameContent(const ScannedFile &a, const ScannedFile &b) { return a.size == b.size && a.content.SameAs(b.content); }

// For each file row, the first later row with the same size and content (0
// if none), through an open-addressing table of the last row seen per
// content: one pass, no allocation per file.
class NextCopyIndex {
public:
  explicit NextCopyIndex(const std::vector<ScannedFile> &files, std::vector<int> &next) : files_(files), next_(next) {
    next_.assign(files.size() + 1, 0);
    size_t capacity = 16;
    while (capacity < 2 * files.size())
      capacity *= 2;
    slots_.assign(capacity, 0);
  }
  // Rows must be added in increasing order.
  void Add(int row) {
    const ScannedFile &file = files_[static_cast<size_t>(row - 1)];
    const size_t mask = slots_.size() - 1;
    // The content hashes are already uniformly spread.
    const uint64_t hash = file.content.hash.low ^ uint64_t(file.size);
    for (size_t slot = static_cast<size_t>(hash) & mask;; slot = (slot + 1) & mask) {
      int &last = slots_[slot];
      if (last == 0 || SameContent(files_[static_cast<size_t>(last - 1)], file)) {
        if (last != 0)
          next_[static_cast<size_t>(last)] = row;
        last = row;
        return;
      }
    }
  }

private:
  const std::vector<ScannedFile> &files_;
  std::vector<int> &next_;
  std::vector<int> slots_; // row numbers, 0 for a free slot
};

} // namespace

void ScanPipeline::Start() {
  if (RunScan() != ScanOutcome::Completed)
    zorvex::Abort();
}

void ScanPipeline::Abort() {
  state_.AbortRequested = true;
  host_.SetButtonEnabled(ScanButton::Abort, false);
  host_.SetPhaseVisible(false);
  host_.SetProgressVisible(false);
  // While the aborted scan finishes its directory or checksum, a second Start
  // would run inside it: the scan enables Start itself when it has ended.
  if (!state_.Running)
    host_.SetButtonEnabled(ScanButton::Start, true);
}

void ScanPipeline::ResetGrids() {
  if (host_.HasFileGrids()) {
    ResetRows(host_.Grid(ResultGrid::Files), ResultGrid::Files, state_.FileCount);
    // An abort in phase 1 leaves directory rows counted by PrescanDirCount alone.
    int dirRows = std::max(state_.DirCount, state_.PrescanDirCount);
    ResetRows(host_.Grid(ResultGrid::Dirs), ResultGrid::Dirs, dirRows);
  }
  ResetRows(host_.Grid(ResultGrid::Doubles), ResultGrid::Doubles, state_.DoubleCount);
  state_.FileCount = 0;
  state_.DirCount = 0;
  state_.ScopeCount = 0;
  state_.PrescanDirCount = 0;
  state_.AbortRequested = false;
  state_.UnreadableDirCount = 0;
  state_.Folders.clear();
  state_.Files.clear();
  state_.NextCopy.clear();
  state_.ScopeSizes.clear();
  state_.Listings.clear();
}

std::string StartFolderPath(std::string folder) {
  // An empty text stays empty: the pattern then lists the current directory.
  if (!folder.empty() && folder.back() != PathDelim && folder.back() != '/')
    folder += PathDelim;
  return folder;
}

ScanOutcome ScanPipeline::RunScan() {
  if (state_.Running)
    return ScanOutcome::Busy;
  ResetGrids();
  host_.ShowFileGrids();

  const ScanOptions &options = host_.Options();
  if (SizeWindowContradictory(options.lower, options.upper)) {
    host_.ShowMessage(MessageKind::Error, SizeWindowErrorText(host_.French()));
    return ScanOutcome::Invalid;
  }
  state_.StartFolder = StartFolderPath(options.startDirectory);

  RunningScan running(host_, state_);
  host_.SetButtonEnabled(ScanButton::Start, false);
  host_.SetButtonEnabled(ScanButton::Abort, true);
  host_.SetButtonEnabled(ScanButton::Print, false);
  host_.SetButtonEnabled(ScanButton::Save, false);
  host_.SetPhaseVisible(true);

  StartPhase(1, false);
  if (!WalkTree(false))
    return ScanOutcome::Aborted;
  std::sort(state_.ScopeSizes.begin(), state_.ScopeSizes.end());
  if (host_.HasFileGrids()) {
    TGridModel &dirs = host_.Grid(ResultGrid::Dirs);
    for (int row = 1; row <= state_.PrescanDirCount; ++row) {
      dirs.SetCell(dirs_col::Num, row, std::string());
      dirs.SetCell(dirs_col::Path, row, std::string());
    }
  }

  StartPhase(2, true);
  state_.Files.reserve(static_cast<size_t>(state_.ScopeCount));
  const bool walked = WalkTree(true);
  state_.Listings.clear();
  if (!walked || !ReadCandidates())
    return ScanOutcome::Aborted;

  state_.DoubleCount = 0;
  StartPhase(3, true);
  state_.LastFirstFile.clear();
  if (!ListDoubles())
    return ScanOutcome::Aborted;

  running.Completed();
  state_.AbortRequested = false;
  host_.SetButtonEnabled(ScanButton::Start, true);
  host_.SetButtonEnabled(ScanButton::Abort, false);
  if (state_.DoubleCount > 0) {
    host_.SetButtonEnabled(ScanButton::Print, true);
    host_.SetButtonEnabled(ScanButton::Save, true);
  }
  host_.SetPhaseVisible(false);
  host_.SetProgressVisible(false);
  host_.ShowMessage(MessageKind::Information, DoublesFoundText(state_.DoubleCount, host_.French()));
  if (state_.DoubleCount > 0)
    host_.SetButtonEnabled(ScanButton::RecycleAll, true);
  return ScanOutcome::Completed;
}

void ScanPipeline::StartPhase(int phase, bool showProgress) {
  host_.SetPhaseText(PhaseText(phase, host_.French()));
  host_.SetProgressVisible(showProgress);
  if (showProgress)
    RestartProgress();
}

void ScanPipeline::RestartProgress() {
  host_.SetProgressPosition(0);
  state_.ProgressPercent = 0;
  state_.PreviousPercent = 0;
}

bool ScanPipeline::WalkTree(bool checksumPhase) {
  DirectoryWalker walker(host_, state_, lister_);
  state_.Folders.assign(1, state_.StartFolder);
  const auto walkOne = [&](size_t index) {
    state_.CurrentFolder = static_cast<int>(index);
    state_.CurrentDir = state_.Folders[index];
    state_.SearchPattern = state_.CurrentDir + kAllFiles;
    const std::string pattern = state_.SearchPattern;
    if (checksumPhase)
      walker.ChecksumFilesInDir(pattern);
    else
      walker.CountFilesInDir(pattern);
    host_.Yield();
    return !state_.AbortRequested;
  };
  if (!walkOne(0))
    return false;
  if (!host_.Options().recurse)
    return true;
  // The list of folders is the work list: the walker appends to it while this loop runs.
  for (size_t index = 1; index < state_.Folders.size(); ++index)
    if (!walkOne(index))
      return false;
  return true;
}

// Phase 2 after the walk: the first block of every file whose size another
// file has (where the host has the files grid, the walk has read them, but
// the tree may have changed since phase 1), then the rest of the files whose
// first block another file of their size has too.
bool ScanPipeline::ReadCandidates() {
  std::vector<int64_t> sizes;
  sizes.reserve(state_.Files.size());
  for (const ScannedFile &file : state_.Files)
    sizes.push_back(file.size);
  std::sort(sizes.begin(), sizes.end());
  std::vector<int> rows;
  for (int row = 1; row <= static_cast<int>(state_.Files.size()); ++row) {
    const ScannedFile &file = state_.Files[static_cast<size_t>(row - 1)];
    if (file.content.read == ContentRead::None && file.size > 0 && SizeShared(sizes, file.size))
      rows.push_back(row);
  }
  if (!ReadPart(rows, ContentPart::Prefix))
    return false;

  std::vector<int> partial;
  for (int row = 1; row <= static_cast<int>(state_.Files.size()); ++row)
    if (state_.Files[static_cast<size_t>(row - 1)].content.read == ContentRead::Prefix)
      partial.push_back(row);
  const auto key = [&](int row) {
    const ScannedFile &file = state_.Files[static_cast<size_t>(row - 1)];
    return std::tuple(file.size, file.content.crc, file.content.hash.low, file.content.hash.high);
  };
  std::sort(partial.begin(), partial.end(), [&](int a, int b) { return key(a) < key(b); });
  rows.clear();
  for (size_t first = 0, end = 0; first < partial.size(); first = end) {
    for (end = first + 1; end < partial.size() && key(partial[end]) == key(partial[first]);)
      ++end;
    if (end - first > 1)
      rows.insert(rows.end(), partial.begin() + static_cast<ptrdiff_t>(first),
                  partial.begin() + static_cast<ptrdiff_t>(end));
  }
  std::sort(rows.begin(), rows.end());
  return ReadPart(rows, ContentPart::Rest);
}

bool ScanPipeline::ReadPart(const std::vector<int> &rows, ContentPart part) {
  if (rows.empty())
    return true;
  // Each reading pass runs the bar again from its start.
  RestartProgress();
  if (!reader_)
    return ReadInOrder(rows, part);
  const int total = static_cast<int>(rows.size());
  reader_->ReadFiles(state_, rows, part, [&](int done) {
    AdvanceProgress(host_, state_, done, total);
    return !state_.AbortRequested;
  });
  return !state_.AbortRequested;
}

bool ScanPipeline::ReadInOrder(const std::vector<int> &rows, ContentPart part) {
  const int total = static_cast<int>(rows.size());
  for (int done = 0; done < total;) {
    const int row = rows[static_cast<size_t>(done)];
    ReadScannedFile(state_, row, part);
    const FileContent &content = state_.Files[static_cast<size_t>(row - 1)].content;
    if (content.read == ContentRead::Whole && host_.HasFileGrids())
      host_.Grid(ResultGrid::Files).SetCell(files_col::Crc, row, IntToStr(content.crc));
    host_.Yield();
    if (state_.AbortRequested)
      return false;
    AdvanceProgress(host_, state_, ++done, total);
  }
  return true;
}

bool ScanPipeline::ListDoubles() {
  const int fileCount = static_cast<int>(state_.Files.size());
  NextCopyIndex index(state_.Files, state_.NextCopy);
  for (int row = 1; row <= fileCount; ++row) {
    const ScannedFile &file = state_.Files[static_cast<size_t>(row - 1)];
    if (file.content.read != ContentRead::Whole || file.size <= 0)
      continue;
    index.Add(row);
    host_.Yield();
    if (state_.AbortRequested)
      return false;
  }

  TGridModel &doubles = host_.Grid(ResultGrid::Doubles);
  for (int k = 1; k <= fileCount; ++k) {
    const int j = state_.NextCopy[static_cast<size_t>(k)];
    if (j != 0) {
      const std::string first = state_.FilePath(k);
      // A first file already listed (the same path met twice) gets no second row.
      if (first != state_.LastFirstFile) {
        state_.LastFirstFile = first;
        AppendRow(doubles, ResultGrid::Doubles, state_.DoubleCount,
                  {IntToStr(state_.DoubleCount + 1), first, state_.FilePath(j),
                   PadSizeText(IntToStr(state_.Files[static_cast<size_t>(j - 1)].size))});
      }
    }
    host_.Yield();
    if (state_.AbortRequested)
      return false;
    AdvanceProgress(host_, state_, k, fileCount);
  }
  return true;
}

} // namespace zorvex
