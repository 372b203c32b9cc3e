#pragma once
// TSkinStore: a non-visual component that keeps skin packages inside the form
// that owns it, each under a name, so that a program carries its skins
// without separate files. The store never looks into the packages.

#include <memory>
#include <string>

#include "framework/core/Collection.h"
#include "framework/core/Component.h"
#include "framework/core/Streams.h"

namespace zorvex {

class TSkinCollectionItem : public TCollectionItem {
public:
  explicit TSkinCollectionItem(TCollection *collection);

  const std::string &Name() const { return name_; }
  // Refuses a name another item of the collection has (exact comparison).
  void SetName(const std::string &name);
  // A design-time hook only: always "Load Skin"; writing it does nothing.
  std::string SkinData() const { return "Load Skin"; }
  void SetSkinData(const std::string &) {}
  int DataSize() const { return GetDataSize(); }

  // From another item: its name (unchecked) and a copy of all its data.
  void Assign(const TPersistent &source) override;
  // Appends all the data to dest; the data's own position is kept.
  void CopyData(TMemoryStream *dest);
  // Replaces the data with the file's bytes (emptied first, even on failure).
  void LoadFromFile(const std::string &fileName);
  std::string GetDisplayName() const override { return name_; }
  int GetDataSize() const;
  // The package bytes, exactly as stored.
  TMemoryStream &Data() { return *data_; }

  // Streams the package bytes as the binary property "DataStream".
  void DefineProperties(TFiler &filer) override;
  std::string ClassName() const override { return "TSkinCollectionItem"; }
  // Name (streamed), SkinData (not streamed), DataSize (read-only).
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

private:
  void ReadData(TStream &stream);
  void WriteData(TStream &stream);

  std::string name_;
  std::unique_ptr<TMemoryStream> data_;
};

class TSkinCollection : public TOwnedCollection {
public:
  explicit TSkinCollection(TPersistent *owner);
  TSkinCollectionItem *Add() { return static_cast<TSkinCollectionItem *>(TCollection::Add()); }
  TSkinCollectionItem *Items(int index) const { return static_cast<TSkinCollectionItem *>(TCollection::Items(index)); }
  std::string ClassName() const override { return "TSkinCollection"; }
};

class TSkinStore : public TComponent {
public:
  explicit TSkinStore(TComponent *owner = nullptr);
  ~TSkinStore() override;

  TSkinCollection *Store() const { return store_.get(); }
  // Copies the given collection into the store's own; null does nothing.
  void SetStore(TSkinCollection *value);
  std::string ClassName() const override { return "TSkinStore"; }
  static const TPropertyTable &ClassProperties();
  const TPropertyTable *PublishedProperties() const override { return &ClassProperties(); }

private:
  std::unique_ptr<TSkinCollection> store_;
};

} // namespace zorvex
