#include "actions/ComparePanel.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace zorvex;
using zorvex::test::TempDir;
using zorvex::test::WriteFile;

namespace {
const std::string kMarker = SuppressedMarkerText(false);

void ExpectButtons(const PanelFile &file, bool visible, bool enabled) {
  EXPECT_EQ(file.buttonsVisible, visible) << file.caption;
  EXPECT_EQ(file.buttonsEnabled, enabled) << file.caption;
}
} // namespace

TEST(ComparePanel, TheFourStatesOfAPair) {
  TempDir dir;
  const std::string a = dir / "a/x.jpg", b = dir / "b/x.jpg";
  WriteFile(a, std::string(2048, 'j'));
  WriteFile(b, std::string(2048, 'j'));

  const PanelState both = ShowPairState(a, b, kMarker);
  EXPECT_EQ(both.first.caption, a);
  EXPECT_EQ(both.first.sizeCaption, "2048  Bytes");
  EXPECT_EQ(both.second.sizeCaption, "2048  Bytes");
  EXPECT_EQ(both.first.preview, PreviewKind::Jpeg);
  ExpectButtons(both.first, true, true);
  ExpectButtons(both.second, true, true);

  const std::string gone = dir / "b/deleted.jpg";
  const PanelState secondMissing = ShowPairState(a, gone, kMarker);
  EXPECT_EQ(secondMissing.second.caption, kMarker);
  EXPECT_EQ(secondMissing.second.sizeCaption, "");
  EXPECT_EQ(secondMissing.second.preview, PreviewKind::None);
  ExpectButtons(secondMissing.first, true, false); // the last copy cannot be recycled or opened
  ExpectButtons(secondMissing.second, false, true);

  const PanelState firstMissing = ShowPairState(kMarker, b, SuppressedMarkerText(true));
  EXPECT_EQ(firstMissing.first.caption, SuppressedMarkerText(true));
  ExpectButtons(firstMissing.first, false, true);
  ExpectButtons(firstMissing.second, true, false);

  const PanelState blankRow = ShowPairState("", "", kMarker);
  EXPECT_EQ(blankRow.first.caption, kMarker);
  EXPECT_EQ(blankRow.second.caption, kMarker);
  ExpectButtons(blankRow.first, false, false);
  ExpectButtons(blankRow.second, false, false);
}

TEST(ComparePanel, RecycledFileLosesEverythingAndTheOtherBecomesTheLastCopy) {
  TempDir dir;
  WriteFile(dir / "a.bmp", "x");
  WriteFile(dir / "b.bmp", "x");
  PanelState state = ShowPairState(dir / "a.bmp", dir / "b.bmp", kMarker);
  MarkPanelFileRecycled(state, PairSide::First);
  EXPECT_EQ(state.first.caption, "");
  EXPECT_EQ(state.first.sizeCaption, "");
  EXPECT_EQ(state.first.preview, PreviewKind::None);
  ExpectButtons(state.first, false, true);
  ExpectButtons(state.second, true, false);
  EXPECT_FALSE(IsFileCaption(state.first.caption));
}

TEST(ComparePanel, SizesBeyondFourGigabytesAreShownWhole) {
  TempDir dir;
  const std::string big = dir / "big.iso";
  {
    TFileStream file(big, fm::Create);
    file.SetSize(5LL * 1024 * 1024 * 1024 + 7); // sparse: nothing is written
  }
  EXPECT_EQ(PanelFileSize(big), 5368709127LL);
  EXPECT_EQ(ShowPairState(big, big, kMarker).first.sizeCaption, "5368709127  Bytes");
}

#ifdef _WIN32
TEST(ComparePanel, LockedFileShowsItsSizeFromTheListing) {
  TempDir dir;
  const std::string locked = dir / "locked.jpg";
  WriteFile(locked, std::string(1234, 'l'));
  TFileStream holder(locked, fm::OpenRead | fm::ShareExclusive);
  EXPECT_THROW(TFileStream(locked, fm::OpenRead | fm::ShareDenyNone), EFOpenError);
  const PanelState state = ShowPairState(locked, locked, kMarker);
  EXPECT_EQ(state.first.caption, locked);
  EXPECT_EQ(state.first.sizeCaption, "1234  Bytes");
}
#endif

TEST(ComparePanel, PreviewIsChosenByTheExactEnding) {
  EXPECT_EQ(PreviewKindOf("C:\\p\\photo.JPG"), PreviewKind::Jpeg);
  EXPECT_EQ(PreviewKindOf("photo.jpg"), PreviewKind::Jpeg);
  EXPECT_EQ(PreviewKindOf("photo.Jpg"), PreviewKind::None);
  EXPECT_EQ(PreviewKindOf("photo.jpeg"), PreviewKind::None);
  EXPECT_EQ(PreviewKindOf("photo.png"), PreviewKind::None);
  EXPECT_EQ(PreviewKindOf("x.bmp"), PreviewKind::Bitmap);
  EXPECT_EQ(PreviewKindOf("X.BMP"), PreviewKind::Bitmap);
  EXPECT_EQ(PreviewKindOf("pg"), PreviewKind::None);
  EXPECT_TRUE(BeepOnPreviewFailure(PreviewKind::Bitmap, PairSide::First));
  EXPECT_FALSE(BeepOnPreviewFailure(PreviewKind::Bitmap, PairSide::Second));
  EXPECT_FALSE(BeepOnPreviewFailure(PreviewKind::Jpeg, PairSide::First));
}

TEST(ComparePanel, PreviewScalingKeepsTheAspectAndTruncates) {
  EXPECT_EQ(ScaleToPreviewBox(300, 200), (PreviewSize{154, 102}));
  EXPECT_EQ(ScaleToPreviewBox(200, 300), (PreviewSize{102, 154}));
  EXPECT_EQ(ScaleToPreviewBox(16, 16), (PreviewSize{154, 154})); // enlarged too
  EXPECT_EQ(ScaleToPreviewBox(50, 10), (PreviewSize{154, 30}));
  EXPECT_EQ(ScaleToPreviewBox(60000, 1), (PreviewSize{154, 0}));
  EXPECT_EQ(ScaleToPreviewBox(0, 10), (PreviewSize{}));
  EXPECT_EQ(ScaleToPreviewBox(4000000000LL, 3000000000LL), (PreviewSize{154, 115}));
}
