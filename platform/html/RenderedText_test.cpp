#include "platform/html/HtmlTestSupport.h"
#include "platform/html/PageDecoding.h"

namespace platform::html {
namespace {

using testing::Body;
using testing::InnerText;
using testing::LoadedDocument;

TEST(InnerText, RendersPagesAsABrowserShowsThem) {
  struct Case {
    const char* body;
    const char16_t* text;
  };
  const Case cases[] = {
      {"Hello   <b>big</b>\n\t world", u"Hello big world"},
      {"<p>One</p><p>Two</p>", u"One\r\nTwo"},
      {"<div>  <div>Nested</div>  </div>after", u"Nested\r\nafter"},
      {"a<br>b<br><br>c", u"a\r\nb\r\n\r\nc"},
      {"before<script>var hidden = 1;</script><style>p{}</style>after", u"beforeafter"},
      {"<!-- comment -->x<noscript>no</noscript>y", u"xy"},
      {"<ul><li>first</li><li>second</li></ul>", u"first\r\nsecond"},
      {"<table><tr><td>a</td><td>b</td></tr><tr><td>c</td></tr></table>", u"a\tb\r\nc"},
      {"<pre>  kept\n  as is</pre>", u"  kept\r\n  as is"},
      {"x&nbsp;&nbsp;y", u"x  y"},
      {"<span>Hel</span><span>lo</span> <i> World </i>", u"Hello World"},
      {"<iframe src='x.htm'>fallback</iframe>text", u"text"},
      {"", u""},
  };
  for (const Case& c : cases) {
    auto document = LoadedDocument(std::string("<html><body>") + c.body + "</body></html>");
    EXPECT_EQ(InnerText(Body(document.Get()).Get()), c.text) << c.body;
  }
}

TEST(InnerText, HeadAndTitleAreNotBodyText) {
  auto document = LoadedDocument(
      "<html><head><title>Title</title><script>x()</script></head><body>Body</body></html>");
  EXPECT_EQ(InnerText(Body(document.Get()).Get()), u"Body");
  Bstr title;
  ASSERT_EQ(document->get_title(title.Receive()), S_OK);
  EXPECT_EQ(title.View(), u"Title");
}

TEST(PageDecoding, PicksTheCharsetAsABrowserDoes) {
  struct Case {
    const char* situation;
    std::string bytes;
    const char* declared;
    const char16_t* text;
  };
  const Case cases[] = {
      {"windows-1252 by default", "<body>caf\xE9 \x80</body>", "", u"caf\u00E9 \u20AC"},
      {"valid UTF-8 sniffed", "<body>caf\xC3\xA9</body>", "", u"caf\u00E9"},
      {"header wins over sniffing", "<body>caf\xC3\xA9</body>", "windows-1252", u"caf\u00C3\u00A9"},
      {"meta charset", "<meta charset=\"utf-8\"><body>\xE2\x82\xAC</body>", "", u"\u20AC"},
      {"meta http-equiv in Latin",
       "<meta http-equiv=Content-Type content='text/html; "
       "charset=iso-8859-1'><body>\xC3\xA9</body>",
       "", u"\u00C3\u00A9"},
      {"UTF-8 byte-order mark", "\xEF\xBB\xBF<body>\xC3\xA9</body>", "windows-1252", u"\u00E9"},
      {"UTF-16LE byte-order mark", std::string("\xFF\xFE<\0b\0>\0\xE9\0", 10), "", u"\u00E9"},
      {"malformed UTF-8 declared", "<body>a\xFFz</body>", "utf-8", u"a\uFFFDz"},
  };
  for (const Case& c : cases) {
    auto document = Make<HtmlDocument>(u"about:blank");
    document->LoadPage(c.bytes, c.declared);
    EXPECT_EQ(InnerText(Body(document.Get()).Get()), c.text) << c.situation;
  }
  EXPECT_EQ(CharsetOfContentType("text/html; charset=\"UTF-8\""), "UTF-8");
  EXPECT_EQ(CharsetOfContentType("text/html"), "");
}

}  // namespace
}  // namespace platform::html
