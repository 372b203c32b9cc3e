// Pack and unpack throughput of the skin codec on 1 MiB that looks like skin
// packages: INI text and bitmaps (flat areas, gradients, some noise).
#include "framework/core/Bitmap.h"
#include "framework/core/Streams.h"
#include "skin/data/Skinread.h"
#include "skin/data/Skinwrite.h"
#include "skin/data/Winconvert.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

using namespace zorvex;

namespace {

std::vector<SkinEntry> SkinLikeEntries(size_t total) {
  std::mt19937 random(42);
  std::vector<SkinEntry> entries;
  std::string ini;
  for (int i = 0; ini.size() < total / 8; ++i)
    ini += "[Button" + std::to_string(i) + "]\r\nButtonImage=button" + std::to_string(i) +
           ".bmp\r\nAction=" + std::to_string(i % 11) + "\r\nAlign=1\r\nXcoord=" + std::to_string(random() % 200) +
           "\r\nYcoord=" + std::to_string(random() % 30) + "\r\nframe=3\r\n";
  entries.push_back({"skin.ini", ini});
  size_t used = ini.size();
  for (int i = 0; used < total; ++i) {
    const int w = 20 + static_cast<int>(random() % 120), h = 10 + static_cast<int>(random() % 40);
    TBitmap bitmap(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const bool border = x < 3 || y < 3 || x >= w - 3 || y >= h - 3;
        const int noise = static_cast<int>(random() % 4);
        bitmap.SetPixel(x, y, border ? clFuchsia : MakeColor(60 + y * 2 + noise, 90 + x / 2, 160 - y));
      }
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    std::string bytes(stream.Bytes().begin(), stream.Bytes().end());
    bytes.resize(std::min(bytes.size(), total - used));
    used += bytes.size();
    entries.push_back({"image" + std::to_string(i) + ".bmp", bytes});
  }
  return entries;
}

template <typename Fn> double BestSeconds(Fn fn) {
  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    const auto start = std::chrono::steady_clock::now();
    fn();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

} // namespace

int main() {
  const size_t total = 1 << 20;
  const std::vector<SkinEntry> entries = SkinLikeEntries(total);
  const std::string archive = BuildSkinArchive(entries);
  TMemoryStream source, packed, unpacked;
  source.WriteBuffer(archive.data(), static_cast<int64_t>(archive.size()));

  const double packSeconds = BestSeconds([&] {
    packed.Clear();
    LZHCompress(source, packed);
  });
  const double unpackSeconds = BestSeconds([&] {
    unpacked.Clear();
    LZHDecompress(packed, unpacked);
  });
  if (unpacked.Bytes() != source.Bytes()) {
    std::fprintf(stderr, "round trip failed\n");
    return 1;
  }
  // The reader: unpack once, then copy every entry out by offset.
  const double readSeconds = BestSeconds([&] {
    TSkinReader reader;
    reader.Loadfromstream(&packed);
    TMemoryStream entry;
    for (int i = 0; i < reader.Count(); ++i)
      reader.readfile(reader.Names().Get(i), &entry);
  });
  const double mb = static_cast<double>(archive.size()) / 1e6;
  std::printf("input %zu bytes (%zu entries), packed %lld bytes (%.1f %%)\n", archive.size(), entries.size(),
              static_cast<long long>(packed.Size()), 100.0 * static_cast<double>(packed.Size()) / archive.size());
  std::printf("pack      %7.2f MB/s\n", mb / packSeconds);
  std::printf("unpack    %7.2f MB/s\n", mb / unpackSeconds);
  std::printf("reader    %7.2f MB/s (load and every entry)\n", mb / readSeconds);
  return 0;
}
