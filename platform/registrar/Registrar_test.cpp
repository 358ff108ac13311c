#include "platform/registrar/Registrar.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/registry/RegistryFile.h"
#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"

namespace platform {
namespace {

constexpr RegistrarReplacement kModule[] = {{"MODULE", "C:\\m.dll"}};

constexpr std::string_view kScript =
    "HKCR\n"
    "{\n"
    "  Prog.Id = s 'Title'\n"
    "  {\n"
    "    CLSID = s '{1}'\n"
    "  }\n"
    "  NoRemove CLSID\n"
    "  {\n"
    "    ForceRemove {1} = s 'Title'\n"
    "    {\n"
    "      InprocServer32 = s '%MODULE%'\n"
    "      {\n"
    "        val ThreadingModel = s 'Apartment'\n"
    "      }\n"
    "    }\n"
    "  }\n"
    "}\n"
    "HKLM\n"
    "{\n"
    "  NoRemove Software\n"
    "  {\n"
    "    NoRemove Toolbar\n"
    "    {\n"
    "      val {1} = s 'Title'\n"
    "    }\n"
    "  }\n"
    "}\n";

HRESULT Register(std::string_view script = kScript) {
  return RunRegistrarScript(script, kModule, RegistrarMode::kRegister);
}
HRESULT Unregister(std::string_view script = kScript) {
  return RunRegistrarScript(script, kModule, RegistrarMode::kUnregister);
}

bool KeyExists(HKEY root, std::string_view path) {
  RegistryKey key;
  return key.Open(root, path) == ERROR_SUCCESS;
}

void SetString(HKEY root, std::string_view path, std::string_view name, std::string_view value) {
  RegistryKey key;
  ASSERT_EQ(key.Create(root, path), ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue(name, value), ERROR_SUCCESS);
}

constexpr std::string_view kRegistered =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\CLSID]\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\CLSID\\{1}]\r\n"
    "@=\"Title\"\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\CLSID\\{1}\\InprocServer32]\r\n"
    "@=\"C:\\\\m.dll\"\r\n"
    "\"ThreadingModel\"=\"Apartment\"\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\Prog.Id]\r\n"
    "@=\"Title\"\r\n"
    "\r\n"
    "[HKEY_CLASSES_ROOT\\Prog.Id\\CLSID]\r\n"
    "@=\"{1}\"\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software]\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\Toolbar]\r\n"
    "\"{1}\"=\"Title\"\r\n"
    "\r\n";

class RegistrarTest : public ::testing::Test {
 protected:
  ScopedRegistryReset reset_;
};

TEST_F(RegistrarTest, RegistersExactlyTheScriptsEntries) {
  ASSERT_EQ(Register(), S_OK);
  EXPECT_EQ(FormatRegistryText(), kRegistered);
}

TEST_F(RegistrarTest, RegisteringAgainRebuildsReplacedKeysOnly) {
  ASSERT_EQ(Register(), S_OK);
  SetString(HKEY_CLASSES_ROOT, "CLSID\\{1}\\Stored", "", "gone after registration");
  SetString(HKEY_CLASSES_ROOT, "CLSID\\{1}", "Setting", "gone after registration");
  SetString(HKEY_CLASSES_ROOT, "Prog.Id", "Kept", "plain keys are not replaced");
  ASSERT_EQ(Register(), S_OK);

  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "CLSID\\{1}\\Stored"));
  RegistryKey object;
  ASSERT_EQ(object.Open(HKEY_CLASSES_ROOT, "CLSID\\{1}"), ERROR_SUCCESS);
  std::string value;
  EXPECT_EQ(object.QueryStringValue("Setting", value), ERROR_FILE_NOT_FOUND);
  RegistryKey progId;
  ASSERT_EQ(progId.Open(HKEY_CLASSES_ROOT, "Prog.Id"), ERROR_SUCCESS);
  EXPECT_EQ(progId.QueryStringValue("Kept", value), ERROR_SUCCESS);
}

TEST_F(RegistrarTest, UnregisteringKeepsNoRemoveKeysAndOthersEntries) {
  SetString(HKEY_CLASSES_ROOT, "CLSID\\{other}", "", "another class");
  SetString(HKEY_LOCAL_MACHINE, "Software\\Toolbar", "{other}", "another toolbar");
  ASSERT_EQ(Register(), S_OK);
  ASSERT_EQ(Unregister(), S_OK);

  EXPECT_EQ(FormatRegistryText(),
            "Windows Registry Editor Version 5.00\r\n"
            "\r\n"
            "[HKEY_CLASSES_ROOT\\CLSID]\r\n"
            "\r\n"
            "[HKEY_CLASSES_ROOT\\CLSID\\{other}]\r\n"
            "@=\"another class\"\r\n"
            "\r\n"
            "[HKEY_LOCAL_MACHINE\\Software]\r\n"
            "\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Toolbar]\r\n"
            "\"{other}\"=\"another toolbar\"\r\n"
            "\r\n");
}

TEST_F(RegistrarTest, UnregisteringLeavesAPlainKeyThatStillHasSubkeys) {
  ASSERT_EQ(Register(), S_OK);
  SetString(HKEY_CLASSES_ROOT, "Prog.Id\\ShellEx", "", "added by someone else");
  ASSERT_EQ(Unregister(), S_OK);
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "Prog.Id\\ShellEx"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Prog.Id\\CLSID"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "CLSID\\{1}"));
}

TEST_F(RegistrarTest, UnregisteringWhatIsMissingSucceeds) {
  EXPECT_EQ(Unregister(), S_OK);
  EXPECT_EQ(FormatRegistryText(), "Windows Registry Editor Version 5.00\r\n\r\n");
  ASSERT_EQ(Register(), S_OK);
  ASSERT_EQ(Unregister(), S_OK);
  EXPECT_EQ(Unregister(), S_OK);
}

TEST_F(RegistrarTest, FailingStepStopsRegistrationAndLeavesWhatWasWritten) {
  DenyRegistryWrite(HKEY_CLASSES_ROOT, "CLSID\\{1}\\InprocServer32");
  EXPECT_EQ(Register(), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "Prog.Id\\CLSID"));
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "CLSID\\{1}"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Toolbar"));
}

TEST_F(RegistrarTest, UnwritableReplacedKeyFailsBeforeItIsDeleted) {
  ASSERT_EQ(Register(), S_OK);
  DenyRegistryWrite(HKEY_CLASSES_ROOT, "CLSID\\{1}\\InprocServer32");
  EXPECT_EQ(Register(), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "CLSID\\{1}\\InprocServer32"));
  EXPECT_EQ(Unregister(), HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
}

TEST_F(RegistrarTest, MalformedScriptsChangeNothing) {
  EXPECT_EQ(Register("HKCR { Written = s 'x' } HKCR { Broken = q 'x' }"), DISP_E_EXCEPTION);
  EXPECT_EQ(Register("HKCR { A = s '%UNKNOWN%' }"), DISP_E_EXCEPTION);
  EXPECT_EQ(Unregister("HKCR { Broken"), DISP_E_EXCEPTION);
  EXPECT_EQ(FormatRegistryText(), "Windows Registry Editor Version 5.00\r\n\r\n");
}

TEST_F(RegistrarTest, WritesBinaryAndNumberValuesByteForByte) {
  ASSERT_EQ(Register("HKCU { K { val Bar = b '2301000000000000' val N = d 291 } }"), S_OK);
  RegistryKey key;
  ASSERT_EQ(key.Open(HKEY_CURRENT_USER, "K"), ERROR_SUCCESS);
  std::vector<std::uint8_t> bytes;
  DWORD type = REG_NONE;
  ASSERT_EQ(key.QueryBinaryValue("Bar", bytes), ERROR_SUCCESS);
  ASSERT_EQ(key.QueryValue("Bar", &type, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_BINARY);
  EXPECT_EQ(bytes, std::vector<std::uint8_t>({0x23, 0x01, 0, 0, 0, 0, 0, 0}));
  DWORD number = 0;
  ASSERT_EQ(key.QueryDWORDValue("N", number), ERROR_SUCCESS);
  EXPECT_EQ(number, 291u);
}

}  // namespace
}  // namespace platform
