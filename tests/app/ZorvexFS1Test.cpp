#include "app/ZorvexFS1.h"

#include <gtest/gtest.h>

#include "app/Language.h"
#include "app/ZorvexFP.h"
#include "framework/win/Capture.h"
#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

class HelpWindowTest : public GuiTest {
protected:
  void SetUp() override {
    GuiTest::SetUp();
    SettingsKey = SettingsLocation{HKEY_CURRENT_USER, key.Child("Zorvex_V1.1"), HKEY_CURRENT_USER, key.Child("user")};
    Language = kEnglish;
    form = new TForm1(nullptr);
    help = new TForm2(nullptr);
    form->Show();
  }
  void TearDown() override {
    delete form;
    delete help;
    SettingsKey = DefaultSettingsLocation();
    GuiTest::TearDown();
  }
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (int i = 0; i < help->RichEdit1->LineCount(); ++i)
      lines.push_back(help->RichEdit1->Line(i));
    return lines;
  }
  void ExpectLine(int number, const std::string &text, bool bold, TColor color, bool bullet, int indent) {
    const int index = number - 1;
    EXPECT_EQ(help->RichEdit1->Line(index), text) << number;
    const TTextAttributes attributes = help->RichEdit1->LineAttributes(index);
    const TParaAttributes paragraph = help->RichEdit1->LineParagraph(index);
    if (!text.empty()) {
      EXPECT_EQ(attributes.Bold, bold) << number;
      EXPECT_EQ(attributes.Color, color) << number;
      EXPECT_FALSE(attributes.Italic) << number;
    }
    EXPECT_EQ(paragraph.Bullets, bullet) << number;
    EXPECT_EQ(paragraph.FirstIndent, indent) << number;
  }
  void Screenshot(const std::string &name) {
    const std::string path = ScreenshotPath(name);
    SaveWindowImage(help->Handle(), path);
    std::printf("screenshot: %s\n", path.c_str());
  }

  TestRegistryKey key;
  TForm1 *form = nullptr;
  TForm2 *help = nullptr;
};

TEST_F(HelpWindowTest, TheInstructionsComeWithTheirFormattingInEnglish) {
  Click(*form->BitBtn13);
  ASSERT_TRUE(help->Showing());
  EXPECT_EQ(WindowText(help->Handle()), " Instructions for use Zorvex V1.1");
  // The text is shown from its first line on (before reading it back, which
  // moves the caret).
  SCROLLINFO scroll{};
  scroll.cbSize = sizeof(scroll);
  scroll.fMask = SIF_POS;
  GetScrollInfo(help->RichEdit1->Handle(), SB_VERT, &scroll);
  EXPECT_EQ(scroll.nPos, 0);
  Screenshot("help-window-en.png");
  ASSERT_EQ(help->RichEdit1->LineCount(), 34);
  ExpectLine(1, "", false, clBlack, false, 2);
  ExpectLine(2, "============ BASIC USE ==============", true, clRed, false, 2);
  ExpectLine(5, "2/  Check \"Recurse directories\" if they need to be scanned", true, clRed, false, 2);
  ExpectLine(9, "Open the files using the existing Windows association", true, clRed, true, 20);
  ExpectLine(11, "", true, clRed, false, 2);
  ExpectLine(18, "============ OTHER OPTIONS ==============", true, clBlue, false, 2);
  ExpectLine(22, "Indicate a type of files to scan, for instance \"*.html\"", true, clBlue, true, 20);
  ExpectLine(26, "===================================================", true, clBlue, false, 2);
  EXPECT_EQ(help->RichEdit1->Line(30).rfind("The most recent version can be downloaded here : https://", 0), 0u);
  EXPECT_EQ(help->RichEdit1->Line(31).rfind("Suggestions or feedbacks : https://", 0), 0u);
  ExpectLine(34, "===================================================", true, clBlue, false, 2);
}

TEST_F(HelpWindowTest, ShownAgainTheTextIsRebuiltOnceInTheLanguageThen) {
  Click(*form->BitBtn13);
  const std::vector<std::string> english = Lines();
  ASSERT_EQ(english.size(), 34u);

  // Switched while the window is open: the caption follows at the next press,
  // the text only once the window has been hidden and shown again.
  Click(*form->BitBtn11);
  Click(*form->BitBtn13);
  EXPECT_EQ(WindowText(help->Handle()), " Utilisation de Zorvex V1.1");
  EXPECT_EQ(Lines(), english);

  Click(*help->BitBtn1);
  EXPECT_FALSE(help->Visible());
  Click(*form->BitBtn13);
  Screenshot("help-window-fr.png");
  ASSERT_EQ(help->RichEdit1->LineCount(), 34);
  ExpectLine(2, "============ UTILISATION DE BASE ==============", true, clRed, false, 2);
  ExpectLine(13,
             "De trier la liste des doublons trouv\xC3\xA9s en cliquant sur une des t\xC3\xAAtes de colonne de la "
             "grille inf\xC3\xA9rieure",
             true, clRed, true, 20);
  ExpectLine(24, "Choisir une pr\xC3\xA9sentation (10 skins disponibles)", true, clBlue, true, 20);

  // Closed by its close box and shown again: still 34 lines.
  SendMessageW(help->Handle(), WM_CLOSE, 0, 0);
  Click(*form->BitBtn13);
  EXPECT_EQ(help->RichEdit1->LineCount(), 34);
}

} // namespace
