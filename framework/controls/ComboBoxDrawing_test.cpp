#include <gtest/gtest.h>

#include "framework/controls/ComboBoxControlC.h"
#include "framework/toolband/ToolBandTestSupport.h"
#include "platform/ui/Gdi.h"

namespace framework {
namespace {

using Operation = platform::ui::DrawOperation;

constexpr UINT kCentredLine = DT_VCENTER | DT_SINGLELINE;
constexpr LONG kBoxWidth = 120 - 4;
constexpr LONG kFieldRight = kBoxWidth - 17;  // left of the arrow
constexpr LONG kListTop = 16 + 2 * 3;         // under the visible box

class ComboBoxDrawingTest : public testing::ToolBandTest {
 protected:
  ComboBoxControlC& Box() { return static_cast<ComboBoxControlC&>(*Band().Controls()[0]); }

  // What the box and its owner draw when the box paints itself.
  std::vector<Operation> Paint() {
    HDC dc = platform::ui::CreateRecordingDC();
    SendMessageW(Box().Window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    auto operations = platform::ui::RecordedOperations(dc);
    platform::ui::DeleteDC(dc);
    return operations;
  }

  std::vector<Operation> DrawByHand(UINT item, UINT state, RECT rect) {
    HDC dc = platform::ui::CreateRecordingDC();
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_COMBOBOX;
    draw.itemID = item;
    draw.itemState = state;
    draw.hDC = dc;
    draw.rcItem = rect;
    Box().OnWindowDrawItem(draw);
    auto operations = platform::ui::RecordedOperations(dc);
    platform::ui::DeleteDC(dc);
    return operations;
  }

  void ExpectFill(const Operation& op, RECT rect, int colour) {
    EXPECT_EQ(op.kind, Operation::Kind::kFill);
    EXPECT_EQ(op.rect, rect);
    EXPECT_EQ(op.colour, GetSysColor(colour));
  }

  void ExpectText(const Operation& op, std::u16string_view text, RECT rect, int colour) {
    EXPECT_EQ(op.kind, Operation::Kind::kText);
    EXPECT_EQ(op.text, text);
    EXPECT_EQ(op.rect, rect);
    EXPECT_EQ(op.colour, GetSysColor(colour));
    EXPECT_EQ(op.backgroundMode, TRANSPARENT);
    EXPECT_EQ(op.font, Band().Font());
    EXPECT_EQ(op.format & kCentredLine, kCentredLine);
  }

  void BuildFixedList() {
    ASSERT_NE(BuildToolbar("<combo-box command='Engine' width='120' fixed-list='yes' "
                           "list='Web##Images##AT&amp;T'/>",
                           {"Engine"}),
              nullptr);
  }
};

TEST_F(ComboBoxDrawingTest, FixedListFieldShowsTheChosenEntryInPlace) {
  BuildFixedList();
  Command("Engine").SetSelectedIndex(1);
  const auto operations = Paint();
  ASSERT_EQ(operations.size(), 2u);
  const RECT field{3, 3, kFieldRight, 3 + 16};
  ExpectFill(operations[0], field, COLOR_WINDOW);
  ExpectText(operations[1], u"Images", field, COLOR_WINDOWTEXT);  // a fixed list's offset is 0
}

TEST_F(ComboBoxDrawingTest, FocusedFieldIsHighlighted) {
  BuildFixedList();
  Command("Engine").SetSelectedIndex(0);
  SetFocus(Box().Window());
  const auto operations = Paint();
  ASSERT_EQ(operations.size(), 2u);
  EXPECT_EQ(operations[0].colour, GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(operations[1].colour, GetSysColor(COLOR_HIGHLIGHTTEXT));
}

TEST_F(ComboBoxDrawingTest, FieldWithoutAChoiceIsFilledButHasNoText) {
  BuildFixedList();
  const auto operations = Paint();
  ASSERT_EQ(operations.size(), 1u);
  ExpectFill(operations[0], RECT{3, 3, kFieldRight, 3 + 16}, COLOR_WINDOW);
}

TEST_F(ComboBoxDrawingTest, OpenListDrawsEntriesAtItemHeightStepsTwoPixelsIn) {
  BuildFixedList();
  Command("Engine").SetSelectedIndex(2);
  ASSERT_TRUE(platform::ui::OpenComboList(Box().Window()));
  const auto operations = Paint();
  // The field (fill, text), the list's ground and border, then each entry.
  ASSERT_EQ(operations.size(), 2u + 2u + 3u * 2u);
  const char16_t* names[] = {u"Web", u"Images", u"AT&T"};  // "&" is no mnemonic here
  for (int item = 0; item < 3; ++item) {
    const LONG top = kListTop + 1 + item * ComboBoxBaseC::kItemHeight;
    const RECT row{1, top, kBoxWidth - 1, top + ComboBoxBaseC::kItemHeight};
    const bool selected = item == 2;
    const auto& fill = operations[4 + 2 * static_cast<std::size_t>(item)];
    const auto& text = operations[5 + 2 * static_cast<std::size_t>(item)];
    ExpectFill(fill, row, selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    ExpectText(text, names[item], RECT{row.left + 2, row.top, row.right + 2, row.bottom},
               selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
  }
}

TEST_F(ComboBoxDrawingTest, EditableBoxMovesItsSelectionFieldDownInsteadOfRight) {
  ASSERT_NE(BuildToolbar("<combo-box command='Search' width='120' list='cats##dogs'/>", {"Search"}),
            nullptr);
  EXPECT_TRUE(Paint().empty());  // its field is the edit child
  const RECT field{3, 3, kFieldRight, 3 + 16};
  const auto operations = DrawByHand(1, ODS_COMBOBOXEDIT | ODS_SELECTED, field);
  ASSERT_EQ(operations.size(), 2u);
  ExpectFill(operations[0], field, COLOR_HIGHLIGHT);
  ExpectText(operations[1], u"dogs", RECT{3, 4, kFieldRight, 4 + 16}, COLOR_HIGHLIGHTTEXT);
}

TEST_F(ComboBoxDrawingTest, ItemsOutsideTheListDrawNoText) {
  ASSERT_NE(BuildToolbar("<combo-box command='Search' width='120' list='cats'/>", {"Search"}),
            nullptr);
  for (UINT item : {static_cast<UINT>(-1), 1u, 7u}) {
    const auto operations = DrawByHand(item, 0, RECT{1, 23, 115, 36});
    ASSERT_EQ(operations.size(), 1u) << item;
    ExpectFill(operations[0], RECT{1, 23, 115, 36}, COLOR_WINDOW);
  }
}

}  // namespace
}  // namespace framework
