#include "session/autologin/AutoLoginObjectName.h"

#include <gtest/gtest.h>

namespace session {
namespace {

using namespace std::string_literals;

TEST(AutoLoginObjectName, CarriesTheTokenAndTheSwitch) {
  EXPECT_EQ(AutoLoginObjectName("SSO-ALICE-7d1e2f", true),
            "autologin.aspx?sso=SSO-ALICE-7d1e2f&AutoLogin=1");
  EXPECT_EQ(AutoLoginObjectName("SSO-ALICE-7d1e2f", false),
            "autologin.aspx?sso=SSO-ALICE-7d1e2f&AutoLogin=0");
  EXPECT_EQ(AutoLoginObjectName("", true), "autologin.aspx?sso=&AutoLogin=1");
}

TEST(EscapeSsoToken, EncodesOnlyWhatWouldBreakTheRequestOrChangeItsMeaning) {
  struct Case {
    std::string token;
    std::string escaped;
  };
  const Case cases[] = {
      // Base64 and the other URL characters the site reads as they are.
      {"q+/w9=Az09", "q+/w9=Az09"},
      {"-._~!$'()*,;:@/?=+[]", "-._~!$'()*,;:@/?=+[]"},
      {"a b", "a%20b"},
      {"x\r\nX-Injected: 1", "x%0D%0AX-Injected:%201"},
      {"x&AutoLogin=1", "x%26AutoLogin=1"},
      {"x#fragment", "x%23fragment"},
      {"100%", "100%25"},
      {"%41", "%2541"},
      {"\"<>\\^`{|}", "%22%3C%3E%5C%5E%60%7B%7C%7D"},
      {"\0\x01\x1F\x20\x7F\x80\xFF"s, "%00%01%1F%20%7F%80%FF"},
      {"caf\xC3\xA9", "caf%C3%A9"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.token);
    EXPECT_EQ(EscapeSsoToken(c.token), c.escaped);
  }
}

TEST(EscapeSsoToken, LeavesEveryOtherPrintableByteAsWritten) {
  const std::string_view escaped = "\"#%&<>\\^`{|}";
  for (int byte = 0x21; byte < 0x7F; ++byte) {
    const std::string token(1, static_cast<char>(byte));
    SCOPED_TRACE(token);
    const bool mustEscape = escaped.find(static_cast<char>(byte)) != std::string_view::npos;
    EXPECT_EQ(EscapeSsoToken(token) == token, !mustEscape);
  }
}

}  // namespace
}  // namespace session
