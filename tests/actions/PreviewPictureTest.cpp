#include "actions/PreviewPicture.h"
#include "framework/core/Bitmap.h"
#include "framework/core/Streams.h"
#include "support/TempDir.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

using namespace zorvex;
using zorvex::test::RedBlueJpeg;
using zorvex::test::TempDir;
using zorvex::test::WriteFile;

namespace {
RgbImage Picture(int width, int height, std::initializer_list<uint8_t> pixels) {
  RgbImage image;
  image.width = image.sourceWidth = width;
  image.height = image.sourceHeight = height;
  image.pixels = pixels;
  return image;
}

std::vector<uint8_t> PixelAt(const RgbImage &image, int x, int y) {
  const uint8_t *pixel = image.Pixel(x, y);
  return {pixel[0], pixel[1], pixel[2]};
}

void ExpectRedThenBlue(const RgbImage &image) {
  const uint8_t *left = image.Pixel(2, image.height / 2);
  const uint8_t *right = image.Pixel(image.width - 3, image.height / 2);
  EXPECT_GT(left[0], 230);
  EXPECT_LT(left[2], 25);
  EXPECT_LT(right[0], 25);
  EXPECT_GT(right[2], 230);
}
} // namespace

TEST(PreviewPicture, ReducingAveragesAndEnlargingRepeatsPixels) {
  // Two 2 x 2 blocks: black and white, then red and blue.
  const RgbImage source = Picture(4, 2, {0,   0,   0,   255, 255, 255, 255, 0, 0, 0, 0, 255, //
                                         255, 255, 255, 0,   0,   0,   255, 0, 0, 0, 0, 255});
  const RgbImage reduced = ScalePicture(source, {2, 1});
  ASSERT_EQ(reduced.width, 2);
  ASSERT_EQ(reduced.height, 1);
  EXPECT_EQ(PixelAt(reduced, 0, 0), (std::vector<uint8_t>{128, 128, 128}));
  EXPECT_EQ(PixelAt(reduced, 1, 0), (std::vector<uint8_t>{128, 0, 128}));

  const RgbImage enlarged = ScalePicture(Picture(2, 1, {10, 20, 30, 40, 50, 60}), {4, 3});
  EXPECT_EQ(PixelAt(enlarged, 1, 2), (std::vector<uint8_t>{10, 20, 30}));
  EXPECT_EQ(PixelAt(enlarged, 2, 0), (std::vector<uint8_t>{40, 50, 60}));

  // A side that truncates to nothing gives an empty picture, not a crash.
  EXPECT_TRUE(ScalePicture(source, {154, 0}).pixels.empty());
}

TEST(PreviewPicture, JpegPicturesComeAtTheBoxSizeOfTheirOwnProportions) {
  TempDir dir;
  // Decoded at a quarter (251 x 126), which alone would give 154 x 77.
  WriteFile(dir / "wide.jpg", RedBlueJpeg(1003, 501));
  const std::optional<RgbImage> wide = LoadPreviewPicture(dir / "wide.jpg", PreviewKind::Jpeg);
  ASSERT_TRUE(wide);
  EXPECT_EQ(wide->width, 154);
  EXPECT_EQ(wide->height, 76);
  EXPECT_EQ(wide->sourceWidth, 1003);
  ExpectRedThenBlue(*wide);

  // Small pictures are enlarged.
  WriteFile(dir / "tall.JPG", RedBlueJpeg(40, 80));
  const std::optional<RgbImage> tall = LoadPreviewPicture(dir / "tall.JPG", PreviewKind::Jpeg);
  ASSERT_TRUE(tall);
  EXPECT_EQ(tall->width, 77);
  EXPECT_EQ(tall->height, 154);
  ExpectRedThenBlue(*tall);
}

TEST(PreviewPicture, BitmapsOfEveryDepthAreRead) {
  TempDir dir;
  for (const TPixelFormat format : {TPixelFormat::pf24bit, TPixelFormat::pf32bit}) {
    TBitmap bitmap(300, 100, format);
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 300; ++x)
        bitmap.SetPixel(x, y, x < 150 ? clRed : clBlue);
    bitmap.SaveToFile(dir / "picture.bmp");
    const std::optional<RgbImage> preview = LoadPreviewPicture(dir / "picture.bmp", PreviewKind::Bitmap);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->width, 154);
    EXPECT_EQ(preview->height, 51);
    ExpectRedThenBlue(*preview);
  }
}

TEST(PreviewPicture, FilesThatAreNotPicturesOfTheirKindGiveNothing) {
  TempDir dir;
  WriteFile(dir / "text.bmp", "BM but nothing else of a bitmap");
  WriteFile(dir / "empty.bmp", "");
  WriteFile(dir / "photo.jpg", RedBlueJpeg(32, 32));
  EXPECT_FALSE(LoadPreviewPicture(dir / "text.bmp", PreviewKind::Bitmap));
  EXPECT_FALSE(LoadPreviewPicture(dir / "empty.bmp", PreviewKind::Bitmap));
  EXPECT_FALSE(LoadPreviewPicture(dir / "missing.bmp", PreviewKind::Bitmap));
  EXPECT_FALSE(LoadPreviewPicture(dir / "photo.jpg", PreviewKind::Bitmap));
  EXPECT_FALSE(LoadPreviewPicture(dir / "text.bmp", PreviewKind::Jpeg));
  EXPECT_FALSE(LoadPreviewPicture(dir / "photo.jpg", PreviewKind::None));
}

TEST(PreviewPicture, BitmapsTooBigToHoldAreRefusedFromTheirHeader) {
  TempDir dir;
  // A header that claims 16000 x 16000 pixels over as many bytes (sparse).
  {
    TFileStream file(dir / "huge.bmp", fm::Create);
    TBitmap(2, 2).SaveToStream(file);
    const int32_t claimed[2] = {16000, 16000};
    file.SetPosition(18);
    file.WriteBuffer(claimed, sizeof claimed);
    file.SetSize(int64_t{16000} * 16000 * 3 + 54);
  }
  EXPECT_FALSE(LoadPreviewPicture(dir / "huge.bmp", PreviewKind::Bitmap));
}
