#include "platform/internet/RequestText.h"

#include <gtest/gtest.h>

namespace platform::internet {
namespace {

using namespace std::string_literals;

TEST(RequestTargetOf, RootsEscapesOrRefusesTheObjectName) {
  struct Case {
    std::string objectName;
    std::optional<std::string> target;
  };
  const Case cases[] = {
      {"", "/"},
      {"/", "/"},
      {"page.aspx?a=1&b=2", "/page.aspx?a=1&b=2"},
      {"/a b", "/a%20b"},
      {"\xFF\x80", "/%FF%80"},
      {"%41+/=#?:@!$'()*,;~", "/%41+/=#?:@!$'()*,;~"},
      {"a\r\nHost: evil", std::nullopt},
      {"a\nb", std::nullopt},
      {"a\rb", std::nullopt},
      {"tab\there", std::nullopt},
      {"nul\0here"s, std::nullopt},
      {"del\x7F", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.objectName);
    EXPECT_EQ(RequestTargetOf(c.objectName), c.target);
  }
}

TEST(IsPlainServerName, TakesHostNamesAndAddressesOnly) {
  EXPECT_TRUE(IsPlainServerName("www.vimaru.com"));
  EXPECT_TRUE(IsPlainServerName("127.0.0.1"));
  EXPECT_TRUE(IsPlainServerName("my_host-2"));
  EXPECT_TRUE(IsPlainServerName(std::string(255, 'a')));
  for (const std::string& name :
       {""s, std::string(256, 'a'), "a b"s, "evil.com/x"s, "a:80"s, "user@host"s, "host\r\nX: y"s,
        "[::1]"s, "h\xC3\xA9"s, "a?b"s, "a#b"s}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(IsPlainServerName(name));
  }
}

TEST(IsToken, TakesVerbsAndHeaderNames) {
  EXPECT_TRUE(IsToken("GET"));
  EXPECT_TRUE(IsToken("X-Custom_Header.1"));
  for (const std::string& text : {""s, "GE T"s, "GET\r\n"s, "Name:"s, "a(b)"s, "\xC3\xA9"s}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(IsToken(text));
  }
}

TEST(SplitHeaderLines, SplitsAtCrLfAndRefusesAnyOtherLineBreak) {
  struct Case {
    std::string headers;
    std::optional<std::vector<std::string>> lines;
  };
  const Case cases[] = {
      {"", std::vector<std::string>{}},
      {"\r\n\r\n", std::vector<std::string>{}},
      {"A: 1", std::vector<std::string>{"A: 1"}},
      {"A: 1\r\nB:\tx y\r\n\r\n", std::vector<std::string>{"A: 1", "B:\tx y"}},
      {"Empty:", std::vector<std::string>{"Empty:"}},
      {"A: 1\nB: 2", std::nullopt},
      {"A: 1\rB: 2", std::nullopt},
      {"A: 1\r\n\nB: 2", std::nullopt},
      {"A: 1\r\r\nB: 2", std::nullopt},
      {"A: 1\0B: 2"s, std::nullopt},
      {"No colon here", std::nullopt},
      {": no name", std::nullopt},
      {" Folded: x", std::nullopt},
      {"Bad Name: x", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.headers);
    EXPECT_EQ(SplitHeaderLines(c.headers), c.lines);
  }
}

}  // namespace
}  // namespace platform::internet
