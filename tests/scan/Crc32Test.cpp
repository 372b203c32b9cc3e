#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/core/Yield.h"
#include "scan/Crc32.h"
#include "support/Crc32Reference.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <random>

#ifdef _WIN32
#include "framework/core/Paths.h"
#include <windows.h>
#endif

using namespace zorvex;
using zorvex::test::TempDir;

namespace {
std::string RandomBytes(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string bytes(n, '\0');
  for (char &c : bytes)
    c = static_cast<char>(rng());
  return bytes;
}

// Counts the yields of the checksum loop, unthrottled.
struct YieldCounter {
  int count = 0;
  YieldPump previous;
  YieldCounter() {
    SetYieldInterval(std::chrono::milliseconds(0));
    previous = SetYieldPump([this] { ++count; });
  }
  ~YieldCounter() {
    SetYieldPump(std::move(previous));
    SetYieldInterval(std::chrono::milliseconds(15));
  }
};

// A stream that claims more bytes than it delivers, like a file cut short
// while it is read.
class ShrinkingStream : public TMemoryStream {
public:
  int64_t Size() override { return TMemoryStream::Size() + 100; }
};
} // namespace

TEST(Crc32, KnownValues) {
  TMemoryStream abc;
  abc.WriteBuffer("abc", 3);
  abc.SetPosition(0);
  EXPECT_EQ(StreamCrc32(abc), 891568578u);
  EXPECT_EQ(abc.Position(), 3); // left at its end

  TMemoryStream empty;
  EXPECT_EQ(StreamCrc32(empty), 0u);
  EXPECT_EQ(test::Crc32Table()[1], 0x77073096u);
}

TEST(Crc32, StartsFromTheStreamPosition) {
  TMemoryStream s;
  s.WriteBuffer("xxabc", 5);
  s.SetPosition(2);
  EXPECT_EQ(StreamCrc32(s), 891568578u);
}

TEST(Crc32, MatchesTheByteAtATimeReferenceAcrossBlockBoundaries) {
  TempDir dir;
  for (const size_t n : {size_t(1), size_t(8192), size_t(8193), kChecksumBlockSize - 1, kChecksumBlockSize,
                         kChecksumBlockSize + 1, 3 * kChecksumBlockSize + 17}) {
    const std::string bytes = RandomBytes(n, static_cast<unsigned>(n));
    const std::string path = dir / ("f" + std::to_string(n));
    test::WriteFile(path, bytes);
    EXPECT_EQ(FileCrc32(path), test::ReferenceCrc32(bytes.data(), bytes.size())) << n << " bytes";
  }
}

TEST(Crc32, YieldsOncePerBlockAndNeverForAnEmptyFile) {
  TempDir dir;
  test::WriteFile(dir / "empty", "");
  test::WriteFile(dir / "one", RandomBytes(kChecksumBlockSize, 1));
  test::WriteFile(dir / "two", RandomBytes(kChecksumBlockSize + 1, 2));
  {
    YieldCounter yields;
    EXPECT_EQ(FileCrc32(dir / "empty"), 0u);
    EXPECT_EQ(yields.count, 0);
  }
  {
    YieldCounter yields;
    FileCrc32(dir / "one");
    EXPECT_EQ(yields.count, 1);
  }
  {
    YieldCounter yields;
    FileCrc32(dir / "two");
    EXPECT_EQ(yields.count, 2);
  }
}

TEST(Crc32, AStreamEndingBeforeItsSizeIsAReadFailure) {
  ShrinkingStream s;
  s.WriteBuffer("abc", 3);
  s.SetPosition(0);
  EXPECT_THROW(StreamCrc32(s), EReadError);
}

TEST(Crc32, MissingFilesAndFoldersAreFileOpenErrors) {
  TempDir dir;
  EXPECT_THROW(FileCrc32(dir / "missing"), EFOpenError);
  EXPECT_THROW(FileCrc32(dir.Path()), EFOpenError);
}

TEST(ContentDigest, SameBytesSameDigestAndAForgedCrcStillDiffers) {
  TempDir dir;
  const std::string a = RandomBytes(5000, 7);
  test::WriteFile(dir / "a", a);
  test::WriteFile(dir / "a2", a);
  const ContentDigest da = FileDigest(dir / "a");
  EXPECT_EQ(da, FileDigest(dir / "a2"));
  EXPECT_EQ(da.crc, FileCrc32(dir / "a"));

  // Same length and same CRC-32, different content: the last four bytes of
  // another buffer are chosen to bring its CRC to the first one's. After four
  // steps the register depends only on the four table indices used, so they
  // are found backwards from the wanted value, then the bytes forwards.
  std::string b = RandomBytes(5000, 8);
  const uint32_t target = da.crc;
  const auto &table = test::Crc32Table();
  uint32_t want = target ^ 0xFFFFFFFFu;
  uint8_t idx[4] = {};
  for (int k = 3; k >= 0; --k) {
    for (int i = 0; i < 256; ++i)
      if ((table[i] >> 24) == (want >> 24))
        idx[k] = static_cast<uint8_t>(i);
    want = (want ^ table[idx[k]]) << 8;
  }
  uint32_t reg = test::ReferenceCrc32(b.data(), b.size() - 4) ^ 0xFFFFFFFFu;
  for (int k = 0; k < 4; ++k) {
    const uint8_t byte = static_cast<uint8_t>((reg ^ idx[k]) & 0xFF);
    b[b.size() - 4 + k] = static_cast<char>(byte);
    reg = (reg >> 8) ^ table[idx[k]];
  }
  ASSERT_EQ(test::ReferenceCrc32(b.data(), b.size()), target);
  test::WriteFile(dir / "b", b);
  const ContentDigest db = FileDigest(dir / "b");
  EXPECT_EQ(db.crc, da.crc);
  EXPECT_NE(db, da);
}
