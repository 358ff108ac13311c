#include "platform/text/CodePage.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(CodePage, AnsiRoundTripsEveryByte) {
  std::string all;
  for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(WideToAnsi(AnsiToWide(all)), all);
}

TEST(CodePage, AnsiHighControlsAreWindows1252) {
  EXPECT_EQ(AnsiToWide("\x80\x99\x9f\xe9"), (std::u16string{0x20AC, 0x2122, 0x0178, 0x00E9}));
  EXPECT_EQ(WideToAnsi(u"\u20AC\u4E2D\U0001F600"), "\x80??");
}

TEST(CodePage, Utf8Conversions) {
  struct Case {
    std::string utf8;
    std::u16string wide;
  };
  const Case cases[] = {
      {"", u""},
      {"a\xC3\xA9", u"a\u00E9"},
      {"\xE2\x82\xAC", u"\u20AC"},
      {"\xF0\x9F\x98\x80", u"\U0001F600"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToWide(c.utf8), c.wide);
    EXPECT_EQ(WideToUtf8(c.wide), c.utf8);
  }
}

TEST(CodePage, MalformedUtf8BecomesReplacement) {
  EXPECT_EQ(Utf8ToWide("\xC0\xAF"), u"\uFFFD\uFFFD");                      // overlong
  EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");            // encoded surrogate
  EXPECT_EQ(Utf8ToWide("ab\xE2\x82"), u"ab\uFFFD\uFFFD");                  // truncated
  EXPECT_EQ(Utf8ToWide("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // above U+10FFFF
}

TEST(CodePage, UnpairedSurrogateBecomesReplacement) {
  EXPECT_EQ(WideToUtf8(std::u16string{0xD800, u'x'}), "\xEF\xBF\xBDx");
  EXPECT_EQ(WideToUtf8(std::u16string{0xDC00}), "\xEF\xBF\xBD");
}

TEST(CodePage, AnsiLowerCase) {
  EXPECT_EQ(AnsiToLower("AbC\xC9\xD7\xDE\x8A\x9F"), "abc\xE9\xD7\xFE\x9A\xFF");
}

}  // namespace
}  // namespace platform
