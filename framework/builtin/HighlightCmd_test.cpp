#include <gtest/gtest.h>

#include "framework/builtin/BuiltinCommands.h"
#include "framework/builtin/BuiltinPageFixture.h"
#include "framework/builtin/PageDocuments.h"

namespace framework {
namespace {

class HighlightCmdTest : public testing::BuiltinPageTest {
 protected:
  void SetUp() override {
    BuiltinPageTest::SetUp();
    Initialise(first_);
    Initialise(second_);
    Open(u"C:\\Pages\\top.htm");
  }
  static std::size_t Count(const std::u16string& text, const std::u16string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::u16string::npos;
         at = text.find(part, at + 1)) {
      ++count;
    }
    return count;
  }
  std::u16string Marker(const HighlightCmdC& command) {
    return u"id=\"" + Wide(command.MarkerId()) + u"\"";
  }

  // The body's HTML of the document at `path` in the page's frame tree
  // (indexes of frames, outermost first).
  std::u16string FrameBodyHtml(std::initializer_list<std::size_t> path) {
    platform::html::HtmlDocument* document = browser_->Document();
    for (std::size_t index : path) document = document->FrameDocument(index);
    platform::ComPtr<IHTMLElement> body;
    EXPECT_EQ(document->get_body(body.ReleaseAndGetAddressOf()), S_OK);
    platform::Bstr html;
    body->get_innerHTML(html.Receive());
    return html.String();
  }
  // "word" once in each frame and twice in the page itself.
  void OpenFramedPage() {
    Write("C:\\Pages\\framed.htm",
          "<body>first word<iframe src='outer.htm'></iframe>last word</body>");
    Write("C:\\Pages\\outer.htm", "<body>outer word<iframe src='deep.htm'></iframe></body>");
    Write("C:\\Pages\\deep.htm", "<body>deep word</body>");
    Open(u"C:\\Pages\\framed.htm");
  }

  HighlightCmdC first_{"Highlight"};
  HighlightCmdC second_{"MarkSea"};
};

TEST_F(HighlightCmdTest, MarkerIdsCarryTheInstanceIdentity) {
  EXPECT_EQ(first_.MarkerId().rfind("orvane-highlight-", 0), 0U);
  EXPECT_NE(first_.MarkerId(), second_.MarkerId());
}

TEST_F(HighlightCmdTest, CheckingWrapsEveryMatchInAColouredSpan) {
  Toggle(first_, "<button pattern='blue'/>");
  EXPECT_EQ(first_.Checked(), 1);
  const std::u16string html = BodyHtml();
  EXPECT_EQ(Count(html, Marker(first_)), 3U);
  EXPECT_EQ(Count(html, u"background-color:#f8bf24;"), 3U);
}

TEST_F(HighlightCmdTest, UncheckingRemovesOnlyThisInstancesSpans) {
  const std::u16string before = BodyHtml();
  Toggle(first_, "<button pattern='blue'/>");
  Toggle(second_, "<button parameter='sea' color='red'/>");
  EXPECT_EQ(Count(BodyHtml(), Marker(second_)), 1U);
  EXPECT_EQ(Count(BodyHtml(), u"background-color:red;"), 1U);

  Toggle(first_, "<button pattern='blue'/>");
  EXPECT_EQ(first_.Checked(), 0);
  EXPECT_EQ(Count(BodyHtml(), Marker(first_)), 0U);
  EXPECT_EQ(Count(BodyHtml(), Marker(second_)), 1U);
  Toggle(second_, "<button parameter='sea'/>");
  EXPECT_EQ(Count(BodyHtml(), u"<span"), 0U);
  EXPECT_NE(BodyHtml().find(u"A blue sky over a blue sea."), std::u16string::npos);
}

TEST_F(HighlightCmdTest, MarkupInThePatternIsInsertedAsText) {
  Write("C:\\Pages\\code.htm", "<body><pre>if a &lt;b&gt; c</pre></body>");
  Open(u"C:\\Pages\\code.htm");
  Toggle(first_, "<button pattern='&lt;b&gt;'/>");
  const std::u16string html = BodyHtml();
  EXPECT_EQ(Count(html, Marker(first_)), 1U);
  EXPECT_NE(html.find(u"&lt;b&gt;</span>"), std::u16string::npos);
  EXPECT_EQ(html.find(u"<b>"), std::u16string::npos);
}

TEST_F(HighlightCmdTest, TheSpanHoldsThePagesTextInItsOwnCase) {
  Toggle(first_, "<button pattern='BLUE SKY'/>");
  EXPECT_NE(BodyHtml().find(u";\">blue sky</span>"), std::u16string::npos);
  EXPECT_EQ(BodyHtml().find(u"BLUE"), std::u16string::npos);
}

TEST_F(HighlightCmdTest, AColourCannotLeaveTheStyleAttribute) {
  Toggle(first_, "<button pattern='sea' color=\"red;' onclick='x\"/>");
  const std::u16string html = BodyHtml();
  EXPECT_EQ(Count(html, Marker(first_)), 1U);
  EXPECT_EQ(html.find(u"onclick=\""), std::u16string::npos);
}

TEST_F(HighlightCmdTest, AnEmptyPatternMarksNothing) {
  const std::u16string before = BodyHtml();
  Toggle(first_, "<button pattern='' parameter=''/>");
  EXPECT_EQ(first_.Checked(), 1);
  EXPECT_EQ(BodyHtml(), before);
}

TEST_F(HighlightCmdTest, ANewPageUnchecksTheCommand) {
  Toggle(first_, "<button pattern='blue'/>");
  ASSERT_EQ(first_.Checked(), 1);
  Open(u"C:\\Pages\\plain.htm");
  EXPECT_EQ(first_.Checked(), 0);
}

TEST_F(HighlightCmdTest, EveryMatchOfALongPageIsMarkedAndUnmarkingRestoresIt) {
  std::string page = "<body><p>";
  for (int i = 0; i < 1200; ++i) {
    page += i % 3 == 0 ? "a BLUE whale, " : "blue <i>blue</i>and  blue   ";
    if (i % 50 == 49) page += "</p><p>";
  }
  Write("C:\\Pages\\long.htm", page + "</p></body>");
  Open(u"C:\\Pages\\long.htm");
  const std::u16string before = BodyHtml();
  Toggle(first_, "<button pattern='blue'/>");
  const std::u16string marked = BodyHtml();
  EXPECT_EQ(Count(marked, Marker(first_)), 400U + 800U * 3U);
  EXPECT_EQ(Count(marked, u">BLUE</span> whale"), 400U);
  EXPECT_EQ(Count(marked, u">blue</span>  <span"), 0U);
  Toggle(first_, "<button pattern='blue'/>");
  EXPECT_EQ(BodyHtml(), before);
}

TEST_F(HighlightCmdTest, MarkingAgainWhileCheckedIsUndoneByOneUncheck) {
  const std::u16string before = BodyHtml();
  Toggle(first_, "<button pattern='blue'/>");
  Click(first_, "<button pattern='blue'/>");
  EXPECT_EQ(Count(BodyHtml(), Marker(first_)), 6U);
  Toggle(second_, "<button pattern='sea'/>");
  Toggle(first_, "<button pattern='blue'/>");
  EXPECT_EQ(Count(BodyHtml(), Marker(first_)), 0U);
  EXPECT_EQ(Count(BodyHtml(), Marker(second_)), 1U);
  Toggle(second_, "<button pattern='sea'/>");
  EXPECT_EQ(BodyHtml(), before);
}

TEST_F(HighlightCmdTest, MatchesInEveryFrameAreMarkedAndUnmarked) {
  OpenFramedPage();
  Toggle(first_, "<button pattern='word'/>");
  EXPECT_EQ(Count(BodyHtml(), Marker(first_)), 2U);
  EXPECT_EQ(Count(FrameBodyHtml({0}), Marker(first_)), 1U);
  EXPECT_EQ(Count(FrameBodyHtml({0, 0}), Marker(first_)), 1U);

  Toggle(first_, "<button pattern='word'/>");
  EXPECT_EQ(Count(BodyHtml(), u"<span"), 0U);
  EXPECT_EQ(Count(FrameBodyHtml({0}), u"<span"), 0U);
  EXPECT_EQ(FrameBodyHtml({0, 0}), u"deep word");
}

TEST_F(HighlightCmdTest, AnotherInstancesSpansInFramesStay) {
  OpenFramedPage();
  Toggle(first_, "<button pattern='word'/>");
  Toggle(second_, "<button pattern='deep'/>");
  Toggle(first_, "<button pattern='word'/>");
  EXPECT_EQ(Count(FrameBodyHtml({0, 0}), Marker(first_)), 0U);
  EXPECT_EQ(Count(FrameBodyHtml({0, 0}), Marker(second_)), 1U);
  EXPECT_EQ(Count(FrameBodyHtml({0}), u"<span"), 0U);
}

}  // namespace
}  // namespace framework
