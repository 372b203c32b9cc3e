#include "actions/SaveList.h"
#include "framework/core/Paths.h"
#include "scan/ResultTables.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

using namespace zorvex;
using zorvex::test::ReadFile;
using zorvex::test::TempDir;
using zorvex::test::WriteFile;

namespace {
TGridModel OnePair(bool french) {
  TGridModel grid = MakeResultGrid(ResultGrid::Doubles);
  SetHeaderRow(grid, ResultGrid::Doubles, french);
  int count = 0;
  AppendRow(grid, ResultGrid::Doubles, count, {"1", "C:\\a\\A b.txt", "C:\\b\\Été \"x\".txt", "00002048"});
  return grid;
}
} // namespace

TEST(SaveList, BytesAreTabbedCrLfLinesInTheAnsiCodePage) {
  EXPECT_EQ(DoublesListBytes(OnePair(false), 1), "NUM\tFIRST FILE FOUND\tDOUBLE FOUND\tSIZE\t\r\n"
                                                 "1\tC:\\a\\A b.txt\tC:\\b\\\xC9t\xE9 \"x\".txt\t00002048\t\r\n");
  EXPECT_EQ(DoublesListBytes(OnePair(true), 0), "NUM\tPREMIER FICHIER TROUV\xC9\tDOUBLON TROUV\xC9\tTAILLE\t\r\n");
}

TEST(SaveList, NamesTheCodePageLacksAreWrittenWithQuestionMarksAndCounted) {
  TGridModel grid = MakeResultGrid(ResultGrid::Doubles);
  SetHeaderRow(grid, ResultGrid::Doubles, true);
  int count = 0;
  AppendRow(grid, ResultGrid::Doubles, count,
            {"1",
             "C:\\\xC5\x81\xC3\xB3"
             "d\xC5\xBA.txt",
             "C:\\b.txt", "00000001"});
  AppendRow(grid, ResultGrid::Doubles, count, {"2", "C:\\\xC3\x89t\xC3\xA9.txt", "C:\\?.txt", "00000001"});
  AppendRow(grid, ResultGrid::Doubles, count, {"3", "C:\\\xE4\xB8\xAD", "C:\\\xE6\x96\x87", "00000001"});
  int replacedRows = -1;
  const std::string bytes = DoublesListBytes(grid, count, {}, &replacedRows);
  EXPECT_EQ(replacedRows, 2);
  EXPECT_NE(bytes.find("1\tC:\\?\xF3"
                       "d?.txt\t"),
            std::string::npos);
  EXPECT_NE(bytes.find("3\tC:\\?\tC:\\?\t"), std::string::npos);
  // Names in UTF-8 lose nothing.
  DoublesListBytes(grid, count, {.utf8 = true}, &replacedRows);
  EXPECT_EQ(replacedRows, 0);
}

TEST(SaveList, WritesAndReplacesTheFile) {
  TempDir dir;
  const std::string path = dir / "Zorvex.txt";
  WriteFile(path, std::string(5000, 'o')); // longer than the list: nothing of it may remain
  EXPECT_EQ(SaveDoublesList(path, OnePair(true), 1).outcome, SaveOutcome::Saved);
  EXPECT_EQ(ReadFile(path), DoublesListBytes(OnePair(true), 1));
}

TEST(SaveList, FilesThatCannotBeCreatedWriteNothing) {
  TempDir dir;
  EXPECT_EQ(SaveDoublesList("", OnePair(false), 1).outcome, SaveOutcome::CannotCreate); // dialog cancelled
  EXPECT_EQ(SaveDoublesList(dir / "no/such/folder.txt", OnePair(false), 1).outcome, SaveOutcome::CannotCreate);
  EXPECT_EQ(SaveDoublesList(dir.Path(), OnePair(false), 1).outcome, SaveOutcome::CannotCreate);
}

#ifndef _WIN32
TEST(SaveList, AFullDiskIsReportedAndLeavesNoPartialFile) {
  TempDir dir;
  const std::string path = dir / "full.txt";
  // The file-size limit makes the write fail the way a full disk does.
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit limit = old;
  limit.rlim_cur = 40;
  setrlimit(RLIMIT_FSIZE, &limit);
  const SaveOutcome outcome = SaveDoublesList(path, OnePair(false), 1).outcome;
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(outcome, SaveOutcome::WriteFailed);
  EXPECT_FALSE(FileExists(path));
}
#endif
