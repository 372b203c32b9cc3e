#include "actions/ActionTexts.h"
#include "actions/OpenFile.h"
#include "framework/core/Paths.h"

#include <gtest/gtest.h>

using namespace zorvex;

TEST(ActionTexts, MarkersAndRecycleBoxes) {
  EXPECT_EQ(SuppressedMarkerText(false), "** File suppressed **");
  EXPECT_EQ(SuppressedMarkerText(true), "** Fichier supprimé **");
  EXPECT_EQ(RecycleAllMarkerText(true), "Fichier supprimé");
  EXPECT_TRUE(IsMarkerText("File suppressed"));
  EXPECT_TRUE(IsMarkerText("** Fichier supprimé **"));
  EXPECT_FALSE(IsMarkerText("C:\\File suppressed"));
  EXPECT_EQ(RecycleOneConfirmText("C:\\a.txt", false),
            "WARNING !!! The file\n\"C:\\a.txt\" \nwill be sent to the recycle bin");
  EXPECT_EQ(RecycleOneConfirmText("C:\\a.txt", true),
            "ATTENTION !!! Le fichier\n\"C:\\a.txt\" \nva être envoyé à la corbeille");
  EXPECT_EQ(RecycleAllConfirmText(true),
            "ATTENTION !!! Tous les fichiers de la colonne \"DOUBLON TROUVÉ\" \nvont être envoyés à la corbeille");
  EXPECT_EQ(RecycleNotFoundText(PairSide::Second, true), "Fichier non trouvée, erreur 33");
  EXPECT_EQ(RecycleNotFoundText(PairSide::First, false), "File not found, error 32");
  EXPECT_EQ(RecycledCountText(3, false), "Number of files sent in the recycle bin : 3");
  EXPECT_NE(RecycleChangedText("C:\\x", true).find("\"C:\\x\""), std::string::npos);
}

TEST(ActionTexts, OpenErrorsInBothLanguages) {
  const std::string path = "C:\\dir\\x.zzz";
  EXPECT_EQ(OpenErrorText(31, path, PairSide::First, false),
            "File C:\\dir\\x.zzz  has no Windows association indicated.\n\nPLEASE INDICATE ONE");
  EXPECT_EQ(OpenErrorText(31, path, PairSide::First, true),
            "Le fichier C:\\dir\\x.zzz  n'a pas d'association Windows.\n\nVEUILLEZ FAIRE\n "
            "\"Poste de travail->Outils->Option des dossiers->Types de fichiers->Nouveau\" !");
  EXPECT_EQ(
      OpenErrorText(2, path, PairSide::Second, false),
      "Sorry, but the following object :\n\n C:\\dir\\x.zzz \n\n cannot be opened with the current configuration.");
  EXPECT_EQ(OpenErrorText(32, path, PairSide::First, true), "Désolé, DLL manquante");
  EXPECT_EQ(OpenErrorText(4, path, PairSide::Second, false), "Switch error 790");
  EXPECT_EQ(OpenErrorText(12, path, PairSide::First, true), "Erreur Switch 789");
  // A path that holds a format sequence is shown as it stands.
  EXPECT_EQ(OpenErrorText(5, "C:\\100%s%d.txt", PairSide::First, false), "Forbidden access to file C:\\100%s%d.txt");
}

TEST(ActionTexts, SaveBoxes) {
  EXPECT_EQ(SavedText("C:\\Zorvex.txt", 1, false), "File  \"C:\\Zorvex.txt\"   created\n\nIt lists  1 doubles");
  EXPECT_EQ(SavedText("C:\\Zorvex.txt", 12, true), "Fichier  \"C:\\Zorvex.txt\"   créé\n\nIl liste 12 doublons");
  EXPECT_EQ(OverwriteText("C:\\z.txt", true), "Le fichier C:\\z.txt\nexiste déja\n\nLe remplacer ?");
  EXPECT_EQ(OverwriteText("C:\\z.txt", false), "The file C:\\z.txt\nalready exists\n\nOverwrite?");
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
