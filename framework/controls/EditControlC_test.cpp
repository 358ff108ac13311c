#include "framework/controls/EditControlC.h"

#include <gtest/gtest.h>

#include "framework/toolband/ToolBandTestSupport.h"
#include "platform/ui/Mouse.h"

namespace framework {
namespace {

class ReadOnlyControlTest : public testing::ToolBandTest {
 protected:
  void SetUp() override {
    ToolBandTest::SetUp();
    ASSERT_NE(
        BuildToolbar("<read-only command='Money' width='80'/><edit command='Find' width='90'/>",
                     {"Money", "Find"}),
        nullptr);
  }
  HWND Field(std::size_t index) {
    return static_cast<EditControlC&>(*Band().Controls()[index]).Window();
  }
};

TEST_F(ReadOnlyControlTest, FocusedFieldLosesItsCaretWhenTheMouseComesOverIt) {
  HWND readOnly = Field(0);
  SetFocus(readOnly);
  ASSERT_EQ(platform::ui::CaretWindow(), readOnly);
  ASSERT_TRUE(platform::ui::MoveMouseOver(readOnly, POINT{5, 5}));
  platform::ui::RunUntilIdle();
  EXPECT_EQ(platform::ui::CaretWindow(), nullptr);
  EXPECT_EQ(GetFocus(), readOnly);  // only the caret goes
  // Every later pass of the mouse does it again, should a caret come back.
  ASSERT_TRUE(CreateCaret(readOnly, nullptr, 1, 13));
  platform::ui::MoveMouseOver(readOnly);
  EXPECT_EQ(platform::ui::CaretWindow(), nullptr);
}

TEST_F(ReadOnlyControlTest, MouseOverAnUnfocusedFieldLeavesTheFocusedFieldsCaret) {
  HWND edit = Field(1);
  SetFocus(edit);
  ASSERT_EQ(platform::ui::CaretWindow(), edit);
  platform::ui::MoveMouseOver(Field(0));
  EXPECT_EQ(platform::ui::CaretWindow(), edit);
  EXPECT_TRUE(platform::ui::IsCaretShown());
}

TEST_F(ReadOnlyControlTest, AnEditableFieldKeepsItsCaretUnderTheMouse) {
  HWND edit = Field(1);
  SetFocus(edit);
  platform::ui::MoveMouseOver(edit);
  platform::ui::RunUntilIdle();
  EXPECT_EQ(platform::ui::CaretWindow(), edit);
}

TEST_F(ReadOnlyControlTest, FieldIsPlacedWithItsTextFormattingRectangle) {
  const RECT button = Band().Controls()[0]->AsControl()->ToolbarRect();
  RECT rect{};
  GetWindowRect(Field(0), &rect);
  EXPECT_EQ(rect.right - rect.left, (button.right - button.left) - 4);
  RECT format{};
  SendMessageW(Field(0), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
  EXPECT_EQ(format, (RECT{0, 1, (button.right - button.left) - 11, 21}));
}

// Layout widths are outside input: the largest a file can spell must still
// give a toolbar whose every edge is a coordinate Windows can hold, the free
// width shared out to auto-size fields included.
class HugeWidthTest : public testing::ToolBandTest {};

TEST_F(HugeWidthTest, ButtonsAndFieldsStayWithinTheToolbarsCoordinates) {
  ASSERT_NE(BuildToolbar("<button command='Find' caption='Go' show-caption='yes'/>"
                         "<edit command='Find' width='99999999999'/>"
                         "<edit command='Find' auto-size='yes' width='2147483647'/>"
                         "<label caption='Total' width='99999999999'/>"
                         "<read-only command='Find' width='-99999999999'/>",
                         {"Find"}),
            nullptr);
  Band().AutoSize(800);
  Band().LayoutControls();
  for (const auto& control : Band().Controls()) {
    EXPECT_GE(control->Width(), 0);
    EXPECT_LE(control->Width(), ControlC::kMaximumWidth);
  }
  const auto buttons = Buttons();
  ASSERT_EQ(buttons.size(), 5u);
  for (const auto& button : buttons) {
    EXPECT_GE(button.rect.left, 0) << button.id;
    EXPECT_LE(button.rect.left, button.rect.right) << button.id;
    EXPECT_LE(button.rect.right, platform::ui::kToolbarMaximumExtent) << button.id;
  }
  EXPECT_EQ(buttons[1].width, ControlC::kMaximumWidth);
  RECT toolbar{};
  GetWindowRect(Toolbar(), &toolbar);
  for (std::size_t index : {1u, 2u, 4u}) {
    RECT field{};
    GetWindowRect(static_cast<EditControlC&>(*Band().Controls()[index]).Window(), &field);
    EXPECT_LE(field.left, field.right) << index;
    // A field sits 2 px into its button; past the edge the button has no width.
    EXPECT_LE(field.right - toolbar.left, platform::ui::kToolbarMaximumExtent + 2) << index;
  }
}

}  // namespace
}  // namespace framework
