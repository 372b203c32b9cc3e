#include "Crc32.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/core/Yield.h"

#include <algorithm>
#include <libdeflate.h>
#include <vector>
#include <xxhash.h>

namespace zorvex {

uint32_t Crc32Update(uint32_t crc, const void *data, size_t length) { return libdeflate_crc32(crc, data, length); }

namespace {

// One buffer per thread, reused by every call. A call re-entered from a yield
// is safe: each block is consumed before the yield that may re-enter.
std::vector<uint8_t> &BlockBuffer() {
  thread_local std::vector<uint8_t> buffer(kChecksumBlockSize);
  return buffer;
}

struct HashState {
  XXH3_state_t *state = XXH3_createState();
  HashState() {
    if (!state)
      throw std::bad_alloc();
    XXH3_128bits_reset(state);
  }
  ~HashState() { XXH3_freeState(state); }
  HashState(const HashState &) = delete;
  HashState &operator=(const HashState &) = delete;
};

// Reads the stream from its position up to its size, in blocks, handing each
// block to `consume`.
template <typename Consume> void ReadBlocks(TStream &stream, Consume consume) {
  std::vector<uint8_t> &buffer = BlockBuffer();
  int64_t left = stream.Size() - stream.Position();
  while (left > 0) {
    const int64_t n = stream.Read(buffer.data(), std::min(left, static_cast<int64_t>(buffer.size())));
    if (n <= 0)
      throw EReadError("The file ended before its size was read");
    consume(buffer.data(), static_cast<size_t>(n));
    left -= n;
    ThrottledYield();
  }
}

} // namespace

uint32_t StreamCrc32(TStream &stream) {
  uint32_t crc = 0;
  ReadBlocks(stream, [&](const uint8_t *data, size_t n) { crc = libdeflate_crc32(crc, data, n); });
  return crc;
}

uint32_t FileCrc32(const std::string &path) {
  TFileStream file(path, fm::OpenRead | fm::ShareDenyWrite);
  return StreamCrc32(file);
}

ContentDigest StreamDigest(TStream &stream) {
  uint32_t crc = 0;
  HashState hash;
  ReadBlocks(stream, [&](const uint8_t *data, size_t n) {
    crc = libdeflate_crc32(crc, data, n);
    XXH3_128bits_update(hash.state, data, n);
  });
  const XXH128_hash_t h = XXH3_128bits_digest(hash.state);
  return ContentDigest{crc, h.low64, h.high64};
}

ContentDigest FileDigest(const std::string &path) {
  TFileStream file(path, fm::OpenRead | fm::ShareDenyWrite);
  return StreamDigest(file);
}

} // namespace zorvex
