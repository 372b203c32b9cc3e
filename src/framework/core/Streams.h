#pragma once
// Byte streams: the abstract TStream, TMemoryStream and TFileStream.

#include <cstdint>
#include <string>
#include <vector>

#include "Object.h"

namespace zorvex {

enum class SeekOrigin { Beginning, Current, End };

class TStream : public TObject {
public:
  // Reads up to count bytes; returns how many were read (0 at the end).
  virtual int64_t Read(void *buffer, int64_t count) = 0;
  // Writes count bytes; returns how many were written.
  virtual int64_t Write(const void *buffer, int64_t count) = 0;
  virtual int64_t Seek(int64_t offset, SeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, SeekOrigin::Current); }
  void SetPosition(int64_t position) { Seek(position, SeekOrigin::Beginning); }
  virtual int64_t Size();
  virtual void SetSize(int64_t size);

  // Exactly count bytes or EReadError / EWriteError.
  void ReadBuffer(void *buffer, int64_t count);
  void WriteBuffer(const void *buffer, int64_t count);
  // Copies count bytes from source's position; count 0 copies all of source
  // from its beginning. Returns the bytes copied.
  int64_t CopyFrom(TStream &source, int64_t count);
};

class TMemoryStream : public TStream {
public:
  int64_t Read(void *buffer, int64_t count) override;
  int64_t Write(const void *buffer, int64_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(data_.size()); }
  void SetSize(int64_t size) override;

  void Clear();
  uint8_t *Memory() { return data_.data(); }
  const uint8_t *Memory() const { return data_.data(); }
  const std::vector<uint8_t> &Bytes() const { return data_; }

  void LoadFromStream(TStream &source);
  void LoadFromFile(const std::string &path);
  void SaveToStream(TStream &target);
  void SaveToFile(const std::string &path);

private:
  std::vector<uint8_t> data_;
  int64_t position_ = 0;
};

// Open modes and share modes, combined with |.
namespace fm {
constexpr unsigned OpenRead = 0x0000;
constexpr unsigned OpenWrite = 0x0001;
constexpr unsigned OpenReadWrite = 0x0002;
constexpr unsigned ShareExclusive = 0x0010;
constexpr unsigned ShareDenyWrite = 0x0020;
constexpr unsigned ShareDenyRead = 0x0030;
constexpr unsigned ShareDenyNone = 0x0040;
constexpr unsigned Create = 0xFF00; // create or truncate, open for writing
} // namespace fm

// A directory held open so that the files in it open by name: on POSIX the
// system then does not walk the whole path again for each file. When the
// directory cannot be opened, files are opened by their full path.
class TDirectoryHandle {
public:
  // `path` ends with a separator, or is empty for the current directory.
  explicit TDirectoryHandle(std::string path);
  ~TDirectoryHandle();
  TDirectoryHandle(const TDirectoryHandle &) = delete;
  TDirectoryHandle &operator=(const TDirectoryHandle &) = delete;
  const std::string &Path() const { return path_; }

private:
  friend class TFileStream;
  std::string path_;
#ifndef _WIN32
  int fd_ = -1;
#endif
};

class TFileStream : public TStream {
public:
  // Throws EFOpenError when the file cannot be opened or created.
  TFileStream(const std::string &path, unsigned mode);
  // The file `name` in the directory; FileName() is the full path.
  TFileStream(const TDirectoryHandle &directory, const std::string &name, unsigned mode);
  ~TFileStream() override;
  TFileStream(const TFileStream &) = delete;
  TFileStream &operator=(const TFileStream &) = delete;

  // OS read failures throw EReadError, write failures EWriteError.
  int64_t Read(void *buffer, int64_t count) override;
  int64_t Write(const void *buffer, int64_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  int64_t Size() override;
  void SetSize(int64_t size) override;

  // Closes now and reports a failure (a write the system could only finish
  // at close) as EWriteError. The destructor closes quietly.
  void Close();
  const std::string &FileName() const { return path_; }

private:
#ifndef _WIN32
  void OpenAt(int directoryFd, const char *name, unsigned mode);
#endif
  std::string path_;
#ifdef _WIN32
  void *handle_;
#else
  int fd_;
#endif
};

} // namespace zorvex
