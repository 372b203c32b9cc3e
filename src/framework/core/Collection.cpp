#include "Collection.h"

#include "Exceptions.h"

#include <algorithm>

namespace zorvex {

// ---- TCollectionItem -----------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection *collection) {
  // Announced by Add once the whole item is built.
  if (collection)
    collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
  if (collection_)
    collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection *collection) {
  if (collection == collection_)
    return;
  if (collection_)
    collection_->RemoveItem(this);
  if (collection) {
    collection->InsertItem(this);
    collection->Changed(nullptr);
  }
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
  collection_->Changed(nullptr);
}

void TCollectionItem::Changed(bool allItems) {
  if (collection_)
    collection_->Changed(allItems ? nullptr : this);
}

// ---- TCollection ---------------------------------------------------------------

TCollection::TCollection(ItemFactory itemClass) : itemClass_(std::move(itemClass)) {}

TCollection::~TCollection() { Clear(); }

TCollectionItem *TCollection::Items(int index) const {
  if (index < 0 || index >= Count())
    throw Exception("List index out of bounds (" + std::to_string(index) + ")");
  return items_[static_cast<size_t>(index)];
}

TCollectionItem *TCollection::Add() {
  TCollectionItem *item = itemClass_(this);
  Changed(nullptr);
  return item;
}

TCollectionItem *TCollection::Insert(int index) {
  BeginUpdate();
  TCollectionItem *item = nullptr;
  try {
    item = Add();
    item->SetIndex(index);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  return item;
}

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear() {
  if (items_.empty())
    return;
  BeginUpdate();
  // Last first, each item leaving the list in its destructor.
  while (!items_.empty())
    delete items_.back();
  EndUpdate();
}

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0)
    Update(nullptr);
}

void TCollection::Changed(TCollectionItem *item) {
  if (updateCount_ == 0)
    Update(item);
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
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem *item : other->items_)
      Add()->Assign(*item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCollection::InsertItem(TCollectionItem *item) {
  items_.push_back(item);
  item->collection_ = this;
  item->id_ = nextID_++;
}

void TCollection::RemoveItem(TCollectionItem *item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  item->collection_ = nullptr;
  Changed(nullptr);
}

} // namespace zorvex
