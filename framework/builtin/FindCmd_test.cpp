#include <gtest/gtest.h>

#include "framework/builtin/BuiltinCommands.h"
#include "framework/builtin/BuiltinPageFixture.h"

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

}  // namespace
}  // namespace framework
