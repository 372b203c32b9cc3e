#include "cli/ZorvexCli.h"
#include "cli/DoublesJson.h"
#include "framework/core/Paths.h"
#include "support/Crc32Reference.h"
#include "support/TempDir.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>
#include <sstream>

#ifndef _WIN32
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace zorvex;
using zorvex::test::RandomBytes;
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

#ifndef _WIN32
// The tests run as root, who reads every folder whatever its permissions:
// the command runs in a child process as an unprivileged user instead.
CliRun RunCliUnprivileged(const std::vector<std::string> &args) {
  if (geteuid() != 0)
    return RunCliWith(args);
  int pipeFds[2];
  if (pipe(pipeFds) != 0)
    return {-1, "", "no pipe"};
  const pid_t child = fork();
  if (child == 0) {
    close(pipeFds[0]);
    const uid_t nobody = 65534;
    const bool dropped = setgroups(0, nullptr) == 0 && setgid(nobody) == 0 && setuid(nobody) == 0;
    const CliRun run = dropped ? RunCliWith(args) : CliRun{-1, "", "cannot drop privileges"};
    const std::string report =
        std::to_string(run.code) + "\n" + std::to_string(run.out.size()) + "\n" + run.out + run.err;
    for (size_t done = 0; done < report.size();) {
      const ssize_t n = write(pipeFds[1], report.data() + done, report.size() - done);
      if (n <= 0)
        break;
      done += static_cast<size_t>(n);
    }
    _exit(0);
  }
  close(pipeFds[1]);
  std::string report;
  char buffer[4096];
  for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
    report.append(buffer, static_cast<size_t>(n));
  close(pipeFds[0]);
  waitpid(child, nullptr, 0);
  std::istringstream in(report);
  CliRun run{-1, "", ""};
  size_t outSize = 0;
  in >> run.code >> outSize;
  in.get();
  run.out.resize(outSize);
  in.read(run.out.data(), static_cast<std::streamsize>(outSize));
  run.err.assign(std::istreambuf_iterator<char>(in), {});
  return run;
}
#endif

// JSON's form of a path made of ASCII characters.
std::string JsonPath(const std::string &path) {
  std::string out;
  for (const char c : path)
    out += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return out;
}

struct CliTest : ::testing::Test {
  TempDir dir;
  std::string Root() { return dir.Path() + PathDelim; }
};

TEST_F(CliTest, NamesAreWrittenExactlyOrInTheSavedListsCodePage) {
  const std::string cafe = "caf\xC3\xA9.txt", polish = "\xC5\x81\xC3\xB3"
                                                       "d\xC5\xBA.txt"; // Łódź: outside it
  WriteFile(dir / cafe, std::string(512, 'z'));
  WriteFile(dir / ("sub/" + polish), std::string(512, 'z'));
  WriteFile(dir / "sub/deeper/again.txt", std::string(512, 'z'));
  WriteFile(dir / "sub/alone.txt", std::string(511, 'z'));
  const std::string root = Root(); // plain ASCII: the same in both encodings
  const std::string sep(1, PathDelim);
  const CliRun run = RunCliWith({dir.Path()});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "NUM\tFIRST FILE FOUND\tDOUBLE FOUND\tSIZE\t\r\n"
                     "1\t" +
                         root + cafe + "\t" + root + "sub" + sep + polish +
                         "\t00000512\t\r\n"
                         "2\t" +
                         root + "sub" + sep + polish + "\t" + root + "sub" + sep + "deeper" + sep +
                         "again.txt\t00000512\t\r\n");

  // The Save button's bytes: é is one byte there.
  WriteFile(dir / "caf\xC3\xA9 2.txt", std::string(512, 'z'));
  const CliRun ansiPair = RunCliWith({"--ansi", "--lf", "--no-recurse", dir.Path()});
  EXPECT_NE(ansiPair.out.find(root + "caf\xE9"), std::string::npos);
  EXPECT_EQ(ansiPair.out.find("caf\xC3\xA9"), std::string::npos);

  const CliRun french = RunCliWith({"--lang", "fr", "--lf", "--no-recurse", "--include", "*.none", Root()});
  EXPECT_EQ(french.code, 0);
  EXPECT_EQ(french.out, "NUM\tPREMIER FICHIER TROUV\xC3\x89\tDOUBLON TROUV\xC3\x89\tTAILLE\t\n");
}

TEST_F(CliTest, JsonGroupsInScanOrder) {
  const std::string three = RandomBytes(700, 1), two = RandomBytes(70000, 2);
  WriteFile(dir / "a.bin", three);
  WriteFile(dir / "sub/b.bin", three);
  WriteFile(dir / "sub/deeper/c.bin", three);
  WriteFile(dir / "x/big1", two);
  WriteFile(dir / "x/y/big2", two);
  WriteFile(dir / "x/other", RandomBytes(700, 3));
  const CliRun run = RunCliWith({"--json", dir.Path()});
  EXPECT_EQ(run.code, 0);
  const std::string root = JsonPath(Root()), sep = JsonPath(std::string(1, PathDelim));
  EXPECT_EQ(run.out, "{\n"
                     "  \"groups\": [\n"
                     "    {\n"
                     "      \"size\": 700,\n"
                     "      \"crc32\": " +
                         std::to_string(test::ReferenceCrc32(three.data(), three.size())) +
                         ",\n"
                         "      \"paths\": [\n"
                         "        \"" +
                         root +
                         "a.bin\",\n"
                         "        \"" +
                         root + "sub" + sep +
                         "b.bin\",\n"
                         "        \"" +
                         root + "sub" + sep + "deeper" + sep +
                         "c.bin\"\n"
                         "      ]\n"
                         "    },\n"
                         "    {\n"
                         "      \"size\": 70000,\n"
                         "      \"crc32\": " +
                         std::to_string(test::ReferenceCrc32(two.data(), two.size())) +
                         ",\n"
                         "      \"paths\": [\n"
                         "        \"" +
                         root + "x" + sep +
                         "big1\",\n"
                         "        \"" +
                         root + "x" + sep + "y" + sep +
                         "big2\"\n"
                         "      ]\n"
                         "    }\n"
                         "  ]\n"
                         "}\n");
  const CliRun none = RunCliWith({"--json", "--include", "*.none", dir.Path()});
  EXPECT_EQ(none.out, "{\n  \"groups\": []\n}\n");
  EXPECT_EQ(RunCliWith({"--json", "--ansi", dir.Path()}).code, 2);
}

TEST(JsonNameText, InvalidUtf8BytesBecomeEscapedSurrogates) {
  EXPECT_EQ(JsonNameText("caf\xC3\xA9 \"1\"\\\t"), "\"caf\xC3\xA9 \\\"1\\\"\\\\\\t\"");
  EXPECT_EQ(JsonNameText("\xF0\x9F\x93\xB7.jpg"), "\"\xF0\x9F\x93\xB7.jpg\"");
  // Latin-1 bytes, a cut sequence, an overlong form and bytes past the end.
  EXPECT_EQ(JsonNameText("caf\xE9.txt"), "\"caf\\udce9.txt\"");
  EXPECT_EQ(JsonNameText("\xE2\x82x\xE2\x82"), "\"\\udce2\\udc82x\\udce2\\udc82\"");
  EXPECT_EQ(JsonNameText("\xC0\xAF\xFF\xF5\x80\x80\x80"), "\"\\udcc0\\udcaf\\udcff\\udcf5\\udc80\\udc80\\udc80\"");
  EXPECT_EQ(JsonNameText("\xC3\xA9\xC3"), "\"\xC3\xA9\\udcc3\"");
#ifdef _WIN32
  // A Windows name with a lone surrogate, as the listing carries it.
  EXPECT_EQ(JsonNameText("a\xED\xB2\x80"), "\"a\\udc80\"");
#else
  EXPECT_EQ(JsonNameText("a\xED\xB2\x80"), "\"a\\udced\\udcb2\\udc80\"");
#endif
}

#ifndef _WIN32
TEST_F(CliTest, AnInvalidUtf8NameKeepsItsBytesInJson) {
  WriteFile(dir / "x\xFF", "same");
  WriteFile(dir / "y", "same");
  const CliRun run = RunCliWith({"--json", dir.Path()});
  EXPECT_NE(run.out.find("\"" + Root() + "x\\udcff\""), std::string::npos) << run.out;
}
#endif

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

TEST_F(CliTest, EveryErrorHasItsMessageAndStatus) {
  const CliRun contradictory = RunCliWith({"--min", "1 Mb", "--max", "1Kb", dir.Path()});
  EXPECT_EQ(contradictory.code, 1);
  EXPECT_EQ(contradictory.out, "");
  EXPECT_EQ(contradictory.err, "zorvex-cli: File size : Your maximum is not greater than your minimum\n");
  EXPECT_EQ(RunCliWith({"--min", "100", "--max", "100", dir.Path()}).code, 1);

  const CliRun missing = RunCliWith({dir / "missing"});
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err, "zorvex-cli: no such folder: " + dir / "missing" + "\n");
  EXPECT_EQ(RunCliWith({dir / "missing/deeper"}).err, "zorvex-cli: no such folder: " + dir / "missing/deeper" + "\n");
  WriteFile(dir / "file", "x");
  const CliRun notFolder = RunCliWith({dir / "file"});
  EXPECT_EQ(notFolder.code, 1);
  EXPECT_EQ(notFolder.err, "zorvex-cli: not a folder: " + dir / "file" + "\n");
  EXPECT_EQ(notFolder.out, "");

  for (const std::vector<std::string> &usage : std::vector<std::vector<std::string>>{{},
                                                                                     {dir.Path(), dir.Path()},
                                                                                     {"--bogus", dir.Path()},
                                                                                     {"--utf8", dir.Path()},
                                                                                     {"--min", "huge", dir.Path()},
                                                                                     {"--lang", "de", dir.Path()},
                                                                                     {"--lf=yes", dir.Path()},
                                                                                     {"--threads", "0", dir.Path()},
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

#ifndef _WIN32
TEST_F(CliTest, FoldersThatCannotBeReadAsAnUnprivilegedUser) {
  WriteFile(dir / "a", "twin");
  WriteFile(dir / "closed/b", "twin");
  WriteFile(dir / "listable/c", "twin");
  ASSERT_EQ(chmod(dir.Path().c_str(), 0755), 0);
  ASSERT_EQ(chmod((dir / "closed").c_str(), 0700), 0);   // others may do nothing
  ASSERT_EQ(chmod((dir / "listable").c_str(), 0744), 0); // others may list it, not enter it
  const CliRun skipped = RunCliUnprivileged({"--lf", dir.Path()});
  EXPECT_EQ(skipped.code, 0);
  EXPECT_EQ(skipped.err, "zorvex-cli: 2 folders could not be read and were skipped\n");
  EXPECT_EQ(skipped.out, "NUM\tFIRST FILE FOUND\tDOUBLE FOUND\tSIZE\t\n");

  ASSERT_EQ(chmod((dir / "listable").c_str(), 0755), 0);
  EXPECT_EQ(RunCliUnprivileged({dir.Path()}).err, "zorvex-cli: 1 folder could not be read and was skipped\n");

  const CliRun unlistable = RunCliUnprivileged({dir / "closed"});
  EXPECT_EQ(unlistable.code, 1);
  EXPECT_EQ(unlistable.err,
            "zorvex-cli: cannot list the folder " + dir / "closed" + ": " + std::strerror(EACCES) + "\n");
  ASSERT_EQ(chmod((dir / "listable").c_str(), 0744), 0);
  const CliRun unenterable = RunCliUnprivileged({dir / "listable"});
  EXPECT_EQ(unenterable.code, 1);
  EXPECT_EQ(unenterable.err,
            "zorvex-cli: cannot enter the folder " + dir / "listable" + ": " + std::strerror(EACCES) + "\n");
}
#endif

// A standard output on a full disk.
class FullDisk : public std::streambuf {
protected:
  int_type overflow(int_type) override {
    errno = ENOSPC;
    return traits_type::eof();
  }
  std::streamsize xsputn(const char *, std::streamsize) override {
    errno = ENOSPC;
    return 0;
  }
};

TEST_F(CliTest, AFailedWriteToStandardOutputIsReported) {
  WriteFile(dir / "a", "twin");
  WriteFile(dir / "b", "twin");
  FullDisk full;
  std::ostream out(&full);
  std::ostringstream err;
  for (const std::vector<std::string> &args :
       std::vector<std::vector<std::string>>{{dir.Path()}, {"--json", dir.Path()}, {"--help"}}) {
    err.str("");
    out.clear();
    EXPECT_EQ(RunCli(args, out, err, false), 1);
    EXPECT_EQ(err.str(), std::string("zorvex-cli: cannot write to standard output: ") + std::strerror(ENOSPC) + "\n");
  }
}

TEST_F(CliTest, ThePoolOfReadersGivesWhatOneReaderGives) {
  // Many files of a few sizes in many folders, below and above the first
  // block: copies, and files that differ in their first or their last byte.
  for (int i = 0; i < 240; ++i) {
    const int kind = i % 20;
    std::string bytes = RandomBytes(kind % 4 == 0 ? 70000 : 300, static_cast<unsigned>(kind / 5));
    if (kind % 5 == 1)
      bytes.front() ^= 1;
    if (kind % 5 == 2)
      bytes.back() ^= 1;
    WriteFile(dir / ("d" + std::to_string(i % 13) + "/e" + std::to_string(i % 4) + "/f" + std::to_string(i)), bytes);
  }
  const CliRun one = RunCliWith({"--threads", "1", dir.Path()});
  ASSERT_EQ(one.code, 0);
  EXPECT_GT(std::count(one.out.begin(), one.out.end(), '\n'), 50);
  EXPECT_EQ(RunCliWith({"--threads", "4", dir.Path()}).out, one.out);
  EXPECT_EQ(RunCliWith({"--json", "--threads=3", dir.Path()}).out,
            RunCliWith({"--json", "--threads=1", dir.Path()}).out);
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
