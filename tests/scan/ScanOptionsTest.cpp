#include "scan/ScanOptions.h"

#include <gtest/gtest.h>

using namespace zorvex;

TEST(SizeWindow, BoundsAreExclusive) {
  EXPECT_FALSE(LowerBoundAccepts(1, 1024));
  EXPECT_TRUE(LowerBoundAccepts(1, 1025));
  EXPECT_TRUE(UpperBoundAccepts(1, 1023));
  EXPECT_FALSE(UpperBoundAccepts(1, 1024));
  EXPECT_TRUE(LowerBoundAccepts(0, 0)); // "1 Byte" keeps empty files
  EXPECT_TRUE(UpperBoundAccepts(0, int64_t(1) << 40));
  EXPECT_FALSE(LowerBoundAccepts(7, 1073741824));
  EXPECT_TRUE(LowerBoundAccepts(7, 1073741825));
}

TEST(SizeWindow, SizesAreSixtyFourBit) {
  // 4 GiB + 100 bytes is not 100 bytes.
  const int64_t big = 4294967296LL + 100;
  EXPECT_TRUE(LowerBoundAccepts(7, big));
  EXPECT_FALSE(UpperBoundAccepts(1, big));
}

TEST(SizeWindow, IndicesOutsideTheClassesKeepNothing) {
  EXPECT_FALSE(LowerBoundAccepts(-1, 5));
  EXPECT_FALSE(LowerBoundAccepts(8, 5));
  EXPECT_FALSE(UpperBoundAccepts(8, 5));
}

TEST(SizeWindow, ContradictionOnlyWithAnUpperBoundNotAboveTheLower) {
  EXPECT_TRUE(SizeWindowContradictory(1, 1));
  EXPECT_TRUE(SizeWindowContradictory(3, 2));
  EXPECT_FALSE(SizeWindowContradictory(7, 0));
  EXPECT_FALSE(SizeWindowContradictory(1, 2));
}

TEST(Extensions, LastDotUnlessASeparatorFollows) {
  EXPECT_EQ(FileExtension("a.tar.GZ"), ".gz");
  EXPECT_EQ(FileExtension("noext"), "");
  EXPECT_EQ(FileExtension("dir.d\\file"), "");
  EXPECT_EQ(FileExtension("c:x"), "");
  EXPECT_EQ(FileExtension("trailing."), ".");
  EXPECT_EQ(FileExtension("\xC3\x89T\xC3\x89.JPG"), ".jpg");
  EXPECT_EQ(FilterExtension("x.JPG"), ".jpg");
  EXPECT_EQ(FilterExtension(""), "");
}

TEST(Filters, IncludeAndExcludeRules) {
  EXPECT_TRUE(IncludeAccepts("*.*", "anything"));
  EXPECT_TRUE(IncludeAccepts("*.JPG", "photo.jpg"));
  EXPECT_TRUE(IncludeAccepts("*.JPG", "Photo.JpG"));
  EXPECT_FALSE(IncludeAccepts("*.JPG", "IMG.jpeg"));
  EXPECT_TRUE(IncludeAccepts("x.jpg", "a.jpg"));
  EXPECT_TRUE(IncludeAccepts("*", "README"));
  EXPECT_FALSE(IncludeAccepts("*", "a.txt"));
  EXPECT_TRUE(IncludeAccepts("", "README"));
  EXPECT_FALSE(IncludeAccepts("*.tar.gz", "a.tar.gz"));

  EXPECT_FALSE(ExcludeRejects("", "a.tmp"));
  EXPECT_FALSE(ExcludeRejects("*.*", "a.tmp"));
  EXPECT_TRUE(ExcludeRejects("*.tmp", "A.TMP"));
  EXPECT_FALSE(ExcludeRejects("*.tmp", "a.txt"));
}

TEST(Filters, TestsApplyInOrderAndTheFirstFailureNamesTheRejection) {
  ScanOptions options;
  options.lower = SizeBound::Class(1);
  options.upper = SizeBound::Class(2);
  options.includeFilter = "*.jpg";
  options.excludeFilter = "*.jpg";
  EXPECT_EQ(FirstRejection(options, "a.txt", 100), Rejection::LowerBound);
  EXPECT_EQ(FirstRejection(options, "a.txt", 20000), Rejection::UpperBound);
  EXPECT_EQ(FirstRejection(options, "a.txt", 2000), Rejection::Include);
  EXPECT_EQ(FirstRejection(options, "a.jpg", 2000), Rejection::Exclude);
  options.excludeFilter = "*.tmp";
  EXPECT_TRUE(InScope(options, "a.JPG", 2000));
}

TEST(SizeWindow, ExactByteBoundsAreExclusiveAndMixWithClasses) {
  EXPECT_TRUE(LowerBoundAccepts(SizeBound::Bytes(1000), 1001));
  EXPECT_FALSE(LowerBoundAccepts(SizeBound::Bytes(1000), 1000));
  EXPECT_TRUE(UpperBoundAccepts(SizeBound::Bytes(1000), 999));
  EXPECT_FALSE(UpperBoundAccepts(SizeBound::Bytes(1000), 1000));
  EXPECT_TRUE(LowerBoundAccepts(SizeBound::Class(0), 0));

  EXPECT_TRUE(SizeWindowContradictory(SizeBound::Class(1), SizeBound::Class(1)));
  EXPECT_TRUE(SizeWindowContradictory(SizeBound::Bytes(1024), SizeBound::Class(1)));
  EXPECT_FALSE(SizeWindowContradictory(SizeBound::Bytes(1023), SizeBound::Class(1)));
  EXPECT_TRUE(SizeWindowContradictory(SizeBound::Class(1), SizeBound::Bytes(1024)));
  EXPECT_FALSE(SizeWindowContradictory(SizeBound::Class(1), SizeBound::Bytes(1025)));
  EXPECT_FALSE(SizeWindowContradictory(SizeBound::Bytes(int64_t(1) << 40), SizeBound::Class(0)));
  EXPECT_TRUE(SizeWindowContradictory(SizeBound::Class(0), SizeBound::Bytes(0)));
}
