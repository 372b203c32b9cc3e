#include "FileFind.h"

#include "Paths.h"
#include "Texts.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
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

#endif

} // namespace zorvex
