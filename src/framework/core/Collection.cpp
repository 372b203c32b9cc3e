#include "Collection.h"

#include "Exceptions.h"

#include <algorithm>

namespace zorvex {

// ---- TCollectionItem -----------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection *collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() {
  if (collection_)
    collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection *collection) {
  if (collection == collection_)
    return;
  if (collection_)
    collection_->RemoveItem(this);
  if (collection)
    collection->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!collection_)
    return -1;
  const auto &items = collection_->items_;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
  if (!collection_)
    return;
  auto &items = collection_->items_;
  const int current = Index();
  index = std::clamp(index, 0, static_cast<int>(items.size()) - 1);
  if (index == current)
    return;
  items.erase(items.begin() + current);
  items.insert(items.begin() + index, this);
}

// ---- TCollection ---------------------------------------------------------------

TCollection::TCollection(ItemFactory itemClass) : itemClass_(std::move(itemClass)) {}

TCollection::~TCollection() { Clear(); }

TCollectionItem *TCollection::Items(int index) const {
  if (index < 0 || index >= Count())
    throw Exception("List index out of bounds (" + std::to_string(index) + ")");
  return items_[static_cast<size_t>(index)];
}

TCollectionItem *TCollection::Add() { return itemClass_(this); }

TCollectionItem *TCollection::Insert(int index) {
  TCollectionItem *item = Add();
  item->SetIndex(index);
  return item;
}

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear() {
  // Last first, each item leaving the list in its destructor.
  while (!items_.empty())
    delete items_.back();
}

TCollectionItem *TCollection::FindItemID(int id) const {
  for (TCollectionItem *item : items_)
    if (item->id_ == id)
      return item;
  return nullptr;
}

void TCollection::Assign(const TPersistent &source) {
  const auto *other = dynamic_cast<const TCollection *>(&source);
  if (!other) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this)
    return;
  Clear();
  for (TCollectionItem *item : other->items_)
    Add()->Assign(*item);
}

void TCollection::InsertItem(TCollectionItem *item) {
  items_.push_back(item);
  item->collection_ = this;
  item->id_ = nextID_++;
}

void TCollection::RemoveItem(TCollectionItem *item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  item->collection_ = nullptr;
}

} // namespace zorvex
