#include <gtest/gtest.h>

#include "framework/builtin/BuiltinCommands.h"
#include "framework/controls/ControlStyle.h"
#include "framework/layout/LayoutTestSupport.h"
#include "framework/layoutdialog/LayoutDialog.h"

namespace framework {
namespace {

class ToolbarLayoutCmdTest : public testing::LayoutTest {
 protected:
  // A tab whose host window is known, so the dialog's owner can be checked.
  void BuildWithHost(const std::string& items) {
    ASSERT_TRUE(platform::WriteWholeFile(testing::kLayoutPath, testing::Layout(items)));
    context_ = std::make_unique<StandaloneTabContextC>(testing::kLayoutPath,
                                                       platform::ComPtr<IWebBrowser2>{}, kHost);
    ASSERT_NE(context_->Create(), nullptr);
  }
  void Execute() {
    auto* command =
        dynamic_cast<ToolbarLayoutCmdC*>(context_->FindCommand("ToolBand.ToolbarLayout"));
    ASSERT_NE(command, nullptr);
    command->Execute(nullptr);
  }
  bool IsHidden(std::size_t index) { return (TopLevel(index).StyleWord() & style::kDisabled) != 0; }
  LayoutDialogResponder Answer(std::optional<std::vector<bool>> answer) {
    return [this, answer](HostData owner, const std::vector<LayoutItem>&) {
      seenOwner_ = owner;
      return answer;
    };
  }

  HostData kHost = reinterpret_cast<HostData>(0xB0B);
  HostData seenOwner_ = nullptr;
};

TEST_F(ToolbarLayoutCmdTest, ShowsAndHidesTheControlsAsSaved) {
  BuildWithHost(
      "<button command='ToolBand.Nop' caption='A' disabled='1'/><separator/>"
      "<button command='ToolBand.Nop' caption='B'/>");
  ASSERT_TRUE(IsHidden(0));
  ScopedLayoutDialogResponder responder(Answer(std::vector<bool>{true, false, false}));
  Execute();
  EXPECT_EQ(seenOwner_, kHost);
  EXPECT_FALSE(IsHidden(0));
  EXPECT_TRUE(IsHidden(1));
  EXPECT_TRUE(IsHidden(2));
}

TEST_F(ToolbarLayoutCmdTest, UnknownElementsAreNotCounted) {
  BuildWithHost(
      "<button command='ToolBand.Nop' caption='A'/>"
      "<unknown command='ToolBand.Nop' caption='X'/>"
      "<button command='ToolBand.Nop' caption='B'/>"
      "<button command='ToolBand.Nop' caption='C'/>");
  ASSERT_EQ(context_->ToolBand()->Controls().size(), 3u);
  ScopedLayoutDialogResponder responder(Answer(std::vector<bool>{true, false, true}));
  Execute();
  EXPECT_FALSE(IsHidden(0));
  EXPECT_TRUE(IsHidden(1));
  EXPECT_FALSE(IsHidden(2));
}

TEST_F(ToolbarLayoutCmdTest, CancelLeavesTheControlsAlone) {
  BuildWithHost(
      "<button command='ToolBand.Nop' caption='A'/>"
      "<button command='ToolBand.Nop' caption='B' disabled='1'/>");
  ScopedLayoutDialogResponder responder(Answer(std::nullopt));
  Execute();
  EXPECT_EQ(seenOwner_, kHost);
  EXPECT_FALSE(IsHidden(0));
  EXPECT_TRUE(IsHidden(1));
  EXPECT_FALSE(StoredCopy().has_value());
}

}  // namespace
}  // namespace framework
