#include "Registry.h"

#include <vector>

#include "Win32Error.h"
#include "framework/core/Texts.h"

namespace zorvex {

namespace {
// The roots are sign-extended 32-bit values (HKEY_CLASSES_ROOT to
// HKEY_CURRENT_USER_LOCAL_SETTINGS).
bool IsPredefined(HKEY key) {
  const auto value = reinterpret_cast<intptr_t>(key);
  return value >= static_cast<LONG>(0x80000000u) && value <= static_cast<LONG>(0x80000007u);
}

std::string ErrorText(const std::string &what, LONG code) {
  return what + ": " + SystemErrorMessage(static_cast<DWORD>(code));
}
} // namespace

void OwnedKey::reset() {
  if (key_ && !IsPredefined(key_))
    RegCloseKey(key_);
  key_ = nullptr;
}

void TRegistry::SetRootKey(HKEY root) {
  CloseKey();
  root_ = root;
}

bool TRegistry::OpenKey(const std::string &path, bool canCreate) {
  CloseKey();
  HKEY key = nullptr;
  const std::wstring wide = Wide(path);
  LONG result;
  if (canCreate)
    result = RegCreateKeyExW(root_, wide.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_, nullptr, &key, nullptr);
  else
    result = RegOpenKeyExW(root_, wide.c_str(), 0, access_, &key);
  if (result != ERROR_SUCCESS)
    return false;
  key_ = OwnedKey(key);
  return true;
}

bool TRegistry::OpenKeyReadOnly(const std::string &path) {
  const REGSAM saved = access_;
  access_ = KEY_READ;
  const bool opened = OpenKey(path, false);
  access_ = saved;
  return opened;
}

bool TRegistry::KeyExists(const std::string &path) const {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root_, Wide(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  OwnedKey owned(key);
  return true;
}

bool TRegistry::DeleteKey(const std::string &path) {
  return RegDeleteTreeW(root_, Wide(path).c_str()) == ERROR_SUCCESS;
}

bool TRegistry::ValueExists(const std::string &name) const {
  return key_ && RegQueryValueExW(key_.get(), Wide(name).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string &name) const {
  if (!key_)
    throw ERegistryException("No registry key is open", ERROR_INVALID_HANDLE);
  const std::wstring wideName = Wide(name);
  DWORD type = 0, size = 0;
  LONG result = RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, &type, nullptr, &size);
  if (result == ERROR_FILE_NOT_FOUND)
    return std::string();
  if (result != ERROR_SUCCESS)
    throw ERegistryException(ErrorText("Cannot read '" + name + "'", result), result);
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw ERegistryException("Invalid data type for '" + name + "'", 0);
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
  DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  result =
      RegQueryValueExW(key_.get(), wideName.c_str(), nullptr, &type, reinterpret_cast<BYTE *>(buffer.data()), &got);
  if (result != ERROR_SUCCESS)
    throw ERegistryException(ErrorText("Cannot read '" + name + "'", result), result);
  size_t length = got / sizeof(wchar_t);
  while (length > 0 && buffer[length - 1] == L'\0')
    --length;
  return Narrow(std::wstring_view(buffer.data(), length));
}

int32_t TRegistry::ReadInteger(const std::string &name) const {
  if (!key_)
    throw ERegistryException("No registry key is open", ERROR_INVALID_HANDLE);
  DWORD type = 0, value = 0, size = sizeof(value);
  const LONG result =
      RegQueryValueExW(key_.get(), Wide(name).c_str(), nullptr, &type, reinterpret_cast<BYTE *>(&value), &size);
  if (result == ERROR_MORE_DATA || (result == ERROR_SUCCESS && (type != REG_DWORD || size != sizeof(value))))
    throw ERegistryException("Invalid data type for '" + name + "'", 0);
  if (result != ERROR_SUCCESS)
    throw ERegistryException(ErrorText("Cannot read '" + name + "'", result), result);
  return static_cast<int32_t>(value);
}

void TRegistry::WriteString(const std::string &name, const std::string &value) {
  if (!key_)
    throw ERegistryException("No registry key is open", ERROR_INVALID_HANDLE);
  const std::wstring wide = Wide(value);
  const LONG result =
      RegSetValueExW(key_.get(), Wide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE *>(wide.c_str()),
                     static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
  if (result != ERROR_SUCCESS)
    throw ERegistryException(ErrorText("Cannot write '" + name + "'", result), result);
}

void TRegistry::WriteInteger(const std::string &name, int32_t value) {
  if (!key_)
    throw ERegistryException("No registry key is open", ERROR_INVALID_HANDLE);
  const DWORD data = static_cast<DWORD>(value);
  const LONG result =
      RegSetValueExW(key_.get(), Wide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE *>(&data), sizeof(data));
  if (result != ERROR_SUCCESS)
    throw ERegistryException(ErrorText("Cannot write '" + name + "'", result), result);
}

bool TRegistry::DeleteValue(const std::string &name) {
  return key_ && RegDeleteValueW(key_.get(), Wide(name).c_str()) == ERROR_SUCCESS;
}

} // namespace zorvex
