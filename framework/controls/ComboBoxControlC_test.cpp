#include "framework/controls/ComboBoxControlC.h"

#include <gtest/gtest.h>

#include "framework/toolband/ToolBandTestSupport.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/Subclass.h"

namespace framework {
namespace {

class ComboBoxTest : public testing::ToolBandTest {
 protected:
  ComboBoxControlC& Box() { return static_cast<ComboBoxControlC&>(*Band().Controls()[0]); }
  std::u16string BoxText() { return platform::ui::WindowText(Box().Window()); }
  int ListCount() { return static_cast<int>(SendMessageW(Box().Window(), CB_GETCOUNT, 0, 0)); }
  void CaretToEnd() {
    const auto length = static_cast<WPARAM>(GetWindowTextLengthW(Box().EditField()));
    SendMessageW(Box().EditField(), EM_SETSEL, length, static_cast<LPARAM>(length));
  }
};

TEST_F(ComboBoxTest, FocusEmptiesOnlyThePromptText) {
  ASSERT_NE(BuildToolbar("<combo-box command='Search' width='150'/>", {"Search"}), nullptr);
  Command("Search").SetText(kSearchPromptText);
  EXPECT_EQ(BoxText(), u"Enter search term...");
  SetFocus(Box().EditField());
  EXPECT_EQ(BoxText(), u"");
  EXPECT_EQ(Command("Search").Text(), "");
  EXPECT_EQ(Band().FocusedControl(), &Box());
  EXPECT_TRUE(Box().HasFocus());

  SetFocus(nullptr);
  Command("Search").SetText("cats");
  SetFocus(Box().EditField());
  EXPECT_EQ(BoxText(), u"cats");
}

TEST_F(ComboBoxTest, TypingSetsTheCommandTextQuietly) {
  ASSERT_NE(BuildToolbar("<combo-box command='Search' width='150'/>", {"Search"}), nullptr);
  SetFocus(Box().EditField());
  platform::ui::TypeCharacters(u"dogs");
  platform::ui::RunUntilIdle();
  EXPECT_EQ(Command("Search").Text(), "dogs");
  EXPECT_TRUE(executed_.empty());
}

// Counts the reads of a window's text, to show typing does not reread the
// whole field at every keystroke.
LRESULT CALLBACK CountTextReads(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR, DWORD_PTR counter) {
  if (message == WM_GETTEXT) ++*reinterpret_cast<int*>(counter);
  return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(ComboBoxTest, TypingLeavesTheFieldUnreadUntilTheCommandsTextIsAskedFor) {
  ASSERT_NE(BuildToolbar("<combo-box command='Search' width='150'/>", {"Search"}), nullptr);
  SetFocus(Box().EditField());
  int reads = 0;
  ASSERT_TRUE(SetWindowSubclass(Box().EditField(), CountTextReads, 1,
                                reinterpret_cast<DWORD_PTR>(&reads)));
  const std::u16string typed(200, u'q');
  platform::ui::TypeCharacters(typed);
  platform::ui::RunUntilIdle();
  EXPECT_EQ(reads, 0);
  EXPECT_EQ(Command("Search").Text(), std::string(200, 'q'));
  EXPECT_EQ(Command("Search").Text(), std::string(200, 'q'));
  EXPECT_EQ(reads, 1);
  RemoveWindowSubclass(Box().EditField(), CountTextReads, 1);
}

TEST_F(ComboBoxTest, TypedTextOutlivesTheListOpeningALayoutAndTheBoxItself) {
  ASSERT_NE(BuildToolbar("<combo-box command='Search' width='150' list='alpha##beta'/>",
                         {"Search"}),
            nullptr);
  SetFocus(Box().EditField());
  platform::ui::TypeCharacters(u"dogs");
  platform::ui::RunUntilIdle();
  // Opening the list empties the box and refills it from the command.
  SendMessageW(Box().Window(), CB_SHOWDROPDOWN, TRUE, 0);
  platform::ui::RunUntilIdle();
  EXPECT_EQ(BoxText(), u"dogs");
  SendMessageW(Box().Window(), CB_SHOWDROPDOWN, FALSE, 0);
  platform::ui::RunUntilIdle();

  CaretToEnd();  // the refilled field has its caret at the start
  platform::ui::TypeCharacters(u" and cats");
  platform::ui::RunUntilIdle();
  Band().LayoutControls();  // moves the box, which empties and refills its field
  EXPECT_EQ(BoxText(), u"dogs and cats");
  EXPECT_EQ(Command("Search").Text(), "dogs and cats");

  CaretToEnd();
  platform::ui::TypeCharacters(u"!");
  platform::ui::RunUntilIdle();
  Band().RemoveAllControls();
  EXPECT_EQ(Command("Search").Text(), "dogs and cats!");
}

TEST_F(ComboBoxTest, TextSetOnTheCommandAfterTypingWins) {
  ASSERT_NE(BuildToolbar("<combo-box command='Search' width='150'/>", {"Search"}), nullptr);
  SetFocus(Box().EditField());
  platform::ui::TypeCharacters(u"dogs");
  platform::ui::RunUntilIdle();
  Command("Search").SetTextQuietly("cats");
  EXPECT_EQ(Command("Search").Text(), "cats");
  platform::ui::TypeCharacters(u"x");
  platform::ui::RunUntilIdle();
  EXPECT_EQ(Command("Search").Text(), "dogsx");  // the box still showed what was typed
}

TEST_F(ComboBoxTest, EnterCommitsTheTypedTextAndKeepsTheFocus) {
  ASSERT_NE(BuildToolbar("<combo-box command='Search' width='150'/>", {"Search"}), nullptr);
  SetFocus(Box().EditField());
  platform::ui::TypeCharacters(u"dogs");
  platform::ui::PressKey(VK_RETURN);
  platform::ui::RunUntilIdle();
  EXPECT_EQ(executed_, (std::vector<std::string>{"Search:dogs"}));
  EXPECT_TRUE(Box().HasFocus());
}

TEST_F(ComboBoxTest, EnterInTheOpenListCommitsTheHighlightedEntry) {
  ASSERT_NE(
      BuildToolbar("<combo-box command='Search' width='150' list='alpha##beta'/>", {"Search"}),
      nullptr);
  SetFocus(Box().EditField());
  platform::ui::PressKey(VK_DOWN);  // opens the closed list instead of moving
  platform::ui::RunUntilIdle();
  ASSERT_NE(SendMessageW(Box().Window(), CB_GETDROPPEDSTATE, 0, 0), 0);
  EXPECT_EQ(SendMessageW(Box().Window(), CB_GETCURSEL, 0, 0), -1);
  platform::ui::PressKey(VK_DOWN);  // now it moves: "alpha", wholly selected
  platform::ui::PressKey(VK_DOWN);  // "beta"
  platform::ui::PressKey(VK_RETURN);
  platform::ui::RunUntilIdle();
  EXPECT_EQ(executed_, (std::vector<std::string>{"Search:beta"}));
  EXPECT_EQ(SendMessageW(Box().Window(), CB_GETDROPPEDSTATE, 0, 0), 0);
}

TEST_F(ComboBoxTest, ChoosingFromTheListCommitsAndCancelRestoresTheText) {
  ASSERT_NE(
      BuildToolbar("<combo-box command='Search' width='150' list='alpha##beta'/>", {"Search"}),
      nullptr);
  Command("Search").SetText("typed");
  ASSERT_TRUE(platform::ui::ChooseComboItem(Box().Window(), 1));
  EXPECT_EQ(executed_, (std::vector<std::string>{"Search:beta"}));
  EXPECT_EQ(Command("Search").SelectedIndex(), 1);

  executed_.clear();
  Command("Search").SetText("again");
  ASSERT_TRUE(platform::ui::OpenComboList(Box().Window()));
  SendMessageW(Box().Window(), CB_SETCURSEL, 0, 0);
  ASSERT_TRUE(platform::ui::DismissComboList(Box().Window()));
  EXPECT_EQ(BoxText(), u"again");
  EXPECT_EQ(executed_, (std::vector<std::string>{"Search focus lost"}));
}

TEST_F(ComboBoxTest, FixedListRestoresItsSelectionWhenClosedWithoutAChoice) {
  ASSERT_NE(
      BuildToolbar("<combo-box command='Engine' width='100' fixed-list='yes' list='a##b##c'/>",
                   {"Engine"}),
      nullptr);
  EXPECT_EQ(Box().EditField(), nullptr);
  Command("Engine").SetSelectedIndex(2);
  ASSERT_TRUE(platform::ui::OpenComboList(Box().Window()));
  SendMessageW(Box().Window(), CB_SETCURSEL, 0, 0);
  ASSERT_TRUE(platform::ui::DismissComboList(Box().Window()));
  EXPECT_EQ(SendMessageW(Box().Window(), CB_GETCURSEL, 0, 0), 2);
  EXPECT_TRUE(std::find(executed_.begin(), executed_.end(), "Engine:a") == executed_.end());
}

TEST_F(ComboBoxTest, FixedListEnterCommitsOnce) {
  ASSERT_NE(BuildToolbar("<combo-box command='Engine' width='100' fixed-list='yes' list='a##b'/>",
                         {"Engine"}),
            nullptr);
  SetFocus(Box().Window());
  platform::ui::PressKey(VK_DOWN);  // opens
  platform::ui::PressKey(VK_DOWN);  // selects "a"
  platform::ui::PressKey(VK_RETURN);
  platform::ui::RunUntilIdle();
  EXPECT_EQ(executed_, (std::vector<std::string>{"Engine:a"}));
}

TEST_F(ComboBoxTest, AnEqualItemListIsNotRebuilt) {
  ASSERT_NE(BuildToolbar("<combo-box command='Search' width='150' list='one##two'/>", {"Search"}),
            nullptr);
  ASSERT_EQ(ListCount(), 2);
  // Mark the window's first entry: a rebuild would lose the mark.
  SendMessageW(Box().Window(), CB_SETITEMDATA, 0, 77);
  Command("Search").SetSelectedIndex(1);
  EXPECT_EQ(SendMessageW(Box().Window(), CB_GETITEMDATA, 0, 0), 77);
  EXPECT_EQ(SendMessageW(Box().Window(), CB_GETCURSEL, 0, 0), 1);
  Command("Search").InsertItem("zero", 0);
  Command("Search").SetSelectedIndex(0);
  EXPECT_EQ(ListCount(), 3);
  EXPECT_EQ(SendMessageW(Box().Window(), CB_GETITEMDATA, 0, 0), 0);
}

TEST_F(ComboBoxTest, PlacedOverItsButtonWithRoomForTheList) {
  ASSERT_NE(BuildToolbar("<combo-box command='Search' width='150'/>", {"Search"}), nullptr);
  RECT rect{};
  GetWindowRect(Box().Window(), &rect);
  EXPECT_EQ(rect.right - rect.left, 146);
  EXPECT_EQ(rect.bottom - rect.top, Box().ToolbarRect().bottom + 259);
}

TEST_F(ComboBoxTest, ItemsAreDrawnSelectedOrPlain) {
  ASSERT_NE(BuildToolbar("<combo-box command='Search' width='150' list='one##two'/>", {"Search"}),
            nullptr);
  HDC dc = platform::ui::CreateRecordingDC();
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_COMBOBOX;
  draw.itemID = 1;
  draw.itemState = ODS_SELECTED;
  draw.hDC = dc;
  draw.rcItem = RECT{0, 0, 100, 13};
  Box().OnWindowDrawItem(draw);
  const auto operations = platform::ui::RecordedOperations(dc);
  platform::ui::DeleteDC(dc);
  ASSERT_EQ(operations.size(), 2u);
  EXPECT_EQ(operations[0].colour, GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(operations[1].text, u"two");
  EXPECT_EQ(operations[1].colour, GetSysColor(COLOR_HIGHLIGHTTEXT));
  EXPECT_EQ(operations[1].rect.left, 2);
}

}  // namespace
}  // namespace framework
