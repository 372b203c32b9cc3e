#include "actions/ShellFiles.h"
#include "actions/RecycleBin.h"
#include "framework/core/Paths.h"
#include "framework/core/Texts.h"
#include "scan/ResultTables.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace zorvex;
using zorvex::test::ReadFile;
using zorvex::test::TempDir;
using zorvex::test::WriteFile;

namespace {
// The Wine trash under HOME, as a Windows path; empty unless HOME is the
// private one the test run made, so that no real Recycle Bin is touched.
std::string TestTrash() {
  // Wine passes the Unix HOME on as "\??\Z:\tmp\...".
  wchar_t home[1024];
  const DWORD length = GetEnvironmentVariableW(L"WINEHOMEDIR", home, 1024);
  std::string windowsHome = length > 0 && length < 1024 ? Narrow(home) : std::string();
  if (StartsWith(windowsHome, "\\??\\"))
    windowsHome.erase(0, 4);
  if (!StartsWith(windowsHome, "Z:\\tmp\\zorvex-home"))
    return {};
  return windowsHome + "\\.local\\share\\Trash";
}

std::string TrashInfoFor(const std::string &trash, const std::string &name) {
  return ReadFile(trash + "\\info\\" + name + ".trashinfo");
}
} // namespace

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
      grid, false, [](const std::string &path) { return ShellRecycle(path, nullptr); }, [&] { ++beeps; });
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
