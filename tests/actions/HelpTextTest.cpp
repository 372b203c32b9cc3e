#include "actions/HelpText.h"

#include <gtest/gtest.h>

using namespace zorvex;

TEST(HelpText, ThirtyFourLinesPerLanguageWithTheirFormats) {
  for (const bool french : {false, true}) {
    const std::vector<HelpLine> lines = HelpLines(french);
    ASSERT_EQ(lines.size(), 34u);
    EXPECT_EQ(lines[0].text, "");
    EXPECT_FALSE(lines[0].bold);
    EXPECT_EQ(lines[0].color, kHelpBlack);
    EXPECT_EQ(lines[0].firstIndent, 2);
    for (int i = 1; i < 17; ++i) // from the first heading on: bold red
      EXPECT_TRUE(lines[i].bold && lines[i].color == kHelpRed) << i;
    for (int i = 17; i < 34; ++i) // from the second heading on: bold blue
      EXPECT_TRUE(lines[i].bold && lines[i].color == kHelpBlue) << i;
    // Bullets with indent 20 on lines 9-10, 13-15 and 21-25 only.
    for (int i = 0; i < 34; ++i) {
      const int number = i + 1;
      const bool bullet =
          (number >= 9 && number <= 10) || (number >= 13 && number <= 15) || (number >= 21 && number <= 25);
      EXPECT_EQ(lines[i].bullet, bullet) << number;
      EXPECT_EQ(lines[i].firstIndent, bullet ? 20 : 2) << number;
    }
    EXPECT_EQ(lines[33].text, "===================================================");
    EXPECT_TRUE(lines[31].text.ends_with(kForumAddress));
  }
  const std::vector<HelpLine> english = HelpLines(false), french = HelpLines(true);
  EXPECT_EQ(english[1].text, "============ BASIC USE ==============");
  EXPECT_EQ(french[1].text, "============ UTILISATION DE BASE ==============");
  EXPECT_EQ(french[30].text, std::string("Téléchargement de la dernière version : ") + kDownloadAddress);
  EXPECT_EQ(HelpCaption(false), " Instructions for use Zorvex V1.1");
  EXPECT_EQ(HelpCaption(true), " Utilisation de Zorvex V1.1");
}
