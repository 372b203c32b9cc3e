#include "Filer.h"

#include "Collection.h"
#include "Exceptions.h"
#include "Streams.h"

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
  WritePropName(name);
  writeData(*this);
}

void TWriter::DefineBinaryProperty(const std::string &name, TStreamProc, TStreamProc writeData, bool hasData) {
  if (!hasData || !writeData)
    return;
  WritePropName(name);
  WriteBinary(writeData);
}

void TWriter::WriteProperties(TPersistent &instance) {
  instance.DefineProperties(*this);
  WriteListEnd();
}

void TWriter::WriteCollection(TCollection &collection) {
  WriteValue(TValueType::vaCollection);
  for (int i = 0; i < collection.Count(); ++i) {
    WriteListBegin();
    WriteProperties(*collection.Items(i));
  }
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
  if (readData)
    readData(*this);
  else
    SkipValue();
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
  while (!EndOfList()) {
    wanted_ = ReadPropName();
    found_ = false;
    instance.DefineProperties(*this);
    if (!found_)
      throw EReadError("Error reading " + instance.ClassName() + "." + wanted_ + ": Property " + wanted_ +
                       " does not exist");
  }
  ReadListEnd();
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
