#include "actions/PrintLayout.h"
#include "scan/ResultTables.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace zorvex;

namespace {
// Records every drawing call as text.
struct RecordingCanvas : TPrintCanvas {
  std::vector<std::string> calls;
  int pen = 1;
  void TextOut(int x, int y, const std::string &text) override {
    calls.push_back("text " + std::to_string(x) + "," + std::to_string(y) + " " + text);
  }
  void MoveTo(int x, int y) override { at = std::to_string(x) + "," + std::to_string(y); }
  void LineTo(int x, int y) override {
    calls.push_back("line " + at + "-" + std::to_string(x) + "," + std::to_string(y) + " pen " + std::to_string(pen));
  }
  void SetPenWidth(int width) override { pen = width; }
  void NewPage() override { calls.push_back("page"); }

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const std::string &call : calls)
      if (call.rfind("line", 0) == 0 || call == "page")
        lines.push_back(call);
    return lines;
  }
  std::string at;
};

TGridModel Doubles(int count, bool french = false) {
  TGridModel grid = MakeResultGrid(ResultGrid::Doubles);
  SetHeaderRow(grid, ResultGrid::Doubles, french);
  int counter = 0;
  for (int i = 1; i <= count; ++i)
    AppendRow(grid, ResultGrid::Doubles, counter, {std::to_string(i), "f" + std::to_string(i), "d", "Different"});
  return grid;
}
} // namespace

TEST(PrintLayout, OnePageWithCaptionsRowsAndRules) {
  RecordingCanvas canvas;
  TGridModel grid = Doubles(3, true);
  grid.SetRowCount(30); // blank rows after the doubles are not printed
  PrintDoublesList(canvas, grid, 6000);
  const std::vector<std::string> expected{"text 50,80 NUM",
                                          "text 150,80 PREMIER FICHIER TROUVÉ",
                                          "text 1200,80 DOUBLON TROUVÉ",
                                          "text 2250,80 TAILLE",
                                          "line 50,160-2450,160 pen 1",
                                          "text 50,220 1",
                                          "text 150,220 f1",
                                          "text 1200,220 d",
                                          "text 2250,220 Different",
                                          "text 50,280 2",
                                          "text 150,280 f2",
                                          "text 1200,280 d",
                                          "text 2250,280 Different",
                                          "text 50,340 3",
                                          "text 150,340 f3",
                                          "text 1200,340 d",
                                          "text 2250,340 Different",
                                          "line 50,400-2450,400 pen 6"};
  EXPECT_EQ(canvas.calls, expected);
  EXPECT_EQ(canvas.pen, 1);

  RecordingCanvas one;
  PrintDoublesList(one, Doubles(1), 6000);
  EXPECT_EQ(one.Lines().back(), "line 50,280-2450,280 pen 6");
}

TEST(PrintLayout, RowsThatDoNotFitContinueOnNewPages) {
  // A row fits when the band under it, plus half the thick pen, ends on the page.
  EXPECT_EQ(RowsPerPage(160 + 60 * 3 + 3), 2);
  EXPECT_EQ(RowsPerPage(160 + 60 * 3 + 2), 1);
  EXPECT_EQ(RowsPerPage(10), 1); // a page too small still makes progress
  EXPECT_EQ(RowsPerPage(3300), 51);

  RecordingCanvas canvas;
  PrintDoublesList(canvas, Doubles(5), 160 + 60 * 3 + 3);
  EXPECT_EQ(canvas.Lines(),
            (std::vector<std::string>{"line 50,160-2450,160 pen 1", "page", "line 50,160-2450,160 pen 1", "page",
                                      "line 50,160-2450,160 pen 1", "line 50,280-2450,280 pen 6"}));
  int captions = 0;
  for (const std::string &call : canvas.calls)
    captions += call == "text 50,80 NUM";
  EXPECT_EQ(captions, 3);
  EXPECT_NE(std::find(canvas.calls.begin(), canvas.calls.end(), "text 150,280 f4"), canvas.calls.end());
  EXPECT_EQ(canvas.calls[canvas.calls.size() - 2], "text 2250,220 Different"); // row 5 opens page 3
}
