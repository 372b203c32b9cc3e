#pragma once
// Picture files made by the tests themselves.

#include <cstdint>
#include <functional>
#include <string>

#include <jpeglib.h>

namespace zorvex::test {

// The bytes of a JPEG file whose samples come from `sample(x, y, component)`,
// baseline or progressive.
std::string EncodeJpeg(int width, int height, J_COLOR_SPACE space, int components,
                       const std::function<uint8_t(int, int, int)> &sample, bool progressive = false);

// The same file with its frame header claiming another size: the rest of
// the file stays as it was, so the decoder runs out of data early.
std::string WithClaimedSize(std::string jpeg, int width, int height);

// A colour JPEG: left half red, right half blue.
std::string RedBlueJpeg(int width, int height);

// The same picture as a run-length coded bitmap, RLE8 (bitCount 8) or RLE4
// (bitCount 4): one run per half of every row. Each half is at most 255
// pixels wide.
std::string RedBlueRunLengthBitmap(int width, int height, int bitCount);

} // namespace zorvex::test
