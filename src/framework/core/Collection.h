#pragma once
// Collections: ordered lists of items of one class that the collection owns.
// Each item gets an ID when it joins a collection; IDs count up over the
// collection's lifetime and are never reused, so they outlive reordering.

#include <functional>
#include <string>
#include <vector>

#include "Component.h"

namespace zorvex {

class TCollection;

class TCollectionItem : public TPersistent {
public:
  // Joins `collection` (when given), which then owns the item.
  explicit TCollectionItem(TCollection *collection);
  ~TCollectionItem() override;
  TCollectionItem(const TCollectionItem &) = delete;
  TCollectionItem &operator=(const TCollectionItem &) = delete;

  TCollection *Collection() const { return collection_; }
  // Leaves the current collection and joins another, with a new ID there.
  void SetCollection(TCollection *collection);
  int ID() const { return id_; }
  int Index() const;
  void SetIndex(int index);
  // The text a designer's list shows; the class name unless overridden.
  virtual std::string GetDisplayName() const { return ClassName(); }

  std::string ClassName() const override { return "TCollectionItem"; }

protected:
  // Tells the collection that this item (or, with allItems, the whole list)
  // changed.
  void Changed(bool allItems = false);

private:
  friend class TCollection;
  TCollection *collection_ = nullptr; // not owned: the collection owns us
  int id_ = 0;
};

class TCollection : public TPersistent {
public:
  // Makes a new item that has joined the given collection.
  using ItemFactory = std::function<TCollectionItem *(TCollection *)>;

  template <typename Item> static ItemFactory ItemClass() {
    return [](TCollection *collection) { return new Item(collection); };
  }

  explicit TCollection(ItemFactory itemClass);
  ~TCollection() override;
  TCollection(const TCollection &) = delete;
  TCollection &operator=(const TCollection &) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem *Items(int index) const;
  TCollectionItem *Add();
  TCollectionItem *Insert(int index);
  void Delete(int index);
  void Clear();
  TCollectionItem *FindItemID(int id) const;
  int NextID() const { return nextID_; }

  // The collection copy: items recreated, each assigned from its counterpart.
  void Assign(const TPersistent &source) override;
  // The persistent that holds the collection, if any.
  virtual TPersistent *GetOwner() const { return nullptr; }
  std::string ClassName() const override { return "TCollection"; }

  // Changes between BeginUpdate and the matching EndUpdate are announced
  // once, as a change of the whole list, at the end.
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();

protected:
  // Told when one item changed, or (null) when the list did: items added,
  // removed or moved. A control keeps its window in step from here.
  virtual void Update(TCollectionItem *item) { (void)item; }

private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem *item);
  void RemoveItem(TCollectionItem *item);
  void Changed(TCollectionItem *item);

  ItemFactory itemClass_;
  std::vector<TCollectionItem *> items_; // owned
  int nextID_ = 0;
  int updateCount_ = 0;
};

// A collection that knows the persistent holding it.
class TOwnedCollection : public TCollection {
public:
  TOwnedCollection(TPersistent *owner, ItemFactory itemClass) : TCollection(std::move(itemClass)), owner_(owner) {}
  TPersistent *GetOwner() const override { return owner_; }
  std::string ClassName() const override { return "TOwnedCollection"; }

private:
  TPersistent *owner_; // not owned
};

} // namespace zorvex
