#include "Streams.h"

#include "Exceptions.h"
#include "Paths.h"
#include "Texts.h"

#include <algorithm>
#include <cstring>
#include <limits>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zorvex {

// ---- TStream --------------------------------------------------------------

int64_t TStream::Size() {
  const int64_t here = Seek(0, SeekOrigin::Current);
  const int64_t end = Seek(0, SeekOrigin::End);
  Seek(here, SeekOrigin::Beginning);
  return end;
}

void TStream::SetSize(int64_t) { throw EStreamError("Stream size cannot be changed"); }

void TStream::ReadBuffer(void *buffer, int64_t count) {
  auto *bytes = static_cast<uint8_t *>(buffer);
  int64_t done = 0;
  while (done < count) {
    const int64_t n = Read(bytes + done, count - done);
    if (n <= 0)
      throw EReadError("Stream read error");
    done += n;
  }
}

void TStream::WriteBuffer(const void *buffer, int64_t count) {
  if (count > 0 && Write(buffer, count) != count)
    throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream &source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  const int64_t total = count;
  std::vector<uint8_t> buffer(static_cast<size_t>(std::min<int64_t>(count, 1 << 16)));
  while (count > 0) {
    const int64_t n = std::min<int64_t>(count, static_cast<int64_t>(buffer.size()));
    source.ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    count -= n;
  }
  return total;
}

// ---- TMemoryStream -----------------------------------------------------------

int64_t TMemoryStream::Read(void *buffer, int64_t count) {
  const int64_t available = static_cast<int64_t>(data_.size()) - position_;
  if (count <= 0 || available <= 0)
    return 0;
  const int64_t n = std::min(count, available);
  std::memcpy(buffer, data_.data() + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

int64_t TMemoryStream::Write(const void *buffer, int64_t count) {
  if (count <= 0)
    return 0;
  const int64_t end = position_ + count;
  if (end > static_cast<int64_t>(data_.size()))
    data_.resize(static_cast<size_t>(end));
  std::memcpy(data_.data() + position_, buffer, static_cast<size_t>(count));
  position_ = end;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, SeekOrigin origin) {
  int64_t base = 0;
  if (origin == SeekOrigin::Current)
    base = position_;
  else if (origin == SeekOrigin::End)
    base = static_cast<int64_t>(data_.size());
  const int64_t target = base + offset;
  if (target < 0)
    throw EStreamError("Invalid stream position");
  position_ = target;
  return position_;
}

void TMemoryStream::SetSize(int64_t size) {
  if (size < 0)
    throw EStreamError("Invalid stream size");
  data_.resize(static_cast<size_t>(size));
  position_ = std::min(position_, size);
}

void TMemoryStream::Clear() {
  data_.clear();
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream &source) {
  source.SetPosition(0);
  const int64_t n = source.Size();
  data_.resize(static_cast<size_t>(n));
  if (n > 0)
    source.ReadBuffer(data_.data(), n);
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string &path) {
  TFileStream file(path, fm::OpenRead | fm::ShareDenyWrite);
  LoadFromStream(file);
}

void TMemoryStream::SaveToStream(TStream &target) { target.WriteBuffer(data_.data(), Size()); }

void TMemoryStream::SaveToFile(const std::string &path) {
  TFileStream file(path, fm::Create);
  SaveToStream(file);
  file.Close();
}

// ---- TFileStream -------------------------------------------------------------

#ifdef _WIN32

namespace {
std::string SystemErrorText(DWORD code) {
  wchar_t *text = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
  std::string result = n ? TrimRight(Narrow(std::wstring_view(text, n))) : "Error " + std::to_string(code);
  LocalFree(text);
  return result;
}
} // namespace

TFileStream::TFileStream(const std::string &path, unsigned mode) : path_(path) {
  DWORD access = GENERIC_READ;
  DWORD disposition = OPEN_EXISTING;
  if ((mode & fm::Create) == fm::Create) {
    access = GENERIC_READ | GENERIC_WRITE;
    disposition = CREATE_ALWAYS;
  } else if ((mode & 3) == fm::OpenWrite) {
    access = GENERIC_WRITE;
  } else if ((mode & 3) == fm::OpenReadWrite) {
    access = GENERIC_READ | GENERIC_WRITE;
  }
  DWORD share = 0;
  switch (mode & 0xF0) {
  case fm::ShareDenyWrite: share = FILE_SHARE_READ; break;
  case fm::ShareDenyRead: share = FILE_SHARE_WRITE; break;
  case fm::ShareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
  default: break;
  }
  const DWORD flags = access == GENERIC_READ ? FILE_FLAG_SEQUENTIAL_SCAN : FILE_ATTRIBUTE_NORMAL;
  handle_ = CreateFileW(WinPath(path).c_str(), access, share, nullptr, disposition, flags, nullptr);
  if (handle_ == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    throw EFOpenError(path, static_cast<int>(error), SystemErrorText(error));
  }
}

TDirectoryHandle::TDirectoryHandle(std::string path) : path_(std::move(path)) {}
TDirectoryHandle::~TDirectoryHandle() = default;

TFileStream::TFileStream(const TDirectoryHandle &directory, const std::string &name, unsigned mode)
    : TFileStream(directory.Path() + name, mode) {}

TFileStream::~TFileStream() {
  if (handle_ != INVALID_HANDLE_VALUE)
    CloseHandle(handle_);
}

void TFileStream::Close() {
  if (handle_ == INVALID_HANDLE_VALUE)
    return;
  HANDLE h = handle_;
  handle_ = INVALID_HANDLE_VALUE;
  if (!CloseHandle(h))
    throw EWriteError("Cannot close file \"" + path_ + "\". " + SystemErrorText(GetLastError()));
}

int64_t TFileStream::Read(void *buffer, int64_t count) {
  auto *bytes = static_cast<uint8_t *>(buffer);
  int64_t done = 0;
  while (done < count) {
    const DWORD chunk = static_cast<DWORD>(std::min<int64_t>(count - done, 1 << 30));
    DWORD got = 0;
    if (!ReadFile(handle_, bytes + done, chunk, &got, nullptr))
      throw EReadError("Cannot read file \"" + path_ + "\". " + SystemErrorText(GetLastError()));
    if (got == 0)
      break;
    done += got;
  }
  return done;
}

int64_t TFileStream::Write(const void *buffer, int64_t count) {
  const auto *bytes = static_cast<const uint8_t *>(buffer);
  int64_t done = 0;
  while (done < count) {
    const DWORD chunk = static_cast<DWORD>(std::min<int64_t>(count - done, 1 << 30));
    DWORD put = 0;
    if (!WriteFile(handle_, bytes + done, chunk, &put, nullptr))
      throw EWriteError("Cannot write file \"" + path_ + "\". " + SystemErrorText(GetLastError()));
    if (put == 0)
      break;
    done += put;
  }
  return done;
}

int64_t TFileStream::Seek(int64_t offset, SeekOrigin origin) {
  LARGE_INTEGER distance;
  distance.QuadPart = offset;
  LARGE_INTEGER result;
  const DWORD method = origin == SeekOrigin::Beginning ? FILE_BEGIN
                       : origin == SeekOrigin::Current ? FILE_CURRENT
                                                       : FILE_END;
  if (!SetFilePointerEx(handle_, distance, &result, method))
    throw EStreamError("Cannot seek in file \"" + path_ + "\". " + SystemErrorText(GetLastError()));
  return result.QuadPart;
}

int64_t TFileStream::Size() {
  LARGE_INTEGER size;
  if (!GetFileSizeEx(handle_, &size))
    throw EReadError("Cannot get the size of \"" + path_ + "\". " + SystemErrorText(GetLastError()));
  return size.QuadPart;
}

void TFileStream::SetSize(int64_t size) {
  const int64_t here = Position();
  SetPosition(size);
  if (!SetEndOfFile(handle_))
    throw EWriteError("Cannot set the size of \"" + path_ + "\". " + SystemErrorText(GetLastError()));
  SetPosition(std::min(here, size));
}

#else

namespace {
std::string ErrnoText(int error) { return std::strerror(error); }
} // namespace

TDirectoryHandle::TDirectoryHandle(std::string path) : path_(std::move(path)) {
  fd_ = ::open(path_.empty() ? "." : path_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

TDirectoryHandle::~TDirectoryHandle() {
  if (fd_ >= 0)
    ::close(fd_);
}

TFileStream::TFileStream(const std::string &path, unsigned mode) : path_(path) { OpenAt(AT_FDCWD, path.c_str(), mode); }

TFileStream::TFileStream(const TDirectoryHandle &directory, const std::string &name, unsigned mode)
    : path_(directory.Path() + name) {
  if (directory.fd_ >= 0)
    OpenAt(directory.fd_, name.c_str(), mode);
  else
    OpenAt(AT_FDCWD, path_.c_str(), mode);
}

void TFileStream::OpenAt(int directoryFd, const char *name, unsigned mode) {
  const std::string &path = path_;
  int flags = O_CLOEXEC;
  const bool create = (mode & fm::Create) == fm::Create;
  if (create)
    flags |= O_RDWR | O_CREAT | O_TRUNC;
  else if ((mode & 3) == fm::OpenWrite)
    flags |= O_WRONLY;
  else if ((mode & 3) == fm::OpenReadWrite)
    flags |= O_RDWR;
  else
    flags |= O_RDONLY | O_NONBLOCK; // a FIFO must not block the open
  fd_ = ::openat(directoryFd, name, flags, 0666);
  if (fd_ < 0) {
    const int error = errno;
    throw EFOpenError(path, error, ErrnoText(error));
  }
  struct stat st {};
  if (fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    throw EFOpenError(path, EISDIR, "Not a regular file");
  }
  // O_NONBLOCK stays: it has no effect on the regular files that get here.
}

TFileStream::~TFileStream() {
  if (fd_ >= 0)
    ::close(fd_);
}

void TFileStream::Close() {
  if (fd_ < 0)
    return;
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0)
    throw EWriteError("Cannot close file \"" + path_ + "\". " + ErrnoText(errno));
}

int64_t TFileStream::Read(void *buffer, int64_t count) {
  auto *bytes = static_cast<uint8_t *>(buffer);
  int64_t done = 0;
  while (done < count) {
    const ssize_t got = ::read(fd_, bytes + done, static_cast<size_t>(std::min<int64_t>(count - done, 1 << 30)));
    if (got < 0) {
      if (errno == EINTR)
        continue;
      throw EReadError("Cannot read file \"" + path_ + "\". " + ErrnoText(errno));
    }
    if (got == 0)
      break;
    done += got;
  }
  return done;
}

int64_t TFileStream::Write(const void *buffer, int64_t count) {
  const auto *bytes = static_cast<const uint8_t *>(buffer);
  int64_t done = 0;
  while (done < count) {
    const ssize_t put = ::write(fd_, bytes + done, static_cast<size_t>(std::min<int64_t>(count - done, 1 << 30)));
    if (put < 0) {
      if (errno == EINTR)
        continue;
      throw EWriteError("Cannot write file \"" + path_ + "\". " + ErrnoText(errno));
    }
    done += put;
  }
  return done;
}

int64_t TFileStream::Seek(int64_t offset, SeekOrigin origin) {
  const int whence = origin == SeekOrigin::Beginning ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
  const off_t result = ::lseek(fd_, offset, whence);
  if (result < 0)
    throw EStreamError("Cannot seek in file \"" + path_ + "\". " + ErrnoText(errno));
  return result;
}

int64_t TFileStream::Size() {
  struct stat st {};
  if (fstat(fd_, &st) != 0)
    throw EReadError("Cannot get the size of \"" + path_ + "\". " + ErrnoText(errno));
  return st.st_size;
}

void TFileStream::SetSize(int64_t size) {
  if (ftruncate(fd_, size) != 0)
    throw EWriteError("Cannot set the size of \"" + path_ + "\". " + ErrnoText(errno));
  if (Position() > size)
    SetPosition(size);
}

#endif

} // namespace zorvex
