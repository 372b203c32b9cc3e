#include "SkinTool.h"

#include "SkinSheet.h"
#include "framework/core/Bitmap.h"
#include "framework/core/Paths.h"
#include "framework/core/Streams.h"
#include "skin/data/Skinread.h"
#include "skin/data/Skinwrite.h"
#include "skin/data/Winskindata.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace zorvex;
using zorvex::test::ReadFile;
using zorvex::test::TempDir;
using zorvex::test::WriteFile;

namespace {

struct ToolRun {
  int code;
  std::string out;
  std::string err;
};

ToolRun Tool(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int code = RunSkinTool(args, out, err);
  return {code, out.str(), err.str()};
}

std::string BmpBytes(int w, int h) {
  TBitmap bitmap(w, h);
  bitmap.Fill(MakeColor(w, h, 7));
  TMemoryStream stream;
  bitmap.SaveToStream(stream);
  return std::string(stream.Bytes().begin(), stream.Bytes().end());
}

const std::string kIni = "[TitlebarSkin]\r\nSkinName=Test\r\n";

} // namespace

TEST(SkinTool, PacksAFolderAndUnpacksItByteForByte) {
  TempDir dir;
  WriteFile(dir / "src/Skin.INI", kIni);
  WriteFile(dir / "src/Title.BMP", BmpBytes(30, 20));
  WriteFile(dir / "src/a.bmp", BmpBytes(2, 3));
  WriteFile(dir / "src/notes.txt", "not packed");
  const ToolRun pack = Tool({"pack", dir / "src", dir / "test.skn"});
  ASSERT_EQ(pack.code, 0) << pack.err;
  EXPECT_NE(pack.err.find("notes.txt"), std::string::npos);

  const ToolRun list = Tool({"list", dir / "test.skn"});
  EXPECT_EQ(list.code, 0);
  EXPECT_EQ(list.out, std::to_string(kIni.size()) + "\tskin.ini\n" + std::to_string(BmpBytes(2, 3).size()) +
                          "\ta.bmp\n" + std::to_string(BmpBytes(30, 20).size()) + "\ttitle.bmp\n");
  const ToolRun ini = Tool({"ini", dir / "test.skn"});
  EXPECT_EQ(ini.out, kIni);

  ASSERT_EQ(Tool({"unpack", dir / "test.skn", dir / "out/deeper"}).code, 0);
  EXPECT_EQ(ReadFile(dir / "out/deeper/skin.ini"), kIni);
  EXPECT_EQ(ReadFile(dir / "out/deeper/title.bmp"), BmpBytes(30, 20));
  EXPECT_EQ(ReadFile(dir / "out/deeper/a.bmp"), BmpBytes(2, 3));
  EXPECT_FALSE(FileExists(dir / "out/deeper/notes.txt"));
}

TEST(SkinTool, RefusesBadFoldersAndPackagesWithAMessage) {
  TempDir dir;
  WriteFile(dir / "two/a.ini", kIni);
  WriteFile(dir / "two/b.ini", kIni);
  WriteFile(dir / "badbmp/skin.ini", kIni);
  WriteFile(dir / "badbmp/x.bmp", "BM not really");
  WriteFile(dir / "junk.skn", "\x10\0\0\0garbage");
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"pack", dir / "two", dir / "o.skn"}, "exactly one .ini file, it holds 2"},
      {{"pack", dir / "badbmp", dir / "o.skn"}, "x.bmp is not a valid BMP file"},
      {{"pack", dir / "none", dir / "o.skn"}, "no such folder"},
      {{"list", dir / "junk.skn"}, "not a skin package"},
      {{"ini", dir / "missing.skn"}, "no such file"},
      {{"show", dir / "junk.skn"}, "not a skin package a skin can load"},
      {{"sheet", dir / "missing.skn", dir / "o.png"}, "no such file"},
  };
  for (const Case &c : cases) {
    const ToolRun run = Tool(c.args);
    EXPECT_EQ(run.code, 1) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_FALSE(FileExists(dir / "o.skn"));
  EXPECT_FALSE(FileExists(dir / "o.png"));
  EXPECT_EQ(Tool({"pack", dir / "two"}).code, 2);
  EXPECT_EQ(Tool({}).code, 2);
}

TEST(SkinTool, UnpackNeverWritesOutsideItsFolder) {
  TempDir dir;
  TMemoryStream package;
  WriteSkinPackage({{"skin.ini", kIni}, {"../evil.bmp", "x"}}, package);
  package.SaveToFile(dir / "evil.skn");
  const ToolRun run = Tool({"unpack", dir / "evil.skn", dir / "out"});
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.err.find("not a plain file name"), std::string::npos);
  EXPECT_FALSE(FileExists(dir / "evil.bmp"));
}

TEST(SkinSheet, DrawsEachFrameTwiceItsSizeBetweenGridLines) {
  // Three 2 x 2 frames of a check box picture: red, green, blue.
  TBitmap boxes(6, 2);
  for (int x = 0; x < 6; ++x)
    for (int y = 0; y < 2; ++y)
      boxes.SetPixel(x, y, x < 2 ? clRed : x < 4 ? clLime : clBlue);
  TMemoryStream bmp;
  boxes.SaveToStream(bmp);
  TMemoryStream package;
  WriteSkinPackage({{"skin.ini", "[TitlebarSkin]\nSkinName=Sheet\n[Buttons]\nCheckButton=boxes.bmp\n"
                                 "CheckButtonFrame=3\n"},
                    {"boxes.bmp", std::string(bmp.Bytes().begin(), bmp.Bytes().end())}},
                   package);
  TSkinData skin;
  skin.Package().LoadFromStream(package);
  ASSERT_TRUE(skin.LoadSkin());
  TSkinReader reader;
  ASSERT_TRUE(reader.Loadfromstream(&package));
  const TBitmap sheet = SkinSheet(skin, reader, "a test");

  int x0 = -1, y0 = -1;
  for (int y = 0; y < sheet.Height() && x0 < 0; ++y)
    for (int x = 0; x < sheet.Width() && x0 < 0; ++x)
      if (sheet.GetPixel(x, y) == clRed)
        x0 = x, y0 = y;
  ASSERT_GE(x0, 1);
  const TColor grid = sheet.GetPixel(x0 - 1, y0);
  EXPECT_NE(grid, clRed);
  EXPECT_EQ(sheet.GetPixel(x0, y0 - 1), grid);
  for (int frame = 0; frame < 3; ++frame) {
    const int left = x0 + frame * 5;
    const TColor colour = frame == 0 ? clRed : frame == 1 ? clLime : clBlue;
    for (int dy = 0; dy < 4; ++dy)
      for (int dx = 0; dx < 4; ++dx)
        ASSERT_EQ(sheet.GetPixel(left + dx, y0 + dy), colour) << frame << ": " << dx << "," << dy;
    EXPECT_EQ(sheet.GetPixel(left + 4, y0), grid) << frame;
    EXPECT_EQ(sheet.GetPixel(left, y0 + 4), grid) << frame;
  }
}
