#pragma once
// File-name helpers for the platform's path separator.

#include <string>
#include <string_view>

namespace zorvex {

#ifdef _WIN32
constexpr char PathDelim = '\\';
#else
constexpr char PathDelim = '/';
#endif

std::string IncludeTrailingPathDelimiter(std::string_view path);
// The part after the last separator (or drive colon on Windows).
std::string ExtractFileName(std::string_view path);
// Everything up to and including the last separator.
std::string ExtractFilePath(std::string_view path);
std::string GetCurrentDir();
bool FileExists(const std::string &path);
bool DirectoryExists(const std::string &path);
// Removes a file; false when it could not be removed.
bool DeleteFileAt(const std::string &path);

#ifdef _WIN32
// The W API form of a path. Absolute paths too long for the classic limit get
// the "\\?\" prefix so that deep trees keep working.
std::wstring WinPath(std::string_view path);
#endif

} // namespace zorvex
