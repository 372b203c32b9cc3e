#include "Filer.h"

#include "Collection.h"
#include "Exceptions.h"
#include "Streams.h"
#include "Strings.h"
#include "Texts.h"

#include <cstring>
#include <utility>

namespace zorvex {

namespace {

void PutInt(TStream &stream, int64_t value, int bytes) {
  uint8_t buffer[4];
  for (int i = 0; i < bytes; ++i)
    buffer[i] = static_cast<uint8_t>(static_cast<uint64_t>(value) >> (8 * i));
  stream.WriteBuffer(buffer, bytes);
}

} // namespace

// ---- TWriter -------------------------------------------------------------------

void TWriter::WriteValue(TValueType type) {
  const auto tag = static_cast<uint8_t>(type);
  stream_.WriteBuffer(&tag, 1);
}

void TWriter::WriteInteger(int64_t value) {
  if (value >= INT8_MIN && value <= INT8_MAX) {
    WriteValue(TValueType::vaInt8);
    PutInt(stream_, value, 1);
  } else if (value >= INT16_MIN && value <= INT16_MAX) {
    WriteValue(TValueType::vaInt16);
    PutInt(stream_, value, 2);
  } else if (value >= INT32_MIN && value <= INT32_MAX) {
    WriteValue(TValueType::vaInt32);
    PutInt(stream_, value, 4);
  } else {
    throw EWriteError("Integer value out of range: " + std::to_string(value));
  }
}

void TWriter::WriteString(const std::string &value) {
  if (value.size() <= 255) {
    WriteValue(TValueType::vaString);
    PutInt(stream_, static_cast<int64_t>(value.size()), 1);
  } else {
    if (value.size() > INT32_MAX)
      throw EWriteError("String value too long");
    WriteValue(TValueType::vaLString);
    PutInt(stream_, static_cast<int64_t>(value.size()), 4);
  }
  stream_.WriteBuffer(value.data(), static_cast<int64_t>(value.size()));
}

void TWriter::WriteBoolean(bool value) { WriteValue(value ? TValueType::vaTrue : TValueType::vaFalse); }

void TWriter::WriteIdent(const std::string &value) {
  if (value.empty() || value.size() > 255)
    throw EWriteError("Invalid identifier '" + value + "'");
  WriteValue(TValueType::vaIdent);
  PutInt(stream_, static_cast<int64_t>(value.size()), 1);
  stream_.WriteBuffer(value.data(), static_cast<int64_t>(value.size()));
}

void TWriter::WriteSet(uint64_t bits, const std::vector<std::string> &valueNames) {
  WriteValue(TValueType::vaSet);
  for (size_t i = 0; i < valueNames.size() && i < 64; ++i)
    if (bits & (uint64_t{1} << i))
      WritePropName(valueNames[i]);
  PutInt(stream_, 0, 1);
}

void TWriter::WriteBinary(const std::function<void(TStream &)> &writeData) {
  TMemoryStream data;
  writeData(data);
  if (data.Size() > INT32_MAX)
    throw EWriteError("Binary value too long");
  WriteValue(TValueType::vaBinary);
  PutInt(stream_, data.Size(), 4);
  stream_.WriteBuffer(data.Memory(), data.Size());
}

void TWriter::WriteListBegin() { WriteValue(TValueType::vaList); }
void TWriter::WriteListEnd() { WriteValue(TValueType::vaNull); }

void TWriter::WritePropName(const std::string &name) {
  if (name.empty() || name.size() > 255)
    throw EWriteError("Invalid property name '" + name + "'");
  PutInt(stream_, static_cast<int64_t>(name.size()), 1);
  stream_.WriteBuffer(name.data(), static_cast<int64_t>(name.size()));
}

void TWriter::DefineProperty(const std::string &name, TReaderProc, TWriterProc writeData, bool hasData) {
  if (!hasData || !writeData)
    return;
  WritePropName(prefix_ + name);
  writeData(*this);
}

void TWriter::DefineBinaryProperty(const std::string &name, TStreamProc, TStreamProc writeData, bool hasData) {
  if (!hasData || !writeData)
    return;
  WritePropName(prefix_ + name);
  WriteBinary(writeData);
}

void TWriter::WriteProperties(TPersistent &instance) {
  WritePropertiesOf(instance);
  WriteListEnd();
}

void TWriter::WritePropertiesOf(TPersistent &instance) {
  if (const TPropertyTable *table = instance.PublishedProperties())
    for (const TPropertyInfo *info : table->All())
      if (info->IsStored())
        WritePublished(instance, *info);
  instance.DefineProperties(*this);
}

void TWriter::WritePublished(TPersistent &instance, const TPropertyInfo &info) {
  const std::string name = prefix_ + info.Name();
  switch (info.Kind()) {
  case TPropertyKind::String:
    WritePropName(name);
    WriteString(info.GetString(instance));
    break;
  case TPropertyKind::Integer:
    WritePropName(name);
    WriteInteger(info.GetOrdinal(instance));
    break;
  case TPropertyKind::Boolean:
    WritePropName(name);
    WriteBoolean(info.GetOrdinal(instance) != 0);
    break;
  case TPropertyKind::Enumeration: {
    const int64_t value = info.GetOrdinal(instance);
    if (value < 0 || value >= static_cast<int64_t>(info.ValueNames().size()))
      throw EWriteError("Property " + name + " holds an unnamed value");
    WritePropName(name);
    WriteIdent(info.ValueNames()[static_cast<size_t>(value)]);
    break;
  }
  case TPropertyKind::Set:
    WritePropName(name);
    WriteSet(static_cast<uint64_t>(info.GetOrdinal(instance)), info.ValueNames());
    break;
  case TPropertyKind::Object: {
    TObject *object = info.GetObject(instance);
    if (auto *strings = dynamic_cast<TStrings *>(object)) {
      WritePropName(name);
      WriteListBegin();
      for (int i = 0; i < strings->Count(); ++i)
        WriteString(strings->Get(i));
      WriteListEnd();
    } else if (auto *collection = dynamic_cast<TCollection *>(object)) {
      WritePropName(name);
      WriteCollection(*collection);
    } else if (auto *nested = dynamic_cast<TPersistent *>(object)) {
      const std::string outer = prefix_;
      prefix_ = name + ".";
      try {
        WritePropertiesOf(*nested);
      } catch (...) {
        prefix_ = outer;
        throw;
      }
      prefix_ = outer;
    }
    break;
  }
  }
}

void TWriter::WriteCollection(TCollection &collection) {
  // Items are lists of their own: their names carry no outer prefix.
  const std::string outer = std::exchange(prefix_, std::string());
  try {
    WriteValue(TValueType::vaCollection);
    for (int i = 0; i < collection.Count(); ++i) {
      WriteListBegin();
      WriteProperties(*collection.Items(i));
    }
    WriteListEnd();
  } catch (...) {
    prefix_ = outer;
    throw;
  }
  prefix_ = outer;
}

void TWriter::WriteComponent(TComponent &component) {
  WriteString(component.ClassName());
  WriteString(component.Name());
  WriteProperties(component);
}

void TWriter::WriteDesign(const std::vector<TComponent *> &components) {
  stream_.WriteBuffer(DesignSignature, 4);
  WriteListBegin();
  for (TComponent *component : components)
    WriteComponent(*component);
  WriteListEnd();
}

// ---- TReader -------------------------------------------------------------------

void TReader::ReadBytes(void *buffer, int64_t count) {
  if (count > 0 && stream_.Read(buffer, count) != count)
    throw EReadError("Stream read error: the stored data ends early");
}

// A stored length, checked against what is left so a damaged count never
// makes us allocate more than the stream holds.
int64_t TReader::ReadCount(int64_t count) {
  if (count < 0 || count > stream_.Size() - stream_.Position())
    throw EReadError("Stream read error: invalid length " + std::to_string(count));
  return count;
}

int64_t TReader::ReadLength32() {
  uint8_t buffer[4];
  ReadBytes(buffer, 4);
  return ReadCount(static_cast<int32_t>(buffer[0] | (buffer[1] << 8) | (buffer[2] << 16) |
                                        (static_cast<uint32_t>(buffer[3]) << 24)));
}

TValueType TReader::ReadValue() {
  uint8_t tag = 0;
  ReadBytes(&tag, 1);
  return static_cast<TValueType>(tag);
}

TValueType TReader::NextValue() {
  const TValueType type = ReadValue();
  stream_.Seek(-1, SeekOrigin::Current);
  return type;
}

void TReader::Expect(TValueType type) {
  if (ReadValue() != type)
    throw EReadError("Invalid property value");
}

int64_t TReader::ReadInteger() {
  const TValueType type = ReadValue();
  int bytes;
  switch (type) {
  case TValueType::vaInt8: bytes = 1; break;
  case TValueType::vaInt16: bytes = 2; break;
  case TValueType::vaInt32: bytes = 4; break;
  default: throw EReadError("Invalid property value");
  }
  uint8_t buffer[4] = {};
  ReadBytes(buffer, bytes);
  uint32_t bits = 0;
  for (int i = bytes - 1; i >= 0; --i)
    bits = (bits << 8) | buffer[i];
  const int shift = 32 - 8 * bytes; // sign-extend the stored width
  return static_cast<int32_t>(bits << shift) >> shift;
}

std::string TReader::ReadString() {
  const TValueType type = ReadValue();
  int64_t length;
  if (type == TValueType::vaString) {
    uint8_t byte = 0;
    ReadBytes(&byte, 1);
    length = ReadCount(byte);
  } else if (type == TValueType::vaLString) {
    length = ReadLength32();
  } else {
    throw EReadError("Invalid property value");
  }
  std::string value(static_cast<size_t>(length), '\0');
  ReadBytes(value.data(), length);
  return value;
}

bool TReader::ReadBoolean() {
  const TValueType type = ReadValue();
  if (type != TValueType::vaTrue && type != TValueType::vaFalse)
    throw EReadError("Invalid property value");
  return type == TValueType::vaTrue;
}

std::string TReader::ReadIdent() {
  Expect(TValueType::vaIdent);
  return ReadPropName();
}

uint64_t TReader::ReadSet(const std::vector<std::string> &valueNames) {
  Expect(TValueType::vaSet);
  uint64_t bits = 0;
  for (std::string member = ReadPropName(); !member.empty(); member = ReadPropName()) {
    size_t index = 0;
    while (index < valueNames.size() && !SameTextAZ(valueNames[index], member))
      ++index;
    if (index >= valueNames.size() || index >= 64)
      throw EReadError("Invalid property value: no set member " + member);
    bits |= uint64_t{1} << index;
  }
  return bits;
}

void TReader::ReadListBegin() { Expect(TValueType::vaList); }
void TReader::ReadListEnd() { Expect(TValueType::vaNull); }
bool TReader::EndOfList() { return NextValue() == TValueType::vaNull; }

std::string TReader::ReadPropName() {
  uint8_t length = 0;
  ReadBytes(&length, 1);
  std::string name(length, '\0');
  ReadBytes(name.data(), length);
  return name;
}

void TReader::DefineProperty(const std::string &name, TReaderProc readData, TWriterProc, bool) {
  if (found_ || name != wanted_)
    return;
  found_ = true;
  const std::string name_read = wanted_; // nested reads reuse wanted_
  if (readData)
    readData(*this);
  else
    SkipValue();
  wanted_ = name_read;
  found_ = true;
}

void TReader::DefineBinaryProperty(const std::string &name, TStreamProc readData, TStreamProc, bool) {
  if (found_ || name != wanted_)
    return;
  found_ = true;
  Expect(TValueType::vaBinary);
  const int64_t length = ReadLength32();
  TMemoryStream data;
  data.SetSize(length);
  ReadBytes(data.Memory(), length);
  data.SetPosition(0);
  if (readData)
    readData(data);
}

void TReader::ReadProperties(TPersistent &instance) {
  while (!EndOfList())
    ReadProperty(instance, ReadPropName());
  ReadListEnd();
}

void TReader::ReadProperty(TPersistent &instance, const std::string &name) {
  if (const TPropertyTable *table = instance.PublishedProperties()) {
    const size_t dot = name.find('.');
    const TPropertyInfo *info = table->Find(dot == std::string::npos ? name : name.substr(0, dot));
    if (info && dot != std::string::npos && info->Kind() == TPropertyKind::Object) {
      if (auto *nested = dynamic_cast<TPersistent *>(info->GetObject(instance))) {
        ReadProperty(*nested, name.substr(dot + 1));
        return;
      }
    } else if (info && dot == std::string::npos && (info->Kind() == TPropertyKind::Object || !info->ReadOnly())) {
      ReadPublished(instance, *info);
      return;
    }
  }
  wanted_ = name;
  found_ = false;
  instance.DefineProperties(*this);
  if (!found_)
    throw EReadError("Error reading " + instance.ClassName() + "." + name + ": Property " + name + " does not exist");
}

void TReader::ReadPublished(TPersistent &instance, const TPropertyInfo &info) {
  switch (info.Kind()) {
  case TPropertyKind::String: info.SetString(instance, ReadString()); break;
  case TPropertyKind::Integer: info.SetOrdinal(instance, ReadInteger()); break;
  case TPropertyKind::Boolean: info.SetOrdinal(instance, ReadBoolean() ? 1 : 0); break;
  case TPropertyKind::Enumeration: {
    const std::string ident = ReadIdent();
    const int value = info.ValueOf(ident);
    if (value < 0)
      throw EReadError("Invalid property value " + ident + " of " + info.Name());
    info.SetOrdinal(instance, value);
    break;
  }
  case TPropertyKind::Set: info.SetOrdinal(instance, static_cast<int64_t>(ReadSet(info.ValueNames()))); break;
  case TPropertyKind::Object: {
    TObject *object = info.GetObject(instance);
    if (auto *strings = dynamic_cast<TStrings *>(object)) {
      // Stored lines replace what the list held, defaults included.
      ReadListBegin();
      strings->Clear();
      while (!EndOfList())
        strings->Add(ReadString());
      ReadListEnd();
    } else if (auto *collection = dynamic_cast<TCollection *>(object)) {
      ReadCollection(*collection);
    } else {
      throw EReadError("Property " + info.Name() + " cannot be read");
    }
    break;
  }
  }
}

void TReader::ReadCollection(TCollection &collection) {
  Expect(TValueType::vaCollection);
  collection.Clear();
  while (!EndOfList()) {
    ReadListBegin();
    ReadProperties(*collection.Add());
  }
  ReadListEnd();
}

void TReader::ReadDesign(TComponent &owner) {
  char signature[4] = {};
  ReadBytes(signature, 4);
  if (std::memcmp(signature, DesignSignature, 4) != 0)
    throw EReadError("Invalid stream format");
  std::vector<TComponent *> read;
  try {
    ReadListBegin();
    while (!EndOfList()) {
      const std::string className = ReadString();
      const std::string name = ReadString();
      TComponent *component = owner.FindComponent(name);
      if (!component || component->ClassName() != className)
        throw EReadError("Error reading design: no " + className + " named " + name);
      component->SetLoading(true);
      component->SetReading(true);
      read.push_back(component);
      ReadProperties(*component);
      component->SetReading(false);
    }
    ReadListEnd();
  } catch (...) {
    for (TComponent *component : read) {
      component->SetReading(false);
      component->SetLoading(false);
    }
    throw;
  }
  for (TComponent *component : read)
    component->Loaded();
}

void TReader::SkipValue() {
  const TValueType type = NextValue();
  switch (type) {
  case TValueType::vaInt8:
  case TValueType::vaInt16:
  case TValueType::vaInt32: ReadInteger(); break;
  case TValueType::vaString:
  case TValueType::vaLString: ReadString(); break;
  case TValueType::vaFalse:
  case TValueType::vaTrue: ReadBoolean(); break;
  case TValueType::vaIdent: ReadIdent(); break;
  case TValueType::vaSet:
    ReadValue();
    while (!ReadPropName().empty()) {
    }
    break;
  case TValueType::vaBinary: {
    ReadValue();
    stream_.Seek(ReadLength32(), SeekOrigin::Current);
    break;
  }
  case TValueType::vaList:
    ReadValue();
    while (!EndOfList())
      SkipValue();
    ReadListEnd();
    break;
  case TValueType::vaCollection:
    ReadValue();
    while (!EndOfList()) {
      ReadListBegin();
      while (!EndOfList()) {
        ReadPropName();
        SkipValue();
      }
      ReadListEnd();
    }
    ReadListEnd();
    break;
  default: throw EReadError("Invalid property value");
  }
}

} // namespace zorvex
