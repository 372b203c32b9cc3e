#pragma once
// PNG encoding of 8-bit RGB pictures (portable: no window system needed).

#include <cstdint>
#include <vector>

namespace zorvex {

class TBitmap;

// `pixels` holds `height` rows of `width` 0xAARRGGBB words (the alpha byte
// is ignored); returns the bytes of a PNG file.
std::vector<uint8_t> EncodePng(int width, int height, const uint32_t *pixels);
// The bitmap's pixels (either pixel format) as a PNG file.
std::vector<uint8_t> EncodePng(const TBitmap &bitmap);

} // namespace zorvex
