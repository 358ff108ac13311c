#include "platform/registry/RegistryTestHooks.h"

#include <gtest/gtest.h>

#include "platform/registry/RegistryKey.h"

namespace platform {
namespace {

class RegistryDenialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegistryKey key;
    ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, "Software\\Ext\\Settings"), ERROR_SUCCESS);
    ASSERT_EQ(key.SetStringValue("MemberId", "7"), ERROR_SUCCESS);
    ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, "Software\\Extra"), ERROR_SUCCESS);
  }
  ScopedRegistryReset reset_;
};

TEST_F(RegistryDenialTest, UnopenableCoversTheKeyAndBelowOnly) {
  DenyRegistryOpen(HKEY_LOCAL_MACHINE, "SOFTWARE\\ext");
  struct Case {
    const char* path;
    LSTATUS open;
  };
  const Case cases[] = {
      {"Software", ERROR_SUCCESS},
      {"Software\\Extra", ERROR_SUCCESS},  // shares a prefix, is not below
      {"Software\\Ext", ERROR_ACCESS_DENIED},
      {"Software\\Ext\\Settings", ERROR_ACCESS_DENIED},
      {"Software\\Ext\\Missing", ERROR_ACCESS_DENIED},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    RegistryKey key;
    EXPECT_EQ(key.Open(HKEY_LOCAL_MACHINE, c.path), c.open);
    EXPECT_EQ(key.IsOpen(), c.open == ERROR_SUCCESS);
    EXPECT_EQ(key.Create(HKEY_LOCAL_MACHINE, c.path), c.open);
  }
  RegistryKey software;
  ASSERT_EQ(software.Open(HKEY_LOCAL_MACHINE, "Software"), ERROR_SUCCESS);
  RegistryKey relative;
  EXPECT_EQ(relative.Open(software, "Ext\\Settings"), ERROR_ACCESS_DENIED);
  RegistryKey other;
  EXPECT_EQ(other.Open(HKEY_CURRENT_USER, "Software\\Ext"), ERROR_FILE_NOT_FOUND)
      << "rules belong to their hive";
}

TEST_F(RegistryDenialTest, UnwritableRefusesEveryChangeButAllowsReading) {
  RegistryKey earlier;
  ASSERT_EQ(earlier.Open(HKEY_LOCAL_MACHINE, "Software\\Ext\\Settings", KEY_ALL_ACCESS),
            ERROR_SUCCESS);
  DenyRegistryWrite(HKEY_LOCAL_MACHINE, "Software\\Ext");

  RegistryKey reader;
  ASSERT_EQ(reader.Open(HKEY_LOCAL_MACHINE, "Software\\Ext\\Settings"), ERROR_SUCCESS);
  std::string text;
  EXPECT_EQ(reader.QueryStringValue("MemberId", text), ERROR_SUCCESS);
  EXPECT_EQ(text, "7");

  RegistryKey writer;
  EXPECT_EQ(writer.Open(HKEY_LOCAL_MACHINE, "Software\\Ext\\Settings", KEY_WRITE),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(writer.Create(HKEY_LOCAL_MACHINE, "Software\\Ext\\New"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(earlier.SetStringValue("MemberId", "8"), ERROR_ACCESS_DENIED)
      << "a handle opened before the rule must not slip through";
  EXPECT_EQ(earlier.DeleteValue("MemberId"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(DeleteRegistryTree(HKEY_LOCAL_MACHINE, "Software\\Ext\\Settings"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(DeleteRegistryTree(HKEY_LOCAL_MACHINE, "Software"), ERROR_ACCESS_DENIED)
      << "a protected key inside keeps the whole tree";
  ASSERT_EQ(reader.Open(HKEY_LOCAL_MACHINE, "Software\\Ext\\Settings"), ERROR_SUCCESS);
  EXPECT_EQ(reader.QueryStringValue("MemberId", text), ERROR_SUCCESS);
  EXPECT_EQ(text, "7");

  RegistryKey sibling;
  EXPECT_EQ(sibling.Create(HKEY_LOCAL_MACHINE, "Software\\Extra\\Sub"), ERROR_SUCCESS);

  ClearRegistryDenials();
  EXPECT_EQ(earlier.SetStringValue("MemberId", "8"), ERROR_SUCCESS);
}

TEST_F(RegistryDenialTest, ResetEmptiesEverythingAndStalesHandles) {
  DenyRegistryOpen(HKEY_LOCAL_MACHINE, "");
  RegistryKey key;
  EXPECT_EQ(key.Open(HKEY_LOCAL_MACHINE, ""), ERROR_ACCESS_DENIED);
  ClearRegistryDenials();
  ASSERT_EQ(key.Open(HKEY_LOCAL_MACHINE, "Software\\Ext\\Settings", KEY_ALL_ACCESS), ERROR_SUCCESS);
  DenyRegistryWrite(HKEY_LOCAL_MACHINE, "Software");

  ResetRegistry();
  EXPECT_EQ(key.SetStringValue("x", "y"), ERROR_KEY_DELETED);
  RegistryKey fresh;
  EXPECT_EQ(fresh.Open(HKEY_LOCAL_MACHINE, "Software"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(fresh.Create(HKEY_LOCAL_MACHINE, "Software\\Ext"), ERROR_SUCCESS)
      << "reset drops the rules too";
}

}  // namespace
}  // namespace platform
