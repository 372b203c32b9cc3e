#include "cli/ZorvexCli.h"
#include "framework/core/Paths.h"
#include "support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

using namespace zorvex;
using zorvex::test::TempDir;
using zorvex::test::WriteFile;

namespace {

struct CliRun {
  int code;
  std::string out;
  std::string err;
};

CliRun RunCliWith(std::vector<std::string> args, bool interactive = false) {
  std::ostringstream out, err;
  const int code = RunCli(args, out, err, interactive);
  return {code, out.str(), err.str()};
}

struct CliTest : ::testing::Test {
  TempDir dir;
  std::string Root() { return dir.Path() + PathDelim; }
};

TEST_F(CliTest, TheListIsTheSavedListByteForByte) {
  WriteFile(dir / "caf\xC3\xA9.txt", std::string(512, 'z'));
  WriteFile(dir / "sub/copy.txt", std::string(512, 'z'));
  WriteFile(dir / "sub/deeper/again.txt", std::string(512, 'z'));
  WriteFile(dir / "sub/alone.txt", std::string(511, 'z'));
  const std::string ansiRoot = Root(); // plain ASCII: the same in both encodings
  const CliRun run = RunCliWith({dir.Path()});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.err, "");
  const std::string sep(1, PathDelim);
  EXPECT_EQ(run.out, "NUM\tFIRST FILE FOUND\tDOUBLE FOUND\tSIZE\t\r\n"
                     "1\t" +
                         ansiRoot + "caf\xE9.txt\t" + ansiRoot + "sub" + sep +
                         "copy.txt\t00000512\t\r\n"
                         "2\t" +
                         ansiRoot + "sub" + sep + "copy.txt\t" + ansiRoot + "sub" + sep + "deeper" + sep +
                         "again.txt\t00000512\t\r\n");

  // The same list with LF line ends and the names as they are.
  const CliRun utf8 = RunCliWith({"--lf", "--utf8", dir.Path()});
  EXPECT_EQ(utf8.out, "NUM\tFIRST FILE FOUND\tDOUBLE FOUND\tSIZE\t\n"
                      "1\t" +
                          ansiRoot + "caf\xC3\xA9.txt\t" + ansiRoot + "sub" + sep +
                          "copy.txt\t00000512\t\n"
                          "2\t" +
                          ansiRoot + "sub" + sep + "copy.txt\t" + ansiRoot + "sub" + sep + "deeper" + sep +
                          "again.txt\t00000512\t\n");

  const CliRun french = RunCliWith({"--lang", "fr", "--lf", "--utf8", "--no-recurse", Root()});
  EXPECT_EQ(french.code, 0);
  EXPECT_EQ(french.out, "NUM\tPREMIER FICHIER TROUV\xC3\x89\tDOUBLON TROUV\xC3\x89\tTAILLE\t\n");
  const CliRun ansi = RunCliWith({"--lang=fr", Root()});
  EXPECT_EQ(ansi.out.substr(0, 28), "NUM\tPREMIER FICHIER TROUV\xC9\tD");
}

TEST_F(CliTest, SizeWindowFromClassNamesOrExactBytes) {
  for (int size : {4, 5, 6})
    for (const char *copy : {"a", "b"})
      WriteFile(dir / (std::to_string(size) + copy), std::string(static_cast<size_t>(size), 'q'));
  const CliRun exact = RunCliWith({"--min", "4", "--max=6", "--lf", dir.Path()});
  EXPECT_EQ(exact.code, 0);
  EXPECT_NE(exact.out.find("\t00000005\t\n"), std::string::npos);
  EXPECT_EQ(exact.out.find("\t00000004\t"), std::string::npos);
  EXPECT_EQ(exact.out.find("\t00000006\t"), std::string::npos);

  EXPECT_EQ(ParseSizeBound("1 Kb", false), SizeBound::Class(1));
  EXPECT_EQ(ParseSizeBound("100kb", true), SizeBound::Class(3));
  EXPECT_EQ(ParseSizeBound("NO MAXI", true), SizeBound::Class(0));
  EXPECT_EQ(ParseSizeBound("1 Byte", false), SizeBound::Class(0));
  EXPECT_EQ(ParseSizeBound("1 Gb", false), SizeBound::Class(7));
  EXPECT_EQ(ParseSizeBound("4096", true), SizeBound::Bytes(4096));
  EXPECT_FALSE(ParseSizeBound("No maxi", false));
  EXPECT_FALSE(ParseSizeBound("1 Byte", true));
  EXPECT_FALSE(ParseSizeBound("-5", true));
  EXPECT_FALSE(ParseSizeBound("2 Kb", true));
  EXPECT_FALSE(ParseSizeBound("99999999999999999999", true));
}

TEST_F(CliTest, ExitCodes) {
  const CliRun contradictory = RunCliWith({"--min", "1 Mb", "--max", "1Kb", dir.Path()});
  EXPECT_EQ(contradictory.code, 1);
  EXPECT_EQ(contradictory.out, "");
  EXPECT_EQ(contradictory.err, "zorvex-cli: File size : Your maximum is not greater than your minimum\n");
  EXPECT_EQ(RunCliWith({"--min", "100", "--max", "100", dir.Path()}).code, 1);

  const CliRun missing = RunCliWith({dir / "missing"});
  EXPECT_EQ(missing.code, 1);
  EXPECT_NE(missing.err.find("cannot read the folder"), std::string::npos);
  WriteFile(dir / "file", "x");
  EXPECT_EQ(RunCliWith({dir / "file"}).code, 1);

  for (const std::vector<std::string> &usage : std::vector<std::vector<std::string>>{{},
                                                                                     {dir.Path(), dir.Path()},
                                                                                     {"--bogus", dir.Path()},
                                                                                     {"--min", "huge", dir.Path()},
                                                                                     {"--lang", "de", dir.Path()},
                                                                                     {"--lf=yes", dir.Path()},
                                                                                     {dir.Path(), "--include"}}) {
    const CliRun run = RunCliWith(usage);
    EXPECT_EQ(run.code, 2) << ::testing::PrintToString(usage);
    EXPECT_NE(run.err.find("--help"), std::string::npos);
    EXPECT_EQ(run.out, "");
  }
  const CliRun help = RunCliWith({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_EQ(help.out.substr(0, 32), "Usage: zorvex-cli [options] DIR\n");
  // The build's project version, even with a folder given.
  const CliRun version = RunCliWith({"--version", dir.Path()});
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.out, std::string("zorvex-cli ") + ZORVEX_VERSION + "\n");
  // After "--" a name that starts with a dash is the folder.
  EXPECT_EQ(RunCliWith({"--", "-h"}).code, 1);
}

TEST_F(CliTest, FiltersAndTheInteractiveConsole) {
  WriteFile(dir / "a.jpg", "photo");
  WriteFile(dir / "b.JPG", "photo");
  WriteFile(dir / "c.tmp", "photo");
  const CliRun included = RunCliWith({"--include", "*.jpg", "--lf", dir.Path()});
  EXPECT_EQ(std::count(included.out.begin(), included.out.end(), '\n'), 2);
  EXPECT_EQ(included.out.find(".tmp"), std::string::npos);
  const CliRun excluded = RunCliWith({"--exclude", "*.JPG", "--lf", dir.Path()});
  EXPECT_EQ(std::count(excluded.out.begin(), excluded.out.end(), '\n'), 1);

  const CliRun shown = RunCliWith({"--lang", "fr", dir.Path()}, true);
  EXPECT_NE(shown.err.find("1/3 : CALCULE TAILLE TOTALE"), std::string::npos);
  EXPECT_NE(shown.err.find("3/3 : LISTE DOUBLONS  [#."), std::string::npos);
  EXPECT_NE(shown.err.find("\n2 doublons trouv\xC3\xA9s\n"), std::string::npos);
}

} // namespace
