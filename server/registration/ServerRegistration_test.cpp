#include "server/registration/ServerRegistration.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/browser/BrowserApplication.h"
#include "platform/com/ComInit.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryFile.h"
#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"

namespace server {
namespace {

const std::u16string kModulePath =
    u"C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll";

constexpr std::string_view kExtensionKey =
    "Software\\Microsoft\\Internet Explorer\\Extensions\\{33C6D76E-368F-4a53-86B9-CE4F4B4B386E}";
constexpr std::string_view kToolbarKey = "Software\\Microsoft\\Internet Explorer\\Toolbar";
constexpr std::string_view kExplorerBarsKey =
    "Software\\Microsoft\\Internet Explorer\\Explorer Bars";
constexpr std::string_view kToolbarClsid = "{736FA7B4-0557-11DB-95BA-00C09F713765}";

std::string ReadTestFile(std::string_view name) {
  std::ifstream file(std::string(VIMARU_REGISTRATION_TESTDATA) + "/" + std::string(name),
                     std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

bool KeyExists(HKEY root, std::string_view path) {
  platform::RegistryKey key;
  return key.Open(root, path) == ERROR_SUCCESS;
}

std::optional<std::string> StringValue(HKEY root, std::string_view path, std::string_view name) {
  platform::RegistryKey key;
  std::string value;
  if (key.Open(root, path) != ERROR_SUCCESS) return std::nullopt;
  if (key.QueryStringValue(name, value) != ERROR_SUCCESS) return std::nullopt;
  return value;
}

class ServerRegistrationTest : public ::testing::Test {
 protected:
  platform::ScopedFileSystemRoot files_;
  platform::ScopedRegistryReset reset_;
  platform::ScopedComInit com_;
};

TEST_F(ServerRegistrationTest, WritesExactlyTheRegisteredEntries) {
  ASSERT_EQ(RegisterServer(nullptr, kModulePath), S_OK);
  EXPECT_EQ(platform::FormatRegistryText(), ReadTestFile("registered.reg"));
}

TEST_F(ServerRegistrationTest, RegisteringTwiceLeavesOneSetAndNoStoredSettings) {
  ASSERT_EQ(RegisterServer(nullptr, kModulePath), S_OK);
  platform::RegistryKey settings;
  ASSERT_EQ(settings.Open(HKEY_LOCAL_MACHINE, kExtensionKey, KEY_WRITE), ERROR_SUCCESS);
  ASSERT_EQ(settings.SetStringValue("AutoLoggin", "1"), ERROR_SUCCESS);
  ASSERT_EQ(settings.SetStringValue("MemberId", "member-7"), ERROR_SUCCESS);
  ASSERT_EQ(settings.SetStringValue("SSO", "ticket"), ERROR_SUCCESS);
  settings.Close();

  ASSERT_EQ(RegisterServer(nullptr, kModulePath), S_OK);
  EXPECT_EQ(platform::FormatRegistryText(), ReadTestFile("registered.reg"));
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, kExtensionKey, "AutoLoggin"), std::nullopt);
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, kExtensionKey, "MemberId"), "");
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, kExtensionKey, "SSO"), "");
}

TEST_F(ServerRegistrationTest, UnregisteringKeepsSharedKeysAndRemovesTheProducts) {
  ASSERT_EQ(RegisterServer(nullptr, kModulePath), S_OK);
  ASSERT_EQ(UnregisterServer(nullptr, kModulePath), S_OK);

  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "CLSID"));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kToolbarKey));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Internet Explorer\\Extensions"));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kExplorerBarsKey));
  EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, kToolbarKey, kToolbarClsid), std::nullopt);
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kExtensionKey));
  EXPECT_EQ(platform::FormatRegistryText(), ReadTestFile("unregistered.reg"));
}

TEST_F(ServerRegistrationTest, UnwritableKeyFailsRegistrationAndKeepsWhatWasWritten) {
  platform::DenyRegistryWrite(HKEY_LOCAL_MACHINE, kToolbarKey);
  EXPECT_EQ(RegisterServer(nullptr, kModulePath), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
  EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT,
                        "CLSID\\" + std::string(kToolbarClsid) + "\\InprocServer32", ""),
            "C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar\\VimaruIEToolbar.dll");
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kExtensionKey));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "CmyIESideBar.myIESideBar"));
}

TEST_F(ServerRegistrationTest, AfterRegisteringTheBrowserShowsTheToolbarAndHidesTheSidebar) {
  platform::ScopedBrowserApplication application;
  ASSERT_EQ(RegisterServer(nullptr, kModulePath), S_OK);
  const auto browsers = application.Browsers();
  ASSERT_EQ(browsers.size(), 1u);
  const auto& calls = browsers[0]->BrowserBarCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].clsid, platform::MakeGuid(kToolbarClsid));
  EXPECT_TRUE(calls[0].show);
  EXPECT_EQ(calls[1].clsid, platform::MakeGuid("21B3866C-DD0C-4675-A87C-A62BF21366AF"));
  EXPECT_FALSE(calls[1].show);
  EXPECT_TRUE(browsers[0]->HasQuit());
}

TEST_F(ServerRegistrationTest, TheBrowserIsAskedAlsoWhenAStepFailed) {
  platform::ScopedBrowserApplication application;
  platform::DenyRegistryWrite(HKEY_CURRENT_USER, kExplorerBarsKey);
  EXPECT_EQ(RegisterServer(nullptr, kModulePath), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
  ASSERT_EQ(application.Browsers().size(), 1u);
  EXPECT_EQ(application.Browsers()[0]->BrowserBarCalls().size(), 2u);
}

TEST_F(ServerRegistrationTest, ABrowserThatCannotBeCreatedIsIgnored) {
  EXPECT_EQ(RegisterServer(nullptr, kModulePath), S_OK);
}

TEST_F(ServerRegistrationTest, RegistrationNeedsCom) {
  std::thread([] { EXPECT_EQ(RegisterServer(nullptr, kModulePath), CO_E_NOTINITIALIZED); }).join();
}

}  // namespace
}  // namespace server
