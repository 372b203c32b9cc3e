#pragma once
// Property streaming. TWriter and TReader carry a persistent's published
// properties by name (PublishedProperties.h), then those it streams by hand
// in DefineProperties, and collections and whole components, through a
// binary stream. Each value starts with a one-byte type tag; a property is
// its name (a length byte and up to 255 bytes) and its value; a list of
// properties ends with a null tag. Enumerations are stored as the value's
// name, sets as the names of their members, string lists as a list of
// strings, and an object's own properties under "Object.Property".

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Component.h"

namespace zorvex {

class TStream;
class TReader;
class TWriter;
class TCollection;

enum class TValueType : uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt8 = 2,
  vaInt16 = 3,
  vaInt32 = 4,
  vaString = 6,
  vaIdent = 7,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaSet = 11,
  vaLString = 12,
  vaCollection = 14,
};

class TFiler : public TObject {
public:
  using TReaderProc = std::function<void(TReader &)>;
  using TWriterProc = std::function<void(TWriter &)>;
  using TStreamProc = std::function<void(TStream &)>;

  explicit TFiler(TStream &stream) : stream_(stream) {}
  TFiler(const TFiler &) = delete;
  TFiler &operator=(const TFiler &) = delete;

  // A property written and read through the filer's own value calls.
  // hasData false means there is nothing to write.
  virtual void DefineProperty(const std::string &name, TReaderProc readData, TWriterProc writeData, bool hasData) = 0;
  // A property whose value is raw bytes: the write procedure fills a stream,
  // the read procedure gets a stream holding exactly the stored bytes.
  virtual void DefineBinaryProperty(const std::string &name, TStreamProc readData, TStreamProc writeData,
                                    bool hasData) = 0;

protected:
  TStream &stream_; // not owned
};

class TWriter : public TFiler {
public:
  using TFiler::TFiler;

  void DefineProperty(const std::string &name, TReaderProc readData, TWriterProc writeData, bool hasData) override;
  void DefineBinaryProperty(const std::string &name, TStreamProc readData, TStreamProc writeData,
                            bool hasData) override;

  void WriteInteger(int64_t value);
  void WriteString(const std::string &value);
  void WriteBoolean(bool value);
  void WriteIdent(const std::string &value);
  // The names of the set's members (bit n is valueNames[n]), then an empty name.
  void WriteSet(uint64_t bits, const std::vector<std::string> &valueNames);
  void WriteBinary(const std::function<void(TStream &)> &writeData);
  void WriteListBegin();
  void WriteListEnd();
  void WritePropName(const std::string &name);
  // Every stored published property of `instance`, then every defined
  // property that has data, then the list end.
  void WriteProperties(TPersistent &instance);
  // The items, each as a list of its properties.
  void WriteCollection(TCollection &collection);
  // A component: its class name, its name and its properties.
  void WriteComponent(TComponent &component);
  // A design: the signature, then the components, then the list end.
  void WriteDesign(const std::vector<TComponent *> &components);

private:
  void WriteValue(TValueType type);
  void WritePropertiesOf(TPersistent &instance);
  void WritePublished(TPersistent &instance, const TPropertyInfo &info);

  // Put before the names of a nested object's properties.
  std::string prefix_;
};

// The first bytes of a stored design.
constexpr char DesignSignature[] = "ZDS1";

class TReader : public TFiler {
public:
  using TFiler::TFiler;

  void DefineProperty(const std::string &name, TReaderProc readData, TWriterProc writeData, bool hasData) override;
  void DefineBinaryProperty(const std::string &name, TStreamProc readData, TStreamProc writeData,
                            bool hasData) override;

  // Reading a value of another type than the one stored raises EReadError,
  // as does data running past the end of the stream.
  TValueType NextValue();
  int64_t ReadInteger();
  std::string ReadString();
  bool ReadBoolean();
  std::string ReadIdent();
  // Member names up to the empty one, each looked up in valueNames (letters
  // A-Z compared without case); an unknown name raises EReadError.
  uint64_t ReadSet(const std::vector<std::string> &valueNames);
  void ReadListBegin();
  void ReadListEnd();
  bool EndOfList();
  std::string ReadPropName();
  // Reads properties up to the list end into `instance`: a published one by
  // its name, else one of DefineProperties; an unknown name raises EReadError.
  void ReadProperties(TPersistent &instance);
  // Replaces the items of `collection` with the stored ones.
  void ReadCollection(TCollection &collection);
  // Reads a design into the components that `owner` owns, found by name
  // (the stored class must match). Each is flagged loading and reading while
  // its properties are read; once all are read, each gets Loaded in stored
  // order. A damaged design raises EReadError.
  void ReadDesign(TComponent &owner);
  // Skips one value of any type.
  void SkipValue();

private:
  void ReadProperty(TPersistent &instance, const std::string &name);
  void ReadPublished(TPersistent &instance, const TPropertyInfo &info);
  TValueType ReadValue();
  void Expect(TValueType type);
  void ReadBytes(void *buffer, int64_t count);
  int64_t ReadCount(int64_t count);
  int64_t ReadLength32();

  // While ReadProperties asks an instance for its properties.
  std::string wanted_;
  bool found_ = false;
};

} // namespace zorvex
