#include "platform/html/PageParser.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/html/HtmlElement.h"
#include "platform/html/HtmlTestSupport.h"
#include "platform/text/CodePage.h"

namespace platform::html {
namespace {

using testing::Body;
using testing::ById;
using testing::InnerHtml;
using testing::InnerText;
using testing::LoadedDocument;

std::string Repeated(std::string_view piece, int count) {
  std::string text;
  text.reserve(piece.size() * static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}

// Elements between `element` and the document's root, both counted.
int Depth(IHTMLElement* element) {
  int depth = 0;
  ComPtr<IHTMLElement> at(element);
  while (at) {
    ++depth;
    ComPtr<IHTMLElement> parent;
    if (FAILED(at->get_parentElement(parent.ReleaseAndGetAddressOf()))) break;
    at = parent;
  }
  return depth;
}

bool FindsInBody(HtmlDocument* document, std::u16string_view text) {
  ComPtr<IHTMLTxtRange> range;
  ComPtr<IHTMLBodyElement> body;
  EXPECT_EQ(Body(document).As(&body), S_OK);
  EXPECT_EQ(body->createTextRange(range.ReleaseAndGetAddressOf()), S_OK);
  VARIANT_BOOL found = VARIANT_FALSE;
  EXPECT_EQ(range->findText(Bstr(text).Get(), 0, 0, &found), S_OK);
  return found != VARIANT_FALSE;
}

TEST(PageParser, DeepPagesKeepAllTheirTextInOrder) {
  struct Case {
    const char* name;
    std::string page;
    std::u16string text;
  };
  const Case cases[] = {
      {"300 nested blocks",
       "<body>" + Repeated("<div>", 300) + "deep text" + Repeated("</div>", 300) + "after</body>",
       u"deep text\r\nafter"},
      {"just within the bound, nesting and all",
       "<body>" + Repeated("<div>", kMaximumOpenElements - 3) + "deep" +
           Repeated("</div>", kMaximumOpenElements - 3) + "after</body>",
       u"deep\r\nafter"},
      {"text at every level",
       "<body>" + Repeated("<span>a", 1500) + "z" + Repeated("</span>b", 1500) + "</body>",
       std::u16string(1500, u'a') + u"z" + std::u16string(1500, u'b')},
      {"a start tag cut off at the end", "<body>" + Repeated("<b>", 600) + "end<i class='x",
       u"end"},
      {"stray end tags", Repeated("<div>", 3000) + "x" + Repeated("</span>", 3000) + "y", u"xy"},
  };
  for (const Case& c : cases) {
    auto document = LoadedDocument(c.page);
    EXPECT_EQ(InnerText(Body(document.Get()).Get()), c.text) << c.name;
  }
}

TEST(PageParser, NoElementIsDeeperThanTheBound) {
  auto document = LoadedDocument("<body>" + Repeated("<div>", 100000) + "<p id='last'>deepest</p>" +
                                 Repeated("</div>", 100000) + "after</body>");
  ComPtr<IHTMLElement> last = ById(document.Get(), u"last");
  ASSERT_TRUE(last);
  EXPECT_LE(Depth(last.Get()), kMaximumOpenElements);
  EXPECT_EQ(InnerText(last.Get()), u"deepest");
  EXPECT_TRUE(FindsInBody(document.Get(), u"deepest"));
  EXPECT_TRUE(FindsInBody(document.Get(), u"after"));
  Bstr html;
  ASSERT_EQ(Body(document.Get())->get_innerHTML(html.Receive()), S_OK);
  EXPECT_NE(html.View().find(u"<p id=\"last\">deepest</p>"), std::u16string_view::npos);
}

TEST(PageParser, AttributesAndMarkupPastTheBoundAreKept) {
  auto document = LoadedDocument("<body>" + Repeated("<div class='level'>", 700) +
                                 "<a id='deep' href='/x'>link <b>text</b></a> &amp; more</body>");
  ComPtr<IHTMLElement> deep = ById(document.Get(), u"deep");
  ASSERT_TRUE(deep);
  EXPECT_EQ(InnerText(deep.Get()), u"link text");
  Variant href;
  ASSERT_EQ(deep->getAttribute(Bstr(u"href").Get(), 0, href.Receive()), S_OK);
  EXPECT_EQ(VariantText(href), u"/x");
  EXPECT_EQ(InnerText(Body(document.Get()).Get()), u"link text & more");
}

TEST(PageParser, DeepFragmentsKeepTheirTextToo) {
  auto document = LoadedDocument("<body><div id='box'></div></body>");
  ComPtr<IHTMLElement> box = ById(document.Get(), u"box");
  ASSERT_TRUE(box);
  const std::string fragment = Repeated("<i>", 2000) + "inner" + Repeated("</i>", 2000) + "tail";
  ASSERT_EQ(box->put_innerHTML(Bstr(std::u16string(fragment.begin(), fragment.end())).Get()), S_OK);
  EXPECT_EQ(InnerText(box.Get()), u"innertail");
}

// Long text is kept in pieces; none of that may show.
TEST(PageParser, LongTextReadsAsOneText) {
  std::string words;
  std::u16string rendered;
  for (int i = 0; i < 400; ++i) {
    // Runs of blanks of every length, and characters of one to four bytes,
    // fall on every cut the pieces could have.
    words += "w\xC3\xA9rd" + std::string(1 + i % 7, i % 2 == 0 ? ' ' : '\n') +
             "\xE2\x82\xAC\xF0\x9F\x90\x8B";
    rendered += std::u16string(u"w\u00E9rd \u20AC\U0001F40B");
  }
  const std::string blanks(5000, ' ');
  const std::string title(3000, 't');
  auto document = LoadedDocument("<head><title>" + title + "</title></head><body><p>" + words +
                                 "</p><p>a" + blanks + "b</p><pre>" + words + "</pre></body>");
  ComPtr<IHTMLElement> body = Body(document.Get());
  const std::u16string text = InnerText(body.Get());
  EXPECT_EQ(text.substr(0, rendered.size()), rendered);
  EXPECT_EQ(text.substr(rendered.size(), 7), u"\r\na b\r\n");
  std::u16string wide = Utf8ToWide(words);
  std::u16string html = InnerHtml(body.Get());
  EXPECT_EQ(html.substr(0, 3 + wide.size()), u"<p>" + wide);
  Bstr shownTitle;
  ASSERT_EQ(document->get_title(shownTitle.Receive()), S_OK);
  EXPECT_EQ(shownTitle.View().size(), title.size());
  EXPECT_TRUE(FindsInBody(document.Get(), u"\U0001F40Bw\u00E9rd"));
}

}  // namespace
}  // namespace platform::html
