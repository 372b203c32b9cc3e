#include "actions/DoublesGrid.h"
#include "framework/core/Texts.h"
#include "framework/core/Yield.h"
#include "scan/ResultTables.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

using namespace zorvex;

namespace {
using Row = std::vector<std::string>; // columns 1..3

TGridModel GridOf(const std::vector<Row> &rows) {
  TGridModel grid = MakeResultGrid(ResultGrid::Doubles);
  SetHeaderRow(grid, ResultGrid::Doubles, false);
  int count = 0;
  for (const Row &row : rows)
    AppendRow(grid, ResultGrid::Doubles, count, {std::to_string(count + 1), row[0], row[1], row[2]});
  return grid;
}

std::vector<Row> RowsOf(const TGridModel &grid, int count) {
  std::vector<Row> rows;
  for (int row = 1; row <= count; ++row)
    rows.push_back({grid.Cell(1, row), grid.Cell(2, row), grid.Cell(3, row)});
  return rows;
}

int Sign(int value) { return (value > 0) - (value < 0); }
int Compare(const TextCompare &compare, const std::string &a, const std::string &b) {
  return Sign(compare(Utf8ToUtf16(a), Utf8ToUtf16(b)));
}
} // namespace

TEST(DoublesGrid, ClickRules) {
  using Kind = DoublesClick::Kind;
  EXPECT_EQ(ClassifyDoublesClick(MouseButton::Left, 3, 0).kind, Kind::Sort);
  EXPECT_EQ(ClassifyDoublesClick(MouseButton::Left, 1, 0).index, 1);
  EXPECT_EQ(ClassifyDoublesClick(MouseButton::Left, 0, 0).kind, Kind::None); // NUM caption
  EXPECT_EQ(ClassifyDoublesClick(MouseButton::Left, -1, 0).kind, Kind::None);
  EXPECT_EQ(ClassifyDoublesClick(MouseButton::Left, -1, -1).kind, Kind::None);
  EXPECT_EQ(ClassifyDoublesClick(MouseButton::Left, -1, 2).kind, Kind::None); // beside the last column
  const DoublesClick show = ClassifyDoublesClick(MouseButton::Left, 0, 30);   // any column, rows beyond the doubles too
  EXPECT_EQ(show.kind, Kind::ShowPair);
  EXPECT_EQ(show.index, 30);
  EXPECT_EQ(ClassifyDoublesClick(MouseButton::Right, 2, 3).kind, Kind::None);
  EXPECT_EQ(ClassifyDoublesClick(MouseButton::Middle, 2, 0).kind, Kind::None);
}

TEST(DoublesGrid, SortsBySizeTextAndLeavesNumbersAndOtherRowsAlone) {
  TGridModel grid =
      GridOf({{"A", "B", "00000512"}, {"E", "F", "Different"}, {"G", "H", "123456789"}, {"C", "D", "00001024"}});
  grid.SetRowCount(8);
  grid.SetCell(1, 6, "beyond the doubles");
  SortDoubles(grid, 4, 3, PlatformTextCompare());
  const std::vector<Row> expected{
      {"A", "B", "00000512"}, {"C", "D", "00001024"}, {"G", "H", "123456789"}, {"E", "F", "Different"}};
  EXPECT_EQ(RowsOf(grid, 4), expected);
  for (int row = 1; row <= 4; ++row)
    EXPECT_EQ(grid.Cell(0, row), std::to_string(row));
  EXPECT_EQ(grid.Cell(1, 6), "beyond the doubles");
  EXPECT_EQ(grid.Cell(1, 0), "FIRST FILE FOUND");

  SortDoubles(grid, 4, 3, PlatformTextCompare()); // a second sort changes nothing
  EXPECT_EQ(RowsOf(grid, 4), expected);
}

TEST(DoublesGrid, SortIgnoresCaseAndBreaksTiesWithTheOtherColumns) {
  TGridModel grid = GridOf(
      {{"c:\\photos\\B.jpg", "x", "1"}, {"C:\\Photos\\a.jpg", "y", "2"}, {"z", "SAME", "9"}, {"q", "same", "3"}});
  SortDoubles(grid, 4, 1, PlatformTextCompare());
  EXPECT_EQ(grid.Cell(1, 1), "C:\\Photos\\a.jpg");
  EXPECT_EQ(grid.Cell(1, 2), "c:\\photos\\B.jpg");
  EXPECT_EQ(grid.Cell(3, 2), "1"); // cells travel with their row

  SortDoubles(grid, 4, 2, PlatformTextCompare());
  // "same" and "SAME" compare equal, so column 1 decides: q before z.
  EXPECT_EQ(RowsOf(grid, 4)[0], (Row{"q", "same", "3"}));
  EXPECT_EQ(RowsOf(grid, 4)[1], (Row{"z", "SAME", "9"}));
}

TEST(DoublesGrid, LongPathsAndBarsComeBackWhole) {
  const std::string longPath = "C:\\" + std::string(600, 'd') + "\\photo|1.jpg";
  TGridModel grid = GridOf({{"b", longPath, "00000001"}, {"a", "x|y", "00000002"}});
  SortDoubles(grid, 2, 2, PlatformTextCompare());
  EXPECT_EQ(RowsOf(grid, 2)[0], (Row{"b", longPath, "00000001"}));
  EXPECT_EQ(RowsOf(grid, 2)[1], (Row{"a", "x|y", "00000002"}));
}

TEST(DoublesGrid, SortPaintsTheFixedCellsRedThenBackToTheirColourAroundOneYieldEach) {
  std::vector<std::string> events;
  const YieldPump previous = SetYieldPump([&] { events.push_back("yield"); });
  TGridModel grid = GridOf({{"b", "1", "1"}, {"a", "2", "2"}});
  const uint32_t skinFace = 0x303030; // not the designed yellow: the colour found comes back
  const auto paint = [&](uint32_t color) {
    events.push_back(color == kFixedColorSorting ? "red" : color == skinFace ? "face" : "other");
  };
  RunDoublesSort(grid, 2, 1, PlatformTextCompare(), skinFace, paint);
  EXPECT_EQ(events, (std::vector<std::string>{"red", "yield", "face", "yield"}));
  EXPECT_EQ(grid.Cell(1, 1), "a");

  // Before any scan there is nothing to sort, but the colours still flash.
  events.clear();
  TGridModel empty = MakeResultGrid(ResultGrid::Doubles);
  RunDoublesSort(empty, 0, 3, PlatformTextCompare(), skinFace, paint);
  EXPECT_EQ(events.size(), 4u);

  events.clear();
  const TextCompare failing = [](std::u16string_view, std::u16string_view) -> int {
    throw std::runtime_error("compare");
  };
  EXPECT_THROW(RunDoublesSort(grid, 2, 1, failing, skinFace, paint), std::runtime_error);
  EXPECT_EQ(events.back(), "face");
  SetYieldPump(previous);
}

TEST(DoublesGrid, PortableComparisonSortsLettersWithoutCaseOrAccentFirst) {
  const TextCompare portable = CompareTextPortable;
  EXPECT_EQ(Compare(portable, "abc", "ABC"), 0);
  EXPECT_EQ(Compare(portable, "a", "B"), -1);
  EXPECT_EQ(Compare(portable, "e", "é"), -1);
  EXPECT_EQ(Compare(portable, "é", "f"), -1);
  EXPECT_EQ(Compare(portable, "été", "ÉTÉ"), 0);
  EXPECT_EQ(Compare(portable, "etz", "éta"), 1); // the accent only breaks ties
  EXPECT_EQ(Compare(portable, "Œuvre", "œuvre"), 0);
  EXPECT_EQ(Compare(portable, "ab", "abc"), -1);
  EXPECT_EQ(Compare(portable, "00000512|", "Different|"), -1);
}

#ifdef _WIN32
TEST(DoublesGrid, WindowsComparisonIgnoresCase) {
  const TextCompare windows = PlatformTextCompare();
  EXPECT_EQ(Compare(windows, "Photo.JPG", "photo.jpg"), 0);
  EXPECT_EQ(Compare(windows, "a", "B"), -1);
  EXPECT_EQ(Compare(windows, "e", "f"), -1);
  EXPECT_EQ(Compare(windows, "123456789|", "Different|"), -1);
}
#endif
