#include "platform/registry/RegistryFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <numeric>

#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"

namespace platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes BytesOf(std::string_view text) { return Bytes(text.begin(), text.end()); }

struct StoredValue {
  DWORD type = REG_NONE;
  Bytes bytes;
  friend bool operator==(const StoredValue&, const StoredValue&) = default;
};

StoredValue Read(HKEY root, std::string_view path, std::string_view name) {
  RegistryKey key;
  StoredValue stored;
  EXPECT_EQ(key.Open(root, path), ERROR_SUCCESS) << path;
  DWORD size = 0;
  EXPECT_EQ(key.QueryValue(name, &stored.type, nullptr, &size), ERROR_SUCCESS) << name;
  stored.bytes.resize(size);
  EXPECT_EQ(key.QueryValue(name, nullptr, stored.bytes.data(), &size), ERROR_SUCCESS);
  return stored;
}

class RegistryFileTest : public ::testing::Test {
 protected:
  ScopedRegistryReset reset_;
};

TEST_F(RegistryFileTest, WritesRegeditText) {
  RegistryKey key;
  ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Software\\V"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue("", "d \"q\" C:\\x"), ERROR_SUCCESS);
  ASSERT_EQ(key.SetDWORDValue("n", 10), ERROR_SUCCESS);
  const std::uint8_t bytes[] = {0x01, 0xFF};
  ASSERT_EQ(key.SetBinaryValue("a\\b", bytes), ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue("e", "%A", REG_EXPAND_SZ), ERROR_SUCCESS);
  ASSERT_EQ(key.SetStringValue("caf\xE9", "\x80"), ERROR_SUCCESS);

  EXPECT_EQ(FormatRegistryText(),
            "Windows Registry Editor Version 5.00\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Software]\r\n"
            "\r\n"
            "[HKEY_CURRENT_USER\\Software\\V]\r\n"
            "@=\"d \\\"q\\\" C:\\\\x\"\r\n"
            "\"n\"=dword:0000000a\r\n"
            "\"a\\\\b\"=hex:01,ff\r\n"
            "\"e\"=hex(2):25,00,41,00,00,00\r\n"
            "\"caf\xC3\xA9\"=\"\xE2\x82\xAC\"\r\n"
            "\r\n");
}

TEST_F(RegistryFileTest, EveryValueRoundTripsExactly) {
  Bytes everyByte(256);
  std::iota(everyByte.begin(), everyByte.end(), std::uint8_t{0});
  struct Case {
    const char* what;
    const char* path;
    std::string name;
    DWORD type;
    Bytes bytes;
  };
  const Case cases[] = {
      {"plain string", "Software\\V", "MemberId", REG_SZ, BytesOf(std::string_view("abc\0", 4))},
      {"empty string", "Software\\V", "SSO", REG_SZ, Bytes{0}},
      {"default value", "Software\\V", "", REG_SZ, BytesOf(std::string_view("d\0", 2))},
      {"escapes", "Software\\V", "q\"\\", REG_SZ, BytesOf(std::string_view("\\\"\\\\\"\0", 6))},
      {"ANSI high bytes", "Software\\\xC9t\xE9", "\x80\x81\xFF", REG_SZ,
       BytesOf(std::string_view("\x80\x81\x8D\x9F\xA0\xFF\0", 7))},
      {"line breaks", "Software\\V", "multi", REG_SZ, BytesOf(std::string_view("a\r\nb\0", 5))},
      {"inner NUL", "Software\\V", "nul", REG_SZ, BytesOf(std::string_view("a\0b\0", 4))},
      {"expandable", "Software\\V", "Path", REG_EXPAND_SZ,
       BytesOf(std::string_view("%ProgramFiles%\\V\0", 17))},
      {"dword zero", "Software\\V", "z", REG_DWORD, Bytes{0, 0, 0, 0}},
      {"dword max", "Software\\V", "m", REG_DWORD, Bytes{0xFF, 0xFF, 0xFF, 0xFF}},
      {"short dword", "Software\\V", "s", REG_DWORD, Bytes{1, 2}},
      {"empty binary", "Software\\V", "eb", REG_BINARY, Bytes{}},
      {"every byte", "Software\\V", "all", REG_BINARY, everyByte},
      {"other type", "Software\\V", "qword", 11, Bytes{1, 2, 3, 4, 5, 6, 7, 8}},
      {"odd key name", "Software\\[odd] key", "v", REG_BINARY, Bytes{7}},
      {"root value", "", "onRoot", REG_BINARY, Bytes{9}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetRegistry();
    RegistryKey key;
    ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, c.path), ERROR_SUCCESS);
    ASSERT_EQ(key.SetValue(c.name, c.type, c.bytes.data(), static_cast<DWORD>(c.bytes.size())),
              ERROR_SUCCESS);
    const std::string text = FormatRegistryText();

    ResetRegistry();
    std::size_t skipped = 99;
    ASSERT_EQ(ImportRegistryText(text, &skipped), ERROR_SUCCESS);
    EXPECT_EQ(skipped, 0u) << text;
    EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, c.path, c.name), (StoredValue{c.type, c.bytes})) << text;
    EXPECT_EQ(FormatRegistryText(), text);
  }
}

TEST_F(RegistryFileTest, MalformedLinesAreSkippedAndCounted) {
  const char* bad[] = {
      "\"a\"=dword:123456789",
      "\"a\"=dword:",
      "\"a\"=dword:xyz",
      "\"a\"=hex:0g",
      "\"a\"=hex:01,",
      "\"a\"=hex:123",
      "\"a\"=hex(2):41",
      "\"a\"=hex(zz):01",
      "\"a\"=hex(2:01",
      "\"a\"=\"unterminated",
      "\"a\"=\"x\" trailing",
      "\"a\"=\"bad\\escape\"",
      "\"a\"=text",
      "\"a\"",
      "\"a\"=",
      "=\"x\"",
      "\"unterminated=\"x\"",
      "garbage",
      "[HKEY_CURRENT_USER\\Software\\V",
      "[HKEY_CURRENT_USER\\Software\\V] tail",
  };
  for (const char* line : bad) {
    SCOPED_TRACE(line);
    ResetRegistry();
    const std::string text = std::string("Windows Registry Editor Version 5.00\n\n") +
                             "[HKEY_CURRENT_USER\\Software\\V]\n" + line + "\n\"ok\"=dword:1\n";
    std::size_t skipped = 0;
    ASSERT_EQ(ImportRegistryText(text, &skipped), ERROR_SUCCESS);
    const bool brokenSection = std::string_view(line).starts_with("[");
    EXPECT_EQ(skipped, brokenSection ? 2u : 1u);
    RegistryKey key;
    ASSERT_EQ(key.Open(HKEY_CURRENT_USER, "Software\\V"), ERROR_SUCCESS);
    DWORD ok = 0;
    if (brokenSection) {
      EXPECT_EQ(key.QueryDWORDValue("ok", ok), ERROR_FILE_NOT_FOUND)
          << "values after a broken section have no key to go to";
    } else {
      EXPECT_EQ(key.QueryDWORDValue("ok", ok), ERROR_SUCCESS);
      EXPECT_EQ(ok, 1u);
      DWORD size = 0;
      EXPECT_EQ(key.QueryValue("a", nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    }
  }
}

TEST_F(RegistryFileTest, ValuesWithoutAUsableSectionAreSkipped) {
  std::size_t skipped = 0;
  ASSERT_EQ(ImportRegistryText("Windows Registry Editor Version 5.00\r\n"
                               "\"early\"=dword:1\r\n"
                               "[HKEY_NOWHERE\\Software]\r\n"
                               "\"lost\"=dword:2\r\n",
                               &skipped),
            ERROR_SUCCESS);
  EXPECT_EQ(skipped, 3u);
}

TEST_F(RegistryFileTest, RefusesTextWithoutTheHeader) {
  const char* texts[] = {"", "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n",
                         "[HKEY_CURRENT_USER\\A]\r\nWindows Registry Editor Version 5.00\r\n"};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ImportRegistryText(text), ERROR_INVALID_DATA);
    RegistryKey key;
    EXPECT_EQ(key.Open(HKEY_CURRENT_USER, "A"), ERROR_FILE_NOT_FOUND);
  }
}

TEST_F(RegistryFileTest, ReadsWhatRegeditWrites) {
  const std::string text =
      "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n"
      "\n"
      "; exported by hand\n"
      "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Explorer Bars\\{21B3866C}]\n"
      "\"BarSize\"=hex:23,01,00,00,\\\n"
      "  00,00,00,00\n"
      "\"Count\"=dword:A\n"
      "[hkey_classes_root\\Gone]\n"
      "[-HKEY_CLASSES_ROOT\\GONE]\n"
      "[-HKEY_CLASSES_ROOT\\NeverWas]\n";
  std::size_t skipped = 99;
  ASSERT_EQ(ImportRegistryText(text, &skipped), ERROR_SUCCESS);
  EXPECT_EQ(skipped, 0u);
  const char* bars = "Software\\Microsoft\\Internet Explorer\\Explorer Bars\\{21B3866C}";
  EXPECT_EQ(Read(HKEY_CURRENT_USER, bars, "BarSize"),
            (StoredValue{REG_BINARY, Bytes{0x23, 0x01, 0, 0, 0, 0, 0, 0}}));
  EXPECT_EQ(Read(HKEY_CURRENT_USER, bars, "Count"), (StoredValue{REG_DWORD, Bytes{10, 0, 0, 0}}));
  RegistryKey gone;
  EXPECT_EQ(gone.Open(HKEY_CLASSES_ROOT, "Gone"), ERROR_FILE_NOT_FOUND);

  ASSERT_EQ(ImportRegistryText("Windows Registry Editor Version 5.00\n"
                               "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\"
                               "Explorer Bars\\{21B3866C}]\n\"Count\"=-\n\"Absent\"=-\n",
                               &skipped),
            ERROR_SUCCESS);
  EXPECT_EQ(skipped, 0u);
  RegistryKey key;
  ASSERT_EQ(key.Open(HKEY_CURRENT_USER, bars), ERROR_SUCCESS);
  DWORD count = 0;
  EXPECT_EQ(key.QueryDWORDValue("Count", count), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryFileTest, ImportObeysDenials) {
  DenyRegistryWrite(HKEY_CURRENT_USER, "Software\\Locked");
  std::size_t skipped = 0;
  ASSERT_EQ(ImportRegistryText("Windows Registry Editor Version 5.00\n"
                               "[HKEY_CURRENT_USER\\Software\\Locked]\n\"v\"=dword:1\n",
                               &skipped),
            ERROR_SUCCESS);
  EXPECT_EQ(skipped, 2u);
}

TEST_F(RegistryFileTest, SavesAndLoadsFiles) {
  const std::filesystem::path directory =
      std::filesystem::path(::testing::TempDir()) / "vimaru_registry_file_test";
  std::filesystem::remove_all(directory);
  std::filesystem::create_directories(directory);
  const std::filesystem::path file = directory / "user.reg";

  RegistryKey key;
  ASSERT_EQ(key.Create(HKEY_CURRENT_USER, "Software\\Vimaru Group Inc\\VimaruIEToolbar"),
            ERROR_SUCCESS);
  const std::string layout = "<toolband>\n  <button caption=\"\xE9\"/>\n</toolband>";
  ASSERT_EQ(key.SetBinaryValue("ToolBandLayout", BytesOf(layout)), ERROR_SUCCESS);
  ASSERT_EQ(SaveRegistryFile(file), ERROR_SUCCESS);
  EXPECT_FALSE(std::filesystem::exists(directory / "user.reg.saving"));

  ResetRegistry();
  ASSERT_EQ(LoadRegistryFile(file), ERROR_SUCCESS);
  EXPECT_EQ(
      Read(HKEY_CURRENT_USER, "Software\\Vimaru Group Inc\\VimaruIEToolbar", "ToolBandLayout"),
      (StoredValue{REG_BINARY, BytesOf(layout)}));

  EXPECT_EQ(LoadRegistryFile(directory / "missing.reg"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(SaveRegistryFile(directory / "no such dir" / "x.reg"), ERROR_ACCESS_DENIED);
  std::filesystem::remove_all(directory);
}

}  // namespace
}  // namespace platform
