#include "scan/FileContent.h"
#include "framework/core/Exceptions.h"
#include "support/Crc32Reference.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace zorvex;
using zorvex::test::RandomBytes;
using zorvex::test::TempDir;

namespace {

uint32_t Crc(const std::string &bytes) { return test::ReferenceCrc32(bytes.data(), bytes.size()); }

struct FileContentTest : ::testing::Test {
  TempDir dir;
  // Reads the file as the scan does: its prefix, then the rest when there is one.
  FileContent Read(const std::string &name, const std::string &bytes, int64_t listedSize = -1) {
    test::WriteFile(dir / name, bytes);
    const int64_t size = listedSize < 0 ? static_cast<int64_t>(bytes.size()) : listedSize;
    FileContent content;
    ReadFileContentPart(dir / name, size, ContentPart::Prefix, content);
    if (content.read == ContentRead::Prefix)
      ReadFileContentPart(dir / name, size, ContentPart::Rest, content);
    return content;
  }
};

TEST_F(FileContentTest, ASmallFileIsWholeAfterItsPrefixALargeOneAfterItsRest) {
  const std::string small = RandomBytes(static_cast<size_t>(kPrefixSize), 1);
  FileContent content;
  test::WriteFile(dir / "small", small);
  ReadFileContentPart(dir / "small", kPrefixSize, ContentPart::Prefix, content);
  EXPECT_EQ(content.read, ContentRead::Whole);
  EXPECT_EQ(content.crc, Crc(small));

  const std::string large = RandomBytes(static_cast<size_t>(3 * kPrefixSize + 5), 2);
  test::WriteFile(dir / "large", large);
  FileContent partial;
  ReadFileContentPart(dir / "large", static_cast<int64_t>(large.size()), ContentPart::Prefix, partial);
  EXPECT_EQ(partial.read, ContentRead::Prefix);
  EXPECT_FALSE(partial.SameAs(partial)); // not read whole: never a double
  ReadFileContentPart(dir / "large", static_cast<int64_t>(large.size()), ContentPart::Rest, partial);
  EXPECT_EQ(partial.read, ContentRead::Whole);
  EXPECT_EQ(partial.crc, Crc(large));
  EXPECT_TRUE(partial.SameAs(Read("copy", large)));
}

TEST_F(FileContentTest, AForgedCrcStillDiffers) {
  for (const size_t size : {size_t(5000), static_cast<size_t>(kPrefixSize) + 5000}) {
    SCOPED_TRACE(size);
    const std::string a = RandomBytes(size, 7);
    std::string b = a.substr(0, size - 1000) + RandomBytes(1000 - 4, 8);
    b += test::ForgeCrcSuffix(b, Crc(a));
    ASSERT_EQ(Crc(b), Crc(a));
    const FileContent ca = Read("a", a), cb = Read("b", b);
    EXPECT_EQ(ca.crc, cb.crc);
    EXPECT_FALSE(ca.SameAs(cb));
  }
}

TEST_F(FileContentTest, AFileWhoseSizeChangedSinceItWasListedIsAReadFailure) {
  const std::string small = RandomBytes(100, 3), large = RandomBytes(static_cast<size_t>(kPrefixSize) + 100, 4);
  EXPECT_THROW(Read("grew", small, 99), EReadError);
  EXPECT_THROW(Read("shrank", small, 101), EReadError);
  EXPECT_THROW(Read("grew-large", large, static_cast<int64_t>(large.size()) - 1), EReadError);
  EXPECT_THROW(Read("shrank-large", large, static_cast<int64_t>(large.size()) + 1), EReadError);
}

} // namespace
