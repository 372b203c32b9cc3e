#include "framework/core/Texts.h"
#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>

using namespace zorvex;

TEST(Texts, Utf16RoundTripKeepsAccentsAstralCharactersAndLoneSurrogates) {
  const std::string accented = "R\xC3\xA9pertoire \xE2\x82\xAC \xF0\x9F\x93\x81";
  const std::u16string wide = Utf8ToUtf16(accented);
  EXPECT_EQ(wide, u"R\u00E9pertoire \u20AC \U0001F4C1");
  EXPECT_EQ(Utf16ToUtf8(wide), accented);

  // Windows file names may hold unpaired surrogates; they must survive.
  const std::u16string lone = {u'a', 0xD800, u'b', 0xDC01};
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(lone)), lone);
}

TEST(Texts, MalformedUtf8BecomesReplacementCharacters) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF"
                        "b"),
            u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUtf16("\xC3"), u"\uFFFD");           // truncated sequence
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD"); // overlong '/'
}

TEST(Texts, AnsiCodePageIsWindows1252) {
  EXPECT_EQ(Utf8ToAnsi("\xC3\x89t\xC3\xA9"), "\xC9t\xE9");
  EXPECT_EQ(Utf8ToAnsi("\xE2\x82\xAC"), "\x80");
  EXPECT_EQ(Utf8ToAnsi("\xE4\xB8\xAD"), "?"); // no 8-bit form
  // A missing character is never written as a look-alike ("Łódź" is not "Lodz").
  bool complete = true;
  EXPECT_EQ(Utf8ToAnsi("\xC5\x81\xC3\xB3"
                       "d\xC5\xBA",
                       &complete),
            "?\xF3"
            "d?");
  EXPECT_FALSE(complete);
  Utf8ToAnsi("\xC3\x89t\xC3\xA9 ?", &complete);
  EXPECT_TRUE(complete);
  EXPECT_EQ(AnsiToUtf8("\xC9\x80"), "\xC3\x89\xE2\x82\xAC");
}

TEST(Texts, CaseHelpersTouchOnlyAsciiLetters) {
  EXPECT_EQ(LowerCaseAZ("PHOTO.JpG \xC3\x89"), "photo.jpg \xC3\x89");
  EXPECT_EQ(UpperCaseAZ("abc\xC3\xA9"), "ABC\xC3\xA9");
  EXPECT_TRUE(SameTextAZ("Skin.INI", "skin.ini"));
  EXPECT_FALSE(SameTextAZ("\xC3\x89", "\xC3\xA9"));
}

TEST(Texts, TrimAndIntegers) {
  EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
  EXPECT_EQ(StrToInt64(" -42 "), -42);
  EXPECT_EQ(StrToInt64("+7"), 7);
  EXPECT_THROW(StrToInt64("12a"), EConvertError);
  EXPECT_THROW(StrToInt64("99999999999999999999"), EConvertError);
  EXPECT_EQ(StrToInt64Def("", 5), 5);
  EXPECT_EQ(IntToStr(4294967396LL), "4294967396");
}
