#include "SkinTool.h"

#include "framework/core/Bitmap.h"
#include "framework/core/Paths.h"
#include "framework/core/Streams.h"
#include "skin/data/Skinwrite.h"
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
  };
  for (const Case &c : cases) {
    const ToolRun run = Tool(c.args);
    EXPECT_EQ(run.code, 1) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
  }
  EXPECT_FALSE(FileExists(dir / "o.skn"));
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
