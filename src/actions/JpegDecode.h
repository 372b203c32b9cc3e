#pragma once
// JPEG pictures for the comparison panel's previews, decoded through libjpeg
// into plain RGB pixels that the panel turns into a bitmap.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zorvex {

class TStream;

struct RgbImage {
  int width = 0;
  int height = 0;
  // The picture's own size; larger than width and height when it was decoded
  // at a reduced scale.
  int sourceWidth = 0;
  int sourceHeight = 0;
  std::vector<uint8_t> pixels; // rows top-down, 3 bytes per pixel (R, G, B), no padding

  const uint8_t *Pixel(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * 3]; }
};

// Decodes the JPEG picture of the stream from its position. With minLongSide
// > 0 the picture may be decoded at 1/2, 1/4 or 1/8 of its size as long as
// its longer side stays at least that long (a preview needs no more, and big
// photos decode many times faster). Greyscale, colour and CMYK pictures give
// RGB. Returns nothing for anything that is not a readable JPEG picture.
std::optional<RgbImage> DecodeJpeg(TStream &stream, int minLongSide = 0);
std::optional<RgbImage> DecodeJpegFile(const std::string &path, int minLongSide = 0);

} // namespace zorvex
