#pragma once
// The pictures of the comparison panel's previews: a JPEG or bitmap file
// decoded and scaled to the size its box shows it at, so that the box draws
// it pixel for pixel and a big photo never lives in memory at full size
// longer than its decoding takes.

#include <optional>
#include <string>

#include "ComparePanel.h"
#include "JpegDecode.h"

namespace zorvex {

// The file's picture scaled to ScaleToPreviewBox of its own size (an empty
// image when one side truncates to nothing); nothing when the file cannot be
// read as a picture of that kind.
std::optional<RgbImage> LoadPreviewPicture(const std::string &path, PreviewKind kind, int box = kPreviewBox);

// Each target pixel is the average of the source pixels it covers, or the
// nearest source pixel when the picture is enlarged.
RgbImage ScalePicture(const RgbImage &picture, PreviewSize size);

} // namespace zorvex
