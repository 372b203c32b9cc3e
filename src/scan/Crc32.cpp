#include "Crc32.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/core/Yield.h"

#include <algorithm>
#include <libdeflate.h>
#include <vector>

namespace zorvex {

uint32_t Crc32Update(uint32_t crc, const void *data, size_t length) { return libdeflate_crc32(crc, data, length); }

namespace {

// One buffer per thread, reused by every call. A call re-entered from a yield
// is safe: each block is consumed before the yield that may re-enter.
std::vector<uint8_t> &BlockBuffer() {
  thread_local std::vector<uint8_t> buffer(kChecksumBlockSize);
  return buffer;
}

} // namespace

void ReadStreamBlocks(TStream &stream, int64_t count, bool toEnd,
                      const std::function<void(const uint8_t *, size_t)> &consume) {
  std::vector<uint8_t> &buffer = BlockBuffer();
  for (;;) {
    // The last request asks for one byte more when the stream must end there:
    // the end is checked without another call.
    const int64_t asked = std::min(count + (toEnd ? 1 : 0), static_cast<int64_t>(buffer.size()));
    if (asked == 0)
      return;
    const int64_t n = stream.Read(buffer.data(), asked);
    if (n > count)
      throw EReadError("The file grew after its size was read");
    if (n < asked && n < count)
      throw EReadError("The file ended before its size was read");
    if (n > 0) {
      consume(buffer.data(), static_cast<size_t>(n));
      count -= n;
      ThrottledYield();
    }
    if (n < asked)
      return; // the end, where it was expected
  }
}

uint32_t StreamCrc32(TStream &stream) {
  uint32_t crc = 0;
  ReadStreamBlocks(stream, stream.Size() - stream.Position(), false,
                   [&](const uint8_t *data, size_t n) { crc = libdeflate_crc32(crc, data, n); });
  return crc;
}

uint32_t FileCrc32(const std::string &path) {
  TFileStream file(path, fm::OpenRead | fm::ShareDenyWrite);
  return StreamCrc32(file);
}

} // namespace zorvex
