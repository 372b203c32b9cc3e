#include "skin/data/Skinread.h"

#include "framework/core/Notices.h"
#include "framework/core/Streams.h"
#include "skin/data/Skinwrite.h"
#include "skin/data/Winconvert.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>

using namespace zorvex;
using zorvex::test::TempDir;

namespace {

std::string Text(const TMemoryStream &s) { return std::string(s.Bytes().begin(), s.Bytes().end()); }

// Packs raw archive bytes as stored, so hostile archives can be built too.
TMemoryStream Package(const std::string &archive) {
  TMemoryStream source, package;
  source.WriteBuffer(archive.data(), static_cast<int64_t>(archive.size()));
  LZHCompress(source, package);
  return package;
}

std::string Int32(int32_t value) {
  std::string out;
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<char>((static_cast<uint32_t>(value) >> shift) & 0xFF));
  return out;
}

std::string Archive(int32_t magic, const std::string &names, const std::vector<int32_t> &sizes, const std::string &data,
                    int32_t nameLength = INT32_MIN) {
  std::string out = Int32(magic) + Int32(nameLength != INT32_MIN ? nameLength : static_cast<int32_t>(names.size())) +
                    Int32(7) + Int32(-9) + names;
  for (int32_t size : sizes)
    out += Int32(size);
  return out + data;
}

// Counts the plain message boxes shown while it lives.
class NoticeCounter {
public:
  NoticeCounter() {
    previous_ = SetNoticeHandler([this](const std::string &text) {
      ++count;
      last = text;
    });
  }
  ~NoticeCounter() { SetNoticeHandler(previous_); }
  int count = 0;
  std::string last;

private:
  NoticeHandler previous_;
};

const std::vector<SkinEntry> kEntries = {
    {"Title.BMP", "BM-title"},  {"skin.ini.bak", "old ini"}, {"Skin.ini", "[TitlebarSkin]\r\nSkinName=T\r\n"},
    {"title.bmp", "BM-second"}, {"empty.bmp", ""},           {"Button.bmp", std::string(3000, 'b')},
};

} // namespace

TEST(SkinReader, FindsEntriesByLowerCasedNameAndOffset) {
  TMemoryStream package;
  WriteSkinPackage(kEntries, package);
  TSkinReader reader;
  ASSERT_TRUE(reader.Loadfromstream(&package));
  ASSERT_EQ(reader.Count(), 6);
  EXPECT_EQ(reader.Names().Get(0), "title.bmp");
  TMemoryStream out;
  reader.readfile("BUTTON.Bmp", &out);
  EXPECT_EQ(Text(out), std::string(3000, 'b'));
  EXPECT_EQ(out.Position(), 0);
  // A repeated name gives its first entry.
  reader.readfile("title.bmp", &out);
  EXPECT_EQ(Text(out), "BM-title");
  // Missing and empty entries leave the output empty, even if it held bytes.
  out.WriteBuffer("junk", 4);
  reader.readfile("missing.bmp", &out);
  EXPECT_EQ(out.Size(), 0);
  reader.readfile("empty.bmp", &out);
  EXPECT_EQ(out.Size(), 0);
}

TEST(SkinReader, ReadIniTakesTheFirstNameContainingThePart) {
  TMemoryStream package;
  WriteSkinPackage(kEntries, package);
  TSkinReader reader;
  ASSERT_TRUE(reader.Loadfromstream(&package));
  TMemoryStream out;
  std::string found = "unchanged";
  reader.readIni(".ini", &out, found);
  EXPECT_EQ(found, "skin.ini.bak"); // anywhere in the name, not only at its end
  EXPECT_EQ(Text(out), "old ini");
  reader.readIni(".INI", &out, found); // the part keeps its case
  EXPECT_EQ(out.Size(), 0);
  EXPECT_EQ(found, "skin.ini.bak");
}

TEST(SkinReader, OlderPackagesShowTheMessageOnceAndKeepTheDirectory) {
  TMemoryStream good;
  WriteSkinPackage(kEntries, good);
  TSkinReader reader;
  ASSERT_TRUE(reader.Loadfromstream(&good));
  NoticeCounter notices;
  TMemoryStream old = Package(Archive(19999, "a.bmp\r\n", {1}, "x"));
  EXPECT_FALSE(reader.Loadfromstream(&old));
  EXPECT_EQ(notices.count, 1);
  EXPECT_EQ(notices.last, "This is Older Skin File\rPlease update to new version !");
  EXPECT_EQ(reader.Count(), 6);
  TMemoryStream out;
  reader.readfile("button.bmp", &out);
  EXPECT_EQ(out.Size(), 3000);
}

TEST(SkinReader, DamagedArchivesAreRefusedQuietly) {
  std::string manyNames;
  for (int i = 0; i < 1002; ++i)
    manyNames += "n" + std::to_string(i) + "\r\n";
  const std::string hostile[] = {
      Archive(20000, manyNames, std::vector<int32_t>(1002, 0), ""), // more names than sizes fit
      Archive(20000, "a\r\nb\r\n", {2, 3}, "xxxx"),                 // sizes past the data
      Archive(20000, "a\r\nb\r\n", {-1, 3}, "xxxx"),                // a negative size
      Archive(20000, "a\r\n", {1}, "x", 1000),                      // name list past the end
      Archive(20000, "a\r\n", {1}, "x", -4),                        // negative name list length
      Archive(20000, "a\r\nb\r\nc\r\n", {}, ""),                    // sizes cut off
      std::string("\x20\x4E\0\0\0\0", 6),                           // header cut off
      "",
  };
  NoticeCounter notices;
  for (const std::string &archive : hostile) {
    TMemoryStream package = Package(archive);
    TSkinReader reader;
    EXPECT_FALSE(reader.Loadfromstream(&package)) << archive.size();
    EXPECT_EQ(reader.Count(), 0);
  }
  // Size fields that no data could hold, and a stream too short for one.
  for (const std::string &stored : {std::string("\xFF\xFF\xFF\x7F\0\0", 6), std::string("\0\0\x10\0\xAA", 5),
                                    std::string("\x01\0", 2), std::string("\xF0\xFF\xFF\xFF\0", 5)}) {
    TMemoryStream package;
    package.WriteBuffer(stored.data(), static_cast<int64_t>(stored.size()));
    TSkinReader reader;
    EXPECT_FALSE(reader.Loadfromstream(&package));
  }
  EXPECT_EQ(notices.count, 0);
  // Exactly 1001 entries is still a package.
  std::vector<SkinEntry> most;
  for (int i = 0; i < 1001; ++i)
    most.push_back({"e" + std::to_string(i) + ".bmp", std::to_string(i)});
  TMemoryStream package;
  WriteSkinPackage(most, package);
  TSkinReader reader;
  ASSERT_TRUE(reader.Loadfromstream(&package));
  TMemoryStream out;
  reader.readfile("e1000.bmp", &out);
  EXPECT_EQ(Text(out), "1000");
}

TEST(SkinReader, PackagesCutShortAreRefusedQuietlyAndKeepTheDirectory) {
  TMemoryStream whole;
  WriteSkinPackage(kEntries, whole);
  const std::string bytes = Text(whole);
  TSkinReader reader;
  ASSERT_TRUE(reader.Loadfromstream(&whole));
  NoticeCounter notices;
  // Inside the size field, in the bits of the header and names, halfway
  // through the entries, one byte short.
  for (const size_t cut : {size_t{2}, size_t{9}, size_t{20}, bytes.size() / 2, bytes.size() - 1}) {
    TMemoryStream cutShort;
    cutShort.WriteBuffer(bytes.data(), static_cast<int64_t>(cut));
    EXPECT_FALSE(reader.Loadfromstream(&cutShort)) << "cut at " << cut;
  }
  EXPECT_EQ(notices.count, 0);
  ASSERT_EQ(reader.Count(), 6);
  TMemoryStream out;
  reader.readfile("button.bmp", &out);
  EXPECT_EQ(Text(out), std::string(3000, 'b'));
}

TEST(SkinReader, LoadsFilesAndIgnoresMissingOnes) {
  TempDir dir;
  TMemoryStream package;
  WriteSkinPackage(kEntries, package);
  package.SaveToFile(dir / "skin.skn");
  NoticeCounter notices;
  TSkinReader reader;
  EXPECT_FALSE(reader.loadfromfile(dir / "none.skn"));
  EXPECT_TRUE(reader.loadfromfile(dir / "skin.skn"));
  EXPECT_EQ(reader.Count(), 6);
  EXPECT_EQ(notices.count, 0);
}
