#include "Winskinstore.h"

#include "framework/core/Exceptions.h"
#include "framework/core/Filer.h"

namespace zorvex {

// ---- TSkinCollectionItem ---------------------------------------------------------

TSkinCollectionItem::TSkinCollectionItem(TCollection *collection)
    : TCollectionItem(collection), data_(std::make_unique<TMemoryStream>()) {
  name_ = "SkinItem" + std::to_string(ID());
}

void TSkinCollectionItem::SetName(const std::string &name) {
  if (name == name_)
    return;
  if (TCollection *collection = Collection()) {
    for (int i = 0; i < collection->Count(); ++i) {
      const auto *other = static_cast<const TSkinCollectionItem *>(collection->Items(i));
      if (other != this && other->name_ == name)
        throw Exception("The name " + name + " is already used.");
    }
  }
  name_ = name;
}

void TSkinCollectionItem::Assign(const TPersistent &source) {
  const auto *other = dynamic_cast<const TSkinCollectionItem *>(&source);
  if (!other) {
    TCollectionItem::Assign(source);
    return;
  }
  if (other == this)
    return;
  name_ = other->name_;
  data_->Clear();
  data_->WriteBuffer(other->data_->Memory(), other->data_->Size());
}

void TSkinCollectionItem::CopyData(TMemoryStream *dest) {
  const int64_t position = data_->Position();
  try {
    dest->CopyFrom(*data_, 0);
  } catch (...) {
    data_->SetPosition(position);
    throw;
  }
  data_->SetPosition(position);
}

void TSkinCollectionItem::LoadFromFile(const std::string &fileName) {
  data_->Clear();
  data_->LoadFromFile(fileName);
}

const TPropertyTable &TSkinCollectionItem::ClassProperties() {
  static const auto table = TPublished<TSkinCollectionItem>()
                                .String("Name", &TSkinCollectionItem::Name, &TSkinCollectionItem::SetName)
                                .String("SkinData", &TSkinCollectionItem::SkinData, &TSkinCollectionItem::SetSkinData)
                                .Stored(false)
                                .Integer("DataSize", &TSkinCollectionItem::DataSize);
  return table;
}

int TSkinCollectionItem::GetDataSize() const { return static_cast<int>(data_->Size()); }

void TSkinCollectionItem::DefineProperties(TFiler &filer) {
  filer.DefineBinaryProperty(
      "DataStream", [this](TStream &stream) { ReadData(stream); }, [this](TStream &stream) { WriteData(stream); },
      true);
}

void TSkinCollectionItem::ReadData(TStream &stream) {
  data_->Clear();
  data_->CopyFrom(stream, 0);
}

void TSkinCollectionItem::WriteData(TStream &stream) { stream.CopyFrom(*data_, 0); }

// ---- TSkinCollection, TSkinStore -------------------------------------------------

TSkinCollection::TSkinCollection(TPersistent *owner)
    : TOwnedCollection(owner, TCollection::ItemClass<TSkinCollectionItem>()) {}

TSkinStore::TSkinStore(TComponent *owner) : TComponent(owner), store_(std::make_unique<TSkinCollection>(this)) {}

TSkinStore::~TSkinStore() = default;

const TPropertyTable &TSkinStore::ClassProperties() {
  static const auto table =
      TPublished<TSkinStore>(&TComponent::ClassProperties()).Object("Store", &TSkinStore::Store, &TSkinStore::SetStore);
  return table;
}

void TSkinStore::SetStore(TSkinCollection *value) {
  if (value)
    store_->Assign(*value);
}

} // namespace zorvex
