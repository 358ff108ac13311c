#include "session/settings/ProductSettings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"

namespace session {
namespace {

class ProductSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(key_.Create(HKEY_LOCAL_MACHINE, kProductSettingsKey), ERROR_SUCCESS);
  }

  std::vector<std::uint8_t> StoredBytes(const char* name) {
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(key_.QueryBinaryValue(name, bytes), ERROR_SUCCESS);
    return bytes;
  }

  void Store(const char* name, std::string_view text, DWORD type = REG_SZ) {
    ASSERT_EQ(key_.SetValue(name, type, text.data(), static_cast<DWORD>(text.size())),
              ERROR_SUCCESS);
  }

  platform::ScopedRegistryReset registry_;
  platform::RegistryKey key_;
};

std::vector<std::uint8_t> Bytes(std::string_view text) { return {text.begin(), text.end()}; }

TEST_F(ProductSettingsTest, WritesStoreTheTextAloneWithoutATerminator) {
  WriteMemberId("M-1042");
  WriteSso("tok+/=");
  WriteAutoLoggin(true);
  EXPECT_EQ(StoredBytes("MemberId"), Bytes("M-1042"));
  EXPECT_EQ(StoredBytes("SSO"), Bytes("tok+/="));
  EXPECT_EQ(StoredBytes("AutoLoggin"), Bytes("true"));
  WriteAutoLoggin(false);
  EXPECT_EQ(StoredBytes("AutoLoggin"), Bytes("false"));

  DWORD type = 0;
  ASSERT_EQ(key_.QueryValue("MemberId", &type, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

  EXPECT_EQ(ReadMemberId(), "M-1042");
  EXPECT_EQ(ReadSso(), "tok+/=");
  EXPECT_FALSE(ReadAutoLoggin());
  WriteMemberId("");
  EXPECT_EQ(StoredBytes("MemberId"), Bytes(""));
  EXPECT_EQ(ReadMemberId(), "");
}

TEST_F(ProductSettingsTest, AutoLoginIsOnlyForTheExactLowerCaseText) {
  EXPECT_FALSE(ReadAutoLoggin()) << "absent";
  for (const char* text : {"True", "TRUE", "true ", "1", "yes", ""}) {
    Store("AutoLoggin", text);
    EXPECT_FALSE(ReadAutoLoggin()) << text;
  }
  Store("AutoLoggin", std::string_view("true\0", 5));
  EXPECT_TRUE(ReadAutoLoggin()) << "a terminator written by another tool still reads true";
  Store("AutoLoggin", "true");
  EXPECT_TRUE(ReadAutoLoggin());
}

TEST_F(ProductSettingsTest, ReadsStopAtTheirBufferAndIgnoreOtherTypes) {
  Store("MemberId", std::string(260, 'a'));
  EXPECT_EQ(ReadMemberId(), std::string(260, 'a')) << "260 bytes without a terminator fit";
  Store("MemberId", std::string(261, 'a'));
  EXPECT_EQ(ReadMemberId(), "") << "too long for the buffer reads as absent";
  Store("SSO", std::string_view("ab\0cd", 5));
  EXPECT_EQ(ReadSso(), "ab");

  const std::uint8_t dword[4] = {'t', 'r', 'u', 'e'};
  ASSERT_EQ(key_.SetValue("AutoLoggin", REG_BINARY, dword, 4), ERROR_SUCCESS);
  EXPECT_FALSE(ReadAutoLoggin()) << "only string values count";
}

TEST_F(ProductSettingsTest, InstallDirectoryIsHotIconUpToItsLastBackslash) {
  EXPECT_EQ(ReadInstallDirectory(), "");
  Store("HotIcon", "C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar\\hot.ico");
  EXPECT_EQ(ReadInstallDirectory(), "C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar");
  Store("HotIcon", "hot.ico");
  EXPECT_EQ(ReadInstallDirectory(), "");

  const std::string longPath = "C:\\" + std::string(500, 'd') + "\\" + std::string(14, 'f');
  ASSERT_EQ(longPath.size(), 518u);
  Store("HotIcon", longPath);
  EXPECT_EQ(ReadInstallDirectory(), "C:\\" + std::string(500, 'd'));
  Store("HotIcon", "C:\\" + std::string(518, 'd'));
  EXPECT_EQ(ReadInstallDirectory(), "") << "over 520 bytes reads as absent";
}

TEST_F(ProductSettingsTest, AnUnopenableKeyReadsDefaultsAndWritesNothing) {
  WriteMemberId("M-1");
  WriteAutoLoggin(true);
  platform::DenyRegistryOpen(HKEY_LOCAL_MACHINE, kProductSettingsKey);
  EXPECT_EQ(ReadMemberId(), "");
  EXPECT_FALSE(ReadAutoLoggin());
  WriteMemberId("M-2");
  platform::ClearRegistryDenials();
  EXPECT_EQ(ReadMemberId(), "M-1");

  platform::DenyRegistryWrite(HKEY_LOCAL_MACHINE, kProductSettingsKey);
  WriteSso("never");
  EXPECT_EQ(ReadSso(), "");
  EXPECT_EQ(ReadMemberId(), "M-1") << "an unwritable key still reads";
}

TEST(ProductSettingsWithoutKey, NothingIsCreatedByAWrite) {
  platform::ScopedRegistryReset registry;
  WriteMemberId("M-1");
  platform::RegistryKey key;
  EXPECT_EQ(key.Open(HKEY_LOCAL_MACHINE, kProductSettingsKey), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(ReadMemberId(), "");
}

}  // namespace
}  // namespace session
