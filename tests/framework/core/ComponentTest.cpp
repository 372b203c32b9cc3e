#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"

#include <gtest/gtest.h>

using namespace zorvex;

namespace {
struct Probe : TComponent {
  using TComponent::TComponent;
  std::vector<std::string> *log = nullptr;
  ~Probe() override {
    if (log)
      log->push_back("free " + Name());
  }
  void Notification(TComponent *c, TOperation op) override {
    if (log && op == TOperation::Remove)
      log->push_back(Name() + " sees " + c->Name() + " go");
  }
};
} // namespace

TEST(Component, OwnerFreesWhatItOwnsLastFirst) {
  std::vector<std::string> log;
  {
    Probe owner;
    owner.SetName("owner");
    auto *a = new Probe(&owner);
    a->SetName("a");
    a->log = &log;
    auto *b = new Probe(&owner);
    b->SetName("b");
    b->log = &log;
    EXPECT_EQ(owner.ComponentCount(), 2);
    EXPECT_EQ(owner.FindComponent("A"), a);
  }
  EXPECT_EQ(log, (std::vector<std::string>{"free b", "free a"}));
}

TEST(Component, FreeingAChildRemovesItFromItsOwner) {
  TComponent owner;
  auto *child = new TComponent(&owner);
  delete child;
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(Component, NamesAreUniqueAmongSiblings) {
  TComponent owner;
  auto *a = new TComponent(&owner);
  auto *b = new TComponent(&owner);
  a->SetName("Edit1");
  EXPECT_THROW(b->SetName("edit1"), Exception);
  EXPECT_NO_THROW(a->SetName("Edit1"));
}

TEST(Component, WatchersAreToldWhenAComponentGoes) {
  std::vector<std::string> log;
  Probe watcher;
  watcher.SetName("w");
  watcher.log = &log;
  {
    TComponent watched;
    watched.SetName("x");
    watcher.FreeNotification(&watched);
  }
  EXPECT_EQ(log, (std::vector<std::string>{"w sees x go"}));
}
