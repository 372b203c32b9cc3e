#include "scan/ResultTables.h"

#include <gtest/gtest.h>

using namespace zorvex;

namespace {
void AppendFiles(TGridModel &grid, int &counter, int n) {
  for (int i = 0; i < n; ++i) {
    const std::string num = std::to_string(counter + 1);
    AppendRow(grid, ResultGrid::Files, counter, {num, "C:\\f" + num, "1", "", "10"});
  }
}
} // namespace

TEST(ResultTables, HeadersInBothLanguagesAsCommaText) {
  TGridModel files = MakeResultGrid(ResultGrid::Files);
  SetHeaderRow(files, ResultGrid::Files, false);
  EXPECT_EQ(files.Cell(1, 0), "FILE SCANNED");
  EXPECT_EQ(files.Cell(3, 0), "SIZE 2");
  SetHeaderRow(files, ResultGrid::Files, true);
  EXPECT_EQ(files.Cell(1, 0), "FICHIER VERIFI\xC3\x89");
  EXPECT_EQ(files.RowCommaText(0), "NUM,\"FICHIER VERIFI\xC3\x89\",CRC,\"SIZE 2\",SIZE");

  TGridModel doubles = MakeResultGrid(ResultGrid::Doubles);
  SetHeaderRow(doubles, ResultGrid::Doubles, true);
  EXPECT_EQ(doubles.Cell(2, 0), "DOUBLON TROUV\xC3\x89");
  EXPECT_EQ(doubles.Cell(3, 0), "TAILLE");
  TGridModel dirs = MakeResultGrid(ResultGrid::Dirs);
  SetHeaderRow(dirs, ResultGrid::Dirs, false);
  EXPECT_EQ(dirs.Cell(1, 0), "SUB-DIRECTORY SCANNED");
}

TEST(ResultTables, InitialShape) {
  TGridModel files = MakeResultGrid(ResultGrid::Files);
  EXPECT_EQ(files.ColCount(), 5);
  EXPECT_EQ(files.RowCount(), 11);
  TGridModel doubles = MakeResultGrid(ResultGrid::Doubles);
  EXPECT_EQ(doubles.RowCount(), 23);
}

TEST(ResultTables, AppendKeepsTheNewestRowsInView) {
  TGridModel files = MakeResultGrid(ResultGrid::Files);
  int fileCount = 0;
  AppendFiles(files, fileCount, 30);
  EXPECT_EQ(fileCount, 30);
  EXPECT_EQ(files.RowCount(), 31);
  EXPECT_EQ(files.TopRow(), 21);
  EXPECT_EQ(files.Cell(1, 30), "C:\\f30");

  TGridModel doubles = MakeResultGrid(ResultGrid::Doubles);
  int doubleCount = 0;
  for (int i = 0; i < 24; ++i)
    AppendRow(doubles, ResultGrid::Doubles, doubleCount, {std::to_string(i + 1), "a", "b", "00000001"});
  EXPECT_EQ(doubles.RowCount(), 25);
  EXPECT_EQ(doubles.TopRow(), 2);
}

TEST(ResultTables, FewRowsDoNotScroll) {
  TGridModel files = MakeResultGrid(ResultGrid::Files);
  int fileCount = 0;
  AppendFiles(files, fileCount, 3);
  EXPECT_EQ(files.RowCount(), 4);
  EXPECT_EQ(files.TopRow(), 1);
}

TEST(ResultTables, ResetBlanksTheUsedRowsAndTheNextScanTrims) {
  TGridModel files = MakeResultGrid(ResultGrid::Files);
  int fileCount = 0;
  AppendFiles(files, fileCount, 50);
  ResetRows(files, ResultGrid::Files, fileCount);
  EXPECT_EQ(fileCount, 0);
  EXPECT_EQ(files.RowCount(), 51); // kept until the next append
  EXPECT_EQ(files.Cell(1, 50), "");
  EXPECT_EQ(files.Cell(4, 1), "");

  AppendFiles(files, fileCount, 10);
  EXPECT_EQ(files.RowCount(), 11);
  EXPECT_EQ(files.Cell(1, 10), "C:\\f10");
  files.SetRowCount(51);
  EXPECT_EQ(files.Cell(1, 11), ""); // the old rows are gone
}

TEST(ResultTables, LanguageSwitchChangesHeadersOnly) {
  TGridModel doubles = MakeResultGrid(ResultGrid::Doubles);
  SetHeaderRow(doubles, ResultGrid::Doubles, false);
  int count = 0;
  AppendRow(doubles, ResultGrid::Doubles, count, {"1", "C:\\a", "C:\\b", "00000512"});
  SetHeaderRow(doubles, ResultGrid::Doubles, true);
  EXPECT_EQ(doubles.Cell(1, 0), "PREMIER FICHIER TROUV\xC3\x89");
  EXPECT_EQ(doubles.Cell(3, 1), "00000512");
}

TEST(ResultTables, SizePaddingFollowsNumericOrderUpToEightDigits) {
  EXPECT_EQ(PadSizeText("512"), "00000512");
  EXPECT_EQ(PadSizeText("123456789"), "123456789");
  EXPECT_EQ(PadSizeText(""), "00000000");
  EXPECT_LT(PadSizeText("999"), PadSizeText("1000"));
  EXPECT_LT(PadSizeText("99999999"), std::string("Different"));
}
