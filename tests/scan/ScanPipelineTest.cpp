#include "scan/ScanPipeline.h"
#include "FakeScanHost.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Paths.h"
#include "framework/core/Streams.h"
#include "support/Crc32Reference.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>

using namespace zorvex;
using zorvex::test::FakeScanHost;
using zorvex::test::TempDir;
using zorvex::test::WriteFile;

namespace {

using test::ForgeCrcSuffix;
using test::RandomBytes;

uint32_t Crc(const std::string &bytes) { return test::ReferenceCrc32(bytes.data(), bytes.size()); }

// A scan of a temporary tree through the fake host.
struct ScanFixture : ::testing::Test {
  TempDir dir;
  FakeScanHost host;
  ScanState state;
  ScanPipeline pipeline{host, state};

  void SetUp() override { host.options.startDirectory = IncludeTrailingPathDelimiter(dir.Path()); }
  std::string Path(const std::string &relative) { return dir / relative; }
  void Write(const std::string &relative, const std::string &bytes) { WriteFile(Path(relative), bytes); }

  std::vector<std::vector<std::string>> DoubleRows() {
    std::vector<std::vector<std::string>> rows;
    for (int row = 1; row <= state.DoubleCount; ++row)
      rows.push_back({host.Doubles().Cell(0, row), host.Doubles().Cell(1, row), host.Doubles().Cell(2, row),
                      host.Doubles().Cell(3, row)});
    return rows;
  }
  std::string LastMessage() { return host.messages.empty() ? std::string() : host.messages.back().text; }
  // Calls action once, at the first yield of the phase whose label is phaseText.
  void OnceDuring(const std::string &phaseText, std::function<void()> action) {
    host.onYield = [this, phaseText, action, done = false]() mutable {
      if (!done && host.phaseText == phaseText) {
        done = true;
        action();
      }
    };
  }
};

using ScanPipelineTest = ScanFixture;

TEST_F(ScanPipelineTest, ThreeCopiesInBreadthFirstOrderMakeAChainOfTwo) {
  const std::string content = RandomBytes(3000, 1);
  // One per level: breadth-first order is then A, B, C whatever the listing order.
  Write("A.bin", content);
  Write("sub/B.bin", content);
  Write("sub/deeper/C.bin", content);
  Write("sub/other.bin", RandomBytes(3000, 2));

  EXPECT_NO_THROW(pipeline.Start());

  const std::vector<std::vector<std::string>> expected = {
      {"1", Path("A.bin"), Path("sub/B.bin"), "00003000"},
      {"2", Path("sub/B.bin"), Path("sub/deeper/C.bin"), "00003000"}};
  EXPECT_EQ(DoubleRows(), expected);
  EXPECT_EQ(state.FileCount, 4);
  EXPECT_EQ(state.DirCount, 2);
  EXPECT_EQ(host.Dirs().Cell(1, 1), Path("sub") + PathDelim);
  EXPECT_EQ(host.Dirs().Cell(1, 2), Path("sub/deeper") + PathDelim);
  EXPECT_EQ(host.Files().Cell(1, 1), Path("A.bin"));
  EXPECT_EQ(host.Files().Cell(2, 1), std::to_string(Crc(content)));
  EXPECT_EQ(host.Files().Cell(4, 1), "3000");

  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].kind, MessageKind::Information);
  EXPECT_EQ(host.messages[0].text, "2 doubles found");
  EXPECT_TRUE(host.buttons[ScanButton::Start]);
  EXPECT_FALSE(host.buttons[ScanButton::Abort]);
  EXPECT_TRUE(host.buttons[ScanButton::Print]);
  EXPECT_TRUE(host.buttons[ScanButton::Save]);
  EXPECT_TRUE(host.buttons[ScanButton::RecycleAll]);
  EXPECT_FALSE(host.phaseVisible);
  EXPECT_FALSE(host.progressVisible);
  EXPECT_FALSE(state.Running);
  EXPECT_EQ(host.phaseTexts,
            (std::vector<std::string>{"1/3 : GET TOTAL SIZE", "2/3 : COMPUTE CRC", "3/3 : LIST DOUBLES"}));
}

TEST_F(ScanPipelineTest, EmptyFilesAreNeverPairedAndOneDoubleIsSingular) {
  Write("e1", "");
  Write("e2", "");
  pipeline.RunScan();
  EXPECT_EQ(state.DoubleCount, 0);
  EXPECT_EQ(LastMessage(), "No doubles found");
  EXPECT_FALSE(host.buttons[ScanButton::Print]);
  EXPECT_FALSE(host.buttons[ScanButton::RecycleAll]);
  EXPECT_EQ(host.Files().Cell(2, 1), ""); // never read

  Write("x1", std::string(512, 'x'));
  Write("x2", std::string(512, 'x'));
  pipeline.RunScan();
  ASSERT_EQ(state.DoubleCount, 1);
  EXPECT_EQ(host.Doubles().Cell(3, 1), "00000512");
  EXPECT_EQ(LastMessage(), "1 double found");
}

TEST_F(ScanPipelineTest, EqualChecksumsWithDifferentContentAreNotDoubles) {
  const uint32_t target = 0x12345678;
  std::string sameSize1 = RandomBytes(1000, 3), sameSize2 = RandomBytes(1000, 4), longer = RandomBytes(1500, 5);
  sameSize1 += ForgeCrcSuffix(sameSize1, target);
  sameSize2 += ForgeCrcSuffix(sameSize2, target);
  longer += ForgeCrcSuffix(longer, target);
  ASSERT_EQ(Crc(sameSize1), target);
  ASSERT_EQ(Crc(sameSize2), target);
  ASSERT_EQ(Crc(longer), target);
  Write("a", sameSize1);
  Write("sub/b", sameSize2);
  Write("sub/c", longer);
  Write("sub/d", longer.substr(0, 1000) + longer.substr(0, 4)); // a fourth 1004-byte file

  pipeline.RunScan();
  EXPECT_EQ(state.DoubleCount, 0);
  EXPECT_EQ(LastMessage(), "No doubles found");
  EXPECT_EQ(host.Files().Cell(2, 1), std::to_string(target));
}

TEST_F(ScanPipelineTest, OnlyFilesWhoseSizeIsSharedAreRead) {
  Write("unique", RandomBytes(777, 6));
  Write("pair1", RandomBytes(100, 7));
  Write("pair2", RandomBytes(100, 8));
  pipeline.RunScan();
  ASSERT_EQ(state.FileCount, 3);
  for (int row = 1; row <= 3; ++row) {
    const bool shared = host.Files().Cell(4, row) == "100";
    EXPECT_EQ(host.Files().Cell(2, row).empty(), !shared) << host.Files().Cell(1, row);
  }
}

TEST_F(ScanPipelineTest, LargeSizesArePaddedOnlyUpToEightDigits) {
  // Sparse files: large without writing much.
  for (const char *name : {"big1", "big2"}) {
    TFileStream file(Path(name), fm::Create);
    file.SetSize(123456789);
  }
  pipeline.RunScan();
  ASSERT_EQ(state.DoubleCount, 1);
  EXPECT_EQ(host.Doubles().Cell(3, 1), "123456789");
}

TEST_F(ScanPipelineTest, ProgressAndScrollingFollowTheFileCount) {
  for (int i = 0; i < 12; ++i)
    Write("f" + std::to_string(i), RandomBytes(50, static_cast<unsigned>(i)));
  int positionAfterPhase2 = -1;
  host.onPhase = [&](const std::string &text) {
    if (text == PhaseText(3, false))
      positionAfterPhase2 = host.progress.Position;
  };
  pipeline.RunScan();
  // Fewer than 100 files: the percentage grows by more than one, the bar by one.
  EXPECT_EQ(positionAfterPhase2, 12);
  EXPECT_EQ(host.progress.Position, 12);
  EXPECT_EQ(state.ScopeCount, 12);
  EXPECT_EQ(host.Files().RowCount(), 13);
  EXPECT_EQ(host.Files().TopRow(), 3);
}

TEST_F(ScanPipelineTest, ContradictorySizeWindowStopsBeforeScanning) {
  Write("a", "same");
  Write("b", "same");
  pipeline.RunScan();
  ASSERT_EQ(state.DoubleCount, 1);

  host.options.lower = SizeBound::Class(1);
  host.options.upper = SizeBound::Class(1);
  host.phaseTexts.clear();
  host.messages.clear();
  EXPECT_THROW(pipeline.Start(), EAbort);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].kind, MessageKind::Error);
  EXPECT_EQ(host.messages[0].text, "File size : Your maximum is not greater than your minimum");
  EXPECT_TRUE(host.phaseTexts.empty());
  EXPECT_EQ(host.Doubles().Cell(1, 1), ""); // blanked all the same
  EXPECT_EQ(host.Files().Cell(1, 1), "");
  EXPECT_TRUE(host.buttons[ScanButton::Start]);

  host.french = true;
  pipeline.RunScan();
  EXPECT_EQ(LastMessage(), "Taille fichier : Votre maximum n'est pas sup\xC3\xA9rieur \xC3\xA0 votre minimum");

  host.options.lower = SizeBound::Class(7);
  host.options.upper = SizeBound::Class(0);
  EXPECT_EQ(pipeline.RunScan(), ScanOutcome::Completed);
}

TEST_F(ScanPipelineTest, FrenchTextsAndTheFrenchOnlyDetailMessages) {
  host.french = true;
  Write("photo.JPG", std::string(2000, 'p'));
  Write("copy.jpg", std::string(2000, 'p'));
  Write("notes.txt", std::string(2000, 'p'));
  Write("tiny.jpg", "t");
  host.options.includeFilter = "*.jpg";
  host.options.lower = SizeBound::Class(1);
  host.options.showDetails = true;
  pipeline.RunScan();

  EXPECT_EQ(host.phaseTexts,
            (std::vector<std::string>{"1/3 : CALCULE TAILLE TOTALE", "2/3 : CALCULE CRC", "3/3 : LISTE DOUBLONS"}));
  // One message for the folder, one per file that passed the size window
  // (tiny.jpg did not), whether its extension matches or not; then the end.
  ASSERT_EQ(host.messages.size(), 5u);
  EXPECT_EQ(host.messages[0].text,
            "R\xC3\xA9pertoire qui va \xC3\xAAtre scann\xC3\xA9 : \n" + host.options.startDirectory + "*.*");
  int txtMessages = 0;
  for (size_t i = 1; i < 4; ++i) {
    EXPECT_EQ(host.messages[i].kind, MessageKind::Information);
    txtMessages +=
        host.messages[i].text == "Extension du fichier en cours de scan : .txt\n\nExtension du filtre actuel = .jpg";
  }
  EXPECT_EQ(txtMessages, 1);
  EXPECT_EQ(LastMessage(), "1 doublon trouv\xC3\xA9");

  host.messages.clear();
  host.french = false;
  Write("copy2.jpg", std::string(2000, 'p'));
  pipeline.RunScan();
  EXPECT_EQ(host.messages[0].text.substr(0, 13), "R\xC3\xA9pertoire q");
  EXPECT_EQ(LastMessage(), "2 doubles found");
  EXPECT_EQ(DoublesFoundText(3, true), "3 doublons trouv\xC3\xA9s");
  EXPECT_EQ(DoublesFoundText(0, true), "Aucun doublon trouv\xC3\xA9");
}

TEST_F(ScanPipelineTest, ASecondScanBlanksTheRowsOfTheFirst) {
  Write("sub/a", "twin");
  Write("sub/b", "twin");
  pipeline.RunScan();
  ASSERT_EQ(state.DoubleCount, 1);
  ASSERT_EQ(state.FileCount, 2);

  host.options.startDirectory = Path("sub"); // no trailing separator: one is added
  host.options.includeFilter = "*.none";
  pipeline.RunScan();
  EXPECT_EQ(state.FileCount, 0);
  EXPECT_EQ(state.DoubleCount, 0);
  EXPECT_EQ(host.Files().Cell(1, 1), "");
  EXPECT_EQ(host.Dirs().Cell(1, 1), "");
  EXPECT_EQ(host.Doubles().Cell(2, 1), "");
  EXPECT_EQ(host.Doubles().RowCount(), 2); // the row count is left as it was
  // The scan never disables the recycle-all button.
  EXPECT_TRUE(host.buttons[ScanButton::RecycleAll]);
  EXPECT_FALSE(host.buttons[ScanButton::Save]);

  host.options.includeFilter = "*.*";
  pipeline.RunScan();
  EXPECT_EQ(state.CurrentDir, Path("sub") + PathDelim);
  EXPECT_EQ(state.DoubleCount, 1);
}

TEST_F(ScanPipelineTest, AbortInEachPhaseEndsSilentlyAndStartWaitsForTheEnd) {
  for (int i = 0; i < 5; ++i)
    Write("top" + std::to_string(i), "same content");
  Write("sub/x", "same content");
  for (int phase = 1; phase <= 3; ++phase) {
    SCOPED_TRACE(phase);
    host.messages.clear();
    bool startWhileFinishing = true;
    ScanOutcome nested = ScanOutcome::Completed;
    OnceDuring(PhaseText(phase, false), [&] {
      pipeline.Abort();
      // The aborted scan has not ended yet: Start stays off, and a press is ignored.
      startWhileFinishing = host.buttons[ScanButton::Start];
      nested = pipeline.RunScan();
    });

    EXPECT_THROW(pipeline.Start(), EAbort);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_FALSE(startWhileFinishing);
    EXPECT_EQ(nested, ScanOutcome::Busy);
    EXPECT_TRUE(host.buttons[ScanButton::Start]);
    EXPECT_FALSE(host.buttons[ScanButton::Abort]);
    EXPECT_FALSE(host.buttons[ScanButton::Print]);
    EXPECT_FALSE(host.phaseVisible);
    EXPECT_FALSE(host.progressVisible);
    EXPECT_TRUE(state.AbortRequested);
    EXPECT_EQ(host.phaseText, PhaseText(phase, false));
    if (phase == 2) {
      // The directory being walked is finished: every top file, not sub/x.
      EXPECT_EQ(state.FileCount, 5);
    }
    if (phase == 3) {
      EXPECT_LE(state.DoubleCount, 1);
    }
  }
  host.onYield = nullptr;
  EXPECT_NO_THROW(pipeline.Start());
  EXPECT_EQ(state.DoubleCount, 5);
}

TEST_F(ScanPipelineTest, OptionsAreReadLiveForEveryEntry) {
  Write("a.txt", "one");
  Write("sub/b.txt", "one");
  Write("sub/c.dat", "one");
  host.onYield = [&] {
    if (host.phaseText == PhaseText(2, false) && state.FileCount == 1)
      host.options.excludeFilter = "*.txt";
  };
  pipeline.RunScan();
  ASSERT_EQ(state.FileCount, 2);
  EXPECT_EQ(host.Files().Cell(1, 2), Path("sub/c.dat"));
  EXPECT_EQ(DoubleRows().size(), 1u);
}

TEST_F(ScanPipelineTest, NoRecursionWalksOnlyTheStartingFolder) {
  Write("a", "x1");
  Write("sub/b", "x1");
  host.options.recurse = false;
  pipeline.RunScan();
  EXPECT_EQ(state.FileCount, 1);
  EXPECT_EQ(state.DirCount, 0);
  EXPECT_EQ(state.PrescanDirCount, 0);
  EXPECT_EQ(host.Dirs().Cell(1, 1), "");
}

TEST_F(ScanPipelineTest, ATreeThatChangesBetweenPhases) {
  const std::string content = RandomBytes(4000, 9);
  const std::string twin = RandomBytes(50, 11);
  Write("keep.a", content);
  Write("sub/copy.b", content);
  Write("gone.a", RandomBytes(10, 10));
  Write("twin.a", twin);
  Write("other.a", RandomBytes(50, 12));
  host.options.includeFilter = "*.a";
  host.onPhase = [&](const std::string &text) {
    if (text != PhaseText(2, false))
      return;
    // Phase 1 saw "keep.a" alone with its size, so phase 2 does not read it;
    // the copy let in by the wider filter must still be found.
    host.options.includeFilter = "*.*";
    DeleteFileAt(Path("gone.a"));
    Write("other.a", twin);
    // Another folder typed meanwhile: the scan walks the tree it started on.
    host.options.startDirectory = Path("sub");
  };
  pipeline.RunScan();
  EXPECT_EQ(state.ScopeCount, 4);
  EXPECT_EQ(state.FileCount, 4);
  ASSERT_EQ(state.DoubleCount, 2);
  std::set<std::set<std::string>> pairs;
  for (const auto &row : DoubleRows())
    pairs.insert({row[1], row[2]});
  const std::set<std::set<std::string>> expected = {{Path("keep.a"), Path("sub/copy.b")},
                                                    {Path("twin.a"), Path("other.a")}};
  EXPECT_EQ(pairs, expected);
  for (int row = 1; row <= state.FileCount; ++row)
    EXPECT_FALSE(host.Files().Cell(2, row).empty()) << host.Files().Cell(1, row);
}

TEST_F(ScanPipelineTest, LargeFilesAreReadWholeOnlyWhenTheirFirstBlocksMatch) {
  const size_t size = static_cast<size_t>(kPrefixSize) + 5000;
  const std::string original = RandomBytes(size, 20);
  std::string lateChange = original, earlyChange = original;
  lateChange[size - 1] ^= 1;
  earlyChange[10] ^= 1;
  Write("original", original);
  Write("copy", original);
  Write("late", lateChange);
  Write("sub/early", earlyChange);
  pipeline.RunScan();

  ASSERT_EQ(state.FileCount, 4);
  std::map<std::string, std::string> crcCells;
  for (int row = 1; row <= state.FileCount; ++row)
    crcCells[host.Files().Cell(1, row)] = host.Files().Cell(2, row);
  // Only the file whose first block is unique keeps an empty checksum cell.
  EXPECT_EQ(crcCells[Path("original")], std::to_string(Crc(original)));
  EXPECT_EQ(crcCells[Path("copy")], std::to_string(Crc(original)));
  EXPECT_EQ(crcCells[Path("late")], std::to_string(Crc(lateChange)));
  EXPECT_EQ(crcCells[Path("sub/early")], "");
  ASSERT_EQ(state.DoubleCount, 1);
  EXPECT_EQ(std::set<std::string>({host.Doubles().Cell(1, 1), host.Doubles().Cell(2, 1)}),
            std::set<std::string>({Path("original"), Path("copy")}));
}

TEST(ProgressBarState, StepsPastTheMaximumStartOver) {
  ProgressBarState bar;
  bar.SetPosition(150);
  EXPECT_EQ(bar.Position, 100);
  bar.StepIt();
  EXPECT_EQ(bar.Position, 1);
  bar.SetPosition(-5);
  EXPECT_EQ(bar.Position, 0);
  bar.Step = 30;
  for (int i = 0; i < 4; ++i)
    bar.StepIt();
  EXPECT_EQ(bar.Position, 20);
}

} // namespace
