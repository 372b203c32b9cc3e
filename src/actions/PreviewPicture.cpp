#include "PreviewPicture.h"

#include <algorithm>
#include <climits>
#include <new>
#include <vector>

#include "framework/core/Bitmap.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"

namespace zorvex {

namespace {
// readRow(y, rgb) fills one source row as R, G, B bytes.
template <typename ReadRow> RgbImage Scale(int sourceWidth, int sourceHeight, PreviewSize size, ReadRow readRow) {
  RgbImage out;
  out.sourceWidth = sourceWidth;
  out.sourceHeight = sourceHeight;
  if (size.width <= 0 || size.height <= 0 || sourceWidth <= 0 || sourceHeight <= 0)
    return out;
  out.width = size.width;
  out.height = size.height;
  out.pixels.resize(static_cast<size_t>(size.width) * size.height * 3);

  const auto span = [](int index, int source, int target) {
    const int from = static_cast<int>(int64_t{index} * source / target);
    const int to = static_cast<int>(int64_t{index + 1} * source / target);
    return std::pair{from, std::max(to, from + 1)};
  };
  std::vector<std::pair<int, int>> columns(static_cast<size_t>(size.width));
  for (int x = 0; x < size.width; ++x)
    columns[x] = span(x, sourceWidth, size.width);

  std::vector<uint8_t> row(static_cast<size_t>(sourceWidth) * 3);
  std::vector<uint64_t> sums(static_cast<size_t>(size.width) * 3);
  for (int y = 0; y < size.height; ++y) {
    const auto [top, bottom] = span(y, sourceHeight, size.height);
    std::fill(sums.begin(), sums.end(), 0);
    for (int sourceY = top; sourceY < bottom; ++sourceY) {
      readRow(sourceY, row.data());
      for (int x = 0; x < size.width; ++x)
        for (int sourceX = columns[x].first; sourceX < columns[x].second; ++sourceX)
          for (int c = 0; c < 3; ++c)
            sums[x * 3 + c] += row[static_cast<size_t>(sourceX) * 3 + c];
    }
    uint8_t *target = &out.pixels[static_cast<size_t>(y) * size.width * 3];
    for (int x = 0; x < size.width; ++x) {
      const uint64_t count = uint64_t(columns[x].second - columns[x].first) * uint64_t(bottom - top);
      for (int c = 0; c < 3; ++c)
        target[x * 3 + c] = static_cast<uint8_t>((sums[x * 3 + c] + count / 2) / count);
    }
  }
  return out;
}

// A bitmap is held whole while it is scaled: pictures that could take more
// than a JPEG decoder may (256 MB at four bytes a pixel) are refused from
// their header.
constexpr TBitmapLimits kPreviewBitmapLimits = {INT32_MAX, INT32_MAX, 64 << 20};

std::optional<RgbImage> LoadBitmapPreview(const std::string &path, int box) {
  TFileStream file(path, fm::OpenRead | fm::ShareDenyWrite);
  TBitmap bitmap;
  bitmap.LoadFromStream(file, kPreviewBitmapLimits);
  if (bitmap.Empty())
    return std::nullopt;
  const int bytes = bitmap.BytesPerPixel();
  return Scale(bitmap.Width(), bitmap.Height(), ScaleToPreviewBox(bitmap.Width(), bitmap.Height(), box),
               [&bitmap, bytes](int y, uint8_t *rgb) {
                 const uint8_t *pixel = bitmap.ScanLine(y);
                 for (int x = 0; x < bitmap.Width(); ++x, pixel += bytes, rgb += 3) {
                   rgb[0] = pixel[2];
                   rgb[1] = pixel[1];
                   rgb[2] = pixel[0];
                 }
               });
}

std::optional<RgbImage> LoadJpegPreview(const std::string &path, int box) {
  // Decoded at a reduced scale when the picture is big; the target size
  // still follows the picture's own proportions.
  const std::optional<RgbImage> decoded = DecodeJpegFile(path, box);
  if (!decoded)
    return std::nullopt;
  RgbImage scaled = ScalePicture(*decoded, ScaleToPreviewBox(decoded->sourceWidth, decoded->sourceHeight, box));
  scaled.sourceWidth = decoded->sourceWidth;
  scaled.sourceHeight = decoded->sourceHeight;
  return scaled;
}
} // namespace

RgbImage ScalePicture(const RgbImage &picture, PreviewSize size) {
  return Scale(picture.width, picture.height, size, [&picture](int y, uint8_t *rgb) {
    std::copy_n(picture.Pixel(0, y), static_cast<size_t>(picture.width) * 3, rgb);
  });
}

std::optional<RgbImage> LoadPreviewPicture(const std::string &path, PreviewKind kind, int box) {
  try {
    switch (kind) {
    case PreviewKind::Jpeg: return LoadJpegPreview(path, box);
    case PreviewKind::Bitmap: return LoadBitmapPreview(path, box);
    case PreviewKind::None: break;
    }
  } catch (const Exception &) {
    // Unreadable, or not a picture of that kind.
  } catch (const std::bad_alloc &) {
    // Too big to hold.
  }
  return std::nullopt;
}

} // namespace zorvex
