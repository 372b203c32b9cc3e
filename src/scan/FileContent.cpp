#include "FileContent.h"

#include "Crc32.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"

#include <algorithm>
#include <new>
#include <xxhash.h>

namespace zorvex {

namespace {

class HashState {
public:
  HashState() : state_(XXH3_createState()) {
    if (!state_)
      throw std::bad_alloc();
    XXH3_128bits_reset(state_);
  }
  ~HashState() { XXH3_freeState(state_); }
  HashState(const HashState &) = delete;
  HashState &operator=(const HashState &) = delete;

  void Update(const uint8_t *data, size_t n) { XXH3_128bits_update(state_, data, n); }
  Hash128 Digest() const {
    const XXH128_hash_t h = XXH3_128bits_digest(state_);
    return Hash128{h.low64, h.high64};
  }

private:
  XXH3_state_t *state_;
};

} // namespace

void ReadContentPart(TStream &stream, int64_t size, ContentPart part, FileContent &content) {
  const bool prefix = part == ContentPart::Prefix;
  const int64_t count = prefix ? std::min(size, kPrefixSize) : size - kPrefixSize;
  if (count < 0)
    throw EReadError("The file has no bytes after its first block");
  if (!prefix)
    stream.SetPosition(kPrefixSize);
  uint32_t crc = prefix ? 0 : content.crc;
  HashState hash;
  const bool toEnd = !prefix || size <= kPrefixSize;
  ReadStreamBlocks(stream, count, toEnd, [&](const uint8_t *data, size_t n) {
    crc = Crc32Update(crc, data, n);
    hash.Update(data, n);
  });
  content.crc = crc;
  if (prefix) {
    content.hash = hash.Digest();
  } else {
    // The first block's hash and the rest's, as one.
    const Hash128 parts[2] = {content.hash, hash.Digest()};
    const XXH128_hash_t whole = XXH3_128bits(parts, sizeof parts);
    content.hash = Hash128{whole.low64, whole.high64};
  }
  content.read = toEnd ? ContentRead::Whole : ContentRead::Prefix;
}

void ReadFileContentPart(const std::string &path, int64_t size, ContentPart part, FileContent &content) {
  TFileStream file(path, fm::OpenRead | fm::ShareDenyWrite);
  ReadContentPart(file, size, part, content);
}

void ReadFileContentPart(const TDirectoryHandle &folder, const std::string &name, int64_t size, ContentPart part,
                         FileContent &content) {
  TFileStream file(folder, name, fm::OpenRead | fm::ShareDenyWrite);
  ReadContentPart(file, size, part, content);
}

} // namespace zorvex
