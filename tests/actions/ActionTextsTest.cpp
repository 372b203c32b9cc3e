#include "actions/ActionTexts.h"
#include "actions/OpenFile.h"
#include "framework/core/Paths.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace zorvex;

TEST(ActionTexts, MarkersAreNeverFileNames) {
  EXPECT_TRUE(IsMarkerText(SuppressedMarkerText(true)));
  EXPECT_TRUE(IsMarkerText(RecycleAllMarkerText(false)));
  EXPECT_FALSE(IsMarkerText("C:\\File suppressed"));
  EXPECT_FALSE(IsMarkerText(""));
}

TEST(ActionTexts, PathsAreSetIntoTheTextsAsTheyStand) {
  EXPECT_EQ(RecycleOneConfirmText("C:\\a.txt", false),
            "WARNING !!! The file\n\"C:\\a.txt\" \nwill be sent to the recycle bin");
  EXPECT_EQ(OpenErrorText(31, "C:\\x.zzz", PairSide::First, false),
            "File C:\\x.zzz  has no Windows association indicated.\n\nPLEASE INDICATE ONE");
  EXPECT_EQ(OpenErrorText(2, "C:\\x.zzz", PairSide::Second, false),
            "Sorry, but the following object :\n\n C:\\x.zzz \n\n cannot be opened with the current configuration.");
  // A path holding a format sequence is not expanded again.
  EXPECT_EQ(OpenErrorText(5, "C:\\100%s%d.txt", PairSide::First, false), "Forbidden access to file C:\\100%s%d.txt");
  EXPECT_EQ(SavedText("C:\\Zorvex.txt", 12, 0, true), "Fichier  \"C:\\Zorvex.txt\"   créé\n\nIl liste 12 doublons");
}

TEST(ActionTexts, ClosingBoxesAddALineOnlyForWhatHappened) {
  const std::string count = RecycledCountText(3, {}, false);
  EXPECT_EQ(count, "Number of files sent in the recycle bin : 3");
  // One line per reason that kept files, after an empty line.
  const std::string kept = RecycledCountText(3, {.changed = 2, .sameFile = 1}, false);
  ASSERT_EQ(kept.rfind(count + "\n\n", 0), 0u);
  const std::string reasons = kept.substr(count.size() + 2);
  EXPECT_EQ(std::count(reasons.begin(), reasons.end(), '\n'), 1);
  EXPECT_EQ(reasons.substr(reasons.find(" : ") + 3, 1), "2");
  EXPECT_EQ(reasons.back(), '1');
  EXPECT_NE(RecycledCountText(0, {.unchecked = 4}, true), RecycledCountText(0, {.changed = 4}, true));

  const std::string saved = SavedText("C:\\Zorvex.txt", 12, 0, false);
  EXPECT_EQ(SavedText("C:\\Zorvex.txt", 12, 2, false).rfind(saved + "\n\n2 ", 0), 0u);
}

TEST(ActionTexts, UnexpectedOpenResultsNameTheButton) {
  EXPECT_EQ(OpenErrorText(4, "x", PairSide::Second, false), "Switch error 790");
  EXPECT_EQ(OpenErrorText(12, "x", PairSide::First, true), "Erreur Switch 789");
  EXPECT_EQ(OpenErrorText(32, "x", PairSide::First, true), "Désolé, DLL manquante");
}

TEST(OpenFile, FolderAndShellResults) {
  const std::string dir = std::string("C:") + PathDelim + "dir" + PathDelim;
  EXPECT_EQ(OpenFolderOf(dir + "x.doc"), dir);
  EXPECT_EQ(OpenFolderOf("x.doc"), "");

  std::vector<std::string> asked;
  int answer = 42;
  const ShellOpener shell = [&](const std::string &folder, const std::string &path) {
    asked.push_back(folder + "|" + path);
    return answer;
  };
  EXPECT_EQ(OpenWithAssociation("", PairSide::First, false, shell).kind, OpenResult::Kind::Beep);
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(OpenWithAssociation(dir + "x.doc", PairSide::First, false, shell).kind, OpenResult::Kind::Opened);
  EXPECT_EQ(asked, std::vector<std::string>{dir + "|" + dir + "x.doc"});
  answer = 32;
  const OpenResult failed = OpenWithAssociation(dir + "x.doc", PairSide::Second, false, shell);
  EXPECT_EQ(failed.kind, OpenResult::Kind::Failed);
  EXPECT_EQ(failed.errorText, "Sorry, missing DLL");
}
