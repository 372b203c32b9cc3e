#pragma once
// TBitmap: a device-independent pixel store. Rows are kept top-down, each
// padded to a multiple of 4 bytes (the layout a 32-bit-aligned DIB expects),
// pixels as blue, green, red (and a fourth byte in the 32-bit format).
// Reads Windows BMP files of 1, 4, 8, 16, 24 and 32 bits per pixel, bottom-up
// or top-down, with any of the usual info headers; writes 24- or 32-bit BMP.

#include <cstdint>
#include <string>
#include <vector>

#include "Color.h"
#include "Component.h"
#include "Exceptions.h"

namespace zorvex {

class TStream;

enum class TPixelFormat { pf24bit, pf32bit };

class EInvalidGraphic : public Exception {
public:
  using Exception::Exception;
};

// Largest picture a caller accepts from a file; a larger one is refused as
// malformed before its pixels are allocated.
struct TBitmapLimits {
  int MaxWidth;
  int MaxHeight;
  int64_t MaxPixels;
};

class TBitmap : public TPersistent {
public:
  TBitmap() = default;
  TBitmap(int width, int height, TPixelFormat format = TPixelFormat::pf24bit);
  TBitmap(const TBitmap &other) = default;
  TBitmap &operator=(const TBitmap &other) = default;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  // Keeps the pixels both sizes share; new pixels are black. Throws
  // EInvalidGraphic for a negative or oversized size.
  void SetSize(int width, int height);
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }
  // Frees the pixels: the bitmap becomes 0 x 0.
  void Clear();

  TPixelFormat PixelFormat() const { return format_; }
  // Converts the pixels (the fourth byte becomes 0, or is dropped).
  void SetPixelFormat(TPixelFormat format);
  int BytesPerPixel() const { return format_ == TPixelFormat::pf32bit ? 4 : 3; }
  int RowStride() const { return RowStrideFor(width_, format_); }

  // Row y counted from the top. Throws for a row outside the bitmap.
  uint8_t *ScanLine(int y);
  const uint8_t *ScanLine(int y) const;
  // All rows, top first, RowStride bytes each.
  uint8_t *Bits() { return pixels_.data(); }
  const uint8_t *Bits() const { return pixels_.data(); }

  // 0x00BBGGRR; outside the bitmap GetPixel gives clBlack and SetPixel does
  // nothing. SetPixel resolves system colours.
  TColor GetPixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);
  // Every pixel to one colour.
  void Fill(TColor color);

  // Drawn with TransparentColor left out when Transparent is set.
  bool Transparent = false;
  TColor TransparentColor = clFuchsia;

  void Assign(const TPersistent &source) override;

  // Reads one BMP file from the stream's position; EInvalidGraphic for a
  // malformed one, which leaves the bitmap as it was. No bytes at all give
  // an empty bitmap, and an empty bitmap writes no bytes.
  void LoadFromStream(TStream &stream);
  void LoadFromStream(TStream &stream, const TBitmapLimits &limits);
  void SaveToStream(TStream &stream) const;
  void LoadFromFile(const std::string &path);
  // A packed DIB: a BMP file without its 14-byte file header, as bitmap
  // resources hold them. EInvalidGraphic for a malformed one.
  void LoadFromDib(const uint8_t *data, size_t size);
  void SaveToFile(const std::string &path) const;

  std::string ClassName() const override { return "TBitmap"; }

  static int RowStrideFor(int width, TPixelFormat format);
  // The width and height a BMP file's headers give, read from its first
  // bytes only; false when they are not headers the reader takes.
  static bool ReadBitmapSize(const uint8_t *bytes, int64_t size, int &width, int &height);

private:
  int width_ = 0;
  int height_ = 0;
  TPixelFormat format_ = TPixelFormat::pf24bit;
  std::vector<uint8_t> pixels_;
};

// Largest number of pixels a bitmap may hold (a 16384 x 16384 picture).
constexpr int64_t MaxBitmapPixels = int64_t{1} << 28;
// What LoadFromStream takes when the caller gives no limits of its own.
constexpr TBitmapLimits AnyBitmap = {INT32_MAX, INT32_MAX, MaxBitmapPixels};

} // namespace zorvex
