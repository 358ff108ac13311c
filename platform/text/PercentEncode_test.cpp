#include "platform/text/PercentEncode.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

bool SpaceAndPercent(unsigned char byte) { return byte == ' ' || byte == '%'; }
bool Everything(unsigned char) { return true; }

TEST(PercentEncode, EncodesExactlyWhatTheRuleNamesWithUpperCaseDigits) {
  EXPECT_EQ(PercentEncode("", Everything), "");
  EXPECT_EQ(PercentEncode("a b%c", SpaceAndPercent), "a%20b%25c");
  EXPECT_EQ(PercentEncode(std::string_view("\0\xFF\x7F", 3), Everything), "%00%FF%7F");
  EXPECT_EQ(PercentEncode("\xC3\xA9", Everything), "%C3%A9") << "each byte on its own";
}

TEST(PercentDecode, DecodesEveryValidEscapeAndLeavesTheRest) {
  EXPECT_EQ(PercentDecode("C:/Program%20Files/a%2fb%2Fc"), "C:/Program Files/a/b/c");
  EXPECT_EQ(PercentDecode("%00%ff"), std::string("\0\xFF", 2));
  EXPECT_EQ(PercentDecode("100% %zz %4 %"), "100% %zz %4 %");
  EXPECT_EQ(PercentDecode("%2541"), "%41") << "decoded once";
  EXPECT_EQ(PercentDecode(PercentEncode("a b%c\xE9", Everything)), "a b%c\xE9");
}

}  // namespace
}  // namespace platform
