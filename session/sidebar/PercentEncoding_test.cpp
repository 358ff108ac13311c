#include "session/sidebar/PercentEncoding.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace session {
namespace {

std::u16string Encoded(char16_t unit) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  return {u'%', kHex[unit >> 4], kHex[unit & 0x0F]};
}

bool IsUnreserved(char16_t unit) {
  return (unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z') ||
         (unit >= u'0' && unit <= u'9') ||
         std::u16string_view(u"-._~").find(unit) != std::u16string_view::npos;
}

TEST(PercentEncodeUrl, EncodesExactlyTheUnsafeAsciiBytes) {
  constexpr std::u16string_view kUnsafe = u"\"'<>\\`{|}^";
  for (char16_t unit = 0; unit < 0x80; ++unit) {
    const bool unsafe = unit <= 0x20 || unit == 0x7F || kUnsafe.find(unit) != kUnsafe.npos;
    EXPECT_EQ(PercentEncodeUrl(std::u16string_view(&unit, 1)),
              unsafe ? Encoded(unit) : std::u16string(1, unit))
        << "unit " << static_cast<int>(unit);
  }
}

TEST(PercentEncodeUrl, KeepsTheShapeOfAnAlreadyEncodedAddress) {
  const std::u16string_view url = u"http://a.example:8080/p%20q;x?y=%2F&z=(1)*!$,+@#frag";
  EXPECT_EQ(PercentEncodeUrl(url), url);
}

TEST(PercentEncodeUrl, EncodesOtherTextAsUtf8) {
  EXPECT_EQ(PercentEncodeUrl(u"\u00e9\u20ac\U0001F600"), u"%C3%A9%E2%82%AC%F0%9F%98%80");
  const char16_t unpaired[] = {u'a', 0xDC00, u'b'};
  EXPECT_EQ(PercentEncodeUrl(std::u16string_view(unpaired, 3)), u"a%EF%BF%BDb");
}

TEST(PercentEncodeQueryValue, KeepsOnlyTheUnreservedCharacters) {
  for (char16_t unit = 0; unit < 0x80; ++unit) {
    EXPECT_EQ(PercentEncodeQueryValue(std::u16string_view(&unit, 1)),
              IsUnreserved(unit) ? std::u16string(1, unit) : Encoded(unit))
        << "unit " << static_cast<int>(unit);
  }
  EXPECT_EQ(PercentEncodeQueryValue(u"a&b=c#d \u00e9"), u"a%26b%3Dc%23d%20%C3%A9");
}

}  // namespace
}  // namespace session
