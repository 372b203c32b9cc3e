// Decodes a JPEG file of the fuzzer's choosing the way the previews do; what
// decodes must be a whole picture of the size it claims.
#include "actions/JpegDecode.h"
#include "framework/core/Streams.h"

#include <cstdlib>

using namespace zorvex;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  TMemoryStream file;
  file.WriteBuffer(data, static_cast<int64_t>(size));
  file.SetPosition(0);
  // The first byte chooses between a preview's reduced decoding and a full one.
  const int minLongSide = size > 0 && data[0] % 2 ? 154 : 0;
  const std::optional<RgbImage> image = DecodeJpeg(file, minLongSide);
  if (!image)
    return 0;
  if (image->width <= 0 || image->height <= 0 || image->sourceWidth < image->width ||
      image->sourceHeight < image->height ||
      image->pixels.size() != static_cast<size_t>(image->width) * static_cast<size_t>(image->height) * 3)
    std::abort();
  return 0;
}
