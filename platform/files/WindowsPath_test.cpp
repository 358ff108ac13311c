#include "platform/files/WindowsPath.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

struct PathCase {
  const char* input;
  const char* expected;  // nullptr: refused
};

TEST(NormalizeWindowsPath, Table) {
  const PathCase cases[] = {
      {"C:\\Program Files\\Vimaru\\x.dll", "C:\\Program Files\\Vimaru\\x.dll"},
      {"c:/dir/x.xml", "C:\\dir\\x.xml"},
      {"C:\\dir\\\\sub\\.\\x", "C:\\dir\\sub\\x"},
      {"C:\\dir\\sub\\..\\x", "C:\\dir\\x"},
      {"C:\\dir\\", "C:\\dir"},
      {"C:\\", "C:\\"},
      {"C:", "C:\\"},
      {"d:\\", "D:\\"},
      {"C:\\..\\x", nullptr},
      {"C:\\a\\..\\..\\x", nullptr},
      {"C:\\a\\..\\..\\..\\etc\\passwd", nullptr},
      {"C:dir\\x", nullptr},
      {"dir\\x", nullptr},
      {"\\\\server\\share\\x", nullptr},
      {"", nullptr},
      {"1:\\x", nullptr},
      {"C:\\a*b", nullptr},
      {"C:\\a:b", nullptr},
      {"C:\\a\nb", nullptr},
  };
  for (const auto& c : cases) {
    const auto result = NormalizeWindowsPath(c.input);
    if (c.expected == nullptr) {
      EXPECT_FALSE(result.has_value()) << c.input;
    } else {
      ASSERT_TRUE(result.has_value()) << c.input;
      EXPECT_EQ(*result, c.expected) << c.input;
    }
  }
}

TEST(NormalizeWindowsPath, EmbeddedNulIsRefused) {
  EXPECT_FALSE(NormalizeWindowsPath(std::string_view("C:\\a\0b", 6)).has_value());
}

TEST(FileUrlToWindowsPath, Table) {
  const PathCase cases[] = {
      {"file:///C:/dir/x.xml", "C:\\dir\\x.xml"},
      {"file://C:\\dir\\x.xml", "C:\\dir\\x.xml"},
      {"FILE:///c:/dir/x.xml", "C:\\dir\\x.xml"},
      {"file://localhost/C:/x.xml", "C:\\x.xml"},
      {"file:///C|/x.xml", "C:\\x.xml"},
      {"file:///C:/Program%20Files/x%41.xml", "C:\\Program Files\\xA.xml"},
      {"file:///C:/100%/x", "C:\\100%\\x"},
      {"file:///C:/a/%2e%2e/%2e%2e/x", nullptr},
      {"file:///C:/a%00b", nullptr},
      {"C:\\plain\\path.xml", "C:\\plain\\path.xml"},
      {"file://server/share/x", nullptr},
      {"http://host/x.xml", nullptr},
      {"res://C:\\x.dll/a.xml", nullptr},
  };
  for (const auto& c : cases) {
    const auto result = FileUrlToWindowsPath(c.input);
    if (c.expected == nullptr) {
      EXPECT_FALSE(result.has_value()) << c.input;
    } else {
      ASSERT_TRUE(result.has_value()) << c.input;
      EXPECT_EQ(*result, c.expected) << c.input;
    }
  }
}

TEST(SameWindowsPath, ComparesCanonicalFormsIgnoringCase) {
  EXPECT_TRUE(SameWindowsPath("c:/program files/X.DLL", "C:\\Program Files\\x.dll"));
  EXPECT_FALSE(SameWindowsPath("C:\\a\\x.dll", "C:\\b\\x.dll"));
  EXPECT_FALSE(SameWindowsPath("relative", "relative"));
}

TEST(ParentDirectory, KeepsTheDriveRootBackslash) {
  EXPECT_EQ(ParentDirectory("C:\\a\\b.dll"), "C:\\a");
  EXPECT_EQ(ParentDirectory("C:\\b.dll"), "C:\\");
  EXPECT_EQ(FileNamePart("C:\\a\\b.dll"), "b.dll");
  EXPECT_EQ(FileNamePart("C:/a/b.dll"), "b.dll");
}

TEST(MatchesWildcard, Table) {
  struct Case {
    const char* pattern;
    const char* name;
    bool matches;
  };
  const Case cases[] = {
      {"*.dll", "Plugin.dll", true},
      {"*.dll", "PLUGIN.DLL", true},
      {"*.dll", "plugin.dll.txt", false},
      {"*.dll", ".dll", true},
      {"*.dll", "plugin.dl", false},
      {"tmp?????.*.xml", "tmp00001.260.xml", true},
      {"a*b*c", "aXXbYYc", true},
      {"a*b*c", "aXXcYYb", false},
      {"*", "", true},
      {"?", "", false},
      {"\xC9*", "\xE9t\xE9", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " vs " << c.name;
  }
}

}  // namespace
}  // namespace platform
