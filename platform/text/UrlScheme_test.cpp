#include "platform/text/UrlScheme.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(UrlSchemeOf, TellsSchemesFromDrivesAndPaths) {
  const struct {
    std::string_view location;
    std::optional<std::string_view> scheme;
  } cases[] = {
      {"http://127.0.0.1:1/x.xml", "http"},
      {"FTP://x/", "FTP"},
      {"about:blank", "about"},
      {"res://C:\\m.dll/ToolBandLayout.xml", "res"},
      {"file:///C:/x.xml", "file"},
      {"svn+ssh://host/x", "svn+ssh"},
      {"C:\\dir\\x.xml", std::nullopt},
      {"c:/dir/x.xml", std::nullopt},
      {"layouts/mine.xml", std::nullopt},
      {"/tmp/a:b.xml", std::nullopt},
      {"dir/a:b.xml", std::nullopt},
      {"1abc:x", std::nullopt},
      {":x", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(UrlSchemeOf(c.location), c.scheme) << c.location;
}

TEST(HasUrlScheme, IgnoresCaseOfTheLocationOnly) {
  EXPECT_TRUE(HasUrlScheme("RES://x", "res"));
  EXPECT_TRUE(HasUrlScheme("file:x", "file"));
  EXPECT_FALSE(HasUrlScheme("files://x", "file"));
  EXPECT_FALSE(HasUrlScheme("C:\\x", "c"));
  EXPECT_FALSE(HasUrlScheme("x", "x"));
}

}  // namespace
}  // namespace platform
