#pragma once
// File checksums: the CRC-32 of zlib / IEEE 802.3 (reflected 0xEDB88320),
// and, computed in the same read, a 128-bit XXH3 hash that backs the CRC-32
// when deciding that two files have the same content.

#include <cstdint>
#include <string>

namespace zorvex {

class TStream;

// Continues a CRC-32 over more bytes; start from 0.
uint32_t Crc32Update(uint32_t crc, const void *data, size_t length);

// CRC-32 from the stream's position to its end; the stream is left at its end.
// Yields (throttled) after each block. A stream that ends before its size
// (a file shrinking while read) raises EReadError.
uint32_t StreamCrc32(TStream &stream);
// Opens the file for reading, others may read but not write (EFOpenError when
// it cannot be opened), and returns its CRC-32.
uint32_t FileCrc32(const std::string &path);

struct ContentDigest {
  uint32_t crc = 0;
  uint64_t hashLow = 0;
  uint64_t hashHigh = 0;
  friend bool operator==(const ContentDigest &, const ContentDigest &) = default;
};

ContentDigest StreamDigest(TStream &stream);
ContentDigest FileDigest(const std::string &path);

// Bytes read per block: large enough that the platform's per-call cost is
// small against the checksum itself.
constexpr size_t kChecksumBlockSize = 256 * 1024;

} // namespace zorvex
