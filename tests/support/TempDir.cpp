#include "support/TempDir.h"

#include "framework/core/Paths.h"
#include "framework/core/Streams.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#ifdef _WIN32
#include "framework/core/Texts.h"
#endif

namespace zorvex::test {

namespace fs = std::filesystem;

namespace {
fs::path ToPath(const std::string &utf8) {
#ifdef _WIN32
  return fs::path(Wide(utf8));
#else
  return fs::path(utf8);
#endif
}

std::string FromPath(const fs::path &path) {
#ifdef _WIN32
  return Narrow(path.wstring());
#else
  return path.string();
#endif
}
} // namespace

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const fs::path base = fs::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate =
        base / ("zorvex-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::error_code ec;
    if (fs::create_directory(candidate, ec)) {
      path_ = FromPath(candidate);
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
  std::error_code ec;
#ifdef _WIN32
  // The long-path form, so that deep trees made by a test go too.
  const fs::path root(L"\\\\?\\" + Wide(path_));
#else
  const fs::path root(path_);
#endif
  // Read-only entries made by a test must not survive it.
  for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec))
    fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(root, ec);
}

std::string TempDir::operator/(std::string_view relative) const {
  std::string out = path_;
  out += PathDelim;
  for (const char c : relative)
    out += (c == '/' || c == '\\') ? PathDelim : c;
  return out;
}

void MakeDir(const std::string &path) { fs::create_directories(ToPath(path)); }

void WriteFile(const std::string &path, std::string_view bytes) {
  const std::string parent = ExtractFilePath(path);
  if (!parent.empty())
    MakeDir(parent);
  TFileStream file(path, fm::Create);
  file.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  file.Close();
}

std::string ReadFile(const std::string &path) {
  TFileStream file(path, fm::OpenRead | fm::ShareDenyNone);
  std::string bytes(static_cast<size_t>(file.Size()), '\0');
  if (!bytes.empty())
    file.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  return bytes;
}

} // namespace zorvex::test
