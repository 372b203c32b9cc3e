#include "Winconvert.h"

#include "framework/core/Streams.h"

#include <array>
#include <cstring>
#include <new>

namespace zorvex {

namespace {

constexpr int N = 4096;      // ring buffer size
constexpr int F = 60;        // longest match
constexpr int THRESHOLD = 2; // matches this short go as literals
constexpr int NIL = N;       // no node
constexpr int N_CHAR = 256 - THRESHOLD + F;
constexpr int T = N_CHAR * 2 - 1;
constexpr int R = T - 1;
constexpr unsigned MAX_FREQ = 0x8000;

// Prefix codes of the upper six bits of a position: one 3-bit code, three of
// 4 bits, eight of 5, twelve of 6, twenty-four of 7 and sixteen of 8,
// assigned in canonical order.
struct PositionTables {
  std::array<uint8_t, 64> p_len{};
  std::array<uint8_t, 64> p_code{};
  std::array<uint8_t, 256> d_code{};
  std::array<uint8_t, 256> d_len{};
};

constexpr PositionTables MakePositionTables() {
  PositionTables t;
  constexpr int countByLength[9] = {0, 0, 0, 1, 3, 8, 12, 24, 16};
  int index = 0;
  unsigned code = 0;
  for (int length = 3; length <= 8; ++length) {
    for (int k = 0; k < countByLength[length]; ++k, ++index, ++code) {
      t.p_len[index] = static_cast<uint8_t>(length);
      t.p_code[index] = static_cast<uint8_t>(code << (8 - length));
      // Every byte that begins with this code decodes to it.
      const int first = t.p_code[index];
      for (int b = first; b < first + (1 << (8 - length)); ++b) {
        t.d_code[b] = static_cast<uint8_t>(index);
        t.d_len[b] = static_cast<uint8_t>(length);
      }
    }
    code <<= 1;
  }
  return t;
}

constexpr PositionTables kTables = MakePositionTables();
static_assert(kTables.p_code[1] == 0x20 && kTables.p_code[5] == 0x58 && kTables.p_code[63] == 0xFF);
static_assert(kTables.d_code[0x1F] == 0 && kTables.d_code[0x20] == 1 && kTables.d_len[0xFF] == 8);

constexpr const auto &p_len = kTables.p_len;
constexpr const auto &p_code = kTables.p_code;
constexpr const auto &d_code = kTables.d_code;
constexpr const auto &d_len = kTables.d_len;

} // namespace

struct TLZH::Tables {
  uint8_t text_buf[N + F - 1];
  int16_t lson[N + 1];
  int16_t dad[N + 1];
  int16_t rson[N + 257];
  uint16_t freq[T + 1];
  int16_t prnt[T + N_CHAR];
  int16_t son[T];
};

TLZH::TLZH() = default;
TLZH::~TLZH() = default;

void TLZH::InitLZH() {
  // Zeroed, so that the window past the preset spaces reads the same on
  // every run and the output depends on the input alone.
  tables_.reset(new (std::nothrow) Tables{});
  if (!tables_)
    throw ElzhException("LZH : Cannot get memory for dictionary tables");
  bitBuffer_ = 0;
  bitCount_ = 0;
  pendingCount_ = 0;
  pendingBits_ = 0;
  textSize_ = 0;
  codeSize_ = 0;
  matchPosition_ = 0;
  matchLength_ = 0;
  bitsRead_ = 0;
  bitsTaken_ = 0;
}

void TLZH::EndLZH() { tables_.reset(); }

// ---- match finder -----------------------------------------------------------

void TLZH::InitTree() {
  auto &t = *tables_;
  for (int i = N + 1; i <= N + 256; ++i)
    t.rson[i] = NIL;
  for (int i = 0; i <= N; ++i)
    t.dad[i] = NIL;
}

void TLZH::InsertNode(int r) {
  auto &t = *tables_;
  const uint8_t *key = &t.text_buf[r];
  int cmp = 1;
  int p = N + 1 + key[0];
  t.rson[r] = t.lson[r] = NIL;
  matchLength_ = 0;
  for (;;) {
    if (cmp >= 0) {
      if (t.rson[p] != NIL) {
        p = t.rson[p];
      } else {
        t.rson[p] = static_cast<int16_t>(r);
        t.dad[r] = static_cast<int16_t>(p);
        return;
      }
    } else {
      if (t.lson[p] != NIL) {
        p = t.lson[p];
      } else {
        t.lson[p] = static_cast<int16_t>(r);
        t.dad[r] = static_cast<int16_t>(p);
        return;
      }
    }
    int i = 1;
    for (; i < F; ++i)
      if ((cmp = key[i] - t.text_buf[p + i]) != 0)
        break;
    if (i > THRESHOLD) {
      const int candidate = ((r - p) & (N - 1)) - 1;
      if (i > matchLength_) {
        matchPosition_ = static_cast<int16_t>(candidate);
        matchLength_ = static_cast<int16_t>(i);
        if (i >= F)
          break;
      }
      if (i == matchLength_ && candidate < matchPosition_)
        matchPosition_ = static_cast<int16_t>(candidate);
    }
  }
  // A full-length match: r takes p's place in the tree.
  t.dad[r] = t.dad[p];
  t.lson[r] = t.lson[p];
  t.rson[r] = t.rson[p];
  t.dad[t.lson[p]] = static_cast<int16_t>(r);
  t.dad[t.rson[p]] = static_cast<int16_t>(r);
  if (t.rson[t.dad[p]] == p)
    t.rson[t.dad[p]] = static_cast<int16_t>(r);
  else
    t.lson[t.dad[p]] = static_cast<int16_t>(r);
  t.dad[p] = NIL;
}

void TLZH::DeleteNode(int p) {
  auto &t = *tables_;
  if (t.dad[p] == NIL)
    return;
  int q;
  if (t.rson[p] == NIL) {
    q = t.lson[p];
  } else if (t.lson[p] == NIL) {
    q = t.rson[p];
  } else {
    q = t.lson[p];
    if (t.rson[q] != NIL) {
      do {
        q = t.rson[q];
      } while (t.rson[q] != NIL);
      t.rson[t.dad[q]] = t.lson[q];
      t.dad[t.lson[q]] = t.dad[q];
      t.lson[q] = t.lson[p];
      t.dad[t.lson[p]] = static_cast<int16_t>(q);
    }
    t.rson[q] = t.rson[p];
    t.dad[t.rson[p]] = static_cast<int16_t>(q);
  }
  t.dad[q] = t.dad[p];
  if (t.rson[t.dad[p]] == p)
    t.rson[t.dad[p]] = static_cast<int16_t>(q);
  else
    t.lson[t.dad[p]] = static_cast<int16_t>(q);
  t.dad[p] = NIL;
}

// ---- adaptive Huffman tree -----------------------------------------------------

void TLZH::StartHuff() {
  auto &t = *tables_;
  for (int i = 0; i < N_CHAR; ++i) {
    t.freq[i] = 1;
    t.son[i] = static_cast<int16_t>(i + T);
    t.prnt[i + T] = static_cast<int16_t>(i);
  }
  for (int i = 0, j = N_CHAR; j <= R; i += 2, ++j) {
    t.freq[j] = static_cast<uint16_t>(t.freq[i] + t.freq[i + 1]);
    t.son[j] = static_cast<int16_t>(i);
    t.prnt[i] = t.prnt[i + 1] = static_cast<int16_t>(j);
  }
  t.freq[T] = 0xFFFF;
  t.prnt[R] = 0;
}

void TLZH::reconst() {
  auto &t = *tables_;
  // Leaves to the front, with their weights halved (rounding up).
  int j = 0;
  for (int i = 0; i < T; ++i) {
    if (t.son[i] >= T) {
      t.freq[j] = static_cast<uint16_t>((t.freq[i] + 1) / 2);
      t.son[j] = t.son[i];
      ++j;
    }
  }
  // Internal nodes from pairs, each slotted in so weights stay sorted.
  for (int i = 0, node = N_CHAR; node < T; i += 2, ++node) {
    const unsigned f = static_cast<unsigned>(t.freq[i]) + t.freq[i + 1];
    t.freq[node] = static_cast<uint16_t>(f);
    int k = node - 1;
    while (f < t.freq[k])
      --k;
    ++k;
    const size_t moved = static_cast<size_t>(node - k);
    std::memmove(&t.freq[k + 1], &t.freq[k], moved * sizeof t.freq[0]);
    t.freq[k] = static_cast<uint16_t>(f);
    std::memmove(&t.son[k + 1], &t.son[k], moved * sizeof t.son[0]);
    t.son[k] = static_cast<int16_t>(i);
  }
  for (int i = 0; i < T; ++i) {
    const int k = t.son[i];
    if (k >= T)
      t.prnt[k] = static_cast<int16_t>(i);
    else
      t.prnt[k] = t.prnt[k + 1] = static_cast<int16_t>(i);
  }
}

void TLZH::update(int c) {
  auto &t = *tables_;
  if (t.freq[R] == MAX_FREQ)
    reconst();
  c = t.prnt[c + T];
  do {
    const unsigned k = ++t.freq[c];
    int l = c + 1;
    if (k > t.freq[l]) {
      while (k > t.freq[++l]) {
      }
      --l;
      t.freq[c] = t.freq[l];
      t.freq[l] = static_cast<uint16_t>(k);

      const int i = t.son[c];
      t.prnt[i] = static_cast<int16_t>(l);
      if (i < T)
        t.prnt[i + 1] = static_cast<int16_t>(l);

      const int j = t.son[l];
      t.son[l] = static_cast<int16_t>(i);
      t.prnt[j] = static_cast<int16_t>(c);
      if (j < T)
        t.prnt[j + 1] = static_cast<int16_t>(c);
      t.son[c] = static_cast<int16_t>(j);

      c = l;
    }
  } while ((c = t.prnt[c]) != 0);
}

// ---- bit output --------------------------------------------------------------

void TLZH::PutByte(uint8_t byte, const TWriteProc &write) {
  uint16_t written = 0;
  write(&byte, 1, written);
  if (written != 1)
    throw EWriteError("LZH : cannot write the packed stream");
}

void TLZH::Putcode(int length, unsigned code, const TWriteProc &write) {
  pendingBits_ = static_cast<uint16_t>(pendingBits_ | (code >> pendingCount_));
  pendingCount_ = static_cast<uint8_t>(pendingCount_ + length);
  if (pendingCount_ >= 8) {
    PutByte(static_cast<uint8_t>(pendingBits_ >> 8), write);
    pendingCount_ = static_cast<uint8_t>(pendingCount_ - 8);
    if (pendingCount_ >= 8) {
      PutByte(static_cast<uint8_t>(pendingBits_), write);
      codeSize_ += 2;
      pendingCount_ = static_cast<uint8_t>(pendingCount_ - 8);
      pendingBits_ = static_cast<uint16_t>(code << (length - pendingCount_));
    } else {
      pendingBits_ = static_cast<uint16_t>(pendingBits_ << 8);
      ++codeSize_;
    }
  }
}

void TLZH::EncodeChar(unsigned c, const TWriteProc &write) {
  auto &t = *tables_;
  unsigned code = 0;
  int length = 0;
  int k = t.prnt[c + T];
  // Leaf to root: an odd node is the heavier brother, coded 1.
  do {
    code >>= 1;
    if (k & 1)
      code += 0x8000;
    ++length;
  } while ((k = t.prnt[k]) != R);
  Putcode(length, code, write);
  update(static_cast<int>(c));
}

void TLZH::EncodePosition(unsigned c, const TWriteProc &write) {
  const unsigned i = c >> 6;
  Putcode(p_len[i], static_cast<unsigned>(p_code[i]) << 8, write);
  Putcode(6, (c & 0x3F) << 10, write);
}

void TLZH::EncodeEnd(const TWriteProc &write) {
  if (pendingCount_ != 0) {
    PutByte(static_cast<uint8_t>(pendingBits_ >> 8), write);
    ++codeSize_;
  }
}

// ---- bit input ---------------------------------------------------------------

void TLZH::FillBitBuffer(const TReadProc &read) {
  while (bitCount_ <= 8) {
    uint8_t byte = 0;
    uint16_t got = 0;
    read(&byte, 1, got);
    // The buffer reads ahead, so past the end it fills with zeros; a code
    // that takes any of them finds the stream cut short (see LZHUnpack).
    if (got == 1)
      bitsRead_ += 8;
    else
      byte = 0;
    bitBuffer_ = static_cast<uint16_t>(bitBuffer_ | (byte << (8 - bitCount_)));
    bitCount_ = static_cast<uint8_t>(bitCount_ + 8);
  }
}

int TLZH::GetBit(const TReadProc &read) {
  FillBitBuffer(read);
  const int bit = bitBuffer_ >> 15;
  bitBuffer_ = static_cast<uint16_t>(bitBuffer_ << 1);
  --bitCount_;
  ++bitsTaken_;
  return bit;
}

int TLZH::GetByte(const TReadProc &read) {
  FillBitBuffer(read);
  const int byte = bitBuffer_ >> 8;
  bitBuffer_ = static_cast<uint16_t>(bitBuffer_ << 8);
  bitCount_ = static_cast<uint8_t>(bitCount_ - 8);
  bitsTaken_ += 8;
  return byte;
}

int TLZH::DecodeChar(const TReadProc &read) {
  auto &t = *tables_;
  int c = t.son[R];
  while (c < T) {
    c += GetBit(read);
    c = t.son[c];
  }
  c -= T;
  update(c);
  return c;
}

int TLZH::DecodePosition(const TReadProc &read) {
  int i = GetByte(read);
  const int high = d_code[i] << 6;
  int extra = d_len[i] - 2;
  while (extra-- > 0)
    i = (i << 1) + GetBit(read);
  return high | (i & 0x3F);
}

// ---- pack and unpack -----------------------------------------------------------

namespace {
// Frees the tables however the call ends.
template <typename Fn> struct Finally {
  Fn fn;
  ~Finally() { fn(); }
};
template <typename Fn> Finally(Fn) -> Finally<Fn>;
} // namespace

void TLZH::LZHPack(int32_t &bytesRead, const TReadProc &read, const TWriteProc &write) {
  InitLZH();
  Finally release{[this] { EndLZH(); }};
  StartHuff();
  InitTree();
  auto &t = *tables_;
  auto readByte = [&read](uint8_t &byte) {
    uint16_t got = 0;
    read(&byte, 1, got);
    return got == 1;
  };

  int s = 0;
  int r = N - F;
  std::memset(t.text_buf, ' ', static_cast<size_t>(r));
  int len = 0;
  uint8_t byte = 0;
  while (len < F && readByte(byte))
    t.text_buf[r + len++] = byte;
  // Empty input still codes one literal; the packages' writer makes it a space.
  if (len == 0)
    t.text_buf[r] = ' ';
  textSize_ = len;
  for (int i = 1; i <= F; ++i)
    InsertNode(r - i);
  InsertNode(r);
  do {
    if (matchLength_ > len)
      matchLength_ = static_cast<int16_t>(len);
    if (matchLength_ <= THRESHOLD) {
      matchLength_ = 1;
      EncodeChar(t.text_buf[r], write);
    } else {
      EncodeChar(static_cast<unsigned>(255 - THRESHOLD + matchLength_), write);
      EncodePosition(static_cast<unsigned>(matchPosition_), write);
    }
    const int lastMatchLength = matchLength_;
    int i = 0;
    for (; i < lastMatchLength && readByte(byte); ++i) {
      DeleteNode(s);
      t.text_buf[s] = byte;
      if (s < F - 1)
        t.text_buf[s + N] = byte;
      s = (s + 1) & (N - 1);
      r = (r + 1) & (N - 1);
      InsertNode(r);
    }
    textSize_ += i;
    while (i++ < lastMatchLength) {
      DeleteNode(s);
      s = (s + 1) & (N - 1);
      r = (r + 1) & (N - 1);
      if (--len)
        InsertNode(r);
    }
  } while (len > 0);
  EncodeEnd(write);
  bytesRead = textSize_;
}

void TLZH::LZHUnpack(int32_t textSize, const TReadProc &read, const TWriteProc &write) {
  if (textSize <= 0)
    return;
  InitLZH();
  Finally release{[this] { EndLZH(); }};
  StartHuff();
  auto &t = *tables_;
  std::memset(t.text_buf, ' ', N - F);
  int r = N - F;
  int32_t count = 0;
  auto emit = [&](uint8_t byte) {
    uint16_t written = 0;
    write(&byte, 1, written);
    if (written != 1)
      throw EWriteError("LZH : cannot write the unpacked stream");
    t.text_buf[r] = byte;
    r = (r + 1) & (N - 1);
    ++count;
  };
  while (count < textSize) {
    const int c = DecodeChar(read);
    if (c < 256) {
      emit(static_cast<uint8_t>(c));
    } else {
      const int from = (r - DecodePosition(read) - 1) & (N - 1);
      const int length = c - 255 + THRESHOLD;
      // A damaged stream may code a match past the requested size: stop there.
      for (int k = 0; k < length && count < textSize; ++k)
        emit(t.text_buf[(from + k) & (N - 1)]);
    }
    // A code that took bits the input never had: the stream was cut short.
    if (bitsTaken_ > bitsRead_)
      throw ElzhException("LZH : the packed data ends early");
  }
}

void TLZH::GetBlockStream(void *buffer, uint16_t count, uint16_t &actual) {
  actual = static_cast<uint16_t>(InputStream->Read(buffer, count));
}

void TLZH::PutBlockStream(const void *buffer, uint16_t count, uint16_t &actual) {
  OutputStream->WriteBuffer(buffer, count);
  actual = count;
}

TReadProc TLZH::StreamReader() {
  return [this](void *buffer, uint16_t count, uint16_t &actual) { GetBlockStream(buffer, count, actual); };
}

TWriteProc TLZH::StreamWriter() {
  return [this](const void *buffer, uint16_t count, uint16_t &actual) { PutBlockStream(buffer, count, actual); };
}

// ---- the stored form -----------------------------------------------------------

bool LZHSizeFits(int64_t size, int64_t packedBytes) {
  return size <= LZHMaxUnpackedSize && size <= 48 * packedBytes + F;
}

void LZHCompress(TStream &source, TStream &dest) {
  source.SetPosition(0);
  dest.SetPosition(0);
  const int64_t total = source.Size();
  if (total > INT32_MAX)
    throw ElzhException("LZH : the data is too large to pack");
  const uint32_t size = static_cast<uint32_t>(total);
  const uint8_t header[4] = {static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
                             static_cast<uint8_t>(size >> 16), static_cast<uint8_t>(size >> 24)};
  dest.WriteBuffer(header, 4);
  TLZH lzh;
  lzh.InputStream = &source;
  lzh.OutputStream = &dest;
  int32_t consumed = 0;
  lzh.LZHPack(consumed, lzh.StreamReader(), lzh.StreamWriter());
}

void LZHDecompress(TStream &source, TStream &dest) {
  source.SetPosition(0);
  dest.SetPosition(0);
  uint8_t header[4];
  source.ReadBuffer(header, 4);
  const int32_t size = static_cast<int32_t>(static_cast<uint32_t>(header[0]) | (header[1] << 8) | (header[2] << 16) |
                                            (static_cast<uint32_t>(header[3]) << 24));
  if (!LZHSizeFits(size, source.Size() - 4))
    throw ElzhException("LZH : the stored size does not fit the packed data");
  TLZH lzh;
  lzh.InputStream = &source;
  lzh.OutputStream = &dest;
  lzh.LZHUnpack(size, lzh.StreamReader(), lzh.StreamWriter());
}

} // namespace zorvex
