#pragma once
// The skin packages' compressor: LZSS over a 4096-byte ring buffer with an
// adaptive Huffman code for literals and match lengths and fixed prefix codes
// for match positions. The codec knows nothing of files or headers: it pulls
// and pushes single bytes through two callbacks.

#include <cstdint>
#include <functional>
#include <memory>

#include "framework/core/Exceptions.h"
#include "framework/core/Object.h"

namespace zorvex {

class TStream;

class ElzhException : public Exception {
public:
  using Exception::Exception;
};

// Callbacks: move up to count bytes and report how many were moved (0 at the
// end of the input).
using TReadProc = std::function<void(void *buffer, uint16_t count, uint16_t &actual)>;
using TWriteProc = std::function<void(const void *buffer, uint16_t count, uint16_t &actual)>;

// The largest unpacked size a caller accepts from a stored size field; a
// larger one is a damaged or hostile stream, refused before any allocation.
constexpr int32_t LZHMaxUnpackedSize = 64 << 20;

class TLZH : public TObject {
public:
  TLZH();
  ~TLZH() override;
  TLZH(const TLZH &) = delete;
  TLZH &operator=(const TLZH &) = delete;

  // Not owned: the caller sets both before a call and frees them itself.
  TStream *InputStream = nullptr;
  TStream *OutputStream = nullptr;

  // Packs everything `read` delivers; bytesRead receives the input consumed.
  // Writes no header.
  void LZHPack(int32_t &bytesRead, const TReadProc &read, const TWriteProc &write);
  // Writes exactly textSize bytes (none when textSize <= 0). Throws
  // ElzhException when the input ends before the last of them is decoded
  // (what was written by then stays written). Reads no header.
  void LZHUnpack(int32_t textSize, const TReadProc &read, const TWriteProc &write);

  // The standard callbacks over InputStream and OutputStream.
  void GetBlockStream(void *buffer, uint16_t count, uint16_t &actual);
  void PutBlockStream(const void *buffer, uint16_t count, uint16_t &actual);

  TReadProc StreamReader();
  TWriteProc StreamWriter();

  int32_t CodeSize() const { return codeSize_; }

private:
  struct Tables;

  void InitLZH();
  void EndLZH();
  void InitTree();
  void InsertNode(int r);
  void DeleteNode(int p);
  void StartHuff();
  void reconst();
  void update(int c);
  void EncodeChar(unsigned c, const TWriteProc &write);
  void EncodePosition(unsigned c, const TWriteProc &write);
  void EncodeEnd(const TWriteProc &write);
  void Putcode(int length, unsigned code, const TWriteProc &write);
  int DecodeChar(const TReadProc &read);
  int DecodePosition(const TReadProc &read);
  int GetBit(const TReadProc &read);
  int GetByte(const TReadProc &read);

  void PutByte(uint8_t byte, const TWriteProc &write);
  void FillBitBuffer(const TReadProc &read);

  uint16_t bitBuffer_ = 0;
  uint8_t bitCount_ = 0;
  uint8_t pendingCount_ = 0;
  uint16_t pendingBits_ = 0;
  int32_t textSize_ = 0;
  int32_t codeSize_ = 0;
  int16_t matchPosition_ = 0;
  int16_t matchLength_ = 0;
  int64_t bitsRead_ = 0;  // bits the input delivered
  int64_t bitsTaken_ = 0; // bits the decoded codes used
  std::unique_ptr<Tables> tables_;
};

// The stored form of a compressed stream: a signed 32-bit little-endian size,
// then the bit stream. Both set the positions of both streams to 0 first.
void LZHCompress(TStream &source, TStream &dest);
// Throws ElzhException when the size field is above LZHMaxUnpackedSize or
// more than the packed bytes could ever hold (LZHSizeFits), or when the bit
// stream ends before that many bytes are decoded.
void LZHDecompress(TStream &source, TStream &dest);

// Whether `size` unpacked bytes can come out of `packedBytes` bytes of bit
// stream: a symbol takes at least one bit and a match position nine, so one
// packed byte never yields more than 48 bytes.
bool LZHSizeFits(int64_t size, int64_t packedBytes);

} // namespace zorvex
