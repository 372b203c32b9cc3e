#include "framework/win/Registry.h"

#include <gtest/gtest.h>

#include "support/GuiTest.h"

using namespace zorvex;
using namespace zorvex::test;

namespace {

TEST(Registry, OpeningWithoutCreatingFailsForAMissingKey) {
  TestRegistryKey key;
  TRegistry registry;
  registry.SetRootKey(HKEY_CURRENT_USER);
  EXPECT_FALSE(registry.OpenKey(key.Child("missing"), false));
  EXPECT_FALSE(registry.KeyExists(key.Child("missing")));
  EXPECT_TRUE(registry.OpenKey(key.Child("missing"), true));
  EXPECT_TRUE(registry.KeyExists(key.Child("missing")));
}

TEST(Registry, ValuesRoundTripAndWrongTypesAreTypedFailures) {
  TestRegistryKey key;
  TRegistry registry;
  registry.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.OpenKey(key.Path(), false));
  registry.WriteString("Language", "Fran\xC3\xA7"
                                   "ais");
  registry.WriteInteger("Skin", -7);
  EXPECT_EQ(registry.ReadString("Language"), "Fran\xC3\xA7"
                                             "ais");
  EXPECT_EQ(registry.ReadInteger("Skin"), -7);
  // A missing string reads empty; a missing integer is a failure.
  EXPECT_EQ(registry.ReadString("Nothing"), "");
  EXPECT_THROW(registry.ReadInteger("Nothing"), ERegistryException);
  // Each type read as the other is a failure.
  EXPECT_THROW(registry.ReadString("Skin"), ERegistryException);
  EXPECT_THROW(registry.ReadInteger("Language"), ERegistryException);
  EXPECT_TRUE(registry.ValueExists("Skin"));
  EXPECT_TRUE(registry.DeleteValue("Skin"));
  EXPECT_FALSE(registry.ValueExists("Skin"));
}

TEST(Registry, AKeyOpenedReadOnlyCannotBeWritten) {
  TestRegistryKey key;
  TRegistry registry;
  registry.SetRootKey(HKEY_CURRENT_USER);
  ASSERT_TRUE(registry.OpenKeyReadOnly(key.Path()));
  EXPECT_THROW(registry.WriteString("Language", "English"), ERegistryException);
  registry.CloseKey();
  EXPECT_THROW(registry.ReadString("Language"), ERegistryException);
}

TEST(Registry, NothingCanBeCreatedBelowAVolatileKey) {
  TestRegistryKey key;
  const std::string locked = key.MakeVolatileChild("locked");
  TRegistry registry;
  registry.SetRootKey(HKEY_CURRENT_USER);
  EXPECT_FALSE(registry.OpenKey(locked + "\\Zorvex", true));
}

} // namespace
