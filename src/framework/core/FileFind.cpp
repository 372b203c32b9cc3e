#include "FileFind.h"

#include "Paths.h"
#include "Texts.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zorvex {

namespace {
constexpr uint32_t kSpecial = fa::Hidden | fa::SysFile | fa::VolumeID | fa::Directory;

char Fold(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool Match(const char *name, const char *mask) {
  // Iterative wildcard match with back-tracking on the last '*'.
  const char *starMask = nullptr;
  const char *starName = nullptr;
  while (*name) {
    if (*mask == '*') {
      starMask = ++mask;
      starName = name;
    } else if (*mask == '?' || Fold(*mask) == Fold(*name)) {
      ++mask;
      ++name;
    } else if (starMask) {
      mask = starMask;
      name = ++starName;
    } else {
      return false;
    }
  }
  while (*mask == '*')
    ++mask;
  // A trailing ".*" also matches names without an extension, as on Windows.
  if (mask[0] == '.' && mask[1] == '*' && mask[2] == '\0')
    return true;
  return *mask == '\0';
}
} // namespace

bool MatchesMask(const std::string &name, const std::string &mask) {
  if (mask == "*.*" || mask == "*")
    return true;
  return Match(name.c_str(), mask.c_str());
}

#ifdef _WIN32

struct TSearchRec::State {
  HANDLE handle = INVALID_HANDLE_VALUE;
  uint32_t exclude = 0;
};

namespace {
void Fill(TSearchRec &rec, const WIN32_FIND_DATAW &data) {
  rec.Name = Narrow(data.cFileName);
  rec.Size = (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  rec.Attr = data.dwFileAttributes;
}

int Next(TSearchRec &rec, WIN32_FIND_DATAW &data, bool first) {
  for (;;) {
    if (!first && !FindNextFileW(rec.state->handle, &data))
      return static_cast<int>(GetLastError());
    first = false;
    if ((data.dwFileAttributes & rec.state->exclude) == 0) {
      Fill(rec, data);
      return 0;
    }
  }
}
} // namespace

TSearchRec::TSearchRec() = default;
TSearchRec::~TSearchRec() { FindClose(*this); }

int FindFirst(const std::string &pattern, uint32_t attrMask, TSearchRec &rec) {
  FindClose(rec);
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileExW(WinPath(pattern).c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                              FIND_FIRST_EX_LARGE_FETCH);
  if (h == INVALID_HANDLE_VALUE)
    return static_cast<int>(GetLastError());
  rec.state = std::make_unique<TSearchRec::State>();
  rec.state->handle = h;
  rec.state->exclude = ~attrMask & kSpecial;
  const int result = Next(rec, data, true);
  if (result != 0)
    FindClose(rec);
  return result;
}

int FindNext(TSearchRec &rec) {
  if (!rec.state)
    return ERROR_NO_MORE_FILES;
  WIN32_FIND_DATAW data;
  return Next(rec, data, false);
}

void FindClose(TSearchRec &rec) {
  if (rec.state && rec.state->handle != INVALID_HANDLE_VALUE)
    ::FindClose(rec.state->handle);
  rec.state.reset();
}

namespace {
bool IsDotName(const wchar_t *name, size_t length) {
  return (length == 1 && name[0] == L'.') || (length == 2 && name[0] == L'.' && name[1] == L'.');
}

bool IsMissingError(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_BAD_NETPATH ||
         error == ERROR_BAD_NET_NAME || error == ERROR_INVALID_NAME || error == ERROR_INVALID_DRIVE;
}

// Through FindFirstFileExW, for the file systems that cannot list file IDs.
FolderListing ListByFind(const std::string &folder, std::vector<TFolderEntry> &entries, int &error,
                         const std::function<void()> &onEntry) {
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileExW(WinPath(IncludeTrailingPathDelimiter(folder) + "*").c_str(), FindExInfoBasic, &data,
                              FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (h == INVALID_HANDLE_VALUE) {
    error = static_cast<int>(GetLastError());
    return IsMissingError(static_cast<DWORD>(error)) ? FolderListing::Missing : FolderListing::CannotList;
  }
  do {
    if (IsDotName(data.cFileName, wcslen(data.cFileName)))
      continue;
    entries.push_back({Narrow(data.cFileName), (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                       data.dwFileAttributes, 0});
    if (onEntry)
      onEntry();
  } while (FindNextFileW(h, &data));
  ::FindClose(h);
  return FolderListing::Listed;
}
} // namespace

FolderListing ListFolder(const std::string &folder, std::vector<TFolderEntry> &entries, int &error,
                         const std::function<void()> &onEntry) {
  error = 0;
  HANDLE dir =
      CreateFileW(WinPath(folder).c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (dir == INVALID_HANDLE_VALUE) {
    error = static_cast<int>(GetLastError());
    return IsMissingError(static_cast<DWORD>(error)) ? FolderListing::Missing : FolderListing::CannotList;
  }
  // One call returns as many entries as fit: far fewer calls than one per file.
  std::vector<uint64_t> buffer(64 * 1024 / sizeof(uint64_t));
  FILE_INFO_BY_HANDLE_CLASS kind = FileIdBothDirectoryRestartInfo;
  bool listed = false;
  while (GetFileInformationByHandleEx(dir, kind, buffer.data(), static_cast<DWORD>(buffer.size() * sizeof(uint64_t)))) {
    kind = FileIdBothDirectoryInfo;
    listed = true;
    const auto *bytes = reinterpret_cast<const uint8_t *>(buffer.data());
    for (;;) {
      const auto *info = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO *>(bytes);
      const size_t length = info->FileNameLength / sizeof(wchar_t);
      if (!IsDotName(info->FileName, length)) {
        entries.push_back({Narrow(std::wstring_view(info->FileName, length)), info->EndOfFile.QuadPart,
                           info->FileAttributes, static_cast<uint64_t>(info->FileId.QuadPart)});
        if (onEntry)
          onEntry();
      }
      if (info->NextEntryOffset == 0)
        break;
      bytes += info->NextEntryOffset;
    }
  }
  const DWORD last = GetLastError();
  CloseHandle(dir);
  if (last == ERROR_NO_MORE_FILES)
    return FolderListing::Listed;
  if (!listed && (last == ERROR_INVALID_PARAMETER || last == ERROR_NOT_SUPPORTED || last == ERROR_INVALID_LEVEL ||
                  last == ERROR_INVALID_FUNCTION))
    return ListByFind(folder, entries, error, onEntry);
  error = static_cast<int>(last);
  return listed ? FolderListing::Listed : FolderListing::CannotList;
}

std::string SystemErrorText(int error) {
  wchar_t *text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
  std::string message = length ? Narrow(std::wstring_view(text, length)) : "error " + std::to_string(error);
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
    message.pop_back();
  return message;
}

bool IsVolumeRoot(const std::string &folder) {
  const std::wstring path = Wide(IncludeTrailingPathDelimiter(folder));
  std::vector<wchar_t> volume(path.size() + MAX_PATH + 1);
  if (!GetVolumePathNameW(path.c_str(), volume.data(), static_cast<DWORD>(volume.size())))
    return false;
  return _wcsicmp(volume.data(), path.c_str()) == 0;
}

#else

struct TSearchRec::State {
  DIR *dir = nullptr;
  std::string directory;
  std::string mask;
  uint32_t exclude = 0;
};

namespace {
constexpr int kNoMoreFiles = 18; // the Windows code, so callers see one value

uint32_t AttributesOf(const std::string &name, const struct stat &st) {
  uint32_t attr = 0;
  if (S_ISLNK(st.st_mode))
    attr = fa::ReparsePoint;
  else if (S_ISDIR(st.st_mode))
    attr = fa::Directory;
  else if (S_ISREG(st.st_mode))
    attr = fa::Archive;
  else
    attr = fa::Device;
  if (!(st.st_mode & S_IWUSR))
    attr |= fa::ReadOnly;
  if (!name.empty() && name[0] == '.' && name != "." && name != "..")
    attr |= fa::Hidden;
  return attr;
}

int Next(TSearchRec &rec) {
  auto &s = *rec.state;
  for (;;) {
    errno = 0;
    const dirent *entry = readdir(s.dir);
    if (!entry)
      return kNoMoreFiles;
    const std::string name = entry->d_name;
    if (!MatchesMask(name, s.mask))
      continue;
    if (name == "." || name == "..") {
      // Every walk skips these two: spare a system call for each.
      if (s.exclude & fa::Directory)
        continue;
      rec.Name = name;
      rec.Attr = fa::Directory;
      rec.Size = 0;
      return 0;
    }
    struct stat st {};
    // Relative to the open directory: no walk of the whole path per entry.
    if (fstatat(dirfd(s.dir), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
      continue; // gone since the directory was read
    const uint32_t attr = AttributesOf(name, st);
    if (attr & s.exclude)
      continue;
    rec.Name = name;
    rec.Attr = attr;
    rec.Size = S_ISREG(st.st_mode) ? static_cast<int64_t>(st.st_size) : 0;
    return 0;
  }
}
} // namespace

TSearchRec::TSearchRec() = default;
TSearchRec::~TSearchRec() { FindClose(*this); }

int FindFirst(const std::string &pattern, uint32_t attrMask, TSearchRec &rec) {
  FindClose(rec);
  std::string directory = ExtractFilePath(pattern);
  const std::string mask = ExtractFileName(pattern);
  DIR *dir = opendir(directory.empty() ? "." : directory.c_str());
  if (!dir)
    return errno ? errno : kNoMoreFiles;
  rec.state = std::make_unique<TSearchRec::State>();
  rec.state->dir = dir;
  rec.state->directory = directory;
  rec.state->mask = mask;
  rec.state->exclude = ~attrMask & kSpecial;
  const int result = Next(rec);
  if (result != 0)
    FindClose(rec);
  return result;
}

int FindNext(TSearchRec &rec) {
  if (!rec.state)
    return kNoMoreFiles;
  return Next(rec);
}

void FindClose(TSearchRec &rec) {
  if (rec.state && rec.state->dir)
    closedir(rec.state->dir);
  rec.state.reset();
}

FolderListing ListFolder(const std::string &folder, std::vector<TFolderEntry> &entries, int &error,
                         const std::function<void()> &onEntry) {
  error = 0;
  DIR *dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) {
    error = errno;
    return (error == ENOENT || error == ENOTDIR) && !FileExists(folder) ? FolderListing::Missing
                                                                        : FolderListing::CannotList;
  }
  const int fd = dirfd(dir);
  // Without the right to search it, its names can be read but nothing they name.
  if (faccessat(fd, ".", X_OK, AT_EACCESS) != 0) {
    error = errno;
    closedir(dir);
    return FolderListing::CannotEnter;
  }
  for (;;) {
    errno = 0;
    const dirent *entry = readdir(dir);
    if (!entry)
      break;
    const char *name = entry->d_name;
    if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
      continue;
    struct stat st {};
    if (fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
      continue; // gone since the folder was read
    TFolderEntry &added = entries.emplace_back();
    added.Name = name;
    added.Attr = AttributesOf(added.Name, st);
    added.Size = S_ISREG(st.st_mode) ? static_cast<int64_t>(st.st_size) : 0;
    added.FileId = static_cast<uint64_t>(st.st_ino);
    if (onEntry)
      onEntry();
  }
  closedir(dir);
  return FolderListing::Listed;
}

std::string SystemErrorText(int error) { return std::strerror(error); }

bool IsVolumeRoot(const std::string &folder) {
  struct stat self {
  }, parent{};
  if (stat(folder.c_str(), &self) != 0 || stat((IncludeTrailingPathDelimiter(folder) + "..").c_str(), &parent) != 0)
    return false;
  // A mount point's parent is on another device; "/" is its own parent.
  return self.st_dev != parent.st_dev || self.st_ino == parent.st_ino;
}

#endif

} // namespace zorvex
