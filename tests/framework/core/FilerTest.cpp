#include "framework/core/Filer.h"
#include "framework/core/Collection.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"

#include <gtest/gtest.h>

using namespace zorvex;

namespace {

// Streams a caption, a count and a blob by hand.
class Widget : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
  std::string caption;
  int64_t count = 0;
  bool flag = false;
  std::string blob;
  void DefineProperties(TFiler &filer) override {
    filer.DefineProperty(
        "Caption", [this](TReader &r) { caption = r.ReadString(); }, [this](TWriter &w) { w.WriteString(caption); },
        !caption.empty());
    filer.DefineProperty(
        "Count", [this](TReader &r) { count = r.ReadInteger(); }, [this](TWriter &w) { w.WriteInteger(count); }, true);
    filer.DefineProperty(
        "Flag", [this](TReader &r) { flag = r.ReadBoolean(); }, [this](TWriter &w) { w.WriteBoolean(flag); }, flag);
    filer.DefineBinaryProperty(
        "Blob",
        [this](TStream &s) {
          blob.assign(static_cast<size_t>(s.Size()), '\0');
          s.ReadBuffer(blob.data(), s.Size());
        },
        [this](TStream &s) { s.WriteBuffer(blob.data(), static_cast<int64_t>(blob.size())); }, !blob.empty());
  }
};

std::string Bytes(TMemoryStream &s) { return std::string(s.Bytes().begin(), s.Bytes().end()); }

} // namespace

TEST(Filer, WritesAndReadsDefinedPropertiesAndCollections) {
  TCollection source(TCollection::ItemClass<Widget>());
  auto *w = static_cast<Widget *>(source.Add());
  w->caption = std::string(300, 'c'); // a long string
  w->count = -70000;
  w->flag = true;
  w->blob = std::string("\0\1\2", 3);
  static_cast<Widget *>(source.Add())->count = 5;

  TMemoryStream stream;
  TWriter writer(stream);
  writer.WriteCollection(source);

  stream.SetPosition(0);
  TCollection copy(TCollection::ItemClass<Widget>());
  copy.Add();
  TReader reader(stream);
  reader.ReadCollection(copy);
  ASSERT_EQ(copy.Count(), 2);
  auto *r = static_cast<Widget *>(copy.Items(0));
  EXPECT_EQ(r->caption, w->caption);
  EXPECT_EQ(r->count, -70000);
  EXPECT_TRUE(r->flag);
  EXPECT_EQ(r->blob, w->blob);
  EXPECT_EQ(static_cast<Widget *>(copy.Items(1))->count, 5);
  EXPECT_EQ(stream.Position(), stream.Size());
}

TEST(Filer, BinaryPropertiesHaveAnExactLayout) {
  TCollection list(TCollection::ItemClass<Widget>());
  static_cast<Widget *>(list.Add())->blob = "xyz";
  TMemoryStream stream;
  TWriter writer(stream);
  writer.WriteProperties(*list.Items(0));
  EXPECT_EQ(Bytes(stream), std::string("\x05"
                                       "Count"
                                       "\x02\x00"
                                       "\x04"
                                       "Blob"
                                       "\x0A\x03\0\0\0xyz"
                                       "\x00",
                                       22));
}

TEST(Filer, DamagedDataRaisesReadErrors) {
  auto read = [](const std::string &bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(0);
    TCollection list(TCollection::ItemClass<Widget>());
    TReader reader(stream);
    reader.ReadCollection(list);
  };
  EXPECT_THROW(read(""), EReadError);
  EXPECT_THROW(read("\x0E\x01\x04"
                    "Nope"
                    "\x02\x01\x00\x00"),
               EReadError); // unknown property
  EXPECT_THROW(read("\x0E\x01\x04"
                    "Blob"
                    "\x0A\xFF\xFF\xFF\x7F"
                    "ab"),
               EReadError); // length past the end
  EXPECT_THROW(read("\x0E\x01\x05"
                    "Count"
                    "\x06\x01"
                    "x\x00\x00"),
               EReadError); // wrong value type
  EXPECT_THROW(read("\x0E\x01\x05"
                    "Count"),
               EReadError); // cut short
}
