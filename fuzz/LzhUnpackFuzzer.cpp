// Unpacks a bit stream of the fuzzer's choosing to a size of its choosing
// (the first four bytes), or refuses it when it ends first, then checks that packing the same bytes round-trips.
#include "framework/core/Streams.h"
#include "skin/data/Winconvert.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

using namespace zorvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 4)
    return 0;
  int32_t wanted;
  std::memcpy(&wanted, data, 4);
  wanted %= 1 << 16; // keeps every run short; the sign stays
  TMemoryStream packed, unpacked;
  packed.WriteBuffer(data + 4, static_cast<int64_t>(size - 4));
  packed.SetPosition(0);
  TLZH lzh;
  lzh.InputStream = &packed;
  lzh.OutputStream = &unpacked;
  try {
    lzh.LZHUnpack(wanted, lzh.StreamReader(), lzh.StreamWriter());
    if (unpacked.Size() != (wanted > 0 ? wanted : 0))
      std::abort();
  } catch (const ElzhException &) {
    // The bits ran out first: the stream is refused.
  }

  TMemoryStream source, stored, back;
  source.WriteBuffer(data + 4, static_cast<int64_t>(std::min<size_t>(size - 4, 4096)));
  LZHCompress(source, stored);
  LZHDecompress(stored, back);
  if (back.Bytes() != source.Bytes())
    std::abort();
  return 0;
}
