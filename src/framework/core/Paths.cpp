#include "Paths.h"

#include "Texts.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <vector>

namespace zorvex {

namespace {
bool IsDelimiter(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/' || c == ':';
#else
  return c == '/';
#endif
}
} // namespace

std::string IncludeTrailingPathDelimiter(std::string_view path) {
  std::string out(path);
  if (out.empty() || out.back() != PathDelim)
    out += PathDelim;
  return out;
}

std::string ExtractFileName(std::string_view path) {
  size_t i = path.size();
  while (i > 0 && !IsDelimiter(path[i - 1]))
    --i;
  return std::string(path.substr(i));
}

std::string ExtractFilePath(std::string_view path) {
  size_t i = path.size();
  while (i > 0 && !IsDelimiter(path[i - 1]))
    --i;
  return std::string(path.substr(0, i));
}

#ifdef _WIN32
std::wstring WinPath(std::string_view path) {
  std::wstring w = Wide(path);
  // MAX_PATH counts the terminator; directories must leave room for an 8.3 name.
  if (w.size() < 248 || w.rfind(L"\\\\?\\", 0) == 0)
    return w;
  for (wchar_t &c : w)
    if (c == L'/')
      c = L'\\';
  if (w.size() >= 3 && w[1] == L':' && w[2] == L'\\')
    return L"\\\\?\\" + w;
  if (w.rfind(L"\\\\", 0) == 0)
    return L"\\\\?\\UNC\\" + w.substr(2);
  return w;
}

std::string GetCurrentDir() {
  const DWORD n = GetCurrentDirectoryW(0, nullptr);
  std::vector<wchar_t> buffer(n + 1);
  const DWORD got = GetCurrentDirectoryW(n + 1, buffer.data());
  return Narrow(std::wstring_view(buffer.data(), got));
}

bool FileExists(const std::string &path) {
  const DWORD attr = GetFileAttributesW(WinPath(path).c_str());
  return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string &path) {
  const DWORD attr = GetFileAttributesW(WinPath(path).c_str());
  return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool DeleteFileAt(const std::string &path) { return DeleteFileW(WinPath(path).c_str()) != 0; }
#else
std::string GetCurrentDir() {
  std::vector<char> buffer(4096);
  while (getcwd(buffer.data(), buffer.size()) == nullptr)
    buffer.resize(buffer.size() * 2);
  return buffer.data();
}

bool FileExists(const std::string &path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool DirectoryExists(const std::string &path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFileAt(const std::string &path) { return unlink(path.c_str()) == 0; }
#endif

} // namespace zorvex
