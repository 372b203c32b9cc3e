#include "PublishedProperties.h"

#include "Exceptions.h"
#include "Texts.h"

namespace zorvex {

namespace {

[[noreturn]] void WrongAccess(const std::string &name, const char *what) {
  throw EConvertError("Property " + name + " " + what);
}

} // namespace

std::string TPropertyInfo::GetString(const TPersistent &instance) const {
  if (!getString_)
    WrongAccess(name_, "is not a string");
  return getString_(instance);
}

void TPropertyInfo::SetString(TPersistent &instance, const std::string &value) const {
  if (!setString_)
    WrongAccess(name_, "is not a writable string");
  setString_(instance, value);
}

int64_t TPropertyInfo::GetOrdinal(const TPersistent &instance) const {
  if (!getOrdinal_)
    WrongAccess(name_, "has no ordinal value");
  return getOrdinal_(instance);
}

void TPropertyInfo::SetOrdinal(TPersistent &instance, int64_t value) const {
  if (!setOrdinal_)
    WrongAccess(name_, "has no writable ordinal value");
  setOrdinal_(instance, value);
}

TObject *TPropertyInfo::ObjectValue(const TPersistent &instance) const {
  if (!getObject_)
    WrongAccess(name_, "is not an object");
  return getObject_(instance);
}

void TPropertyInfo::SetObject(TPersistent &instance, TObject *value) const {
  if (!setObject_)
    WrongAccess(name_, "is not a writable object");
  setObject_(instance, value);
}

std::string TPropertyInfo::GetEnumName(const TPersistent &instance) const {
  const int64_t value = GetOrdinal(instance);
  if (value < 0 || value >= static_cast<int64_t>(valueNames_.size()))
    return std::to_string(value);
  return valueNames_[static_cast<size_t>(value)];
}

int TPropertyInfo::ValueOf(std::string_view valueName) const {
  for (size_t i = 0; i < valueNames_.size(); ++i)
    if (SameTextAZ(valueNames_[i], valueName))
      return static_cast<int>(i);
  return -1;
}

bool TPropertyInfo::SetEnumName(TPersistent &instance, std::string_view valueName) const {
  const int value = ValueOf(valueName);
  if (kind_ != TPropertyKind::Enumeration || value < 0)
    return false;
  SetOrdinal(instance, value);
  return true;
}

TPropertyInfo &TPropertyTable::Add(std::string name, TPropertyKind kind) {
  own_.push_back(std::make_shared<TPropertyInfo>(std::move(name), kind));
  return *own_.back();
}

const TPropertyInfo *TPropertyTable::Find(std::string_view name) const {
  for (const TPropertyTable *table = this; table; table = table->parent_)
    for (const auto &info : table->own_)
      if (SameTextAZ(info->Name(), name))
        return info.get();
  return nullptr;
}

std::vector<const TPropertyInfo *> TPropertyTable::All() const {
  std::vector<const TPropertyInfo *> all = parent_ ? parent_->All() : std::vector<const TPropertyInfo *>{};
  for (const auto &info : own_) {
    // A class that declares a name again replaces its ancestor's property.
    std::erase_if(all, [&](const TPropertyInfo *p) { return SameTextAZ(p->Name(), info->Name()); });
    all.push_back(info.get());
  }
  return all;
}

} // namespace zorvex
