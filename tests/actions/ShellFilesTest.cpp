#include "actions/ShellFiles.h"
#include "actions/RecycleBin.h"
#include "framework/core/Paths.h"
#include "framework/core/Texts.h"
#include "scan/ResultTables.h"
#include "support/TempDir.h"
#include "support/TestTrash.h"

#include <gtest/gtest.h>

using namespace zorvex;
using zorvex::test::ReadFile;
using zorvex::test::TempDir;
using zorvex::test::TestTrash;
using zorvex::test::TrashInfoFor;
using zorvex::test::WriteFile;

TEST(ShellFiles, RecycledFilesLandInTheTrashAndCanBeRestored) {
  const std::string trash = TestTrash();
  if (trash.empty())
    GTEST_SKIP() << "HOME is not a private test folder";
  TempDir dir;
  const std::string name = "recycled-" + std::to_string(GetTickCount64()) + " é.txt";
  const std::string path = dir / name;
  WriteFile(path, "precious");
  ASSERT_TRUE(ShellRecycle(path, nullptr));
  EXPECT_FALSE(FileExists(path));
  EXPECT_EQ(ReadFile(trash + "\\files\\" + name), "precious");
  // The trash remembers where the file came from, so it can go back there.
  EXPECT_NE(TrashInfoFor(trash, name).find("Path="), std::string::npos);

  EXPECT_FALSE(ShellRecycle(dir / "never-existed.txt", nullptr));
}

TEST(ShellFiles, RecycleAllThroughTheShellKeepsOneCopy) {
  if (TestTrash().empty())
    GTEST_SKIP() << "HOME is not a private test folder";
  TempDir dir;
  const std::string a = dir / "a.dat", b = dir / "b.dat", c = dir / "c.dat";
  for (const std::string &path : {a, b, c})
    WriteFile(path, "copy");
  TGridModel grid = MakeResultGrid(ResultGrid::Doubles);
  int count = 0;
  AppendRow(grid, ResultGrid::Doubles, count, {"1", a, b, "00000004"});
  AppendRow(grid, ResultGrid::Doubles, count, {"2", b, c, "00000004"});
  int beeps = 0;
  const int recycled = RecycleAllDoubles(
                           grid, false, [](const std::string &path) { return ShellRecycle(path, nullptr); },
                           [&] { ++beeps; }, NoWindowSteps())
                           .recycled;
  EXPECT_EQ(recycled, 2);
  EXPECT_EQ(beeps, 0);
  EXPECT_TRUE(FileExists(a));
  EXPECT_FALSE(FileExists(b));
  EXPECT_FALSE(FileExists(c));
}

TEST(ShellFiles, OpenReportsTheShellsResult) {
  TempDir dir;
  WriteFile(dir / "x.zorvexunknown", "?");
  EXPECT_EQ(ShellOpen(dir.Path() + "\\", dir / "x.zorvexunknown"), 31);
  EXPECT_EQ(ShellOpen(dir.Path() + "\\", dir / "missing.txt"), 2);
}
