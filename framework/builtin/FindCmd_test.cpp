#include <gtest/gtest.h>

#include "framework/builtin/BuiltinCommands.h"
#include "framework/builtin/BuiltinPageFixture.h"
#include "platform/automation/Variant.h"

namespace framework {
namespace {

using platform::html::RangeAction;
using platform::html::RecordedHtml;

class FindCmdTest : public testing::BuiltinPageTest {
 protected:
  void SetUp() override {
    BuiltinPageTest::SetUp();
    Initialise(next_);
    Initialise(previous_);
    Open(u"C:\\Pages\\top.htm");
  }
  // Start offsets of the selected ranges, in order.
  static std::vector<long> Selections() {
    std::vector<long> starts;
    for (const RangeAction& action : RecordedHtml().rangeActions) {
      if (action.kind == RangeAction::Kind::kSelect) starts.push_back(action.start);
    }
    return starts;
  }

  // The page each selection was made in, by file name, in order.
  static std::vector<std::u16string> SelectedPages() {
    std::vector<std::u16string> pages;
    for (const RangeAction& action : RecordedHtml().rangeActions) {
      if (action.kind != RangeAction::Kind::kSelect) continue;
      const std::size_t slash = action.documentUrl.find_last_of(u"\\/");
      pages.push_back(action.documentUrl.substr(slash == std::u16string::npos ? 0 : slash + 1));
    }
    return pages;
  }
  // A page whose "word" occurs once in each frame and twice in the page
  // itself, with one frame inside the other.
  void OpenFramedPage() {
    Write("C:\\Pages\\framed.htm",
          "<body>first word<iframe name='outer' src='outer.htm'></iframe>last word</body>");
    Write("C:\\Pages\\outer.htm", "<body>outer word<iframe src='deep.htm'></iframe></body>");
    Write("C:\\Pages\\deep.htm", "<body>deep word</body>");
    Open(u"C:\\Pages\\framed.htm");
  }

  FindCmdC next_{"FindNext"};
  FindPreviousCmdC previous_{"FindPrevious"};
};

// Body text: "The blue whale is the largest animal.\nA blue sky over a blue sea."
TEST_F(FindCmdTest, WalksTheMatchesAcrossElementsAndWrapsOnce) {
  for (int i = 0; i < 4; ++i) Click(next_, "<button pattern='blue'/>");
  const std::vector<long> starts = Selections();
  ASSERT_EQ(starts.size(), 4U);
  EXPECT_LT(starts[0], starts[1]);
  EXPECT_LT(starts[1], starts[2]);
  EXPECT_EQ(starts[3], starts[0]);
  const auto actions = RecordedHtml().rangeActions;
  EXPECT_EQ(actions[0].text, u"blue");
  EXPECT_EQ(actions[1].kind, RangeAction::Kind::kScrollIntoView);
}

TEST_F(FindCmdTest, TextSpreadOverSeveralElementsIsFound) {
  Click(next_, "<button parameter='whale is the largest'/>");
  ASSERT_EQ(Selections().size(), 1U);
  EXPECT_EQ(RecordedHtml().rangeActions[0].text, u"whale is the largest");
}

TEST_F(FindCmdTest, TextAfterDeepNestingIsFoundBothWays) {
  std::string page = "<body>";
  for (int i = 0; i < 300; ++i) page += "<div>";
  page += "deep needle";
  for (int i = 0; i < 300; ++i) page += "</div>";
  Write("C:\\Pages\\deep.htm", page + "last needle</body>");
  Open(u"C:\\Pages\\deep.htm");
  Click(next_, "<button pattern='needle'/>");
  Click(next_, "<button pattern='needle'/>");
  Click(previous_, "<button pattern='needle'/>");
  const std::vector<long> starts = Selections();
  EXPECT_EQ(starts, (std::vector<long>{5, 18, 18}));
  EXPECT_EQ(RecordedHtml().rangeActions.back().text, u"needle");
}

TEST_F(FindCmdTest, FindPreviousStartsFromTheEnd) {
  Click(previous_, "<button pattern='blue'/>");
  Click(previous_, "<button pattern='blue'/>");
  const std::vector<long> starts = Selections();
  ASSERT_EQ(starts.size(), 2U);
  EXPECT_GT(starts[0], starts[1]);
  Click(next_, "<button pattern='blue'/>");
  Click(next_, "<button pattern='blue'/>");
  Click(next_, "<button pattern='blue'/>");
  EXPECT_EQ(Selections()[4], starts[0]);
}

TEST_F(FindCmdTest, ANewPatternStartsOverAndNoMatchSelectsNothing) {
  Click(next_, "<button pattern='blue'/>");
  Click(next_, "<button pattern='blue'/>");
  Click(next_, "<button pattern='sea'/>");
  Click(next_, "<button pattern='blue'/>");
  const std::vector<long> starts = Selections();
  ASSERT_EQ(starts.size(), 4U);
  EXPECT_EQ(starts[3], starts[0]);
  Click(next_, "<button pattern='absent'/>");
  EXPECT_EQ(Selections().size(), 4U);
  EXPECT_TRUE(next_.HasSearchCursor());
}

TEST_F(FindCmdTest, AnEmptyPatternSelectsNothing) {
  Click(next_, "<button pattern='' parameter=''/>");
  context_.AddTextCommand("Search", "");
  Click(next_, "<button pattern='##Search##'/>");
  EXPECT_TRUE(Selections().empty());
}

TEST_F(FindCmdTest, PageEventsDropTheCursor) {
  Click(next_, "<button pattern='blue'/>");
  Click(next_, "<button pattern='blue'/>");
  ASSERT_TRUE(next_.HasSearchCursor());
  Open(u"C:\\Pages\\top.htm");
  EXPECT_FALSE(next_.HasSearchCursor());
  Click(next_, "<button pattern='blue'/>");
  const std::vector<long> starts = Selections();
  ASSERT_EQ(starts.size(), 3U);
  EXPECT_EQ(starts[2], starts[0]);
}

TEST_F(FindCmdTest, ThePatternComesFromTheSearchBoxThroughItsPlaceholder) {
  context_.AddTextCommand("Search", "largest");
  next_.TextNotice("largest");
  EXPECT_TRUE(next_.IsSinkConnected());
  Click(next_, "<button pattern='##Search##'/>");
  ASSERT_EQ(Selections().size(), 1U);
  EXPECT_EQ(RecordedHtml().rangeActions[0].text, u"largest");
}

TEST_F(FindCmdTest, FramesAreSearchedDepthFirstBeforeThePageAndTheWrapCoversThemAll) {
  OpenFramedPage();
  for (int i = 0; i < 5; ++i) Click(next_, "<button pattern='word'/>");
  const std::vector<std::u16string> expected = {u"deep.htm", u"outer.htm", u"framed.htm",
                                                u"framed.htm", u"deep.htm"};
  EXPECT_EQ(SelectedPages(), expected);
  const std::vector<long> starts = Selections();
  EXPECT_LT(starts[2], starts[3]);
}

TEST_F(FindCmdTest, FindPreviousWalksThePageThenTheFramesInReverse) {
  OpenFramedPage();
  for (int i = 0; i < 5; ++i) Click(previous_, "<button pattern='word'/>");
  const std::vector<std::u16string> expected = {u"framed.htm", u"framed.htm", u"outer.htm",
                                                u"deep.htm", u"framed.htm"};
  EXPECT_EQ(SelectedPages(), expected);
  const std::vector<long> starts = Selections();
  EXPECT_GT(starts[0], starts[1]);
  EXPECT_EQ(starts[4], starts[0]);
}

TEST_F(FindCmdTest, TextOnlyInANestedFrameIsFoundAgainAfterTheWrap) {
  OpenFramedPage();
  Click(next_, "<button pattern='deep'/>");
  Click(next_, "<button pattern='deep'/>");
  const std::vector<std::u16string> expected = {u"deep.htm", u"deep.htm"};
  EXPECT_EQ(SelectedPages(), expected);
  EXPECT_EQ(RecordedHtml().rangeActions[0].text, u"deep");
}

TEST_F(FindCmdTest, AFramesetPageIsSearchedThroughItsFrames) {
  Write("C:\\Pages\\set.htm",
        "<html><frameset cols='50%,50%'><frame src='deep.htm'><frame src='outer.htm'>"
        "</frameset></html>");
  Write("C:\\Pages\\outer.htm", "<body>outer word</body>");
  Write("C:\\Pages\\deep.htm", "<body>deep word</body>");
  Open(u"C:\\Pages\\set.htm");
  for (int i = 0; i < 3; ++i) Click(next_, "<button pattern='word'/>");
  const std::vector<std::u16string> expected = {u"deep.htm", u"outer.htm", u"deep.htm"};
  EXPECT_EQ(SelectedPages(), expected);
}

TEST_F(FindCmdTest, AFrameNavigatingAloneDropsTheCursor) {
  OpenFramedPage();
  Click(next_, "<button pattern='word'/>");
  ASSERT_TRUE(next_.HasSearchCursor());
  platform::Variant target(u"outer");
  ASSERT_EQ(browser_->Navigate(platform::Bstr(u"C:\\Pages\\plain.htm").Get(), nullptr, &target,
                               nullptr, nullptr),
            S_OK);
  EXPECT_FALSE(next_.HasSearchCursor());
  Click(next_, "<button pattern='word'/>");
  EXPECT_EQ(SelectedPages().back(), u"framed.htm");
}

}  // namespace
}  // namespace framework
