// Checksum throughput: libdeflate's CRC-32 (what the scan uses) against the
// classic table-per-byte loop, on the same 256 MiB buffer in memory.
#include "scan/Crc32.h"
#include "support/Crc32Reference.h"

#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

namespace {
template <typename F> double BestSeconds(int rounds, F f) {
  double best = 1e9;
  for (int i = 0; i < rounds; ++i) {
    const auto start = std::chrono::steady_clock::now();
    f();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}
} // namespace

int main() {
  const size_t size = size_t(256) << 20;
  std::vector<uint8_t> buffer(size);
  std::mt19937_64 rng(42);
  for (size_t i = 0; i < size; i += 8) {
    const uint64_t v = rng();
    for (size_t k = 0; k < 8; ++k)
      buffer[i + k] = static_cast<uint8_t>(v >> (8 * k));
  }
  uint32_t fast = 0, reference = 0;
  const double fastSeconds = BestSeconds(5, [&] { fast = zorvex::Crc32Update(0, buffer.data(), size); });
  const double refSeconds = BestSeconds(2, [&] { reference = zorvex::test::ReferenceCrc32(buffer.data(), size); });
  if (fast != reference) {
    std::fprintf(stderr, "checksums differ: %08x against %08x\n", fast, reference);
    return 1;
  }
  const double gb = double(size) / 1e9;
  std::printf("crc32 of 256 MiB: libdeflate %.2f GB/s, table-per-byte reference %.2f GB/s, ratio %.1fx\n",
              gb / fastSeconds, gb / refSeconds, refSeconds / fastSeconds);
  return 0;
}
