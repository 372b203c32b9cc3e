#include "actions/RecycleBin.h"
#include "actions/FileCompare.h"
#include "framework/core/Paths.h"
#include "scan/ResultTables.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace zorvex;
using zorvex::test::ReadFile;
using zorvex::test::TempDir;
using zorvex::test::WriteFile;

namespace {
std::filesystem::path U8(const std::string &utf8) { return std::u8string(utf8.begin(), utf8.end()); }

// A Recycle Bin that moves files into a folder, remembering the order.
struct FakeBin {
  TempDir bin;
  std::vector<std::string> recycled;
  bool refuse = false;
  int beeps = 0;

  Recycler Recycle() {
    return [this](const std::string &path) {
      if (refuse)
        return false;
      std::filesystem::rename(U8(path), U8(bin / std::to_string(recycled.size())));
      recycled.push_back(path);
      return true;
    };
  }
  Beeper Beep() {
    return [this] { ++beeps; };
  }
};

TGridModel GridOf(const std::vector<std::pair<std::string, std::string>> &pairs, int extraRows = 0) {
  TGridModel grid = MakeResultGrid(ResultGrid::Doubles);
  int count = 0;
  for (const auto &[first, second] : pairs)
    AppendRow(grid, ResultGrid::Doubles, count, {std::to_string(count + 1), first, second, "00000004"});
  grid.SetRowCount(grid.RowCount() + extraRows);
  return grid;
}

// Files a, b, c (one set) and d, e (another) with their own contents.
struct Sets {
  TempDir dir;
  std::string a = dir / "a", b = dir / "sub/b", c = dir / "c", d = dir / "d", e = dir / "sub/e";
  Sets() {
    for (const std::string &path : {a, b, c})
      WriteFile(path, "abc!");
    for (const std::string &path : {d, e})
      WriteFile(path, "dee!");
  }
};
} // namespace

TEST(FileCompare, TellsCopiesFromChangedAndMissingFiles) {
  TempDir dir;
  WriteFile(dir / "one", std::string(600000, 'x'));
  WriteFile(dir / "two", std::string(600000, 'x'));
  std::string changed(600000, 'x');
  changed[599999] = 'y'; // in the last block
  WriteFile(dir / "three", changed);
  WriteFile(dir / "short", std::string(5, 'x'));
  EXPECT_EQ(CompareFileContents(dir / "one", dir / "two"), ContentMatch::Identical);
  EXPECT_EQ(CompareFileContents(dir / "one", dir / "three"), ContentMatch::Different);
  EXPECT_EQ(CompareFileContents(dir / "short", dir / "one"), ContentMatch::Different);
  EXPECT_EQ(CompareFileContents(dir / "one", dir / "one"), ContentMatch::SameFile);
  EXPECT_EQ(CompareFileContents(dir / "one", dir / "gone"), ContentMatch::Unreadable);
  std::filesystem::create_hard_link(U8(dir / "one"), U8(dir / "link"));
  EXPECT_EQ(CompareFileContents(dir / "one", dir / "link"), ContentMatch::SameFile);
}

TEST(RecycleBin, RecycleAllKeepsTheFirstFileOfEverySet) {
  Sets files;
  TGridModel grid = GridOf({{files.a, files.b}, {files.b, files.c}, {files.d, files.e}}, 2);
  FakeBin bin;
  EXPECT_EQ(RecycleAllDoubles(grid, false, bin.Recycle(), bin.Beep(), NoWindowSteps()).recycled, 3);
  EXPECT_EQ(bin.recycled, (std::vector<std::string>{files.b, files.c, files.e}));
  EXPECT_TRUE(FileExists(files.a));
  EXPECT_TRUE(FileExists(files.d));
  for (int row = 1; row <= 3; ++row)
    EXPECT_EQ(grid.Cell(2, row), "File suppressed");
  EXPECT_EQ(grid.Cell(1, 2), files.b); // column 1 is left alone
  EXPECT_EQ(bin.beeps, 2);             // the two blank rows

  bin.beeps = 0;
  EXPECT_EQ(RecycleAllDoubles(grid, true, bin.Recycle(), bin.Beep(), NoWindowSteps()).recycled,
            0); // a second run finds only markers
  EXPECT_EQ(bin.beeps, 5);
}

TEST(RecycleBin, RecycleAllNeverTakesTheLastCopy) {
  Sets files;
  // The grid sorted so that the chain runs backwards: the head must still win.
  TGridModel sorted = GridOf({{files.b, files.c}, {files.a, files.b}});
  FakeBin bin;
  EXPECT_EQ(RecycleAllDoubles(sorted, false, bin.Recycle(), bin.Beep(), NoWindowSteps()).recycled, 2);
  EXPECT_TRUE(FileExists(files.a));

  // File 1 of a pair recycled from the panel: its double is now the only copy.
  TGridModel afterPanel = GridOf({{SuppressedMarkerText(false), files.e}});
  EXPECT_EQ(RecycleAllDoubles(afterPanel, false, bin.Recycle(), bin.Beep(), NoWindowSteps()).recycled, 0);
  EXPECT_TRUE(FileExists(files.e));
  EXPECT_EQ(afterPanel.Cell(2, 1), files.e);
}

TEST(RecycleBin, RecycleAllKeepsTheNextCopyWhenTheFirstIsGone) {
  Sets files;
  DeleteFileAt(files.a);
  TGridModel grid = GridOf({{files.a, files.b}, {files.b, files.c}});
  FakeBin bin;
  EXPECT_EQ(KeptCopies(grid, NoWindowSteps())->at(files.c), files.b);
  EXPECT_EQ(RecycleAllDoubles(grid, false, bin.Recycle(), bin.Beep(), NoWindowSteps()).recycled, 1);
  EXPECT_EQ(bin.recycled, std::vector<std::string>{files.c});
  EXPECT_TRUE(FileExists(files.b));
}

TEST(RecycleBin, RecycleAllKeepsChangedFilesAndOtherNamesOfTheKeptOneAndCountsThem) {
  Sets files;
  WriteFile(files.c, "abc?"); // changed after the scan
  const std::string link = files.dir / "link";
  std::filesystem::create_hard_link(U8(files.d), U8(link)); // listed as a double of its own file
  TGridModel grid = GridOf({{files.a, files.b}, {files.b, files.c}, {files.d, link}, {files.d, files.e}});
  FakeBin bin;
  const RecycleAllReport report = RecycleAllDoubles(grid, false, bin.Recycle(), bin.Beep(), NoWindowSteps());
  EXPECT_EQ(report.recycled, 2);
  EXPECT_EQ(report.kept.changed, 1);
  EXPECT_EQ(report.kept.sameFile, 1);
  EXPECT_EQ(report.kept.unchecked, 0);
  EXPECT_TRUE(FileExists(files.c));
  EXPECT_TRUE(FileExists(link));
  EXPECT_EQ(grid.Cell(2, 2), files.c);
  EXPECT_EQ(bin.beeps, 2);

  TGridModel again = GridOf({{files.a, files.c}});
  WriteFile(files.c, "abc!");
  bin.refuse = true;
  EXPECT_EQ(RecycleAllDoubles(again, false, bin.Recycle(), bin.Beep(), NoWindowSteps()).recycled, 0);
  EXPECT_EQ(again.Cell(2, 1), files.c);
  EXPECT_EQ(bin.beeps, 3);
}

TEST(RecycleBin, SingleFileMarksEveryCellOfTheFile) {
  Sets files;
  TGridModel grid = GridOf({{files.a, files.b}, {files.b, files.c}});
  FakeBin bin;
  const std::string marker = SuppressedMarkerText(true);
  EXPECT_EQ(RecycleOneFile(grid, 2, files.b, files.a, marker, bin.Recycle(), NoWindowSteps()),
            RecycleOneOutcome::Recycled);
  EXPECT_FALSE(FileExists(files.b));
  EXPECT_EQ(grid.Cell(2, 1), marker);
  EXPECT_EQ(grid.Cell(1, 2), marker);
  EXPECT_EQ(grid.Cell(1, 1), files.a);

  EXPECT_EQ(RecycleOneFile(grid, 2, files.a, marker, marker, bin.Recycle(), NoWindowSteps()),
            RecycleOneOutcome::NotFound);
}

TEST(RecycleBin, SingleFileNeedsADistinctCopyAndTheShell) {
  Sets files;
  TGridModel grid = GridOf({{files.a, files.b}});
  FakeBin bin;
  EXPECT_EQ(RecycleOneFile(grid, 1, files.a, files.a, "m", bin.Recycle(), NoWindowSteps()),
            RecycleOneOutcome::SameFile);
  std::filesystem::create_hard_link(U8(files.a), U8(files.dir / "link"));
  EXPECT_EQ(RecycleOneFile(grid, 1, files.dir / "link", files.a, "m", bin.Recycle(), NoWindowSteps()),
            RecycleOneOutcome::SameFile);
  bin.refuse = true;
  EXPECT_EQ(RecycleOneFile(grid, 1, files.c, files.b, "m", bin.Recycle(), NoWindowSteps()),
            RecycleOneOutcome::ShellFailed);
  EXPECT_TRUE(bin.recycled.empty());
  EXPECT_EQ(grid.Cell(1, 1), files.a);
}

namespace {
// Records the progress and stops the work after a given number of steps.
struct StoppingSteps : TWorkSteps {
  int stopAfter = -1; // none when negative
  int steps = 0;
  int64_t lastDone = 0, lastTotal = 0;
  bool backwards = false;
  bool Step(int64_t done, int64_t total) override {
    backwards = backwards || (total == lastTotal && done < lastDone);
    lastDone = done;
    lastTotal = total;
    return Go();
  }
  bool StepNow() override { return Go(); }
  bool Go() {
    ++steps;
    return stopAfter < 0 || steps <= stopAfter;
  }
};
} // namespace

TEST(RecycleBin, TheByteChecksReportTheirProgressAndStopWhenAsked) {
  TempDir dir;
  const std::string big(3 << 20, 'x'); // many blocks
  const std::string a = dir / "a", b = dir / "b", c = dir / "c";
  const auto makeFiles = [&] {
    for (const std::string &path : {a, b, c})
      WriteFile(path, big);
    return GridOf({{a, b}, {b, c}});
  };
  FakeBin bin;
  StoppingSteps whole;
  TGridModel grid = makeFiles();
  EXPECT_EQ(RecycleAllDoubles(grid, false, bin.Recycle(), bin.Beep(), whole).recycled, 2);
  EXPECT_FALSE(whole.backwards);
  EXPECT_EQ(whole.lastTotal, 4 * int64_t{3 << 20});
  EXPECT_EQ(whole.lastDone, whole.lastTotal);

  // Stopped during the second check: the first double went, the second stays.
  StoppingSteps stopping;
  stopping.stopAfter = whole.steps * 3 / 4;
  grid = makeFiles();
  bin.recycled.clear();
  const RecycleAllReport report = RecycleAllDoubles(grid, false, bin.Recycle(), bin.Beep(), stopping);
  EXPECT_TRUE(report.stopped);
  EXPECT_EQ(bin.recycled, std::vector<std::string>{b});
  EXPECT_TRUE(FileExists(c));
  EXPECT_EQ(grid.Cell(2, 2), c);

  // A single file stopped during its check stays, and so does its row.
  StoppingSteps early;
  early.stopAfter = 3;
  EXPECT_EQ(RecycleOneFile(grid, 2, c, a, "m", bin.Recycle(), early), RecycleOneOutcome::Stopped);
  EXPECT_TRUE(FileExists(c));
  EXPECT_EQ(grid.Cell(2, 2), c);
}
