#include "skin/data/Winconvert.h"

#include "LzhReference.h"
#include "framework/core/Streams.h"

#include <gtest/gtest.h>

#include <random>

using namespace zorvex;
using zorvex::test::RefHuffman;
using zorvex::test::RefPack;
using zorvex::test::RefUnpack;

namespace {

std::string Bytes(TMemoryStream &s) { return std::string(s.Bytes().begin(), s.Bytes().end()); }

// The stored form: 32-bit size, then the bit stream.
std::string Compress(const std::string &input) {
  TMemoryStream source, dest;
  source.WriteBuffer(input.data(), static_cast<int64_t>(input.size()));
  LZHCompress(source, dest);
  return Bytes(dest);
}

std::string Decompress(const std::string &stored) {
  TMemoryStream source, dest;
  source.WriteBuffer(stored.data(), static_cast<int64_t>(stored.size()));
  LZHDecompress(source, dest);
  return Bytes(dest);
}

// Unpacks a raw bit stream (no header) into exactly `size` bytes.
std::string Unpack(const std::string &packed, int32_t size) {
  TMemoryStream source, dest;
  source.WriteBuffer(packed.data(), static_cast<int64_t>(packed.size()));
  source.SetPosition(0);
  TLZH lzh;
  lzh.InputStream = &source;
  lzh.OutputStream = &dest;
  lzh.LZHUnpack(size, lzh.StreamReader(), lzh.StreamWriter());
  return Bytes(dest);
}

std::string RandomBytes(size_t size, unsigned seed, int alphabet = 256) {
  std::mt19937 random(seed);
  std::string out(size, '\0');
  for (char &c : out)
    c = static_cast<char>(random() % static_cast<unsigned>(alphabet));
  return out;
}

std::string IniLikeText() {
  std::string text;
  for (int i = 0; i < 300; ++i)
    text += "[Button" + std::to_string(i % 7) + "]\r\nImage=btn" + std::to_string(i * 37 % 101) +
            ".bmp\r\nAction=" + std::to_string(i % 11) + "\r\nXcoord=  " + std::to_string(i * 13) + "\r\n";
  return text;
}

} // namespace

TEST(LzhCodec, RoundTripsEveryKindOfInput) {
  const std::string cases[] = {
      "",
      "x",
      "short text, under sixty bytes",
      std::string(1000, 'a'),                                    // runs far longer than a match
      std::string(70, '\0') + std::string(5000, '\xFF') + "end", // runs of other bytes
      std::string(200, ' ') + "after the spaces",                // matches the preset window
      IniLikeText(),
      RandomBytes(70000, 1),    // passes the tree rebuild
      RandomBytes(20000, 2, 3), // long, highly repetitive
  };
  for (const std::string &input : cases) {
    const std::string stored = Compress(input);
    EXPECT_EQ(Decompress(stored), input) << "size " << input.size();
    // The plain reference decoder reads the same stream to the same bytes.
    EXPECT_EQ(RefUnpack(stored.substr(4), static_cast<int>(input.size())), input) << "size " << input.size();
  }
}

TEST(LzhCodec, EmptyAndOneByteInputsGiveTheHandDerivedBytes) {
  // In the initial tree symbol c sits at node c and a node i has parent
  // 314 + i / 2. The space (32) climbs 32, 330, 479, 553, 590, 609, 618, 623,
  // 625 to the root; odd nodes code 1, so root to leaf reads 110101100.
  EXPECT_EQ(Compress(""), std::string("\0\0\0\0\xD6\x00", 6));
  // 'A' (65) climbs 65, 346, 487, 557, 592, 610, 619, 623, 625: 111001101.
  EXPECT_EQ(Compress("A"), std::string("\x01\0\0\0\xE6\x80", 6));
  EXPECT_EQ(Decompress(Compress("")), "");
}

TEST(LzhCodec, WritesTheReferenceBitsWhereTheMatchChoiceIsUnique) {
  // Inputs without ties between equally long matches: the brute-force
  // reference must agree bit for bit (literals, matches, tree rebuilds).
  std::string planted = RandomBytes(3000, 7);
  planted.replace(2000, 40, planted.substr(100, 40));  // one far match
  planted.replace(2500, 12, planted.substr(2450, 12)); // one near match
  const std::string inputs[] = {"abcabcabc", "ABRACADABRA", planted, RandomBytes(40000, 9)};
  for (const std::string &input : inputs)
    EXPECT_EQ(Compress(input).substr(4), RefPack(input)) << "size " << input.size();
  // A fixed vector, so that both coders changing together still shows: three
  // literals ('a' alone is 111101101 in the initial tree), then a match of 6
  // at distance 3.
  EXPECT_EQ(Compress("abcabcabc"), std::string("\x09\0\0\0\xF6\xFB\xBD\xF1\xE0\x20", 10));
}

TEST(LzhCodec, LeadingSpacesMatchThePresetWindow) {
  const std::string stored = Compress(std::string(50, ' ') + "x");
  size_t bit = 0;
  const std::string packed = stored.substr(4);
  auto nextBit = [&] { return (static_cast<uint8_t>(packed[bit / 8]) >> (7 - bit++ % 8)) & 1; };
  RefHuffman huffman;
  EXPECT_GE(huffman.Decode(nextBit), 256) << "the first symbol should be a match, not a literal";
  EXPECT_LT(packed.size(), 6u);
}

TEST(LzhCodec, UnpackWritesExactlyTheRequestedSize) {
  const std::string packed = Compress(std::string(1000, 'a')).substr(4);
  // A match running past the requested size is cut there.
  EXPECT_EQ(Unpack(packed, 10), std::string(10, 'a'));
  EXPECT_EQ(Unpack(packed, 0), "");
  EXPECT_EQ(Unpack(packed, -5), "");
  // Input that ends before the requested size is decoded is refused.
  EXPECT_THROW(Unpack("", 300), ElzhException);
  EXPECT_THROW(Unpack(packed.substr(0, 2), 2000), ElzhException);
}

TEST(LzhCodec, AStreamCutAnywhereIsRefused) {
  // The decoder reads ahead, so the last codes of a whole stream must not
  // count as cut short; any byte fewer must.
  for (const std::string &input : {IniLikeText().substr(0, 3000), RandomBytes(500, 4), std::string(5000, 'z')}) {
    const std::string stored = Compress(input);
    ASSERT_EQ(Decompress(stored), input);
    for (size_t cut = 4; cut < stored.size(); ++cut)
      EXPECT_THROW(Decompress(stored.substr(0, cut)), ElzhException) << "cut at " << cut << " of " << stored.size();
  }
}

TEST(LzhCodec, PackReportsTheBytesConsumedThroughTheCallbacks) {
  const std::string input = IniLikeText();
  size_t next = 0;
  std::string out;
  TLZH lzh;
  int32_t consumed = -1;
  lzh.LZHPack(
      consumed,
      [&](void *buffer, uint16_t count, uint16_t &actual) {
        actual = 0;
        while (actual < count && next < input.size())
          static_cast<char *>(buffer)[actual++] = input[next++];
      },
      [&](const void *buffer, uint16_t count, uint16_t &actual) {
        out.append(static_cast<const char *>(buffer), count);
        actual = count;
      });
  EXPECT_EQ(consumed, static_cast<int32_t>(input.size()));
  EXPECT_EQ(static_cast<size_t>(lzh.CodeSize()), out.size());
  EXPECT_EQ(RefUnpack(out, static_cast<int>(input.size())), input);
}

TEST(LzhCodec, StoredSizesNoDataCouldHoldAreRefused) {
  // 64 MiB + 1, and 1 MiB claimed from two bytes of data.
  EXPECT_THROW(Decompress(std::string("\x01\0\0\x04\0\0", 6)), ElzhException);
  EXPECT_THROW(Decompress(std::string("\0\0\x10\0\0\0", 6)), ElzhException);
  EXPECT_FALSE(LZHSizeFits(LZHMaxUnpackedSize + 1, int64_t{1} << 30));
  EXPECT_TRUE(LZHSizeFits(1000, 100));
  // A header cut short is a read error, not a crash.
  EXPECT_THROW(Decompress("\x01\0"), EReadError);
}
