#pragma once
// A temporary folder for one test, removed with everything in it afterwards,
// and small file helpers. Paths are UTF-8 and end without a separator.

#include <cstdint>
#include <string>
#include <string_view>

namespace zorvex::test {

class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir &) = delete;
  TempDir &operator=(const TempDir &) = delete;

  const std::string &Path() const { return path_; }
  // Path of a child, with the platform's separator ("a/b" becomes "a\b" on Windows).
  std::string operator/(std::string_view relative) const;

private:
  std::string path_;
};

// Creates the file (and its folders) with exactly these bytes.
void WriteFile(const std::string &path, std::string_view bytes);
std::string ReadFile(const std::string &path);
void MakeDir(const std::string &path);

} // namespace zorvex::test
