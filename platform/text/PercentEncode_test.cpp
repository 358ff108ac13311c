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

}  // namespace
}  // namespace platform
