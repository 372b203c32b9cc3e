#include "scan/DirectoryWalker.h"
#include "FakeScanHost.h"
#include "framework/core/FileFind.h"
#include "framework/core/Paths.h"
#include "scan/ScanPipeline.h"
#include "scan/ScanState.h"
#include "support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

#ifdef _WIN32
#include "framework/core/Texts.h"
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace zorvex;
using zorvex::test::FakeScanHost;
using zorvex::test::TempDir;
using zorvex::test::WriteFile;

namespace {

TEST(ClassifyEntry, TheDirectoryBitMakesAFolderWhateverElseIsSet) {
  for (uint32_t word : {0x10u, 0x30u, 0x11u, 0x12u, 0x16u, 0x2010u, 0x810u})
    EXPECT_EQ(ClassifyEntry("d", word), EntryKind::Folder) << std::hex << word;
  for (uint32_t word : {0x0u, 0x20u, 0x80u, 0x01u, 0x06u, 0x100u, 0x200u, 0x800u, 0x2000u, 0x4000u, 0x2821u})
    EXPECT_EQ(ClassifyEntry("f", word), EntryKind::File) << std::hex << word;
  // Links, junctions, placeholders, offline entries, volume labels, devices.
  for (uint32_t word : {0x400u, 0x410u, 0x420u, 0x1020u, 0x40020u, 0x400020u, 0x400010u, 0x08u, 0x40u})
    EXPECT_EQ(ClassifyEntry("x", word), EntryKind::Ignored) << std::hex << word;
  EXPECT_EQ(ClassifyEntry(".", 0x10), EntryKind::Ignored);
  EXPECT_EQ(ClassifyEntry("..", 0x10), EntryKind::Ignored);
  EXPECT_EQ(ClassifyEntry("...", 0x20), EntryKind::File);
}

TEST(IsSystemFolderName, TheRecycleBinsAndVolumeInformationInAnyCase) {
  for (const char *name : {"$Recycle.Bin", "$RECYCLE.BIN", "RECYCLER", "recycled", "System Volume Information"})
    EXPECT_TRUE(IsSystemFolderName(name)) << name;
  for (const char *name : {"Recycle.Bin", "$Recycle.Bin2", "RECYCLE", "System Volume", "Recycled Photos"})
    EXPECT_FALSE(IsSystemFolderName(name)) << name;
}

TEST(SizeShared, AtLeastTwoOfTheSortedSizes) {
  const std::vector<int64_t> sizes = {1, 5, 5, 7, 9, 9, 9};
  EXPECT_TRUE(SizeShared(sizes, 5));
  EXPECT_TRUE(SizeShared(sizes, 9));
  for (int64_t alone : {0, 1, 6, 7, 10})
    EXPECT_FALSE(SizeShared(sizes, alone)) << alone;
  EXPECT_FALSE(SizeShared({}, 1));
}

struct WalkerTest : ::testing::Test {
  TempDir dir;
  FakeScanHost host;
  ScanState state;
  ScanPipeline pipeline{host, state};

  void SetUp() override { host.options.startDirectory = dir.Path(); }
  std::vector<std::string> FilesFound() {
    std::vector<std::string> names;
    for (int row = 1; row <= state.FileCount; ++row)
      names.push_back(host.Files().Cell(1, row).substr(dir.Path().size() + 1));
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string Sep(std::string path) {
    std::replace(path.begin(), path.end(), '/', PathDelim);
    return path;
  }
};

TEST_F(WalkerTest, HiddenEntriesAreInScope) {
#ifdef _WIN32
  WriteFile(dir / "hidden.txt", "h");
  WriteFile(dir / "sys/inside.txt", "s");
  ASSERT_TRUE(SetFileAttributesW(WinPath(dir / "hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  ASSERT_TRUE(SetFileAttributesW(WinPath(dir / "sys").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  // A folder whose word is not exactly 0x10 is still a folder to visit.
  TSearchRec entry;
  ASSERT_EQ(FindFirst(dir / "sys", fa::AnyFile, entry), 0);
  EXPECT_EQ(entry.Attr, 0x16u);
  pipeline.RunScan();
  EXPECT_EQ(FilesFound(), (std::vector<std::string>{"hidden.txt", Sep("sys/inside.txt")}));
#else
  WriteFile(dir / ".hidden", "h");
  WriteFile(dir / ".folder/inside", "i");
  pipeline.RunScan();
  EXPECT_EQ(FilesFound(), (std::vector<std::string>{".folder/inside", ".hidden"}));
#endif
}

#ifdef _WIN32

TEST_F(WalkerTest, AFileLockedAgainstReadingIsSkipped) {
  WriteFile(dir / "locked", "same");
  WriteFile(dir / "free1", "same");
  WriteFile(dir / "free2", "same");
  HANDLE lock = CreateFileW(WinPath(dir / "locked").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  pipeline.RunScan();
  CloseHandle(lock);
  EXPECT_EQ(FilesFound(), (std::vector<std::string>{"free1", "free2"}));
  EXPECT_EQ(state.ScopeCount, 3);
  EXPECT_EQ(state.DoubleCount, 1);
  EXPECT_EQ(host.messages.size(), 1u); // only the closing message
}

#else

TEST_F(WalkerTest, LinksAndSpecialFilesAreNeitherFollowedNorRead) {
  WriteFile(dir / "real/file", "content");
  ASSERT_EQ(symlink((dir / "real").c_str(), (dir / "dirlink").c_str()), 0);
  ASSERT_EQ(symlink((dir / "real/file").c_str(), (dir / "filelink").c_str()), 0);
  ASSERT_EQ(symlink(dir.Path().c_str(), (dir / "real/loop").c_str()), 0);
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0600), 0); // opening it would block
  pipeline.RunScan();
  EXPECT_EQ(FilesFound(), (std::vector<std::string>{"real/file"}));
  EXPECT_EQ(state.DirCount, 1);
  EXPECT_EQ(state.DoubleCount, 0);
}

TEST_F(WalkerTest, AFileThatVanishesBeforeItsChecksumGetsNoRow) {
  WriteFile(dir / "a", "same");
  WriteFile(dir / "b", "same");
  WriteFile(dir / "c", "same");
  host.onPhase = [&](const std::string &text) {
    if (text == PhaseText(2, false))
      DeleteFileAt(dir / "b");
  };
  pipeline.RunScan();
  EXPECT_EQ(FilesFound(), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(state.ScopeCount, 3);
  EXPECT_EQ(state.DoubleCount, 1);
  EXPECT_LT(host.progress.Position, 100); // the bar ends short
}

#endif

TEST_F(WalkerTest, AttributeWordsDecideWhatIsVisitedAndWhatIsAFile) {
  // The words a Windows volume gives (a Unix file system under Wine keeps
  // only some of them), over real files so that they can be opened.
  const std::string root = dir.Path() + PathDelim;
  const std::map<std::string, std::vector<ListedEntry>> listings = {
      {root + "*.*",
       {{".", 0, 0x10},
        {"..", 0, 0x10},
        {"normal", 3, 0x80},
        {"notindexed", 3, 0x2000},
        {"compressed", 3, 0x821},
        {"readonly", 0, 0x11},
        {"archived", 0, 0x30},
        {"junction", 0, 0x410},
        {"link", 3, 0x420},
        {"placeholder", 3, 0x400020},
        {"offline", 3, 0x1020}}},
      {root + "readonly" + PathDelim + "*.*", {{"a", 3, 0x21}}},
      {root + "archived" + PathDelim + "*.*", {{"b", 3, 0x20}}}};
  for (const char *name : {"normal", "notindexed", "compressed", "link", "placeholder", "offline"})
    WriteFile(dir / name, "abc");
  WriteFile(dir / "readonly/a", "abc");
  WriteFile(dir / "archived/b", "abc");
  std::vector<std::string> listed;
  pipeline.SetDirectoryLister([&](const std::string &pattern) {
    listed.push_back(pattern);
    const auto found = listings.find(pattern);
    return found == listings.end() ? std::vector<ListedEntry>{} : found->second;
  });
  pipeline.RunScan();
  EXPECT_EQ(FilesFound(),
            (std::vector<std::string>{Sep("archived/b"), "compressed", "normal", "notindexed", Sep("readonly/a")}));
  EXPECT_EQ(state.DoubleCount, 4);
  // Phase 2 went through phase 1's entries: each folder listed once.
  EXPECT_EQ(listed.size(), 3u);
}

TEST_F(WalkerTest, SystemFoldersAreSkippedWhereMarkedAndAtAVolumeRoot) {
  const auto walk = [&](const std::string &start, const std::map<std::string, std::vector<ListedEntry>> &listings) {
    std::vector<std::string> listed;
    pipeline.SetDirectoryLister([&](const std::string &pattern) {
      listed.push_back(pattern);
      const auto found = listings.find(pattern);
      return found == listings.end() ? std::vector<ListedEntry>{} : found->second;
    });
    host.options.startDirectory = start;
    pipeline.RunScan();
    std::sort(listed.begin(), listed.end());
    listed.erase(std::unique(listed.begin(), listed.end()), listed.end());
    return listed;
  };
  const std::string root = dir.Path() + PathDelim;
  const std::string sub = root + "sub" + PathDelim;
  // Below the root of a volume, only the system attribute marks them.
  EXPECT_EQ(walk(root, {{root + "*.*", {{"sub", 0, 0x10}}},
                        {sub + "*.*",
                         {{"$RECYCLE.BIN", 0, 0x16}, {"System Volume Information", 0, 0x14}, {"RECYCLER", 0, 0x10}}}}),
            (std::vector<std::string>{root + "*.*", sub + "*.*", sub + "RECYCLER" + PathDelim + "*.*"}));
#ifdef _WIN32
  const std::string volume = "C:\\";
#else
  const std::string volume = "/";
#endif
  EXPECT_EQ(walk(volume, {{volume + "*.*", {{"$Recycle.Bin", 0, 0x10}, {"RECYCLED", 0, 0x11}, {"data", 0, 0x10}}}}),
            (std::vector<std::string>{volume + "*.*", volume + "data" + PathDelim + "*.*"}));
}

TEST_F(WalkerTest, SizeWindowAndFiltersApplyInTheirOrder) {
  WriteFile(dir / "exact.jpg", std::string(1024, 'a'));
  WriteFile(dir / "above.JPG", std::string(1025, 'a'));
  WriteFile(dir / "above.txt", std::string(1025, 'a'));
  WriteFile(dir / "above.tmp.jpg", std::string(1026, 'a'));
  WriteFile(dir / "huge.jpg", std::string(10240, 'a'));
  host.options.lower = SizeBound::Class(1);
  host.options.upper = SizeBound::Class(2);
  host.options.includeFilter = "*.jpg";
  host.options.excludeFilter = "x.TMP";
  pipeline.RunScan();
  EXPECT_EQ(FilesFound(), (std::vector<std::string>{"above.JPG", "above.tmp.jpg"}));
  EXPECT_EQ(state.ScopeCount, 2);
}

} // namespace
