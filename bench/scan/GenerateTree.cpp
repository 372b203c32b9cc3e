// Writes the benchmark tree: the same files for the same seed on every
// machine that builds with the same standard library.
//
//   bench_scan_tree [--million] DIR [FILES] [FOLDERS] [SEED]
//
// About 20,000 files in 1,000 folders (about 1.3 GB): 2 % empty, 10 % in
// groups of 2 to 4 exact copies, 6 % in same-size groups whose members differ
// from the first only in their first 4 KiB, their last byte or one middle
// byte, the rest with random sizes (log-normal, 1 byte to 4 MiB) and content.
// --million: 1,000,000 small files (median about 2 KB, at most 64 KiB) in
// 10,000 folders, in the same proportions: a tree where listing and opening
// files cost more than reading them.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int64_t kHeadSize = 4096;

struct Generator {
  std::mt19937_64 rng;
  std::lognormal_distribution<double> sizes;
  int64_t maxSize;

  Generator(uint64_t seed, bool small)
      : rng(seed), sizes(small ? std::lognormal_distribution<double>{7.6, 1.2}    // median about 2 KB
                               : std::lognormal_distribution<double>{9.87, 1.6}), // median about 19 KB
        maxSize(small ? int64_t(64) << 10 : int64_t(4) << 20) {}

  int64_t Size(int64_t minimum = 1) {
    for (;;) {
      const auto size = static_cast<int64_t>(sizes(rng));
      if (size >= minimum && size <= maxSize)
        return size;
    }
  }
  std::string Bytes(int64_t n) {
    std::string bytes(static_cast<size_t>(n), '\0');
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
      const uint64_t v = rng();
      std::memcpy(&bytes[i], &v, 8);
    }
    for (; i < bytes.size(); ++i)
      bytes[i] = static_cast<char>(rng());
    return bytes;
  }
  int Below(int n) { return static_cast<int>(rng() % static_cast<uint64_t>(n)); }
};

struct Tree {
  std::vector<fs::path> folders;
  int64_t files = 0;
  int64_t bytes = 0;
  Generator &gen;

  void Write(const std::string &content) {
    static const char *extensions[] = {".jpg", ".png", ".txt", ".doc", ".mp3", ".bin", ".pdf", ".dat"};
    char name[32];
    std::snprintf(name, sizeof name, "f%06lld%s", static_cast<long long>(files), extensions[gen.Below(8)]);
    const fs::path path = folders[static_cast<size_t>(gen.Below(static_cast<int>(folders.size())))] / name;
    std::ofstream out(path, std::ios::binary);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out) {
      std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
      std::exit(1);
    }
    ++files;
    bytes += static_cast<int64_t>(content.size());
  }
};

} // namespace

int main(int argc, char **argv) {
  const bool million = argc > 1 && std::strcmp(argv[1], "--million") == 0;
  if (million) {
    --argc;
    ++argv;
  }
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_scan_tree [--million] DIR [FILES] [FOLDERS] [SEED]\n");
    return 2;
  }
  const fs::path root = argv[1];
  const int fileCount = argc > 2 ? std::atoi(argv[2]) : million ? 1000000 : 20000;
  const int folderCount = argc > 3 ? std::atoi(argv[3]) : million ? 10000 : 1000;
  const uint64_t seed = argc > 4 ? std::strtoull(argv[4], nullptr, 10) : 20240611;
  if (fs::exists(root)) {
    std::fprintf(stderr, "%s exists already\n", root.string().c_str());
    return 1;
  }
  Generator gen(seed, million);
  Tree tree{{root}, 0, 0, gen};
  fs::create_directories(root);
  // Each folder under a random earlier one: a few levels deep, uneven.
  for (int i = 1; i < folderCount; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "d%04d", i);
    tree.folders.push_back(tree.folders[static_cast<size_t>(gen.Below(i))] / name);
    fs::create_directory(tree.folders.back());
  }

  const int empty = fileCount / 50;
  const int exactTarget = fileCount / 10;
  const int nearTarget = fileCount * 6 / 100;
  for (int i = 0; i < empty; ++i)
    tree.Write("");
  for (int written = 0; written < exactTarget;) {
    const int copies = 2 + gen.Below(3);
    const std::string content = gen.Bytes(gen.Size());
    for (int c = 0; c < copies; ++c)
      tree.Write(content);
    written += copies;
  }
  for (int written = 0, kind = 0; written < nearTarget; kind = (kind + 1) % 3) {
    const int members = 2 + gen.Below(2);
    const int64_t size = gen.Size(kind == 0 ? 2 * kHeadSize : 3);
    const std::string first = gen.Bytes(size);
    tree.Write(first);
    for (int m = 1; m < members; ++m) {
      std::string other = first;
      if (kind == 0) {
        const std::string head = gen.Bytes(kHeadSize);
        other.replace(0, head.size(), head);
      } else {
        const size_t at = kind == 1 ? other.size() - 1 : 1 + static_cast<size_t>(gen.rng() % (other.size() - 2));
        other[at] = static_cast<char>(other[at] ^ (1 + m));
      }
      tree.Write(other);
    }
    written += members;
  }
  while (tree.files < fileCount)
    tree.Write(gen.Bytes(gen.Size()));

  std::printf("%lld files, %d folders, %.2f GB in %s\n", static_cast<long long>(tree.files), folderCount,
              double(tree.bytes) / 1e9, root.string().c_str());
  return 0;
}
