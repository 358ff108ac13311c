#include <gtest/gtest.h>

#include "platform/ui/ComboBox.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/testing/RecordingWindow.h"

namespace platform::ui {
namespace {

using testing::CreateRecordingWindow;
using testing::MessageLog;

constexpr UINT kNoItem = static_cast<UINT>(-1);

// A combo box 146 x (22 + 259) on a parent that keeps every WM_DRAWITEM it
// is asked for.
class ComboPaintTest : public ::testing::Test {
 protected:
  void Create(DWORD style, std::initializer_list<const char16_t*> items, int height = 22 + 259) {
    log_.handler = [this](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
      if (message != WM_DRAWITEM) return std::nullopt;
      drawn_.push_back(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    };
    parent_.Reset(CreateRecordingWindow(log_, nullptr, WS_VISIBLE, 0, RECT{0, 0, 400, 30}));
    combo_ =
        CreateWindowExW(0, WC_COMBOBOXW, u"", WS_CHILD | WS_VISIBLE | CBS_HASSTRINGS | style, 2, 0,
                        146, height, parent_.Get(), reinterpret_cast<HMENU>(42), nullptr, nullptr);
    ASSERT_NE(combo_, nullptr);
    for (const char16_t* item : items)
      SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    RunUntilIdle();
    drawn_.clear();
  }

  // What the box paints onto a recording context.
  std::vector<DrawOperation> Print() {
    HDC dc = CreateRecordingDC();
    SendMessageW(combo_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    auto operations = RecordedOperations(dc);
    DeleteDC(dc);
    return operations;
  }

  MessageLog log_;
  std::vector<DRAWITEMSTRUCT> drawn_;
  UniqueWindow parent_;
  HWND combo_ = nullptr;
};

TEST_F(ComboPaintTest, DropDownListAsksItsParentToDrawTheSelectionField) {
  Create(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, {u"alpha", u"beta"});
  InvalidateRect(combo_, nullptr, TRUE);
  RunUntilIdle();  // a real paint
  ASSERT_EQ(drawn_.size(), 1u);
  EXPECT_EQ(drawn_[0].CtlType, ODT_COMBOBOX);
  EXPECT_EQ(drawn_[0].CtlID, 42u);
  EXPECT_EQ(drawn_[0].itemID, kNoItem);  // nothing chosen yet
  EXPECT_EQ(drawn_[0].itemState, ODS_COMBOBOXEDIT);
  EXPECT_EQ(drawn_[0].itemAction, static_cast<UINT>(ODA_DRAWENTIRE));
  EXPECT_EQ(drawn_[0].hwndItem, combo_);
  EXPECT_NE(drawn_[0].hDC, nullptr);
  EXPECT_EQ(drawn_[0].rcItem, (RECT{3, 3, 146 - kComboArrowWidth, 3 + 16}));

  drawn_.clear();
  SendMessageW(combo_, CB_SETCURSEL, 1, 0);
  SetFocus(combo_);
  RunUntilIdle();
  ASSERT_EQ(drawn_.size(), 1u);
  EXPECT_EQ(drawn_[0].itemID, 1u);
  EXPECT_EQ(drawn_[0].itemState, ODS_COMBOBOXEDIT | ODS_SELECTED | ODS_FOCUS);
}

TEST_F(ComboPaintTest, DroppedListDrawsEveryEntryUnderTheBoxInItemHeightSteps) {
  Create(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, {u"alpha", u"beta", u"gamma"});
  SendMessageW(combo_, CB_SETITEMHEIGHT, 0, 13);
  SendMessageW(combo_, CB_SETCURSEL, 1, 0);
  ASSERT_TRUE(OpenComboList(combo_));
  drawn_.clear();
  RunUntilIdle();
  ASSERT_EQ(drawn_.size(), 4u);
  EXPECT_EQ(drawn_[0].itemState, ODS_COMBOBOXEDIT);  // not highlighted while the list is open
  const LONG listTop = 16 + 2 * kComboFrame;
  for (UINT item = 0; item < 3; ++item) {
    const auto& draw = drawn_[item + 1];
    EXPECT_EQ(draw.itemID, item);
    EXPECT_EQ(draw.itemState, item == 1 ? ODS_SELECTED : 0u) << item;
    const LONG top = listTop + 1 + static_cast<LONG>(item) * 13;
    EXPECT_EQ(draw.rcItem, (RECT{1, top, 145, top + 13})) << item;
  }
  drawn_.clear();
  ASSERT_TRUE(DismissComboList(combo_));
  RunUntilIdle();
  EXPECT_EQ(drawn_.size(), 1u);  // the field alone again
}

TEST_F(ComboPaintTest, ListShowsOnlyTheEntriesThatFitAboveTheWindowsBottom) {
  // Room for two entries: the 22-pixel box, a 1-pixel border above and below.
  Create(CBS_DROPDOWN | CBS_OWNERDRAWFIXED, {u"a", u"b", u"c", u"d"}, 22 + 2 + 2 * 13 + 5);
  SendMessageW(combo_, CB_SHOWDROPDOWN, TRUE, 0);
  const auto operations = Print();
  ASSERT_EQ(drawn_.size(), 2u);  // an editable box's field is its edit child
  EXPECT_EQ(drawn_[1].itemID, 1u);
  ASSERT_GE(operations.size(), 2u);
  EXPECT_EQ(operations[0].kind, DrawOperation::Kind::kFill);
  EXPECT_EQ(operations[0].rect, (RECT{0, 22, 146, 22 + 2 + 2 * 13}));
  EXPECT_EQ(operations[1].kind, DrawOperation::Kind::kFrame);
}

TEST_F(ComboPaintTest, BoxWithoutOwnerDrawingWritesItsTextsItself) {
  Create(CBS_DROPDOWNLIST, {u"R&D", u"Sales"});
  SendMessageW(combo_, CB_SETCURSEL, 0, 0);
  SendMessageW(combo_, CB_SHOWDROPDOWN, TRUE, 0);
  std::vector<std::u16string> texts;
  std::vector<COLORREF> colours;
  for (const auto& op : Print()) {
    if (op.kind != DrawOperation::Kind::kText) continue;
    texts.push_back(op.text);
    colours.push_back(op.colour);
    EXPECT_EQ(op.backgroundMode, TRANSPARENT);
  }
  EXPECT_TRUE(drawn_.empty());
  EXPECT_EQ(texts, (std::vector<std::u16string>{u"R&D", u"R&D", u"Sales"}));
  EXPECT_EQ(colours,
            (std::vector<COLORREF>{GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_HIGHLIGHTTEXT),
                                   GetSysColor(COLOR_WINDOWTEXT)}));
}

TEST_F(ComboPaintTest, ItemHeightsOutsideAByteAreRefused) {
  Create(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, {u"a"});
  EXPECT_EQ(SendMessageW(combo_, CB_SETITEMHEIGHT, 0, 0), CB_ERR);
  EXPECT_EQ(SendMessageW(combo_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 256), CB_ERR);
  EXPECT_EQ(SendMessageW(combo_, CB_GETITEMHEIGHT, 0, 0), kTextHeight);
  SendMessageW(combo_, CB_SHOWDROPDOWN, TRUE, 0);
  Print();
  EXPECT_EQ(drawn_.size(), 2u);
}

}  // namespace
}  // namespace platform::ui
