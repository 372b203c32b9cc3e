#include "framework/core/Exceptions.h"
#include "framework/core/Strings.h"
#include "framework/core/Streams.h"

#include <gtest/gtest.h>

using namespace zorvex;

TEST(CommaText, QuotesItemsWithBlanksCommasOrQuotes) {
  TStringList list{"NUM", "FILE SCANNED", "CRC", "a,b", "say \"hi\"", ""};
  EXPECT_EQ(list.CommaText(), "NUM,\"FILE SCANNED\",CRC,\"a,b\",\"say \"\"hi\"\"\",");
  TStringList single{""};
  EXPECT_EQ(single.CommaText(), "\"\"");
}

TEST(CommaText, ParsesBlanksAsSeparatorsOutsideQuotes) {
  TStringList list;
  list.SetCommaText("  NUM,\"FICHIER VERIFI\xC3\x89\" CRC,,\"a \"\"b\"\"\",last,");
  ASSERT_EQ(list.Count(), 6);
  EXPECT_EQ(list[0], "NUM");
  EXPECT_EQ(list[1], "FICHIER VERIFI\xC3\x89");
  EXPECT_EQ(list[2], "CRC");
  EXPECT_EQ(list[3], "");
  EXPECT_EQ(list[4], "a \"b\"");
  EXPECT_EQ(list[5], "last");
}

TEST(CommaText, RoundTripsAccentsAndBlanks) {
  const TStringList original{"PREMIER FICHIER TROUV\xC3\x89", "DOUBLON", "x y,z", "\xC3\xA9t\xC3\xA9"};
  TStringList copy;
  copy.SetCommaText(original.CommaText());
  ASSERT_EQ(copy.Count(), original.Count());
  for (int i = 0; i < copy.Count(); ++i)
    EXPECT_EQ(copy[i], original[i]);
}

TEST(StringList, TextSplitsAnyLineBreakAndIndexOfIgnoresCase) {
  TStringList list;
  list.SetText("one\r\ntwo\nthree\rFour");
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\nFour\r\n");
  EXPECT_EQ(list.IndexOf("FOUR"), 3);
  EXPECT_EQ(list.IndexOf("five"), -1);
  EXPECT_THROW(list.Get(4), Exception);
  list.Delete(0);
  list.Insert(0, "zero");
  EXPECT_EQ(list[0], "zero");
}

TEST(StringList, StreamsItsText) {
  TStringList list{"a", "b"};
  TMemoryStream stream;
  list.SaveToStream(stream);
  EXPECT_EQ(stream.Size(), 6);
  stream.SetPosition(0);
  TStringList back;
  back.LoadFromStream(stream);
  EXPECT_EQ(back.Text(), list.Text());
}
