#include "ScanPipeline.h"

#include "DirectoryWalker.h"
#include "Language.h"
#include "ScanHost.h"
#include "framework/core/Exceptions.h"
#include "framework/core/GridModel.h"
#include "framework/core/Paths.h"
#include "framework/core/Texts.h"

#include <algorithm>
#include <vector>

namespace zorvex {

ScanState MainScan;

std::string PhaseText(int phase, bool french) {
  switch (phase) {
  case 1: return Tr(french, "1/3 : GET TOTAL SIZE", "1/3 : CALCULE TAILLE TOTALE");
  case 2: return Tr(french, "2/3 : COMPUTE CRC", "2/3 : CALCULE CRC");
  default: return Tr(french, "3/3 : LIST DOUBLES", "3/3 : LISTE DOUBLONS");
  }
}

std::string SizeWindowErrorText(bool french) {
  return Tr(french, "File size : Your maximum is not greater than your minimum",
            "Taille fichier : Votre maximum n'est pas sup\xC3\xA9rieur \xC3\xA0 votre minimum");
}

std::string DoublesFoundText(int doubleCount, bool french) {
  if (doubleCount == 0)
    return Tr(french, "No doubles found", "Aucun doublon trouv\xC3\xA9");
  if (doubleCount == 1)
    return IntToStr(1) + Tr(french, " double found", " doublon trouv\xC3\xA9");
  return IntToStr(doubleCount) + Tr(french, " doubles found", " doublons trouv\xC3\xA9s");
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

bool SameContent(const ScannedFile &a, const ScannedFile &b) { return a.size == b.size && a.digest == b.digest; }

// For each file row, the first later row with the same size and content (0
// if none), through an open-addressing table of the last row seen per
// content: one pass, no allocation per file.
class NextCopyIndex {
public:
  explicit NextCopyIndex(const std::vector<ScannedFile> &files) : files_(files), next_(files.size() + 1, 0) {
    size_t capacity = 16;
    while (capacity < 2 * files.size())
      capacity *= 2;
    slots_.assign(capacity, 0);
  }
  // Rows must be added in increasing order.
  void Add(int row) {
    const ScannedFile &file = files_[static_cast<size_t>(row - 1)];
    const size_t mask = slots_.size() - 1;
    // The content hash is already uniformly spread.
    for (size_t slot = static_cast<size_t>(file.digest.hashLow ^ uint64_t(file.size)) & mask;;
         slot = (slot + 1) & mask) {
      int &last = slots_[slot];
      if (last == 0 || SameContent(files_[static_cast<size_t>(last - 1)], file)) {
        if (last != 0)
          next_[static_cast<size_t>(last)] = row;
        last = row;
        return;
      }
    }
  }
  int Next(int row) const { return next_[static_cast<size_t>(row)]; }

private:
  const std::vector<ScannedFile> &files_;
  std::vector<int> next_;
  std::vector<int> slots_; // row numbers, 0 for a free slot
};

} // namespace

void ScanPipeline::BitBtn1Click() {
  if (RunScan() != ScanOutcome::Completed)
    Abort();
}

void ScanPipeline::BitBtn3Click() {
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
  ResetRows(host_.Grid(ResultGrid::Files), ResultGrid::Files, state_.FileCount);
  // An abort in phase 1 leaves directory rows counted by PrescanDirCount alone.
  int dirRows = std::max(state_.DirCount, state_.PrescanDirCount);
  ResetRows(host_.Grid(ResultGrid::Dirs), ResultGrid::Dirs, dirRows);
  ResetRows(host_.Grid(ResultGrid::Doubles), ResultGrid::Doubles, state_.DoubleCount);
  state_.DirCount = 0;
  state_.ScopeCount = 0;
  state_.PrescanDirCount = 0;
  state_.AbortRequested = false;
  state_.Files.clear();
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
  TGridModel &dirs = host_.Grid(ResultGrid::Dirs);
  for (int row = 1; row <= state_.PrescanDirCount; ++row) {
    dirs.SetCell(dirs_col::Num, row, std::string());
    dirs.SetCell(dirs_col::Path, row, std::string());
  }

  StartPhase(2, true);
  const bool walked = WalkTree(true);
  state_.Listings.clear();
  if (!walked || !ChecksumLateSharers())
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
  if (showProgress) {
    host_.SetProgressPosition(0);
    state_.ProgressPercent = 0;
    state_.PreviousPercent = 0;
  }
}

bool ScanPipeline::WalkTree(bool checksumPhase) {
  DirectoryWalker walker(host_, state_, lister_);
  const auto walkOne = [&](const std::string &directory) {
    state_.CurrentDir = directory;
    state_.SearchPattern = directory + kAllFiles;
    const std::string pattern = state_.SearchPattern;
    if (checksumPhase)
      walker.ChecksumFilesInDir(pattern);
    else
      walker.CountFilesInDir(pattern);
    host_.Yield();
    return !state_.AbortRequested;
  };
  if (!walkOne(StartFolderPath(host_.Options().startDirectory)))
    return false;
  if (!host_.Options().recurse)
    return true;
  // SG2 is the work list: the walker appends to it while this loop runs.
  const int &dirCount = checksumPhase ? state_.DirCount : state_.PrescanDirCount;
  for (int row = 1; row <= dirCount; ++row)
    if (!walkOne(host_.Grid(ResultGrid::Dirs).Cell(dirs_col::Path, row)))
      return false;
  return true;
}

// Phase 2 reads only files whose size phase 1 saw more than once. When the
// tree changed in between, a size may be shared only now: those files are
// read here, so that phase 3 sees every possible double.
bool ScanPipeline::ChecksumLateSharers() {
  std::vector<int64_t> sizes;
  sizes.reserve(state_.Files.size());
  for (const ScannedFile &file : state_.Files)
    sizes.push_back(file.size);
  std::sort(sizes.begin(), sizes.end());
  TGridModel &files = host_.Grid(ResultGrid::Files);
  for (int row = 1; row <= state_.FileCount; ++row) {
    ScannedFile &file = state_.Files[static_cast<size_t>(row - 1)];
    if (file.hashed || file.size <= 0 || !SizeShared(sizes, file.size))
      continue;
    try {
      file.digest = FileDigest(files.Cell(files_col::Path, row));
      file.hashed = true;
      files.SetCell(files_col::Crc, row, IntToStr(file.digest.crc));
    } catch (const EAbort &) {
      throw;
    } catch (const Exception &) {
      // Gone or locked since phase 2: it keeps its row and has no double.
    }
    host_.Yield();
    if (state_.AbortRequested)
      return false;
  }
  return true;
}

bool ScanPipeline::ListDoubles() {
  const int fileCount = std::min(state_.FileCount, static_cast<int>(state_.Files.size()));
  NextCopyIndex index(state_.Files);
  for (int row = 1; row <= fileCount; ++row) {
    const ScannedFile &file = state_.Files[static_cast<size_t>(row - 1)];
    if (!file.hashed || file.size <= 0)
      continue;
    index.Add(row);
    host_.Yield();
    if (state_.AbortRequested)
      return false;
  }

  const TGridModel &files = host_.Grid(ResultGrid::Files);
  TGridModel &doubles = host_.Grid(ResultGrid::Doubles);
  for (int k = 1; k <= fileCount; ++k) {
    const int j = index.Next(k);
    if (j != 0) {
      const std::string &first = files.Cell(files_col::Path, k);
      // A first file already listed (the same path met twice) gets no second row.
      if (first != state_.LastFirstFile) {
        state_.LastFirstFile = first;
        AppendRow(doubles, ResultGrid::Doubles, state_.DoubleCount,
                  {IntToStr(state_.DoubleCount + 1), first, files.Cell(files_col::Path, j),
                   PadSizeText(files.Cell(files_col::Size, j))});
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
