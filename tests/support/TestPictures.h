#pragma once
// Picture files made by the tests themselves.

#include <cstdint>
#include <functional>
#include <string>

#include <jpeglib.h>

namespace zorvex::test {

// The bytes of a JPEG file whose samples come from `sample(x, y, component)`.
std::string EncodeJpeg(int width, int height, J_COLOR_SPACE space, int components,
                       const std::function<uint8_t(int, int, int)> &sample);

// A colour JPEG: left half red, right half blue.
std::string RedBlueJpeg(int width, int height);

} // namespace zorvex::test
