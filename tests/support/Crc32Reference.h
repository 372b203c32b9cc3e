#pragma once
// The classic table-per-byte CRC-32 (reflected 0xEDB88320): the reference the
// fast checksum is measured and tested against.

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

namespace zorvex::test {

inline const std::array<uint32_t, 256> &Crc32Table() {
  static const std::array<uint32_t, 256> table = [] {
    std::array<uint32_t, 256> t{};
    for (uint32_t i = 0; i < 256; ++i) {
      uint32_t c = i;
      for (int k = 0; k < 8; ++k)
        c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[i] = c;
    }
    return t;
  }();
  return table;
}

inline uint32_t ReferenceCrc32(const void *data, size_t length) {
  const auto &table = Crc32Table();
  const auto *bytes = static_cast<const uint8_t *>(data);
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < length; ++i)
    crc = (crc >> 8) ^ table[(crc ^ bytes[i]) & 0xFF];
  return crc ^ 0xFFFFFFFFu;
}

// Four bytes that, appended to prefix, give the whole a CRC-32 of target:
// after four steps the register depends only on the four table entries hit,
// so they are found backwards from the target, then the bytes forwards.
inline std::string ForgeCrcSuffix(const std::string &prefix, uint32_t target) {
  const auto &table = Crc32Table();
  uint8_t indexOfTopByte[256];
  for (int i = 0; i < 256; ++i)
    indexOfTopByte[table[static_cast<size_t>(i)] >> 24] = static_cast<uint8_t>(i);
  uint8_t index[4];
  uint32_t reg = target ^ 0xFFFFFFFFu;
  for (int i = 3; i >= 0; --i) {
    index[i] = indexOfTopByte[reg >> 24];
    reg = (reg ^ table[index[i]]) << 8;
  }
  reg = ReferenceCrc32(prefix.data(), prefix.size()) ^ 0xFFFFFFFFu;
  std::string suffix;
  for (int i = 0; i < 4; ++i) {
    suffix += static_cast<char>((reg ^ index[i]) & 0xFF);
    reg = (reg >> 8) ^ table[index[i]];
  }
  return suffix;
}

inline std::string RandomBytes(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string bytes(n, '\0');
  for (char &c : bytes)
    c = static_cast<char>(rng());
  return bytes;
}

} // namespace zorvex::test
