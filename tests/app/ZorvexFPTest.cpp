#include "app/ZorvexFP.h"

#include <gtest/gtest.h>

#include "app/Language.h"
#include "app/ZorvexFS1.h"
#include "framework/core/Paths.h"
#include "framework/win/Capture.h"
#include "framework/win/Registry.h"
#include "skin/data/Winskindata.h"
#include "skin/data/Winskinstore.h"
#include "support/GuiTest.h"
#include "support/TempDir.h"

using namespace zorvex;
using namespace zorvex::test;

#ifndef ZORVEX_DESIGN_ITEMS
#define ZORVEX_DESIGN_ITEMS "" // a build without skin packages
#endif

namespace {

const std::string kFrenchName = "Fran\xC3\xA7"
                                "ais";

class MainWindowTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    SettingsKey = SettingsLocation{HKEY_CURRENT_USER, key.Child("machine\\Zorvex_V1.1"), HKEY_CURRENT_USER,
                                   key.Child("user\\Zorvex_V1.1")};
    Language = kEnglish;
    SkinNumber = 0;
  }
  void TearDown() override {
    delete form;
    delete help;
    SettingsKey = DefaultSettingsLocation();
    GuiTest::TearDown();
  }
  // Starts the windows as the program does: main window, help window, show.
  void Start(bool show = true) {
    delete form;
    delete help;
    form = new TForm1(nullptr);
    help = new TForm2(nullptr);
    if (show)
      form->Show();
  }
  void Restart() {
    Language = kEnglish; // what the module starts with
    SkinNumber = 0;
    Start();
  }
  void WriteSettings(const std::string &path, const std::string *language, const int *skin) {
    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.OpenKey(path, true));
    if (language)
      registry.WriteString("Language", *language);
    if (skin)
      registry.WriteInteger("Skin", *skin);
  }
  std::string ReadLanguage(const std::string &path) {
    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    return registry.OpenKeyReadOnly(path) ? registry.ReadString("Language") : "<no key>";
  }
  int ReadSkin(const std::string &path) {
    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    return registry.OpenKeyReadOnly(path) ? registry.ReadInteger("Skin") : -100;
  }
  // Every text the language switch sets, as shown.
  std::vector<std::string> Texts() {
    return {form->Label1->Caption(),
            form->Label3->Caption(),
            form->Label4->Caption(),
            form->CheckBox1->Caption(),
            form->CheckBox2->Caption(),
            form->Label2->Caption(),
            form->Label9->Caption(),
            form->BitBtn1->Caption(),
            form->BitBtn3->Caption(),
            form->BitBtn7->Caption(),
            form->BitBtn12->Caption(),
            form->BitBtn13->Hint(),
            form->BitBtn15->Hint(),
            form->SG1->Model().RowCommaText(0),
            form->SG2->Model().RowCommaText(0),
            form->SG3->Model().RowCommaText(0)};
  }
  const std::vector<std::string> english = {"STARTING DIRECTORY",
                                            "LOOK ONLY FILES BETWEEN",
                                            "AND",
                                            "Recurse directories",
                                            "Show details",
                                            "FILTER",
                                            "EXCLUDE",
                                            "Start",
                                            "Abort",
                                            "Print",
                                            "Save",
                                            "Help",
                                            "Watch out !!!! DANGER !!!",
                                            "NUM,\"FILE SCANNED\",CRC,\"SIZE 2\",SIZE",
                                            "NUM,\"SUB-DIRECTORY SCANNED\"",
                                            "NUM,\"FIRST FILE FOUND\",\"DOUBLE FOUND\",SIZE"};
  const std::vector<std::string> french = {"REPERTOIRE DE DEPART",
                                           "SEULEMENT FICHIERS ENTRE",
                                           "     ET",
                                           "Sous r\xC3\xA9pertoires",
                                           "Afficher les d\xC3\xA9tails",
                                           "FILTRE",
                                           "EXCLURE",
                                           "D\xC3\xA9part",
                                           "Abandon",
                                           "Imprime",
                                           "Sauve",
                                           "Aide",
                                           "Attention !!!! DANGER !!!",
                                           "NUM,\"FICHIER VERIFI\xC3\x89\",CRC,\"SIZE 2\",SIZE",
                                           "NUM,\"SOUS-REPERTOIRE VERIFI\xC3\x89\"",
                                           "NUM,\"PREMIER FICHIER TROUV\xC3\x89\",\"DOUBLON TROUV\xC3\x89\",TAILLE"};

  TestRegistryKey key;
  TForm1 *form = nullptr;
  TForm2 *help = nullptr;
};

TEST_F(MainWindowTest, FirstStartCreatesTheKeyWithEnglishAndSkinZero) {
  DialogRecorder dialogs;
  Start();
  EXPECT_EQ(ReadLanguage(SettingsKey.MachinePath), "English");
  EXPECT_EQ(ReadSkin(SettingsKey.MachinePath), 0);
  EXPECT_EQ(Texts(), english);
  EXPECT_TRUE(form->BitBtn11->Showing());
  EXPECT_FALSE(form->BitBtn10->Visible());
  EXPECT_EQ(form->BitBtn14->Caption(), "0");
  EXPECT_TRUE(dialogs.Requests().empty());
}

TEST_F(MainWindowTest, AStoredFrenchLanguageAndSkinComeUpAtOnce) {
  const int three = 3;
  WriteSettings(SettingsKey.MachinePath, &kFrenchName, &three);
  Start();
  EXPECT_EQ(Language, kFrenchName);
  EXPECT_EQ(SkinNumber, 3);
  EXPECT_EQ(Texts(), french);
  EXPECT_TRUE(form->BitBtn10->Showing());
  EXPECT_FALSE(form->BitBtn11->Visible());
  EXPECT_EQ(form->BitBtn14->Caption(), "3");
}

TEST_F(MainWindowTest, MissingOrMistypedValuesFallBackToTheirDefaults) {
  WriteSettings(SettingsKey.MachinePath, &kFrenchName, nullptr);
  Start(false);
  EXPECT_EQ(SkinNumber, 0);
  EXPECT_EQ(form->BitBtn14->Caption(), "0");
  EXPECT_TRUE(IsFrench(Language));

  // An empty language reads as English.
  const std::string empty;
  WriteSettings(SettingsKey.MachinePath, &empty, nullptr);
  Start(false);
  EXPECT_EQ(Language, kEnglish);
  EXPECT_TRUE(form->BitBtn11->Visible());

  // Each value stored with the other's type.
  {
    TRegistry registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(registry.OpenKey(SettingsKey.MachinePath, false));
    registry.WriteInteger("Language", 1);
    registry.WriteString("Skin", "5");
  }
  Start(false);
  EXPECT_EQ(Language, kEnglish);
  EXPECT_EQ(SkinNumber, 0);
  // Nothing was rewritten by reading.
  EXPECT_THROW(ReadLanguage(SettingsKey.MachinePath), ERegistryException);
}

TEST_F(MainWindowTest, WithoutTheMachineKeyTheUsersKeyIsUsedSilently) {
  SettingsKey.MachinePath = key.MakeVolatileChild("locked") + "\\Zorvex_V1.1";
  DialogRecorder dialogs;
  Start();
  EXPECT_TRUE(dialogs.Requests().empty());
  EXPECT_EQ(ReadLanguage(SettingsKey.UserPath), "English");
  EXPECT_EQ(ReadSkin(SettingsKey.UserPath), 0);
  EXPECT_EQ(Texts(), english);
  EXPECT_TRUE(form->BitBtn11->Showing());
  // The switches remember their choice there, and it comes back.
  Click(*form->BitBtn11);
  Click(*form->BitBtn14);
  EXPECT_EQ(ReadLanguage(SettingsKey.UserPath), kFrenchName);
  EXPECT_EQ(ReadSkin(SettingsKey.UserPath), 1);
  Restart();
  EXPECT_EQ(Texts(), french);
  EXPECT_EQ(form->BitBtn14->Caption(), "1");
}

TEST_F(MainWindowTest, WithNoWritablePlaceTheDefaultsRunAndNothingIsSaid) {
  SettingsKey.MachinePath = key.MakeVolatileChild("locked") + "\\Zorvex_V1.1";
  SettingsKey.UserPath = key.Child("locked\\user\\Zorvex_V1.1");
  DialogRecorder dialogs;
  Start();
  EXPECT_EQ(Texts(), english);
  EXPECT_TRUE(form->BitBtn11->Showing());
  // The language switch has nowhere to write: nothing changes.
  Click(*form->BitBtn11);
  EXPECT_EQ(Texts(), english);
  EXPECT_TRUE(form->BitBtn11->Showing());
  // The skin still changes, unremembered.
  Click(*form->BitBtn14);
  EXPECT_EQ(form->BitBtn14->Caption(), "1");
  EXPECT_TRUE(dialogs.Requests().empty());
}

TEST_F(MainWindowTest, SwitchingLanguageTurnsEveryTextKeepsTheRowsAndSurvivesARestart) {
  Start();
  form->SG1->SetCells(1, 1, "C:\\a\\x.jpg");
  form->SG3->SetCells(1, 1, "C:\\a\\x.jpg");
  form->SG3->SetCells(2, 1, "C:\\b\\x.jpg");
  form->SG3->SetCells(3, 1, "00002048");
  Click(*form->BitBtn11);
  EXPECT_EQ(Texts(), french);
  EXPECT_EQ(form->Label4->Caption(), "     ET");
  EXPECT_TRUE(form->BitBtn10->Showing());
  EXPECT_FALSE(form->BitBtn11->Visible());
  EXPECT_EQ(ReadLanguage(SettingsKey.MachinePath), kFrenchName);
  EXPECT_EQ(GridRow(*form->SG3, 1), (std::vector<std::string>{"", "C:\\a\\x.jpg", "C:\\b\\x.jpg", "00002048"}));
  EXPECT_EQ(form->SG1->Cells(1, 1), "C:\\a\\x.jpg");
  // The hints of the two switches never change.
  EXPECT_EQ(form->BitBtn10->Hint(), "Switch to English language");
  EXPECT_EQ(form->BitBtn11->Hint(), "Passer en langue fran\xC3\xA7"
                                    "aise");

  Restart();
  EXPECT_EQ(Texts(), french);
  EXPECT_TRUE(form->BitBtn10->Showing());

  Click(*form->BitBtn10);
  EXPECT_EQ(Texts(), english);
  EXPECT_EQ(ReadLanguage(SettingsKey.MachinePath), "English");
  EXPECT_TRUE(form->BitBtn11->Showing());
}

TEST_F(MainWindowTest, TheSkinButtonCyclesThroughTenNumbersAndRemembersThem) {
  Start();
  for (int press = 1; press <= 9; ++press) {
    Click(*form->BitBtn14);
    EXPECT_EQ(form->BitBtn14->Caption(), std::to_string(press));
  }
  EXPECT_EQ(ReadSkin(SettingsKey.MachinePath), 9);
  Click(*form->BitBtn14);
  EXPECT_EQ(form->BitBtn14->Caption(), "0");
  EXPECT_EQ(ReadSkin(SettingsKey.MachinePath), 0);
}

TEST_F(MainWindowTest, TheSkinComponentsComeFromTheWindowsDesign) {
  Start(false);
  // The names the build put into the design, "|" between them.
  const std::string items = ZORVEX_DESIGN_ITEMS;
  std::vector<std::string> expected;
  for (size_t start = 0; !items.empty();) {
    const size_t bar = items.find('|', start);
    expected.push_back(items.substr(start, bar - start));
    if (bar == std::string::npos)
      break;
    start = bar + 1;
  }
  TSkinCollection &store = *form->SkinStore1->Store();
  ASSERT_EQ(store.Count(), static_cast<int>(expected.size()));
  for (int i = 0; i < store.Count(); ++i)
    EXPECT_EQ(store.Items(i)->Name(), expected[static_cast<size_t>(i)]);
  EXPECT_FALSE(form->SkinData1->Active());
  if (store.Count() > 0) {
    EXPECT_EQ(form->SkinData1->Package().Bytes(), store.Items(0)->Data().Bytes());
    EXPECT_FALSE(form->SkinData1->SkinLoading());
  }
}

TEST_F(MainWindowTest, AHandEditedSkinNumberStaysOutsideTheCycleWithoutOverflowing) {
  const int top = 2147483647;
  WriteSettings(SettingsKey.MachinePath, &kEnglish, &top);
  Start();
  EXPECT_EQ(form->BitBtn14->Caption(), "2147483647");
  Click(*form->BitBtn14);
  EXPECT_EQ(form->BitBtn14->Caption(), "-2147483648");
  EXPECT_EQ(ReadSkin(SettingsKey.MachinePath), -2147483647 - 1);
}

TEST_F(MainWindowTest, ShowingTheWindowPreparesItsGridsAndControls) {
  Start();
  EXPECT_EQ(form->Edit1->Text(), IncludeTrailingPathDelimiter(GetCurrentDir()));
  EXPECT_FALSE(form->Label10->Visible());
  EXPECT_FALSE(form->ProgressBar1->Visible());
  EXPECT_FALSE(form->BitBtn15->Enabled());
  EXPECT_EQ(form->SG1->ColWidths(0), 40);
  EXPECT_EQ(form->SG1->ColWidths(1), 490);
  EXPECT_EQ(form->SG1->ColWidths(4), -1);
  EXPECT_EQ(form->SG2->ColWidths(1), 360);
  EXPECT_EQ(form->SG3->ColWidths(3), 60);
  EXPECT_EQ(form->SG3->FixedColor(), clYellow);
  EXPECT_EQ(form->SG1->RowCount(), 11);
  EXPECT_EQ(form->SG3->RowCount(), 23);
  EXPECT_EQ(form->Edit2->Text(), "*.*");
  EXPECT_EQ(form->Edit3->Text(), "");
  EXPECT_TRUE(form->CheckBox1->Checked());
  EXPECT_FALSE(form->CheckBox2->Checked());
  EXPECT_EQ(form->RG1->ItemIndex(), 0);
  EXPECT_EQ(form->RG2->Item(0), "No maxi");
  EXPECT_EQ(form->RG1->Item(7), "1 Gb");
  EXPECT_FALSE(form->BitBtn3->Enabled());
  EXPECT_FALSE(form->BitBtn7->Enabled());
  EXPECT_FALSE(form->BitBtn12->Enabled());
  EXPECT_TRUE(form->BitBtn1->Enabled());
  EXPECT_FALSE(form->Panel1->Visible());
}

TEST_F(MainWindowTest, EveryControlStandsWhereTheDesignPutsIt) {
  Start();
  EXPECT_EQ(WindowClass(form->Handle()), "TForm1");
  EXPECT_EQ(WindowText(form->Handle()), "Zorvex  V1.1c");
  EXPECT_EQ(form->Width(), 1012);
  EXPECT_EQ(form->Height(), 756);
  EXPECT_EQ(form->Left(), (GetSystemMetrics(SM_CXSCREEN) - 1012) / 2);
  struct Place {
    const char *name;
    int left, top, width, height;
  };
  const Place places[] = {
      {"Edit1", 192, 6, 502, 21},    {"BitBtn2", 699, 6, 22, 22},        {"RG1", 192, 27, 529, 31},
      {"RG2", 192, 57, 529, 31},     {"ProgressBar1", 192, 96, 529, 17}, {"Bevel4", 729, 9, 2, 109},
      {"Bevel2", 780, 6, 2, 109},    {"Bevel3", 912, 6, 2, 109},         {"BitBtn10", 735, 9, 40, 25},
      {"BitBtn11", 735, 9, 40, 25},  {"BitBtn13", 735, 34, 40, 25},      {"BitBtn14", 735, 59, 40, 25},
      {"BitBtn15", 735, 84, 40, 25}, {"CheckBox1", 784, 9, 124, 17},     {"Edit2", 858, 34, 46, 21},
      {"Edit3", 858, 63, 46, 21},    {"CheckBox2", 788, 92, 117, 17},    {"BitBtn1", 918, 6, 80, 30},
      {"BitBtn3", 918, 36, 80, 30},  {"BitBtn7", 918, 66, 80, 24},       {"BitBtn12", 918, 90, 80, 24},
      {"SG2", 9, 120, 427, 193},     {"SG1", 453, 120, 544, 193},        {"Panel1", 9, 123, 988, 187},
      {"SG3", 9, 318, 988, 397},     {"Label5", 18, 12, 600, 13},        {"Image4", 645, 9, 154, 154},
      {"Image5", 816, 27, 154, 154}, {"BitBtn4", 966, 3, 20, 20},        {"BitBtn8", 21, 45, 38, 38},
      {"BitBtn5", 75, 45, 38, 38},   {"BitBtn9", 21, 138, 38, 38},       {"BitBtn6", 75, 138, 38, 38},
  };
  for (const Place &place : places) {
    auto *control = dynamic_cast<TControl *>(form->FindComponent(place.name));
    ASSERT_NE(control, nullptr) << place.name;
    EXPECT_EQ(control->Left(), place.left) << place.name;
    EXPECT_EQ(control->Top(), place.top) << place.name;
    EXPECT_EQ(control->Width(), place.width) << place.name;
    EXPECT_EQ(control->Height(), place.height) << place.name;
  }
  for (const char *name : {"Label1", "Label3", "Label4", "Label10", "Label2", "Label9"})
    EXPECT_TRUE(dynamic_cast<TLabel *>(form->FindComponent(name))->Font().Style() & fs::Bold) << name;
  EXPECT_EQ(form->Label1->Left(), 9);
  EXPECT_EQ(form->Label4->Left(), 153);
  EXPECT_EQ(form->Label4->Top(), 69);
  EXPECT_EQ(form->Label3->Font().Color(), clBlue);
  EXPECT_EQ(form->Label2->Font().Color(), clMaroon);
  EXPECT_EQ(form->Label10->Font().Color(), clRed);
  EXPECT_EQ(form->Label10->Color(), clYellow);
  EXPECT_EQ(form->Edit2->Font().Color(), clMaroon);
  EXPECT_EQ(form->BitBtn1->Font().Color(), clBlue);
  EXPECT_EQ(form->BitBtn3->Font().Color(), clRed);
  EXPECT_EQ(form->Panel1->Color(), clSilver);
  EXPECT_EQ(form->Font().Name(), "MS Sans Serif");
  EXPECT_EQ(form->Font().Size(), 8);
  for (TWinControl *control : std::initializer_list<TWinControl *>{form->Edit1, form->BitBtn1, form->RG1, form->SG3,
                                                                   form->ProgressBar1, form->CheckBox1})
    EXPECT_EQ(WindowClass(control->Handle()), control->ClassName());
  EXPECT_FALSE(form->BitBtn1->Glyph().Empty());
  EXPECT_FALSE(form->BitBtn11->Glyph().Empty());
}

TEST_F(MainWindowTest, BrowsingSetsTheStartingDirectoryAndBringsTheGridsBack) {
  Start();
  TempDir temp;
  form->Panel1->Show();
  form->SG1->Hide();
  {
    DialogRecorder dialogs;
    dialogs.QueuePath(temp.Path());
    Click(*form->BitBtn2);
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].Kind, DialogKind::SelectDirectory);
    EXPECT_EQ(dialogs.Requests()[0].Path, GetCurrentDir());
  }
  EXPECT_EQ(form->Edit1->Text(), temp.Path() + "\\");
  EXPECT_TRUE(form->SG1->Visible());
  EXPECT_FALSE(form->Panel1->Visible());
  // Cancelled: the directory stays.
  DialogRecorder cancelled;
  Click(*form->BitBtn2);
  EXPECT_EQ(form->Edit1->Text(), temp.Path() + "\\");
}

TEST_F(MainWindowTest, TheHelpButtonShowsTheHelpWindowWithACaptionInTheLanguage) {
  Start();
  EXPECT_FALSE(help->Visible());
  Click(*form->BitBtn13);
  EXPECT_TRUE(help->Showing());
  EXPECT_EQ(WindowClass(help->Handle()), "TForm2");
  EXPECT_EQ(WindowText(help->Handle()), " Instructions for use Zorvex V1.1");
  EXPECT_TRUE(GetWindowLongPtrW(help->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  Click(*form->BitBtn11);
  Click(*form->BitBtn13);
  EXPECT_EQ(WindowText(help->Handle()), " Utilisation de Zorvex V1.1");
  Click(*help->BitBtn1);
  EXPECT_FALSE(help->Visible());
  // Its close box only hides it.
  Click(*form->BitBtn13);
  SendMessageW(help->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(help->Visible());
  EXPECT_NE(Form2, nullptr);
}

TEST_F(MainWindowTest, MessageBoxesKeepTheirFrenchTitlesInBothLanguages) {
  Start();
  for (const std::string &language : {kEnglish, kFrenchName}) {
    Language = language;
    DialogRecorder dialogs;
    MessageDlg("The file x\nalready exists\n\nOverwrite?", TMsgDlgType::mtWarning, mb::OK | mb::Abort);
    MessageDlg("3 doubles", TMsgDlgType::mtInformation, mb::OK);
    ASSERT_EQ(dialogs.Messages().size(), 2u);
    EXPECT_EQ(dialogs.Messages()[0].Title, "Avertissement");
    EXPECT_EQ(dialogs.Messages()[0].Text, "The file x\nalready exists\n\nOverwrite?");
    EXPECT_EQ(dialogs.Messages()[0].Buttons, (std::vector<std::string>{"OK", "&Abandonner"}));
    EXPECT_EQ(dialogs.Messages()[1].Title, "Information");
  }
}

TEST_F(MainWindowTest, ScreenshotsOfTheMainWindowInBothLanguages) {
  Start();
  for (const char *name : {"main-window-en.png", "main-window-fr.png"}) {
    const TDibBitmap shot = CaptureWindow(form->Handle(), true);
    EXPECT_EQ(shot.Width(), 1012);
    EXPECT_EQ(shot.Height(), 756);
    // The yellow caption cells of the doubles grid are there (sampled clear
    // of the caption's text, whose place depends on the font).
    const POINT inGrid = form->SG3->ClientToScreen(POINT{400, 8});
    RECT window{};
    GetWindowRect(form->Handle(), &window);
    EXPECT_EQ(shot.Pixel(inGrid.x - window.left, inGrid.y - window.top) & 0xFFFFFF, 0xFFFF00u);
    const std::string path = ScreenshotPath(name);
    SaveImage(shot, path);
    std::printf("screenshot: %s\n", path.c_str());
    Click(*form->BitBtn11);
  }
}

} // namespace
