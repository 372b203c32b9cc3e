#include "skin/data/Winskinstore.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Filer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace zorvex;
using zorvex::test::TempDir;

namespace {
std::string Bytes(const TMemoryStream &s) { return std::string(s.Bytes().begin(), s.Bytes().end()); }
void Fill(TSkinCollectionItem *item, const std::string &bytes) {
  item->Data().WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}
} // namespace

TEST(SkinStore, NamesItemsByIdAndKeepsNamesUnique) {
  TSkinStore store;
  TSkinCollection &items = *store.Store();
  EXPECT_EQ(items.GetOwner(), &store);
  EXPECT_EQ(items.Add()->Name(), "SkinItem0");
  TSkinCollectionItem *second = items.Add();
  EXPECT_EQ(second->Name(), "SkinItem1");
  items.Delete(0);
  TSkinCollectionItem *third = items.Add();
  EXPECT_EQ(third->Name(), "SkinItem2");

  second->SetName("SkinItem1"); // its own name
  try {
    third->SetName("SkinItem1");
    FAIL() << "a duplicate name was accepted";
  } catch (const Exception &e) {
    EXPECT_EQ(e.Message(), "The name SkinItem1 is already used.");
  }
  EXPECT_EQ(third->Name(), "SkinItem2");
  third->SetName("SKINITEM1"); // other letter case is another name
  EXPECT_EQ(third->GetDisplayName(), "SKINITEM1");
  EXPECT_EQ(third->SkinData(), "Load Skin");
}

TEST(SkinStore, CopiesDataAndItems) {
  TSkinStore store, other;
  TSkinCollectionItem *item = store.Store()->Add();
  Fill(item, "package bytes");
  item->Data().SetPosition(3);
  TMemoryStream dest;
  dest.WriteBuffer(">", 1);
  item->CopyData(&dest);
  EXPECT_EQ(Bytes(dest), ">package bytes");
  EXPECT_EQ(item->Data().Position(), 3);
  EXPECT_EQ(item->DataSize(), 13);

  store.Store()->Add()->SetName("Blue");
  other.Store()->Add();
  other.SetStore(store.Store());
  other.SetStore(nullptr);
  ASSERT_EQ(other.Store()->Count(), 2);
  EXPECT_EQ(other.Store()->Items(0)->Name(), "SkinItem0");
  EXPECT_EQ(Bytes(other.Store()->Items(0)->Data()), "package bytes");
  EXPECT_EQ(other.Store()->Items(1)->Name(), "Blue");
}

TEST(SkinStore, LoadsFilesAndStreamsDataStream) {
  TempDir dir;
  zorvex::test::WriteFile(dir / "a.skn", "from the file");
  TSkinStore store;
  TSkinCollectionItem *item = store.Store()->Add();
  item->LoadFromFile(dir / "a.skn");
  EXPECT_EQ(Bytes(item->Data()), "from the file");
  EXPECT_THROW(item->LoadFromFile(dir / "missing.skn"), EFOpenError);
  EXPECT_EQ(item->DataSize(), 0);

  Fill(item, "PKG");
  item->SetName("Grey");
  TMemoryStream form;
  TWriter writer(form);
  writer.WriteCollection(*store.Store());
  // The name, then the binary value: the package itself, no count of its own inside.
  EXPECT_EQ(Bytes(form), std::string("\x0E\x01\x04"
                                     "Name\x06\x04"
                                     "Grey\x0A"
                                     "DataStream"
                                     "\x0A\x03\0\0\0"
                                     "PKG"
                                     "\x00\x00",
                                     34));
  form.SetPosition(0);
  TSkinStore loaded;
  TReader reader(form);
  reader.ReadCollection(*loaded.Store());
  ASSERT_EQ(loaded.Store()->Count(), 1);
  EXPECT_EQ(loaded.Store()->Items(0)->Name(), "Grey");
  EXPECT_EQ(Bytes(loaded.Store()->Items(0)->Data()), "PKG");
}
