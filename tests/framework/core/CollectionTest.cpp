#include "framework/core/Collection.h"
#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>

using namespace zorvex;

namespace {
class Item : public TCollectionItem {
public:
  using TCollectionItem::TCollectionItem;
  int value = 0;
  void Assign(const TPersistent &source) override {
    if (auto *other = dynamic_cast<const Item *>(&source))
      value = other->value;
    else
      TCollectionItem::Assign(source);
  }
};
} // namespace

TEST(Collection, IdsCountUpAndAreNeverReused) {
  TCollection list(TCollection::ItemClass<Item>());
  EXPECT_EQ(list.Add()->ID(), 0);
  EXPECT_EQ(list.Add()->ID(), 1);
  list.Delete(0);
  TCollectionItem *third = list.Add();
  EXPECT_EQ(third->ID(), 2);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.FindItemID(1)->Index(), 0);
  EXPECT_EQ(list.FindItemID(0), nullptr);
  // Reordering keeps IDs; Insert places the new item.
  third->SetIndex(0);
  EXPECT_EQ(list.Items(0)->ID(), 2);
  EXPECT_EQ(list.Insert(1)->ID(), 3);
  EXPECT_EQ(list.Items(1)->ID(), 3);
  EXPECT_THROW(list.Items(9), Exception);
  // Clearing keeps counting.
  list.Clear();
  EXPECT_EQ(list.Add()->ID(), 4);
}

TEST(Collection, ItemsMoveAndFreeThemselvesAndAssignCopiesEach) {
  TCollection a(TCollection::ItemClass<Item>()), b(TCollection::ItemClass<Item>());
  auto *first = static_cast<Item *>(a.Add());
  first->value = 7;
  static_cast<Item *>(a.Add())->value = 8;
  b.Add();
  b.Assign(a);
  ASSERT_EQ(b.Count(), 2);
  EXPECT_EQ(static_cast<Item *>(b.Items(1))->value, 8);
  EXPECT_EQ(b.Items(0)->ID(), 1); // recreated items, new IDs
  first->SetCollection(&b);
  EXPECT_EQ(a.Count(), 1);
  EXPECT_EQ(b.Count(), 3);
  EXPECT_EQ(first->ID(), 3);
  delete b.Items(0);
  EXPECT_EQ(b.Count(), 2);
  TPersistent other;
  EXPECT_THROW(a.Assign(other), EConvertError);
}

namespace {
// Records what the collection announces, and what the announced item held.
class Watched : public TCollection {
public:
  Watched() : TCollection(ItemClass<Item>()) {}
  std::vector<int> seen; // -1 for the whole list, else the item's value
protected:
  void Update(TCollectionItem *item) override { seen.push_back(item ? static_cast<Item *>(item)->value : -1); }
};

class Valued : public Item {
public:
  explicit Valued(TCollection *collection) : Item(collection) { value = 5; }
  void Touch() { Changed(); }
};
} // namespace

TEST(Collection, ChangesAreAnnouncedOnceItemsAreBuiltAndOncePerUpdateBlock) {
  Watched list;
  list.Add();
  EXPECT_EQ(list.seen, (std::vector<int>{-1}));
  list.seen.clear();
  auto *built = new Valued(&list); // owned by the list; not announced while it is not whole
  built->Touch();
  EXPECT_EQ(list.seen, (std::vector<int>{5}));
  list.seen.clear();
  list.BeginUpdate();
  list.Insert(0);
  built->Touch();
  list.Delete(0);
  list.EndUpdate();
  list.Clear();
  EXPECT_EQ(list.seen, (std::vector<int>{-1, -1}));
  list.seen.clear();
  TCollection other(TCollection::ItemClass<Item>());
  auto *moved = other.Add();
  moved->SetCollection(&list);
  EXPECT_EQ(list.seen, (std::vector<int>{-1}));
}
