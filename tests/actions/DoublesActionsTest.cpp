#include "actions/DoublesActions.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Paths.h"
#include "scan/ResultTables.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace zorvex;
using zorvex::test::ReadFile;
using zorvex::test::TempDir;
using zorvex::test::WriteFile;

namespace {
// Answers every box as told and records what the handlers did, in order.
struct RecordingHost : TActionHost {
  std::vector<std::string> events;
  bool answerOk = true;
  int shellResult = 42;

  bool ConfirmWarning(const std::string &text) override {
    events.push_back("confirm " + text);
    return answerOk;
  }
  void ShowError(const std::string &text) override { events.push_back("error " + text); }
  void ShowInformation(const std::string &text) override { events.push_back("info " + text); }
  void ShowPlain(const std::string &text) override { events.push_back("plain " + text); }
  void Beep() override { events.push_back("beep"); }
  void Tone(int frequency, int milliseconds) override {
    events.push_back("tone " + std::to_string(frequency) + " " + std::to_string(milliseconds));
  }
  bool Recycle(const std::string &path) override {
    events.push_back("recycle " + path);
    return DeleteFileAt(path);
  }
  int OpenWithShell(const std::string &folder, const std::string &path) override {
    events.push_back("open " + folder + " " + path);
    return shellResult;
  }
  void BeginWork() override { events.push_back("begin"); }
  void EndWork() override { events.push_back("end"); }
  bool Step(int64_t, int64_t) override { return true; }
  bool StepNow() override { return true; }
};

struct Pair {
  TempDir dir;
  std::string a = dir / "a.txt", b = dir / "b.txt";
  TGridModel grid = MakeResultGrid(ResultGrid::Doubles);
  int count = 0;
  Pair() {
    WriteFile(a, "same");
    WriteFile(b, "same");
    SetHeaderRow(grid, ResultGrid::Doubles, false);
    AppendRow(grid, ResultGrid::Doubles, count, {"1", a, b, "00000004"});
  }
  PanelState Panel() const { return ShowPairState(a, b, SuppressedMarkerText(false)); }
};
} // namespace

TEST(DoublesActions, RecyclingAPanelFile) {
  Pair pair;
  RecordingHost host;
  PanelState panel = pair.Panel();
  std::string marker;
  host.answerOk = false;
  EXPECT_FALSE(RecyclePanelFile(panel, PairSide::First, pair.grid, 1, true, marker, host));
  EXPECT_EQ(host.events, std::vector<std::string>{"confirm " + RecycleOneConfirmText(pair.a, true)});
  EXPECT_EQ(marker, "");
  EXPECT_TRUE(FileExists(pair.a));

  host.answerOk = true;
  host.events.clear();
  EXPECT_TRUE(RecyclePanelFile(panel, PairSide::First, pair.grid, 1, true, marker, host));
  EXPECT_EQ(host.events, (std::vector<std::string>{"confirm " + RecycleOneConfirmText(pair.a, true), "begin",
                                                   "recycle " + pair.a, "end"}));
  EXPECT_EQ(marker, "** Fichier supprimé **");
  EXPECT_EQ(pair.grid.Cell(1, 1), marker);
  EXPECT_EQ(panel.first.caption, "");
  EXPECT_FALSE(panel.second.buttonsEnabled);
}

TEST(DoublesActions, PanelFileThatIsGoneOrChanged) {
  Pair pair;
  RecordingHost host;
  PanelState panel = pair.Panel();
  std::string marker;
  DeleteFileAt(pair.a); // deleted outside the program
  EXPECT_FALSE(RecyclePanelFile(panel, PairSide::Second, pair.grid, 1, true, marker, host));
  EXPECT_EQ(host.events.back(), "plain Fichier non trouvée, erreur 33");
  EXPECT_TRUE(FileExists(pair.b));

  WriteFile(pair.a, "edited since the scan");
  host.events.clear();
  EXPECT_FALSE(RecyclePanelFile(panel, PairSide::Second, pair.grid, 1, false, marker, host));
  ASSERT_EQ(host.events.size(), 5u);
  EXPECT_EQ(host.events[3], "beep");
  EXPECT_EQ(host.events[4], "error " + RecycleChangedText(pair.b, false));
  EXPECT_TRUE(FileExists(pair.b));
  EXPECT_EQ(pair.grid.Cell(2, 1), pair.b);
}

TEST(DoublesActions, RecycleAllReportsTheCountsOnceTheWorkIsOver) {
  Pair pair;
  RecordingHost host;
  RecycleAllFiles(pair.grid, false, host);
  EXPECT_EQ(host.events,
            (std::vector<std::string>{"confirm " + RecycleAllConfirmText(false), "begin", "recycle " + pair.b, "end",
                                      "info " + RecycledCountText(1, {}, false)}));
  EXPECT_FALSE(FileExists(pair.b));
  EXPECT_TRUE(FileExists(pair.a));

  host.answerOk = false;
  host.events.clear();
  RecycleAllFiles(pair.grid, false, host);
  EXPECT_EQ(host.events.size(), 1u);
}

TEST(DoublesActions, OpeningAPanelFile) {
  Pair pair;
  RecordingHost host;
  PanelState panel = pair.Panel();
  OpenPanelFile(panel, PairSide::Second, false, host);
  EXPECT_EQ(host.events, std::vector<std::string>{"open " + ExtractFilePath(pair.b) + " " + pair.b});

  host.shellResult = 4;
  host.events.clear();
  OpenPanelFile(panel, PairSide::Second, true, host);
  EXPECT_EQ(host.events.back(), "error Erreur Switch 790");

  MarkPanelFileRecycled(panel, PairSide::First);
  host.events.clear();
  OpenPanelFile(panel, PairSide::First, false, host);
  EXPECT_EQ(host.events, std::vector<std::string>{"beep"});
}

TEST(DoublesActions, SavingTheList) {
  Pair pair;
  RecordingHost host;
  const std::string path = pair.dir / "Zorvex.txt";
  SaveListToFile(path, pair.grid, 1, false, host);
  EXPECT_EQ(host.events, std::vector<std::string>{"info " + SavedText(path, 1, 0, false)});
  const std::string saved = ReadFile(path);

  host.answerOk = false; // the file exists now: declining keeps it
  host.events.clear();
  WriteFile(path, "kept");
  EXPECT_THROW(SaveListToFile(path, pair.grid, 1, false, host), EAbort);
  EXPECT_EQ(host.events, (std::vector<std::string>{"confirm " + OverwriteText(path, false), "tone 1000 20"}));
  EXPECT_EQ(ReadFile(path), "kept");

  host.answerOk = true;
  host.events.clear();
  SaveListToFile(path, pair.grid, 1, false, host);
  EXPECT_EQ(ReadFile(path), saved);

  host.events.clear();
  SaveListToFile("", pair.grid, 1, false, host); // dialog cancelled
  EXPECT_EQ(host.events, std::vector<std::string>{"beep"});
}
