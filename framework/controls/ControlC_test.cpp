#include "framework/controls/ControlC.h"

#include <gtest/gtest.h>

#include <climits>

#include "framework/command/CommandC.h"
#include "framework/command/CommandWithEventsC.h"
#include "framework/controls/ControlKinds.h"
#include "framework/controls/ControlStyle.h"

namespace framework {
namespace {

// Counts text notices so the test can tell whether a control still listens.
class CountingButton : public ButtonControlC {
 public:
  using ButtonControlC::ButtonControlC;
  void OnTextChanged() override { ++textNotices; }
  int textNotices = 0;
};

TEST(ControlC, ListensFromBindingUntilDestruction) {
  CommandC command("X");
  auto button = std::make_unique<CountingButton>(&command, "B");
  command.SetText("one");
  EXPECT_EQ(button->textNotices, 1);
  button.reset();
  command.SetText("two");  // must not reach the destroyed control
}

TEST(ControlC, KindsFollowTheElementTable) {
  CommandC command("X");
  EXPECT_EQ(SeparatorControlC().Kind(), ControlKind::kSeparator);
  EXPECT_EQ(LabelControlC(&command, "").Kind(), ControlKind::kLabel);
  EXPECT_EQ(ButtonControlC(&command, "").Kind(), ControlKind::kButton);
  EXPECT_EQ(EditControlC(&command).Kind(), ControlKind::kEdit);
  EXPECT_EQ(ReadOnlyControlC(&command).Kind(), ControlKind::kReadOnly);
  EXPECT_EQ(ComboBoxControlC(&command, "a##b").Kind(), ControlKind::kComboBox);
  EXPECT_EQ(MenuControlC(&command, "").Kind(), ControlKind::kMenu);
}

TEST(ControlC, DefaultsAndStyleBits) {
  CommandC command("X");
  ButtonControlC bound(&command, "");
  SeparatorControlC unbound;
  EXPECT_EQ(bound.StyleWord(), 0u);
  EXPECT_EQ(unbound.StyleWord(), style::kNoOwnCommand);
  EXPECT_EQ(bound.ImageIndex(), -1);
  EXPECT_EQ(bound.RowHeight(), 22);
  bound.SetStyleBits(style::kToggle);
  bound.SetStyleBits(style::kAutoSize);
  EXPECT_EQ(bound.StyleWord(), style::kToggle | style::kAutoSize);
  EXPECT_TRUE(bound.IsAutoSize());
  bound.SetStyleBits(style::kClearAll);
  EXPECT_EQ(bound.StyleWord(), 0u);
}

TEST(ControlC, RowHeightCentresOnlyAbove22) {
  struct Case {
    int height;
    int top;
  };
  CommandC command("X");
  ButtonControlC button(&command, "");
  for (const Case& c : {Case{0, 0}, Case{22, 0}, Case{23, 0}, Case{24, 1}, Case{31, 4}}) {
    button.SetTop(7);
    button.SetRowHeight(c.height);
    EXPECT_EQ(button.Top(), c.top) << c.height;
  }
}

TEST(ControlC, WidthsStayWithinWhatAToolbarCanShow) {
  struct Case {
    int width;
    int kept;
  };
  CommandC command("X");
  EditControlC edit(&command);
  for (const Case& c : {Case{90, 90}, Case{0, 0}, Case{32767, 32767}, Case{32768, 32767},
                        Case{INT_MAX, 32767}, Case{-1, 0}, Case{INT_MIN, 0}}) {
    edit.SetWidth(c.width);
    EXPECT_EQ(edit.Width(), c.kept) << c.width;
  }
}

TEST(ControlC, CommandTextReplacesTheCaptionForGood) {
  CommandC command("X");
  ButtonControlC button(&command, "Caption");
  EXPECT_EQ(button.DisplayText(), "Caption");
  command.SetText("Command");
  EXPECT_EQ(button.DisplayText(), "Command");
  command.SetText("");
  EXPECT_EQ(button.DisplayText(), "");
}

TEST(ControlC, ExecuteTogglesAndParameterReachesTheTextNotice) {
  CommandWithEventsC command("X");
  ButtonControlC button(&command, "");
  button.Execute();
  EXPECT_EQ(command.Checked(), 1);
  EXPECT_FALSE(command.IsSinkConnected());
  button.HandParameterToCommand();  // no browser yet: stays unconnected
  EXPECT_FALSE(command.IsSinkConnected());
}

TEST(ControlC, MenuOwnsItsItemsInOrder) {
  CommandC command("X");
  MenuControlC menu(&command, "M");
  menu.AddControl(std::make_unique<ButtonControlC>(&command, "1"));
  menu.AddControl(std::make_unique<SeparatorControlC>());
  ASSERT_EQ(menu.Controls().size(), 2u);
  EXPECT_EQ(menu.Controls()[0]->AsControl()->Caption(), "1");
  EXPECT_EQ(menu.Controls()[1]->Kind(), ControlKind::kSeparator);
}

}  // namespace
}  // namespace framework
