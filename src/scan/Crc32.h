#pragma once
// File checksums: the CRC-32 of zlib / IEEE 802.3 (reflected 0xEDB88320).

#include <cstdint>
#include <functional>
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

// Bytes read per block: large enough that the platform's per-call cost is
// small against the checksum itself.
constexpr size_t kChecksumBlockSize = 256 * 1024;

// Reads count bytes from the stream's position in blocks, handing each to
// consume and yielding (throttled) after each; a stream that ends first
// raises EReadError, and so does one that goes on past them when toEnd says
// they are its last.
void ReadStreamBlocks(TStream &stream, int64_t count, bool toEnd,
                      const std::function<void(const uint8_t *, size_t)> &consume);

} // namespace zorvex
