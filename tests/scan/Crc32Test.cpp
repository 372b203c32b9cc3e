#include "scan/Crc32.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/core/Yield.h"
#include "support/Crc32Reference.h"
#include "support/TempDir.h"
#include "support/YieldHook.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "framework/core/Paths.h"
#include <windows.h>
#endif

using namespace zorvex;
using zorvex::test::TempDir;

namespace {
using test::RandomBytes;

// Counts the checksum loop's yields, unthrottled.
struct YieldCounter {
  int count = 0;
  test::AtEveryYield hook{[this] { ++count; }};
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
