#pragma once
// The classic table-per-byte CRC-32 (reflected 0xEDB88320): the reference the
// fast checksum is measured and tested against.

#include <array>
#include <cstddef>
#include <cstdint>

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

} // namespace zorvex::test
