#include "DirectoryWalker.h"

#include "ScanHost.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Paths.h"
#include "framework/core/Streams.h"
#include "framework/core/Texts.h"

#include <algorithm>
#include <array>

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

bool IsSystemFolderName(std::string_view name) {
  static constexpr std::array<std::string_view, 4> names = {"$Recycle.Bin", "RECYCLER", "RECYCLED",
                                                            "System Volume Information"};
  return std::any_of(names.begin(), names.end(), [&](std::string_view system) { return SameTextAZ(name, system); });
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

std::vector<ListedEntry> DirectoryWalker::List(const std::string &searchPattern, bool countFailure) {
  std::vector<ListedEntry> entries;
  if (lister_) {
    entries = lister_(searchPattern);
  } else {
    int error = 0;
    // A directory of many thousand entries must not freeze the window.
    const FolderListing listing = ListFolder(state_.CurrentDir, entries, error, [this] { host_.Yield(); });
    if (listing != FolderListing::Listed && countFailure)
      ++state_.UnreadableDirCount;
  }
  std::erase_if(entries,
                [](const ListedEntry &entry) { return ClassifyEntry(entry.Name, entry.Attr) == EntryKind::Ignored; });
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
    entries = List(searchPattern, !checksumPhase);
  }
  // Where the files have rows, phase 2 opens every file in scope: by name in
  // the open directory.
  std::optional<TDirectoryHandle> directory;
  if (checksumPhase && host_.HasFileGrids())
    directory.emplace(state_.CurrentDir);
  atVolumeRoot_.reset();
  for (ListedEntry &entry : entries) {
    if (ClassifyEntry(entry.Name, entry.Attr) == EntryKind::File)
      HandleFile(entry, directory ? &*directory : nullptr, checksumPhase);
    else if (host_.Options().recurse && !SkipsFolder(entry))
      AppendDirectory(entry.Name, checksumPhase ? state_.DirCount : state_.PrescanDirCount);
    host_.Yield();
  }
  if (!checksumPhase) {
    entries.shrink_to_fit(); // kept until phase 2: a million files' listings weigh
    state_.Listings[searchPattern] = std::move(entries);
  }
}

bool DirectoryWalker::SkipsFolder(const ListedEntry &entry) {
  if (!IsSystemFolderName(entry.Name))
    return false;
  if (entry.Attr & fa::SysFile)
    return true;
  if (!atVolumeRoot_)
    atVolumeRoot_ = IsVolumeRoot(state_.CurrentDir);
  return *atVolumeRoot_;
}

void DirectoryWalker::HandleFile(ListedEntry &entry, const TDirectoryHandle *directory, bool checksumPhase) {
  try {
    const ScanOptions &options = host_.Options();
    if (!LowerBoundAccepts(options.lower, entry.Size) || !UpperBoundAccepts(options.upper, entry.Size))
      return;
    const bool included = IncludeAccepts(options.includeFilter, entry.Name);
    if (checksumPhase && options.includeFilter != "*.*" && options.showDetails)
      host_.ShowMessage(MessageKind::Information,
                        "Extension du fichier en cours de scan : " + FileExtension(entry.Name) +
                            "\n\nExtension du filtre actuel = " + FilterExtension(options.includeFilter));
    if (!included || ExcludeRejects(options.excludeFilter, entry.Name))
      return;
    state_.SearchPattern.assign(state_.CurrentDir).append(entry.Name);
    if (!checksumPhase) {
      ++state_.ScopeCount;
      state_.ScopeSizes.push_back(entry.Size);
      return;
    }
    AddFile(entry, directory);
  } catch (const EAbort &) {
    throw;
  } catch (const Exception &) {
    // A file that cannot be opened or read is skipped without a word.
  }
}

void DirectoryWalker::AddFile(ListedEntry &entry, const TDirectoryHandle *directory) {
  ScannedFile file;
  file.size = entry.Size;
  file.fileId = entry.FileId;
  file.folder = state_.CurrentFolder;
  if (directory) {
    {
      // Opened even when not read: a file that cannot be opened gets no row.
      TFileStream stream(*directory, entry.Name, fm::OpenRead | fm::ShareDenyWrite);
      // An empty file is never paired; a file alone with its size has no double.
      if (file.size > 0 && SizeShared(state_.ScopeSizes, file.size))
        ReadContentPart(stream, file.size, ContentPart::Prefix, file.content);
    }
    const bool whole = file.content.read == ContentRead::Whole;
    AppendRow(host_.Grid(ResultGrid::Files), ResultGrid::Files, state_.FileCount,
              {IntToStr(state_.FileCount + 1), state_.SearchPattern, whole ? IntToStr(file.content.crc) : "", "",
               IntToStr(file.size)});
  } else {
    ++state_.FileCount;
  }
  file.name = std::move(entry.Name);
  state_.Files.push_back(std::move(file));

  // With no count from phase 1 (the tree grew since), there is no progress to show.
  if (state_.ScopeCount > 0)
    AdvanceProgress(host_, state_, state_.FileCount, state_.ScopeCount);
}

void DirectoryWalker::AppendDirectory(const std::string &name, int &counter) {
  state_.SearchPattern.assign(state_.CurrentDir).append(name);
  state_.Folders.push_back(state_.SearchPattern + PathDelim);
  if (host_.HasFileGrids())
    AppendRow(host_.Grid(ResultGrid::Dirs), ResultGrid::Dirs, counter, {IntToStr(counter + 1), state_.Folders.back()});
  else
    ++counter;
}

} // namespace zorvex
