#include "skin/data/Winskinini.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace zorvex;
using zorvex::test::TempDir;

namespace {

void Load(TQuickIni &ini, const std::string &text) {
  TMemoryStream s;
  s.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
  s.SetPosition(0);
  ini.LoadFromStream(&s);
}

std::string Saved(TQuickIni &ini) {
  TMemoryStream s;
  ini.SaveToStream(&s);
  return std::string(s.Bytes().begin(), s.Bytes().end());
}

const char *const kSkin = "; a skin\r\n"
                          "[Colours]\r\n"
                          "   Button Face =  211, 211,  211 ; not a comment  \r\n"
                          "\r\n"
                          "Empty=\r\n"
                          "hex=0x1F\n"
                          "dollar=$1f\r"
                          "neg=-12\r\n"
                          "bad=12ab\r\n"
                          "button face=second\r\n"
                          "[ Title ]\r\n"
                          "Height=20\r\n"
                          "[COLOURS]\r\n"
                          "Later=1\r\n";

} // namespace

TEST(QuickIni, ReadsKeysAndSectionsByTheirRules) {
  TQuickIni ini;
  Load(ini, kSkin);
  // Sections ignore letter case; keys ignore case and the spaces around them.
  EXPECT_EQ(ini.ReadString("colours", "BUTTON FACE", "-"), "211, 211,  211 ; not a comment");
  // Spaces inside the brackets belong to the name.
  EXPECT_EQ(ini.ReadInteger("Title", "Height", -1), -1);
  EXPECT_EQ(ini.ReadInteger(" Title ", "height", -1), 20);
  // Empty values, missing keys and keys of a later section of the same name give the default.
  EXPECT_EQ(ini.ReadString("Colours", "Empty", "def"), "def");
  EXPECT_EQ(ini.ReadString("Colours", "Later", "def"), "def");
  EXPECT_EQ(ini.ReadString("Nowhere", "x", "def"), "def");

  EXPECT_EQ(ini.ReadInteger("Colours", "hex", 0), 31);
  EXPECT_EQ(ini.ReadInteger("Colours", "dollar", 0), 31);
  EXPECT_EQ(ini.ReadInteger("Colours", "neg", 0), -12);
  EXPECT_EQ(ini.ReadInteger("Colours", "bad", 7), 7);
  EXPECT_EQ(ini.ReadInteger("Colours", "Empty", 7), 7);
  EXPECT_TRUE(ini.ReadBool("Colours", "neg", false));
  EXPECT_TRUE(ini.ReadBool("Colours", "none", true));

  TStringList names;
  ini.ReadSections(&names);
  EXPECT_EQ(names.Text(), "Colours\r\nTitle\r\nCOLOURS\r\n");
  ini.ReadSection("colours", &names);
  EXPECT_EQ(names.CommaText(), "\"button face\",empty,hex,dollar,neg,bad,\"button face\"");
  ini.ReadSectionValues(" title ", &names);
  EXPECT_EQ(names.Text(), "Height=20\r\n");
}

TEST(QuickIni, LoadingDropsCommentsAndBlanksAndStopsAtAZeroByte) {
  TQuickIni ini;
  Load(ini, std::string("[A]\r\n  ; comment\r\n\tk = v \r\n\r\r\n[B]\0[C]\r\nx=1\r\n", 36));
  EXPECT_EQ(Saved(ini), "[A]\r\nk = v\r\n[B]\r\n");
  EXPECT_EQ(ini.ReadString("C", "x", "none"), "none");
  // Loading replaces everything; a null stream changes nothing.
  ini.LoadFromStream(nullptr);
  EXPECT_EQ(ini.Lines().Count(), 3);
}

TEST(QuickIni, WritingKeepsTheSectionIndexInStep) {
  TQuickIni ini;
  Load(ini, "[One]\r\na=1\r\n[Two]\r\nb=2\r\n[Three]\r\nc=3\r\n");
  ini.WriteString("one", "New", "x"); // inserted before [Two]
  ini.WriteInteger("TWO", "B", -4);   // replaced in place, caller's case
  ini.WriteBool("Three", "d", true);  // appended at the end
  ini.WriteString("Four", "e", "5");  // new section
  ini.WriteString("Five", "", "ignored");
  EXPECT_EQ(Saved(ini),
            "[One]\r\na=1\r\nNew=x\r\n[Two]\r\nB=-4\r\n[Three]\r\nc=3\r\nd=1\r\n[Four]\r\ne=5\r\n[Five]\r\n");
  EXPECT_EQ(ini.ReadString("Two", "b", ""), "-4");
  EXPECT_EQ(ini.ReadString("Three", "c", ""), "3");
  EXPECT_EQ(ini.ReadString("Four", "e", ""), "5");

  ini.DeleteKey("One", "a");
  ini.DeleteKey("One", "");
  EXPECT_EQ(ini.ReadString("Two", "b", ""), "-4");
  // Erasing a middle section leaves one empty line; later sections still read.
  ini.EraseSection("Two");
  EXPECT_EQ(Saved(ini), "[One]\r\nNew=x\r\n\r\n[Three]\r\nc=3\r\nd=1\r\n[Four]\r\ne=5\r\n[Five]\r\n");
  EXPECT_EQ(ini.ReadString("Three", "d", ""), "1");
  ini.WriteString("Three", "f", "6");
  EXPECT_EQ(ini.ReadString("Four", "e", ""), "5");
  // Erasing the first section leaves no line (the empty line was part of it).
  ini.EraseSection("One");
  EXPECT_EQ(Saved(ini), "[Three]\r\nc=3\r\nd=1\r\nf=6\r\n[Four]\r\ne=5\r\n[Five]\r\n");
  ini.EraseSection("four");
  ini.WriteString("Five", "g", "7");
  EXPECT_EQ(Saved(ini), "[Three]\r\nc=3\r\nd=1\r\nf=6\r\n\r\n[Five]\r\ng=7\r\n");
  EXPECT_EQ(ini.ReadString("Five", "g", ""), "7");
  EXPECT_EQ(ini.ReadString("Four", "e", "gone"), "gone");
}

TEST(QuickIni, ReplacesItsLinesAndRebuildsTheIndex) {
  TQuickIni ini;
  TStringList lines{"x=0", "[S]", "k=v", " [T] ", "k=w"};
  ini.SetIniFile(&lines);
  EXPECT_EQ(ini.ReadString("s", "k", ""), "v");
  EXPECT_EQ(ini.ReadString("T", "k", ""), "w");
  ini.Clear();
  EXPECT_EQ(ini.ReadString("s", "k", "gone"), "gone");
}

TEST(QuickIni, SavesAndLoadsFilesPlainAndPacked) {
  TempDir dir;
  TQuickIni ini;
  Load(ini, kSkin);
  ini.SavetoZip(dir / "skin.lzh");
  ini.SaveToFile(dir / "skin.ini");
  TQuickIni packed, plain;
  packed.LoadFromZip(dir / "skin.lzh");
  plain.LoadFromFile(dir / "skin.ini");
  EXPECT_EQ(Saved(packed), Saved(ini));
  EXPECT_EQ(Saved(plain), Saved(ini));
  EXPECT_EQ(packed.ReadInteger("Colours", "hex", 0), 31);
  EXPECT_THROW(plain.LoadFromFile(dir / "missing.ini"), EFOpenError);
  EXPECT_EQ(plain.ReadInteger("Colours", "hex", 0), 31);
}
