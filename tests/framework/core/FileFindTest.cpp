#include "framework/core/FileFind.h"
#include "framework/core/Paths.h"
#include "framework/core/Streams.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <map>

#ifndef _WIN32
#include <unistd.h>
#endif

using namespace zorvex;
using zorvex::test::TempDir;

namespace {

struct Entry {
  int64_t size;
  uint32_t attr;
};

std::map<std::string, Entry> List(const std::string &pattern) {
  std::map<std::string, Entry> entries;
  TSearchRec rec;
  for (int rc = FindFirst(pattern, fa::AnyFile, rec); rc == 0; rc = FindNext(rec))
    entries[rec.Name] = Entry{rec.Size, rec.Attr};
  FindClose(rec);
  return entries;
}
} // namespace

TEST(FileFind, ListsFilesAndFoldersWithSizesAndAttributes) {
  TempDir dir;
  test::WriteFile(dir / "a.txt", "12345");
  test::WriteFile(dir / "sub/inner.txt", "x");
  test::WriteFile(dir / "\xC3\xA9t\xC3\xA9.jpg", "");

  const auto entries = List(dir / "*.*");
  ASSERT_TRUE(entries.count("a.txt"));
  EXPECT_EQ(entries.at("a.txt").size, 5);
  EXPECT_EQ(entries.at("a.txt").attr & fa::Directory, 0u);
  ASSERT_TRUE(entries.count("sub"));
  EXPECT_NE(entries.at("sub").attr & fa::Directory, 0u);
  EXPECT_TRUE(entries.count("\xC3\xA9t\xC3\xA9.jpg"));
  EXPECT_FALSE(entries.count("inner.txt")); // one level only
}

TEST(FileFind, MissingFolderAndEmptyMatchReportFailure) {
  TempDir dir;
  TSearchRec rec;
  EXPECT_NE(FindFirst(dir / "nowhere/*.*", fa::AnyFile, rec), 0);
  test::WriteFile(dir / "a.txt", "");
  EXPECT_NE(FindFirst(dir / "*.jpg", fa::AnyFile, rec), 0);
  EXPECT_EQ(FindFirst(dir / "*.TXT", fa::AnyFile, rec), 0);
  EXPECT_EQ(rec.Name, "a.txt");
}

TEST(FileFind, LargeSizesAreNotTruncated) {
  TempDir dir;
  const std::string path = dir / "big.bin";
  {
    TFileStream file(path, fm::Create);
    file.SetSize(4294967296LL + 100); // sparse where the file system allows it
  }
  const auto entries = List(dir / "*.*");
  EXPECT_EQ(entries.at("big.bin").size, 4294967296LL + 100);
}

TEST(MatchesMask, WindowsWildcards) {
  EXPECT_TRUE(MatchesMask("noext", "*.*"));
  EXPECT_TRUE(MatchesMask("Photo.JPG", "*.jpg"));
  EXPECT_TRUE(MatchesMask("abc", "a?c"));
  EXPECT_FALSE(MatchesMask("abcd", "a?c"));
  EXPECT_TRUE(MatchesMask("readme", "read*.*"));
  EXPECT_FALSE(MatchesMask("a.jpeg", "*.jpg"));
}

#ifndef _WIN32
TEST(FileFind, PosixAttributesAreSynthesized) {
  TempDir dir;
  test::WriteFile(dir / ".hidden", "h");
  test::WriteFile(dir / "target.txt", "t");
  test::MakeDir(dir / "folder");
  ASSERT_EQ(symlink((dir / "folder").c_str(), (dir / "link").c_str()), 0);
  test::WriteFile(dir / "ro.txt", "r");
  ASSERT_EQ(chmod((dir / "ro.txt").c_str(), 0444), 0);

  const auto entries = List(dir / "*.*");
  EXPECT_EQ(entries.at(".hidden").attr, fa::Hidden | fa::Archive);
  EXPECT_EQ(entries.at("target.txt").attr, fa::Archive);
  EXPECT_EQ(entries.at("folder").attr, fa::Directory);
  EXPECT_EQ(entries.at("link").attr & (fa::ReparsePoint | fa::Directory), fa::ReparsePoint);
  EXPECT_EQ(entries.at("ro.txt").attr, fa::Archive | fa::ReadOnly);
}
#endif
