#pragma once
// TRegistry: one open key under a root, string and 32-bit integer values.
// Opening reports failure by its result; reading and writing by
// ERegistryException.

#include <cstdint>
#include <string>

#include <windows.h>

#include "framework/core/Exceptions.h"

namespace zorvex {

class ERegistryException : public Exception {
public:
  ERegistryException(const std::string &message, LONG code) : Exception(message), code_(code) {}
  // The system's error code, or 0 for a value of the wrong type.
  LONG Code() const noexcept { return code_; }

private:
  LONG code_;
};

// An open registry key, closed with RegCloseKey (predefined roots are never
// closed).
class OwnedKey {
public:
  OwnedKey() = default;
  explicit OwnedKey(HKEY key) : key_(key) {}
  ~OwnedKey() { reset(); }
  OwnedKey(OwnedKey &&other) noexcept : key_(other.key_) { other.key_ = nullptr; }
  OwnedKey &operator=(OwnedKey &&other) noexcept {
    if (this != &other) {
      reset();
      key_ = other.key_;
      other.key_ = nullptr;
    }
    return *this;
  }
  OwnedKey(const OwnedKey &) = delete;
  OwnedKey &operator=(const OwnedKey &) = delete;
  HKEY get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }
  void reset();

private:
  HKEY key_ = nullptr;
};

class TRegistry {
public:
  // Keys are opened with `access` (all access by default, so that an open
  // key can also be written).
  explicit TRegistry(REGSAM access = KEY_ALL_ACCESS) : access_(access) {}

  HKEY RootKey() const { return root_; }
  void SetRootKey(HKEY root);
  REGSAM Access() const { return access_; }
  void SetAccess(REGSAM access) { access_ = access; }

  // Opens `path` under the root (creating it when canCreate); the key open
  // before is closed. False when it cannot be opened (or created).
  bool OpenKey(const std::string &path, bool canCreate);
  bool OpenKeyReadOnly(const std::string &path);
  void CloseKey() { key_.reset(); }
  HKEY CurrentKey() const { return key_.get(); }
  bool KeyExists(const std::string &path) const;
  // Removes a key and everything below it; false when it could not.
  bool DeleteKey(const std::string &path);

  bool ValueExists(const std::string &name) const;
  // A missing value reads as ""; a value of another type throws.
  std::string ReadString(const std::string &name) const;
  // A missing value or one of another type throws.
  int32_t ReadInteger(const std::string &name) const;
  void WriteString(const std::string &name, const std::string &value);
  void WriteInteger(const std::string &name, int32_t value);
  bool DeleteValue(const std::string &name);

private:
  HKEY root_ = HKEY_CURRENT_USER; // predefined or caller's key, not owned
  REGSAM access_;
  OwnedKey key_;
};

} // namespace zorvex
