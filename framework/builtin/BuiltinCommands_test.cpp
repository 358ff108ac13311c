#include "framework/builtin/BuiltinCommands.h"

#include <gtest/gtest.h>

#include "framework/builtin/BuiltinPageFixture.h"

namespace framework {
namespace {

TEST(BuiltinCommands, EveryInstantiableBuiltinStartsEnabledUnderItsInstanceName) {
  for (const char* name : {"Navigate", "JavaScript", "VBScript", "Dialog", "FindNext",
                           "FindPrevious", "Highlight", "ShellExecute", "ToolBand.Nop"}) {
    std::unique_ptr<CommandC> command = CreateBuiltinCommand(name, "own-id");
    ASSERT_NE(command, nullptr) << name;
    EXPECT_TRUE(command->IsEnabled()) << name;
    EXPECT_EQ(command->Name(), "own-id");
  }
  EXPECT_EQ(CreateBuiltinCommand("ToolBand.ToolbarLayout", "x"), nullptr);
  EXPECT_EQ(CreateBuiltinCommand("navigate", "x"), nullptr);
}

class NopCmdTest : public testing::BuiltinPageTest {};

TEST_F(NopCmdTest, DoesNothingWithTheElementItIsGiven) {
  NopCmdC nop("SearchBox");
  Initialise(nop);
  Click(nop, "<button url='about:blank' parameter='about:blank' script='x();'/>");
  EXPECT_TRUE(browser_->Navigations().empty());
  EXPECT_TRUE(platform::html::RecordedHtml().scripts.empty());
}

}  // namespace
}  // namespace framework
