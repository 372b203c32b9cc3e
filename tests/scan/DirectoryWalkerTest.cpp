#include "FakeScanHost.h"
#include "framework/core/FileFind.h"
#include "framework/core/Paths.h"
#include "scan/DirectoryWalker.h"
#include "scan/ScanPipeline.h"
#include "support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>

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

TEST_F(WalkerTest, FilesAndFoldersWithFurtherAttributeBitsAreScanned) {
  WriteFile(dir / "normal.txt", "n");
  WriteFile(dir / "notindexed.txt", "x");
  WriteFile(dir / "readonly/in.txt", "r");
  WriteFile(dir / "archived/in.txt", "a");
  const auto set = [&](const char *name, DWORD attributes) {
    return SetFileAttributesW(WinPath(dir / name).c_str(), attributes) != 0;
  };
  ASSERT_TRUE(set("normal.txt", FILE_ATTRIBUTE_NORMAL));
  ASSERT_TRUE(set("notindexed.txt", FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
  ASSERT_TRUE(set("readonly", FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(set("archived", FILE_ATTRIBUTE_ARCHIVE));
  pipeline.RunScan();
  EXPECT_EQ(FilesFound(), (std::vector<std::string>{Sep("archived/in.txt"), "normal.txt", "notindexed.txt",
                                                    Sep("readonly/in.txt")}));
  set("readonly", FILE_ATTRIBUTE_DIRECTORY);
}

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
