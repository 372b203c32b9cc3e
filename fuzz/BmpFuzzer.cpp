// Reads a BMP file of the fuzzer's choosing (plain or run-length coded);
// what loads must save and load back to the same pixels.
#include "framework/core/Bitmap.h"
#include "framework/core/Streams.h"

#include <climits>
#include <cstdlib>
#include <cstring>

using namespace zorvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  TMemoryStream file;
  file.WriteBuffer(data, static_cast<int64_t>(size));
  file.SetPosition(0);
  TBitmap bitmap;
  try {
    // A few bytes of run-length codes may make a picture of hundreds of
    // megabytes: such pictures are refused from their headers, or the round
    // trip below would go past the fuzzer's memory.
    bitmap.LoadFromStream(file, {INT32_MAX, INT32_MAX, 1 << 22});
  } catch (const EInvalidGraphic &) {
    return 0;
  }
  TMemoryStream saved;
  bitmap.SaveToStream(saved);
  saved.SetPosition(0);
  TBitmap back;
  back.LoadFromStream(saved);
  if (back.Width() != bitmap.Width() || back.Height() != bitmap.Height())
    std::abort();
  for (int y = 0; y < bitmap.Height(); ++y)
    if (std::memcmp(back.ScanLine(y), bitmap.ScanLine(y), static_cast<size_t>(bitmap.Width() * bitmap.BytesPerPixel())))
      std::abort();
  return 0;
}
