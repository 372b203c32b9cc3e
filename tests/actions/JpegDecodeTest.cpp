#include "actions/JpegDecode.h"
#include "framework/core/Streams.h"
#include "support/TempDir.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

using namespace zorvex;
using zorvex::test::EncodeJpeg;
using zorvex::test::ReadFile;
using zorvex::test::RedBlueJpeg;
using zorvex::test::TempDir;
using zorvex::test::WithClaimedSize;
using zorvex::test::WriteFile;

namespace {
void ExpectNear(const uint8_t *pixel, int r, int g, int b) {
  EXPECT_NEAR(pixel[0], r, 12);
  EXPECT_NEAR(pixel[1], g, 12);
  EXPECT_NEAR(pixel[2], b, 12);
}
} // namespace

TEST(JpegDecode, ColourAndGreyPicturesGiveRgbPixels) {
  TempDir dir;
  WriteFile(dir / "c.jpg", RedBlueJpeg(64, 48));
  const std::optional<RgbImage> colour = DecodeJpegFile(dir / "c.jpg");
  ASSERT_TRUE(colour);
  EXPECT_EQ(colour->width, 64);
  EXPECT_EQ(colour->height, 48);
  EXPECT_EQ(colour->pixels.size(), 64u * 48 * 3);
  ExpectNear(colour->Pixel(4, 24), 255, 0, 0);
  ExpectNear(colour->Pixel(60, 24), 0, 0, 255);

  WriteFile(dir / "g.jpg", EncodeJpeg(20, 10, JCS_GRAYSCALE, 1, [](int, int, int) -> uint8_t { return 200; }));
  const std::optional<RgbImage> grey = DecodeJpegFile(dir / "g.jpg");
  ASSERT_TRUE(grey);
  ExpectNear(grey->Pixel(19, 9), 200, 200, 200);
}

TEST(JpegDecode, CmykPicturesAreConvertedToRgb) {
  TempDir dir;
  // Cyan ink only, stored as Adobe does (inverted: 255 = no ink).
  WriteFile(dir / "k.jpg",
            EncodeJpeg(16, 16, JCS_CMYK, 4, [](int, int, int c) -> uint8_t { return c == 0 ? 0 : 255; }));
  const std::optional<RgbImage> image = DecodeJpegFile(dir / "k.jpg");
  ASSERT_TRUE(image);
  ExpectNear(image->Pixel(8, 8), 0, 255, 255);
}

TEST(JpegDecode, LargePicturesDecodeReducedForAPreview) {
  TempDir dir;
  WriteFile(dir / "big.jpg", RedBlueJpeg(1600, 1000));
  const std::optional<RgbImage> preview = DecodeJpegFile(dir / "big.jpg", 154);
  ASSERT_TRUE(preview);
  EXPECT_EQ(preview->width, 200); // 1/8: the longer side stays at least 154
  EXPECT_EQ(preview->height, 125);
  EXPECT_EQ(preview->sourceWidth, 1600);
  EXPECT_EQ(preview->sourceHeight, 1000);
  ExpectNear(preview->Pixel(10, 60), 255, 0, 0);

  const std::optional<RgbImage> half = DecodeJpegFile(dir / "big.jpg", 700);
  ASSERT_TRUE(half);
  EXPECT_EQ(half->width, 800);
  const std::optional<RgbImage> small = DecodeJpegFile(dir / "big.jpg", 1600);
  ASSERT_TRUE(small);
  EXPECT_EQ(small->width, 1600);
}

TEST(JpegDecode, BrokenFilesGiveNothingAndNeverCrash) {
  TempDir dir;
  const std::string good = RedBlueJpeg(64, 64);
  WriteFile(dir / "empty.jpg", "");
  WriteFile(dir / "text.jpg", "this is not a picture at all");
  WriteFile(dir / "header.jpg", good.substr(0, 40));
  std::string garbled = good;
  for (size_t i = 200; i < garbled.size(); i += 7)
    garbled[i] = static_cast<char>(garbled[i] ^ 0x5A);
  WriteFile(dir / "garbled.jpg", garbled);
  EXPECT_FALSE(DecodeJpegFile(dir / "empty.jpg"));
  EXPECT_FALSE(DecodeJpegFile(dir / "text.jpg"));
  EXPECT_FALSE(DecodeJpegFile(dir / "header.jpg"));
  EXPECT_FALSE(DecodeJpegFile(dir / "missing.jpg"));
  // Damaged data either decodes to something of the right size or gives nothing.
  if (const std::optional<RgbImage> image = DecodeJpegFile(dir / "garbled.jpg")) {
    EXPECT_EQ(image->pixels.size(), 64u * 64 * 3);
  }

  // A file cut in its picture data decodes what it holds, the rest filled in.
  const std::string big = RedBlueJpeg(512, 512);
  WriteFile(dir / "cut.jpg", big.substr(0, big.size() * 3 / 4));
  const std::optional<RgbImage> cut = DecodeJpegFile(dir / "cut.jpg");
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->height, 512);
  ExpectNear(cut->Pixel(10, 10), 255, 0, 0);

  // A header that claims a gigantic picture is refused before any allocation.
  std::string huge = good;
  const size_t sof = huge.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  huge[sof + 5] = huge[sof + 6] = huge[sof + 7] = huge[sof + 8] = '\xFF';
  WriteFile(dir / "huge.jpg", huge);
  EXPECT_FALSE(DecodeJpegFile(dir / "huge.jpg"));
}

TEST(JpegDecode, PicturesThatWouldCostTooMuchAreRefusedBeforeDecoding) {
  const auto grey = [](int x, int y, int c) -> uint8_t { return static_cast<uint8_t>(x * 3 + y * 5 + c); };
  const std::string progressive = EncodeJpeg(64, 64, JCS_RGB, 3, grey, true);
  TMemoryStream stream;
  const auto decodes = [&stream](const std::string &bytes) {
    stream.Clear();
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(0);
    return DecodeJpeg(stream, 154).has_value();
  };
  ASSERT_TRUE(decodes(progressive));
  // A few hundred bytes that claim a picture of 40000 x 30000 pixels.
  EXPECT_FALSE(decodes(WithClaimedSize(progressive, 40000, 30000)));
  // Fewer pixels, but a progressive decoder keeps every coefficient of the
  // whole picture: close to 300 MB for these.
  EXPECT_FALSE(decodes(WithClaimedSize(progressive, 10000, 9500)));
  // The same size in a baseline picture needs a few rows at a time.
  EXPECT_TRUE(decodes(WithClaimedSize(EncodeJpeg(64, 64, JCS_RGB, 3, grey), 10000, 9500)));

  // Each scan of a progressive picture passes over all of it again: a file
  // made of one scan repeated over and over is refused.
  const size_t lastScan = progressive.rfind("\xFF\xDA");
  const size_t end = progressive.rfind("\xFF\xD9");
  ASSERT_LT(lastScan, end);
  std::string scans = progressive.substr(0, end);
  for (int i = 0; i < 120; ++i)
    scans += progressive.substr(lastScan, end - lastScan);
  EXPECT_FALSE(decodes(scans + "\xFF\xD9"));
}
