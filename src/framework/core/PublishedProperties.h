#pragma once
// Published properties: each persistent class may declare a small table of
// the properties it publishes (name, kind, getter, setter). Tables chain to
// the parent class's table, so a name is found through the class chain; the
// filer streams published properties by name and code such as a skinner
// reaches them by name without knowing the class.
//
// Declaring a class's table:
//   const TPropertyTable &TMyClass::ClassProperties() {
//     static const auto table = TPublished<TMyClass>(&TParent::ClassProperties())
//       .String("Caption", &TMyClass::Caption, &TMyClass::SetCaption)
//       .Boolean("Checked", &TMyClass::Checked, &TMyClass::SetChecked);
//     return table;
//   }
// and returning &ClassProperties() from PublishedProperties().

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "Object.h"

// <windows.h> renames GetObject to GetObjectW; the property calls keep
// their own name in every file, whichever headers came first.
#ifdef GetObject
#undef GetObject
#endif

namespace zorvex {

class TPersistent;

enum class TPropertyKind { String, Integer, Boolean, Enumeration, Set, Object };

class TPropertyInfo {
public:
  TPropertyInfo(std::string name, TPropertyKind kind) : name_(std::move(name)), kind_(kind) {}

  const std::string &Name() const { return name_; }
  TPropertyKind Kind() const { return kind_; }
  // Enumerations and sets: the name of each value, value n at index n.
  const std::vector<std::string> &ValueNames() const { return valueNames_; }
  bool ReadOnly() const { return !setString_ && !setOrdinal_ && !setObject_; }
  // Streamed by the filer: writable and not switched off with Stored(false).
  // Object properties are streamed through the object they hold.
  bool IsStored() const { return stored_ && (kind_ == TPropertyKind::Object || !ReadOnly()); }

  // String properties.
  std::string GetString(const TPersistent &instance) const;
  void SetString(TPersistent &instance, const std::string &value) const;
  // Integer, boolean (0 or 1), enumeration (the value) and set (bit n for
  // value n) properties.
  int64_t GetOrdinal(const TPersistent &instance) const;
  void SetOrdinal(TPersistent &instance, int64_t value) const;
  // Object properties (not owned by the caller). Inline over ObjectValue:
  // the Windows headers rename GetObject, and code on either side of them
  // must reach the same function.
  TObject *GetObject(const TPersistent &instance) const { return ObjectValue(instance); }
  TObject *ObjectValue(const TPersistent &instance) const;
  void SetObject(TPersistent &instance, TObject *value) const;

  // Enumerations: the value as its name; setting by name, letters A-Z
  // compared without case. False for a name the enumeration does not have.
  std::string GetEnumName(const TPersistent &instance) const;
  bool SetEnumName(TPersistent &instance, std::string_view valueName) const;
  // The value of a name, or -1.
  int ValueOf(std::string_view valueName) const;

private:
  template <typename C> friend class TPublished;

  std::string name_;
  TPropertyKind kind_;
  std::vector<std::string> valueNames_;
  bool stored_ = true;
  std::function<std::string(const TPersistent &)> getString_;
  std::function<void(TPersistent &, const std::string &)> setString_;
  std::function<int64_t(const TPersistent &)> getOrdinal_;
  std::function<void(TPersistent &, int64_t)> setOrdinal_;
  std::function<TObject *(const TPersistent &)> getObject_;
  std::function<void(TPersistent &, TObject *)> setObject_;
};

class TPropertyTable {
public:
  explicit TPropertyTable(const TPropertyTable *parent = nullptr) : parent_(parent) {}

  // The property of that name in this class or an ancestor (letters A-Z
  // compared without case; a class's own declaration wins), or none.
  const TPropertyInfo *Find(std::string_view name) const;
  // Every property, the ancestors' first, each class's in declaration order.
  std::vector<const TPropertyInfo *> All() const;

protected:
  TPropertyInfo &Add(std::string name, TPropertyKind kind);
  TPropertyInfo &LastAdded() { return *own_.back(); }

private:
  const TPropertyTable *parent_; // not owned: tables are static
  std::vector<std::shared_ptr<TPropertyInfo>> own_;
};

// The declaring side: getters are member functions (or callables) taking a
// const C&, setters member functions taking C& and the value; a setter of
// nullptr makes the property read-only.
template <typename C> class TPublished : public TPropertyTable {
public:
  using TPropertyTable::TPropertyTable;

  template <typename Getter, typename Setter = std::nullptr_t>
  TPublished &String(std::string name, Getter get, Setter set = nullptr) {
    TPropertyInfo &info = Add(std::move(name), TPropertyKind::String);
    info.getString_ = [get](const TPersistent &o) { return std::string(std::invoke(get, Self(o))); };
    if constexpr (!std::is_null_pointer_v<Setter>)
      info.setString_ = [set](TPersistent &o, const std::string &v) { std::invoke(set, Self(o), v); };
    return *this;
  }

  template <typename Getter, typename Setter = std::nullptr_t>
  TPublished &Integer(std::string name, Getter get, Setter set = nullptr) {
    return Ordinal(std::move(name), TPropertyKind::Integer, {}, get, set);
  }

  template <typename Getter, typename Setter = std::nullptr_t>
  TPublished &Boolean(std::string name, Getter get, Setter set = nullptr) {
    return Ordinal(std::move(name), TPropertyKind::Boolean, {}, get, set);
  }

  // The getter returns the enumeration (or an integer); value n is named valueNames[n].
  template <typename Getter, typename Setter = std::nullptr_t>
  TPublished &Enumeration(std::string name, std::vector<std::string> valueNames, Getter get, Setter set = nullptr) {
    return Ordinal(std::move(name), TPropertyKind::Enumeration, std::move(valueNames), get, set);
  }

  // The getter returns anything with Bits() and a static FromBits (EnumSet).
  template <typename Getter, typename Setter = std::nullptr_t>
  TPublished &Set(std::string name, std::vector<std::string> valueNames, Getter get, Setter set = nullptr) {
    TPropertyInfo &info = Add(std::move(name), TPropertyKind::Set);
    info.valueNames_ = std::move(valueNames);
    info.getOrdinal_ = [get](const TPersistent &o) { return static_cast<int64_t>(std::invoke(get, Self(o)).Bits()); };
    if constexpr (!std::is_null_pointer_v<Setter>) {
      using Value = std::decay_t<std::invoke_result_t<Getter, const C &>>;
      info.setOrdinal_ = [set](TPersistent &o, int64_t v) {
        std::invoke(set, Self(o), Value::FromBits(static_cast<uint64_t>(v)));
      };
    }
    return *this;
  }

  // The getter returns a pointer to the object; the setter, if any, takes one.
  template <typename Getter, typename Setter = std::nullptr_t>
  TPublished &Object(std::string name, Getter get, Setter set = nullptr) {
    TPropertyInfo &info = Add(std::move(name), TPropertyKind::Object);
    info.getObject_ = [get](const TPersistent &o) -> TObject * { return std::invoke(get, Self(o)); };
    if constexpr (!std::is_null_pointer_v<Setter>) {
      using Pointer = std::decay_t<std::invoke_result_t<Getter, const C &>>;
      info.setObject_ = [set](TPersistent &o, TObject *v) {
        std::invoke(set, Self(o), v ? dynamic_cast<Pointer>(v) : nullptr);
      };
    }
    return *this;
  }

  // The last property declared is not streamed (a design-time hook, or a
  // value the stream carries in another form).
  TPublished &Stored(bool stored) {
    LastAdded().stored_ = stored;
    return *this;
  }

private:
  static const C &Self(const TPersistent &o) { return static_cast<const C &>(o); }
  static C &Self(TPersistent &o) { return static_cast<C &>(o); }

  template <typename Getter, typename Setter>
  TPublished &Ordinal(std::string name, TPropertyKind kind, std::vector<std::string> valueNames, Getter get,
                      Setter set) {
    TPropertyInfo &info = Add(std::move(name), kind);
    info.valueNames_ = std::move(valueNames);
    info.getOrdinal_ = [get](const TPersistent &o) { return static_cast<int64_t>(std::invoke(get, Self(o))); };
    if constexpr (!std::is_null_pointer_v<Setter>) {
      using Value = std::decay_t<std::invoke_result_t<Getter, const C &>>;
      info.setOrdinal_ = [set](TPersistent &o, int64_t v) { std::invoke(set, Self(o), static_cast<Value>(v)); };
    }
    return *this;
  }
};

} // namespace zorvex
