#include "platform/registry/RegistryKey.h"

#include <gtest/gtest.h>

#include "platform/registry/RegistryTestHooks.h"

namespace platform {
namespace {

constexpr std::string_view kProductKey = "Software\\Vimaru Group Inc\\VimaruIEToolbar";

class RegistryKeyTest : public ::testing::Test {
 protected:
  ScopedRegistryReset reset_;
};

TEST_F(RegistryKeyTest, OpenFindsOnlyWhatCreateMade) {
  RegistryKey key;
  EXPECT_EQ(key.Open(HKEY_CURRENT_USER, kProductKey), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(key.IsOpen());
  bool created = false;
  ASSERT_EQ(key.Create(HKEY_CURRENT_USER, kProductKey, KEY_ALL_ACCESS, &created), ERROR_SUCCESS);
  EXPECT_TRUE(created);
  ASSERT_EQ(key.Create(HKEY_CURRENT_USER, kProductKey, KEY_ALL_ACCESS, &created), ERROR_SUCCESS);
  EXPECT_FALSE(created);
  EXPECT_EQ(key.Open(HKEY_CURRENT_USER, "Software\\Vimaru Group Inc"), ERROR_SUCCESS);
  EXPECT_EQ(key.Open(HKEY_LOCAL_MACHINE, kProductKey), ERROR_FILE_NOT_FOUND)
      << "hives are separate trees";
  EXPECT_EQ(key.Open(reinterpret_cast<HKEY>(std::uintptr_t{0x1234}), ""), ERROR_INVALID_HANDLE);
  RegistryKey closed;
  EXPECT_EQ(key.Open(closed, "x"), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryKeyTest, NamesMatchWithoutCaseAndKeepTheirSpelling) {
  RegistryKey key;
  ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Software\\MixedCase\\\xC9t\xE9"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue("MemberId", "42"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue("MEMBERID", "43"), ERROR_SUCCESS);

  RegistryKey other;
  ASSERT_EQ(other.Open(HKEY_CURRENT_USER, "SOFTWARE\\mixedcase\\\xE9T\xC9"), ERROR_SUCCESS);
  std::string text;
  ASSERT_EQ(other.QueryStringValue("memberid", text), ERROR_SUCCESS);
  EXPECT_EQ(text, "43");
  std::string name;
  ASSERT_EQ(other.EnumValue(0, name), ERROR_SUCCESS);
  EXPECT_EQ(name, "MemberId") << "the first spelling stays";
  EXPECT_EQ(other.EnumValue(1, name), ERROR_NO_MORE_ITEMS);

  ASSERT_EQ(other.Open(HKEY_CURRENT_USER, "software"), ERROR_SUCCESS);
  ASSERT_EQ(other.EnumKey(0, name), ERROR_SUCCESS);
  EXPECT_EQ(name, "MixedCase");
}

TEST_F(RegistryKeyTest, EmptyPathComponentsNameTheSameKey) {
  RegistryKey key;
  ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Software\\\\Toolbar\\"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue("FirstRun", "No"), ERROR_SUCCESS);
  RegistryKey same;
  ASSERT_EQ(same.Open(HKEY_CURRENT_USER, "\\Software\\Toolbar"), ERROR_SUCCESS);
  std::string text;
  EXPECT_EQ(same.QueryStringValue("FirstRun", text), ERROR_SUCCESS);
  EXPECT_EQ(text, "No");
}

TEST_F(RegistryKeyTest, QueryValueFollowsRegQueryValueExSizing) {
  RegistryKey key;
  ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, "SOFTWARE\\Uninstall"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue("ReferalId", "abc"), ERROR_SUCCESS);

  DWORD type = 0;
  DWORD size = 0;
  EXPECT_EQ(key.QueryValue("ReferalId", &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, REG_SZ);
  EXPECT_EQ(size, 4u) << "ANSI text plus its terminator";

  char small[3] = {'x', 'x', 'x'};
  size = sizeof small;
  EXPECT_EQ(key.QueryValue("ReferalId", nullptr, small, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 4u);

  char exact[4];
  size = sizeof exact;
  EXPECT_EQ(key.QueryValue("ReferalId", nullptr, exact, &size), ERROR_SUCCESS);
  EXPECT_EQ(std::string(exact, 4), std::string("abc\0", 4));

  EXPECT_EQ(key.QueryValue("ReferalId", nullptr, exact, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(key.QueryValue("ReferalId", &type, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(key.QueryValue("Missing", &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryKeyTest, StringsAreStoredExactlyAsWritten) {
  RegistryKey key;
  ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Software\\T"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetValue("Raw", REG_SZ, "abc", 3), ERROR_SUCCESS);
  ASSERT_EQ(key.SetValue("Empty", REG_EXPAND_SZ, nullptr, 0), ERROR_SUCCESS);
  ASSERT_EQ(key.SetValue("Inner", REG_SZ, "ab\0cd", 5), ERROR_SUCCESS);

  std::vector<std::uint8_t> bytes;
  ASSERT_EQ(key.QueryBinaryValue("Raw", bytes), ERROR_SUCCESS);
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{'a', 'b', 'c'}));
  ASSERT_EQ(key.QueryBinaryValue("Empty", bytes), ERROR_SUCCESS);
  EXPECT_TRUE(bytes.empty());

  std::string text;
  ASSERT_EQ(key.QueryStringValue("Raw", text), ERROR_SUCCESS);
  EXPECT_EQ(text, "abc") << "an unterminated string ends with its data";
  char buffer[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
  DWORD size = sizeof buffer;
  ASSERT_EQ(key.QueryValue("Raw", nullptr, buffer, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 3u);
  EXPECT_EQ(buffer[3], 'x') << "no terminator is made up";

  ASSERT_EQ(key.QueryStringValue("Inner", text), ERROR_SUCCESS);
  EXPECT_EQ(text, "ab");
  ASSERT_EQ(key.QueryStringValue("Empty", text), ERROR_SUCCESS);
  EXPECT_EQ(text, "");
  EXPECT_EQ(key.SetValue("Bad", REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(key.SetStringValue("Bad", "x", REG_DWORD), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryKeyTest, TypedGettersCheckTheType) {
  RegistryKey key;
  ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Software\\T"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetDWORDValue("Count", 0xA1B2C3D4), ERROR_SUCCESS);
  ASSERT_EQ(key.SetValue("Short", REG_DWORD, "\x01\x02", 2), ERROR_SUCCESS);
  const std::uint8_t barSize[] = {0x23, 0x01, 0, 0, 0, 0, 0, 0};
  ASSERT_EQ(key.SetBinaryValue("BarSize", barSize), ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue("", "default"), ERROR_SUCCESS);

  DWORD number = 0;
  ASSERT_EQ(key.QueryDWORDValue("count", number), ERROR_SUCCESS);
  EXPECT_EQ(number, 0xA1B2C3D4u);
  std::vector<std::uint8_t> bytes;
  ASSERT_EQ(key.QueryBinaryValue("Count", bytes), ERROR_SUCCESS);
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{0xD4, 0xC3, 0xB2, 0xA1})) << "little-endian";
  EXPECT_EQ(key.QueryDWORDValue("Short", number), ERROR_INVALID_DATA);
  EXPECT_EQ(key.QueryDWORDValue("BarSize", number), ERROR_UNSUPPORTED_TYPE);
  std::string text;
  EXPECT_EQ(key.QueryStringValue("Count", text), ERROR_UNSUPPORTED_TYPE);
  ASSERT_EQ(key.QueryStringValue("", text), ERROR_SUCCESS);
  EXPECT_EQ(text, "default");
  ASSERT_EQ(key.QueryBinaryValue("barsize", bytes), ERROR_SUCCESS);
  EXPECT_EQ(bytes, std::vector<std::uint8_t>(std::begin(barSize), std::end(barSize)));
}

TEST_F(RegistryKeyTest, DeleteValueAndTree) {
  RegistryKey key;
  ASSERT_EQ(key.Create(HKEY_CLASSES_ROOT, "CLSID\\{736FA7B4}\\InprocServer32"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue("", "module.dll"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue("ThreadingModel", "Apartment"), ERROR_SUCCESS);
  EXPECT_EQ(key.DeleteValue("threadingmodel"), ERROR_SUCCESS);
  EXPECT_EQ(key.DeleteValue("ThreadingModel"), ERROR_FILE_NOT_FOUND);
  std::string name;
  ASSERT_EQ(key.EnumValue(0, name), ERROR_SUCCESS);
  EXPECT_EQ(name, "");
  EXPECT_EQ(key.EnumValue(1, name), ERROR_NO_MORE_ITEMS);

  RegistryKey clsid;
  ASSERT_EQ(clsid.Create(HKEY_CLASSES_ROOT, "CLSID"), ERROR_SUCCESS);
  ASSERT_EQ(clsid.Create(HKEY_CLASSES_ROOT, "CLSID\\{Other}"), ERROR_SUCCESS);
  ASSERT_EQ(clsid.Open(HKEY_CLASSES_ROOT, "CLSID", KEY_ALL_ACCESS), ERROR_SUCCESS);
  EXPECT_EQ(clsid.DeleteSubKeyTree("{736fa7b4}"), ERROR_SUCCESS);
  EXPECT_EQ(clsid.DeleteSubKeyTree("{736fa7b4}"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(clsid.DeleteSubKeyTree(""), ERROR_INVALID_PARAMETER);
  ASSERT_EQ(clsid.EnumKey(0, name), ERROR_SUCCESS);
  EXPECT_EQ(name, "{Other}");
  EXPECT_EQ(clsid.EnumKey(1, name), ERROR_NO_MORE_ITEMS);

  RegistryKey gone;
  EXPECT_EQ(gone.Open(HKEY_CLASSES_ROOT, "CLSID\\{736FA7B4}\\InprocServer32"),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(DeleteRegistryTree(HKEY_CLASSES_ROOT, "clsid"), ERROR_SUCCESS);
  EXPECT_EQ(gone.Open(HKEY_CLASSES_ROOT, "CLSID"), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryKeyTest, HandleOfADeletedKeyAnswersKeyDeleted) {
  RegistryKey key;
  ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Software\\Doomed\\Child"), ERROR_SUCCESS);
  RegistryKey child;
  ASSERT_EQ(child.Create(key, "Grandchild"), ERROR_SUCCESS);
  ASSERT_EQ(DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\Doomed"), ERROR_SUCCESS);

  std::string text;
  std::vector<std::uint8_t> bytes;
  std::string name;
  DWORD size = 0;
  for (RegistryKey* handle : {&key, &child}) {
    EXPECT_EQ(handle->QueryValue("", nullptr, nullptr, &size), ERROR_KEY_DELETED);
    EXPECT_EQ(handle->QueryStringValue("", text), ERROR_KEY_DELETED);
    EXPECT_EQ(handle->SetStringValue("x", "y"), ERROR_KEY_DELETED);
    EXPECT_EQ(handle->DeleteValue("x"), ERROR_KEY_DELETED);
    EXPECT_EQ(handle->EnumKey(0, name), ERROR_KEY_DELETED);
    EXPECT_EQ(handle->EnumValue(0, name), ERROR_KEY_DELETED);
    EXPECT_EQ(handle->DeleteSubKeyTree("x"), ERROR_KEY_DELETED);
  }
  RegistryKey below;
  EXPECT_EQ(below.Create(key, "Again"), ERROR_KEY_DELETED);
  ASSERT_EQ(below.Create(HKEY_CURRENT_USER, "Software\\Doomed\\Child"), ERROR_SUCCESS);
  EXPECT_EQ(key.SetStringValue("x", "y"), ERROR_KEY_DELETED)
      << "a re-created key is a new key, not the old handle's";
}

TEST_F(RegistryKeyTest, HandlesOnlyDoWhatTheirAccessAllows) {
  RegistryKey writer;
  ASSERT_EQ(writer.Create(HKEY_CURRENT_USER, "Software\\T"), ERROR_SUCCESS);
  ASSERT_EQ(writer.SetStringValue("v", "1"), ERROR_SUCCESS);

  RegistryKey reader;
  ASSERT_EQ(reader.Open(HKEY_CURRENT_USER, "Software\\T", KEY_READ), ERROR_SUCCESS);
  std::string text;
  EXPECT_EQ(reader.QueryStringValue("v", text), ERROR_SUCCESS);
  EXPECT_EQ(reader.SetStringValue("v", "2"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(reader.DeleteValue("v"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(reader.DeleteSubKeyTree("x"), ERROR_ACCESS_DENIED);
  RegistryKey sub;
  EXPECT_EQ(sub.Create(reader, "New"), ERROR_ACCESS_DENIED);

  RegistryKey setOnly;
  ASSERT_EQ(setOnly.Open(HKEY_CURRENT_USER, "Software\\T", KEY_SET_VALUE), ERROR_SUCCESS);
  EXPECT_EQ(setOnly.QueryStringValue("v", text), ERROR_ACCESS_DENIED);
  std::string name;
  EXPECT_EQ(setOnly.EnumKey(0, name), ERROR_ACCESS_DENIED);
  EXPECT_EQ(setOnly.SetStringValue("v", "3"), ERROR_SUCCESS);
}

TEST_F(RegistryKeyTest, ReopeningThroughItselfAndMoving) {
  RegistryKey key;
  ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "A\\B"), ERROR_SUCCESS);
  ASSERT_EQ(key.Open(HKEY_CURRENT_USER, "A"), ERROR_SUCCESS);
  ASSERT_EQ(key.Open(key, "B"), ERROR_SUCCESS) << "the parent may be the handle itself";
  EXPECT_EQ(key.Open(key, "Missing"), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(key.IsOpen());

  ASSERT_EQ(key.Open(HKEY_CURRENT_USER, "A", KEY_ALL_ACCESS), ERROR_SUCCESS);
  RegistryKey moved = std::move(key);
  EXPECT_FALSE(key.IsOpen());  // NOLINT(bugprone-use-after-move): a moved-from handle is closed
  EXPECT_EQ(moved.SetDWORDValue("n", 1), ERROR_SUCCESS);
}

}  // namespace
}  // namespace platform
