#include "session/sidebar/ClickUrl.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace session {
namespace {

TEST(ClickActionUrl, AcceptsHttpAndHttpsInAnyCase) {
  for (const char16_t* url : {u"http://click.example/c?ad=1", u"https://click.example/",
                              u"HTTP://CLICK.EXAMPLE/", u"HtTpS://click.example/", u"http://"}) {
    EXPECT_EQ(ClickActionUrl(soap::SoapString(url)), std::optional<std::u16string>(url));
  }
}

TEST(ClickActionUrl, RefusesEveryOtherScheme) {
  EXPECT_EQ(ClickActionUrl(std::nullopt), std::nullopt);
  for (const char16_t* url :
       {u"", u"javascript:alert(1)", u"JaVaScRiPt:alert(1)", u"data:text/html,<b>x</b>",
        u"vbscript:msgbox(1)", u"ftp://click.example/", u"file:///C:/x", u"//click.example/",
        u"/relative", u"http:click.example", u"http:/click.example", u"https:click.example",
        u" http://click.example/", u"\thttp://click.example/", u"httpx://click.example/",
        u"http\u0131://click.example/", u"javascript://http://click.example/"}) {
    EXPECT_EQ(ClickActionUrl(soap::SoapString(url)), std::nullopt);
  }
}

TEST(ClickActionUrl, PercentEncodesWhatItAccepts) {
  EXPECT_EQ(ClickActionUrl(soap::SoapString(u"http://x/a'b\"c\\d\ne \u00e9")),
            std::optional<std::u16string>(u"http://x/a%27b%22c%5Cd%0Ae%20%C3%A9"));
}

}  // namespace
}  // namespace session
