#pragma once
// What the scan knows of a file's bytes, read in two parts: its first block
// (the whole file when it is no longer), then, only when another file of its
// size has the same first block, the rest. A 128-bit XXH3 hash backs the
// CRC-32 when deciding that two files have the same content.

#include <cstdint>
#include <string>

namespace zorvex {

class TDirectoryHandle;
class TStream;

// The first block: a page, the least the system reads anyway. Files of one
// size whose first blocks differ (most of them, unless they are copies) are
// never read further.
constexpr int64_t kPrefixSize = 4 * 1024;

enum class ContentRead : uint8_t {
  None,   // not read: the file could have no double
  Prefix, // the first block of a longer file
  Whole,
  Failed // could not be opened or read, or its size changed since it was listed
};

enum class ContentPart { Prefix, Rest };

struct Hash128 {
  uint64_t low = 0;
  uint64_t high = 0;
  friend bool operator==(const Hash128 &, const Hash128 &) = default;
};

struct FileContent {
  // Of the first block, then, once the rest is read, of the whole file.
  Hash128 hash;
  uint32_t crc = 0; // CRC-32 of the bytes read so far: the file's own once it is read whole
  ContentRead read = ContentRead::None;

  // Read whole and equal to other, also read whole (the sizes are the caller's).
  bool SameAs(const FileContent &other) const {
    return read == ContentRead::Whole && other.read == ContentRead::Whole && crc == other.crc && hash == other.hash;
  }
};

// Reads one part of a file of `size` bytes from the stream (the prefix from
// its position, which is its start, the rest from kPrefixSize on) and records
// it in content. A stream that ends before `size`, or goes on past it when
// the part is the file's last, raises EReadError: the file changed since it
// was listed. Yields (throttled) after each block.
void ReadContentPart(TStream &stream, int64_t size, ContentPart part, FileContent &content);
// The same through the file at path, opened for reading while others may read
// but not write (EFOpenError when it cannot be opened).
void ReadFileContentPart(const std::string &path, int64_t size, ContentPart part, FileContent &content);
// The same for the file `name` in an open folder.
void ReadFileContentPart(const TDirectoryHandle &folder, const std::string &name, int64_t size, ContentPart part,
                         FileContent &content);

} // namespace zorvex
