#include "JpegDecode.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs size_t and FILE declared before it
#include <memory>
#include <new>

#include <jerror.h>
#include <jpeglib.h>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"

namespace zorvex {

namespace {
// A header is only a claim: a few hundred bytes may announce a picture of
// billions of pixels. Such pictures are refused once the header is read,
// before the decoder allocates anything for the pixels. The memory bound
// catches what the pixel bound lets through, above all progressive pictures,
// whose decoder holds every coefficient of the whole picture at once.
constexpr uint64_t kMaxPixels = 100'000'000;
constexpr long kMaxDecoderMemory = 256L * 1024 * 1024;
// Each scan of a progressive picture passes over the whole picture again; a
// few bytes make one more scan. Real pictures have a dozen or so.
constexpr int kMaxScans = 100;
constexpr size_t kReadBlock = 64 * 1024;

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void ErrorExit(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->jump, 1); }
void OutputMessage(j_common_ptr) {} // warnings are not shown anywhere

void LimitScans(j_common_ptr common) {
  const auto *info = reinterpret_cast<j_decompress_ptr>(common);
  if (info->is_decompressor && info->input_scan_number > kMaxScans)
    ERREXIT(common, JERR_BAD_PROGRESSION);
}

struct StreamSource {
  jpeg_source_mgr base;
  TStream *stream;
  JOCTET buffer[kReadBlock];
  bool started;
};

void InitSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr info) {
  auto *source = reinterpret_cast<StreamSource *>(info->src);
  int64_t got = 0;
  bool failed = false;
  try {
    got = source->stream->Read(source->buffer, kReadBlock);
  } catch (const Exception &) {
    failed = true;
  }
  // Leave the handler before jumping out of the decoder.
  if (failed)
    ERREXIT(info, JERR_FILE_READ);
  if (got <= 0) {
    if (!source->started)
      ERREXIT(info, JERR_INPUT_EMPTY);
    // A truncated picture: end it the way libjpeg's own sources do.
    WARNMS(info, JWRN_JPEG_EOF);
    source->buffer[0] = 0xFF;
    source->buffer[1] = JPEG_EOI;
    got = 2;
  }
  source->base.next_input_byte = source->buffer;
  source->base.bytes_in_buffer = static_cast<size_t>(got);
  source->started = true;
  return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count) {
  auto *source = reinterpret_cast<StreamSource *>(info->src);
  while (count > static_cast<long>(source->base.bytes_in_buffer)) {
    count -= static_cast<long>(source->base.bytes_in_buffer);
    FillInputBuffer(info);
  }
  if (count > 0) {
    source->base.next_input_byte += count;
    source->base.bytes_in_buffer -= static_cast<size_t>(count);
  }
}

void TermSource(j_decompress_ptr) {}

// The largest reduction that keeps the longer side at least minLongSide.
unsigned ScaleDenominator(unsigned width, unsigned height, int minLongSide) {
  if (minLongSide <= 0)
    return 1;
  const unsigned longSide = width > height ? width : height;
  unsigned denominator = 1;
  while (denominator < 8 && (longSide + denominator * 2 - 1) / (denominator * 2) >= static_cast<unsigned>(minLongSide))
    denominator *= 2;
  return denominator;
}

void CmykToRgb(const JSAMPLE *cmyk, uint8_t *rgb, unsigned width, bool inverted) {
  for (unsigned x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
    // Adobe's files store the inks inverted: 255 means no ink.
    const unsigned c = inverted ? cmyk[0] : 255 - cmyk[0];
    const unsigned m = inverted ? cmyk[1] : 255 - cmyk[1];
    const unsigned y = inverted ? cmyk[2] : 255 - cmyk[2];
    const unsigned k = inverted ? cmyk[3] : 255 - cmyk[3];
    rgb[0] = static_cast<uint8_t>(c * k / 255);
    rgb[1] = static_cast<uint8_t>(m * k / 255);
    rgb[2] = static_cast<uint8_t>(y * k / 255);
  }
}

// Everything between setjmp and a longjmp back to it lives in the caller or
// in plain structures, so no destructor is ever skipped.
bool Decode(jpeg_decompress_struct &info, ErrorManager &errors, StreamSource &source, jpeg_progress_mgr &progress,
            int minLongSide, RgbImage &out, std::vector<JSAMPLE> &row) {
  if (setjmp(errors.jump))
    return false;
  jpeg_create_decompress(&info);
  info.src = &source.base;
  info.mem->max_memory_to_use = kMaxDecoderMemory;
  info.progress = &progress;
  if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK)
    return false;
  if (info.image_width == 0 || info.image_height == 0 ||
      static_cast<uint64_t>(info.image_width) * info.image_height > kMaxPixels)
    return false;
  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  info.scale_num = 1;
  info.scale_denom = ScaleDenominator(info.image_width, info.image_height, minLongSide);
  jpeg_calc_output_dimensions(&info);
  jpeg_start_decompress(&info);
  const unsigned components = static_cast<unsigned>(info.output_components);
  if (components != (cmyk ? 4u : 3u))
    return false;
  out.width = static_cast<int>(info.output_width);
  out.height = static_cast<int>(info.output_height);
  out.sourceWidth = static_cast<int>(info.image_width);
  out.sourceHeight = static_cast<int>(info.image_height);
  out.pixels.resize(static_cast<size_t>(info.output_width) * info.output_height * 3);
  row.resize(static_cast<size_t>(info.output_width) * components);
  while (info.output_scanline < info.output_height) {
    uint8_t *target = &out.pixels[static_cast<size_t>(info.output_scanline) * info.output_width * 3];
    JSAMPROW rows[1] = {cmyk ? row.data() : target};
    if (jpeg_read_scanlines(&info, rows, 1) != 1)
      return false;
    if (cmyk)
      CmykToRgb(row.data(), target, info.output_width, info.saw_Adobe_marker);
  }
  jpeg_finish_decompress(&info);
  return true;
}
} // namespace

std::optional<RgbImage> DecodeJpeg(TStream &stream, int minLongSide) {
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = ErrorExit;
  errors.base.output_message = OutputMessage;
  auto source = std::make_unique<StreamSource>();
  source->base.init_source = InitSource;
  source->base.fill_input_buffer = FillInputBuffer;
  source->base.skip_input_data = SkipInputData;
  source->base.resync_to_restart = jpeg_resync_to_restart;
  source->base.term_source = TermSource;
  source->stream = &stream;
  source->started = false;
  jpeg_progress_mgr progress{};
  progress.progress_monitor = LimitScans;

  RgbImage image;
  std::vector<JSAMPLE> row;
  bool ok = false;
  try {
    ok = Decode(info, errors, *source, progress, minLongSide, image, row);
  } catch (const std::bad_alloc &) {
    ok = false;
  }
  jpeg_destroy_decompress(&info);
  if (!ok)
    return std::nullopt;
  return image;
}

std::optional<RgbImage> DecodeJpegFile(const std::string &path, int minLongSide) {
  try {
    TFileStream file(path, fm::OpenRead | fm::ShareDenyNone);
    return DecodeJpeg(file, minLongSide);
  } catch (const Exception &) {
    return std::nullopt;
  }
}

} // namespace zorvex
