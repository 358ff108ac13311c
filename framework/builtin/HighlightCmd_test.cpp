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

TEST_F(HighlightCmdTest, ANewPageUnchecksTheCommand) {
  Toggle(first_, "<button pattern='blue'/>");
  ASSERT_EQ(first_.Checked(), 1);
  Open(u"C:\\Pages\\plain.htm");
  EXPECT_EQ(first_.Checked(), 0);
}

}  // namespace
}  // namespace framework
