#pragma once
// The framework's exception classes. Handlers that must stop without a word
// throw EAbort; the application's top-level handler ignores it and shows any
// other Exception's message.

#include <stdexcept>
#include <string>

namespace zorvex {

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char *what() const noexcept override { return message_.c_str(); }
  const std::string &Message() const noexcept { return message_; }

private:
  std::string message_;
};

// The silent exception: unwinds a handler without any message.
class EAbort : public Exception {
public:
  EAbort() : Exception("Operation aborted") {}
};

[[noreturn]] inline void Abort() { throw EAbort(); }

class EStreamError : public Exception {
  using Exception::Exception;
};

// A file that cannot be opened or created. `SystemError` is the platform's
// error code (GetLastError or errno), 0 when none applies.
class EFOpenError : public EStreamError {
public:
  EFOpenError(const std::string &path, int systemError, const std::string &reason);
  const std::string &Path() const noexcept { return path_; }
  int SystemError() const noexcept { return systemError_; }

private:
  std::string path_;
  int systemError_;
};

class EReadError : public EStreamError {
  using EStreamError::EStreamError;
};

class EWriteError : public EStreamError {
  using EStreamError::EStreamError;
};

class EConvertError : public Exception {
  using Exception::Exception;
};

} // namespace zorvex
