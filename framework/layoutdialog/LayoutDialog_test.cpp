#include "framework/layoutdialog/LayoutDialog.h"

#include <gtest/gtest.h>

#include "framework/controls/ControlStyle.h"
#include "framework/layout/LayoutTestSupport.h"

namespace framework {
namespace {

class LayoutDialogTest : public testing::LayoutTest {
 protected:
  LayoutDialogResult Show() { return ShowLayoutDialog(kOwner, *context_->ToolBand(), *context_); }
  bool IsHidden(std::size_t index) { return (TopLevel(index).StyleWord() & style::kDisabled) != 0; }
  std::string KeptText() { return context_->ToolBand()->LayoutDocument()->Save().value_or(""); }

  HostData kOwner = reinterpret_cast<HostData>(0x1234);
  std::vector<std::vector<LayoutItem>> offered_;
  HostData seenOwner_ = nullptr;

  LayoutDialogResponder Answer(std::optional<std::vector<bool>> answer) {
    return [this, answer](HostData owner, const std::vector<LayoutItem>& items) {
      seenOwner_ = owner;
      offered_.push_back(items);
      return answer;
    };
  }
};

const std::string kThreeItems =
    "<button command='ToolBand.Nop' caption='First'/><separator/>"
    "<button command='ToolBand.Nop' caption='Second'/>";

TEST_F(LayoutDialogTest, SwitchingAnItemOffSurvivesTheNextLoad) {
  ASSERT_NE(Build(testing::Layout(kThreeItems)), nullptr);
  {
    ScopedLayoutDialogResponder responder(Answer(std::vector<bool>{true, true, false}));
    EXPECT_EQ(Show(), LayoutDialogResult::kChanged);
  }
  EXPECT_EQ(seenOwner_, kOwner);
  ASSERT_TRUE(StoredCopy().has_value());
  EXPECT_NE(StoredCopy()->find("caption=\"Second\" disabled=\"1\""), std::string::npos)
      << *StoredCopy();

  ASSERT_NE(Build(testing::Layout(kThreeItems)), nullptr);
  EXPECT_FALSE(IsHidden(0));
  EXPECT_FALSE(IsHidden(1));
  EXPECT_TRUE(IsHidden(2));
}

TEST_F(LayoutDialogTest, SwitchingAnItemBackOnSurvivesTheNextLoad) {
  const std::string items =
      "<button command='ToolBand.Nop' caption='A' disabled='1'/>"
      "<button command='ToolBand.Nop' caption='B'/>";
  ASSERT_NE(Build(testing::Layout(items)), nullptr);
  ASSERT_TRUE(IsHidden(0));
  {
    ScopedLayoutDialogResponder responder(Answer(std::vector<bool>{true, false}));
    EXPECT_EQ(Show(), LayoutDialogResult::kChanged);
  }
  ASSERT_NE(Build(testing::Layout(items)), nullptr);
  EXPECT_FALSE(IsHidden(0));
  EXPECT_TRUE(IsHidden(1));
}

TEST_F(LayoutDialogTest, OffersKnownTopLevelItemsWithLabelAndState) {
  ASSERT_NE(Build(testing::Layout("<button caption='Cap' tooltip='Tip' command='ToolBand.Nop'/>"
                                  "<unknown caption='Skipped'/>"
                                  "<edit tooltip='Tip' command='ToolBand.Nop'/>"
                                  "<label command='ToolBand.Nop' disabled='2'/>"
                                  "<menu caption='M' disabled='0'><button caption='Inner'/></menu>"
                                  "<separator/>")),
            nullptr);
  ScopedLayoutDialogResponder responder(Answer(std::nullopt));
  EXPECT_EQ(Show(), LayoutDialogResult::kUnchanged);
  ASSERT_EQ(offered_.size(), 1u);
  std::vector<std::string> labels;
  std::vector<bool> shown;
  for (const LayoutItem& item : offered_[0]) {
    labels.push_back(item.label);
    shown.push_back(item.shown);
  }
  EXPECT_EQ(labels, (std::vector<std::string>{"Cap", "Tip", "ToolBand.Nop", "M", "separator"}));
  EXPECT_EQ(shown, (std::vector<bool>{true, true, false, true, true}));
}

TEST_F(LayoutDialogTest, CancelChangesNothing) {
  ASSERT_NE(Build(testing::Layout(kThreeItems)), nullptr);
  const std::string before = KeptText();
  ScopedLayoutDialogResponder responder(Answer(std::nullopt));
  EXPECT_EQ(Show(), LayoutDialogResult::kUnchanged);
  EXPECT_EQ(offered_.size(), 1u);
  EXPECT_EQ(KeptText(), before);
  EXPECT_FALSE(StoredCopy().has_value());
}

TEST_F(LayoutDialogTest, WithoutAResponderTheDialogIsCancelled) {
  ASSERT_NE(Build(testing::Layout(kThreeItems)), nullptr);
  const std::string before = KeptText();
  EXPECT_EQ(Show(), LayoutDialogResult::kUnchanged);
  EXPECT_EQ(KeptText(), before);
  EXPECT_FALSE(StoredCopy().has_value());
}

TEST_F(LayoutDialogTest, AnAnswerForTheWrongNumberOfItemsChangesNothing) {
  ASSERT_NE(Build(testing::Layout(kThreeItems)), nullptr);
  const std::string before = KeptText();
  ScopedLayoutDialogResponder responder(Answer(std::vector<bool>{false, false}));
  EXPECT_EQ(Show(), LayoutDialogResult::kUnchanged);
  EXPECT_EQ(KeptText(), before);
  EXPECT_FALSE(StoredCopy().has_value());
}

TEST_F(LayoutDialogTest, AResponderScopePutsThePreviousOneBack) {
  ASSERT_NE(Build(testing::Layout(kThreeItems)), nullptr);
  ScopedLayoutDialogResponder outer(Answer(std::nullopt));
  { ScopedLayoutDialogResponder inner(Answer(std::vector<bool>{false, false, false})); }
  EXPECT_EQ(Show(), LayoutDialogResult::kUnchanged);
  EXPECT_FALSE(StoredCopy().has_value());
}

}  // namespace
}  // namespace framework
