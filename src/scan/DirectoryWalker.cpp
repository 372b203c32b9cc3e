#include "DirectoryWalker.h"

#include "ScanHost.h"
#include "ScanState.h"
#include "framework/core/Exceptions.h"
#include "framework/core/FileFind.h"
#include "framework/core/Paths.h"
#include "framework/core/Streams.h"
#include "framework/core/Texts.h"

#include <algorithm>
#include <optional>

namespace zorvex {

EntryKind ClassifyEntry(std::string_view name, uint32_t attributes) {
  constexpr uint32_t neither =
      fa::VolumeID | fa::Device | fa::ReparsePoint | fa::Offline | fa::RecallOnOpen | fa::RecallOnDataAccess;
  if (attributes & neither)
    return EntryKind::Ignored;
  if (name == "." || name == "..")
    return EntryKind::Ignored;
  return (attributes & fa::Directory) ? EntryKind::Folder : EntryKind::File;
}

bool SizeShared(const std::vector<int64_t> &sortedSizes, int64_t size) {
  const auto first = std::lower_bound(sortedSizes.begin(), sortedSizes.end(), size);
  const auto second = first + (first != sortedSizes.end());
  return second != sortedSizes.end() && *first == size && *second == size;
}

void AdvanceProgress(ScanHost &host, ScanState &state, int done, int total) {
  state.PreviousPercent = state.ProgressPercent;
  state.ProgressPercent = static_cast<int>(int64_t(done) * 100 / total);
  if (state.ProgressPercent > state.PreviousPercent) {
    host.ProgressStepIt();
    host.Yield();
  }
}

void DirectoryWalker::CountFilesInDir(const std::string &searchPattern) { Walk(searchPattern, false); }

void DirectoryWalker::ChecksumFilesInDir(const std::string &searchPattern) { Walk(searchPattern, true); }

std::vector<ListedEntry> DirectoryWalker::List(const std::string &searchPattern) {
  std::vector<ListedEntry> entries;
  if (lister_) {
    for (ListedEntry &entry : lister_(searchPattern))
      if (ClassifyEntry(entry.name, entry.attributes) != EntryKind::Ignored)
        entries.push_back(std::move(entry));
    return entries;
  }
  TSearchRec entry;
  if (FindFirst(searchPattern, fa::AnyFile, entry) != 0)
    return entries;
  do {
    if (ClassifyEntry(entry.Name, entry.Attr) != EntryKind::Ignored)
      entries.push_back({entry.Name, entry.Size, entry.Attr});
    host_.Yield();
  } while (FindNext(entry) == 0);
  FindClose(entry);
  return entries;
}

void DirectoryWalker::Walk(const std::string &searchPattern, bool checksumPhase) {
  if (checksumPhase && host_.Options().showDetails)
    host_.ShowMessage(MessageKind::Information,
                      "R\xC3\xA9pertoire qui va \xC3\xAAtre scann\xC3\xA9 : \n" + searchPattern);
  std::vector<ListedEntry> entries;
  const auto kept = state_.Listings.find(searchPattern);
  if (checksumPhase && kept != state_.Listings.end()) {
    entries = std::move(kept->second);
    state_.Listings.erase(kept);
  } else {
    entries = List(searchPattern);
  }
  // Phase 2 opens every file in scope: by name in the open directory.
  std::optional<TDirectoryHandle> directory;
  if (checksumPhase)
    directory.emplace(state_.CurrentDir);
  for (const ListedEntry &entry : entries) {
    if (ClassifyEntry(entry.name, entry.attributes) == EntryKind::File)
      HandleFile(entry.name, entry.size, directory ? &*directory : nullptr);
    else if (host_.Options().recurse)
      AppendDirectory(entry.name, checksumPhase ? state_.DirCount : state_.PrescanDirCount);
    // A directory of many thousand entries must not freeze the window.
    host_.Yield();
  }
  if (!checksumPhase)
    state_.Listings[searchPattern] = std::move(entries);
}

void DirectoryWalker::HandleFile(const std::string &name, int64_t size, const TDirectoryHandle *directory) {
  const bool checksumPhase = directory != nullptr;
  try {
    const ScanOptions &options = host_.Options();
    if (!LowerBoundAccepts(options.lower, size) || !UpperBoundAccepts(options.upper, size))
      return;
    const bool included = IncludeAccepts(options.includeFilter, name);
    if (checksumPhase && options.includeFilter != "*.*" && options.showDetails)
      host_.ShowMessage(MessageKind::Information,
                        "Extension du fichier en cours de scan : " + FileExtension(name) +
                            "\n\nExtension du filtre actuel = " + FilterExtension(options.includeFilter));
    if (!included || ExcludeRejects(options.excludeFilter, name))
      return;
    state_.SearchPattern.assign(state_.CurrentDir).append(name);
    if (!checksumPhase) {
      ++state_.ScopeCount;
      state_.ScopeSizes.push_back(size);
      return;
    }
    AddFileRow(*directory, name, size);
  } catch (const EAbort &) {
    throw;
  } catch (const Exception &) {
    // A file that cannot be opened or read is skipped without a word.
  }
}

void DirectoryWalker::AddFileRow(const TDirectoryHandle &directory, const std::string &name, int64_t size) {
  ScannedFile file;
  file.size = size;
  {
    // Opened even when not read: a file that cannot be opened gets no row.
    TFileStream stream(directory, name, fm::OpenRead | fm::ShareDenyWrite);
    // An empty file is never paired; a file alone with its size has no double.
    if (size > 0 && SizeShared(state_.ScopeSizes, size)) {
      file.digest = StreamDigest(stream);
      file.hashed = true;
    }
  }
  const std::string &path = state_.SearchPattern;
  const std::string crcText = file.hashed ? IntToStr(file.digest.crc) : std::string();
  AppendRow(host_.Grid(ResultGrid::Files), ResultGrid::Files, state_.FileCount,
            {IntToStr(state_.FileCount + 1), path, crcText, "", IntToStr(size)});
  state_.Files.push_back(file);

  // With no count from phase 1 (the tree grew since), there is no progress to show.
  if (state_.ScopeCount > 0)
    AdvanceProgress(host_, state_, state_.FileCount, state_.ScopeCount);
}

void DirectoryWalker::AppendDirectory(const std::string &name, int &counter) {
  state_.SearchPattern.assign(state_.CurrentDir).append(name);
  AppendRow(host_.Grid(ResultGrid::Dirs), ResultGrid::Dirs, counter,
            {IntToStr(counter + 1), state_.SearchPattern + PathDelim});
}

} // namespace zorvex
