#include "platform/ui/ComboBox.h"

#include <gtest/gtest.h>

#include "platform/ui/Keyboard.h"
#include "platform/ui/testing/RecordingWindow.h"

namespace platform::ui {
namespace {

using testing::CreateRecordingWindow;
using testing::MessageLog;

class ComboBoxTest : public ::testing::Test {
 protected:
  void Create(DWORD kind) {
    parent_.Reset(CreateRecordingWindow(log_, nullptr, WS_VISIBLE, 0, RECT{0, 0, 400, 30}));
    other_ = CreateRecordingWindow(otherLog_, parent_.Get());
    combo_ = CreateWindowExW(0, WC_COMBOBOXW, u"",
                             WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_AUTOHSCROLL |
                                 CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | kind,
                             2, 0, 146, 22 + 259, parent_.Get(), reinterpret_cast<HMENU>(42),
                             nullptr, nullptr);
    ASSERT_NE(combo_, nullptr);
    for (const char16_t* item : {u"alpha", u"beta", u"gamma"})
      SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(combo_, &info);
    edit_ = info.hwndItem;
    RunUntilIdle();
    log_.Clear();
  }
  void TearDown() override { ReleaseAllKeys(); }

  std::vector<WORD> Codes() {
    std::vector<WORD> codes;
    for (const auto& m : log_.Messages()) {
      if (m.message == WM_COMMAND && reinterpret_cast<HWND>(m.lParam) == combo_)
        codes.push_back(HIWORD(m.wParam));
    }
    log_.Clear();
    return codes;
  }

  MessageLog log_;
  MessageLog otherLog_;
  UniqueWindow parent_;
  HWND other_ = nullptr;
  HWND combo_ = nullptr;
  HWND edit_ = nullptr;
};

TEST_F(ComboBoxTest, DropDownStyleOwnsAnEditFieldThatHoldsItsText) {
  Create(CBS_DROPDOWN);
  ASSERT_NE(edit_, nullptr);
  EXPECT_EQ(WindowClassName(edit_), u"Edit");
  EXPECT_EQ(GetDlgCtrlID(edit_), kComboEditId);
  SetWindowTextW(combo_, u"Enter search term...");
  EXPECT_EQ(WindowText(edit_), u"Enter search term...");
  EXPECT_EQ(WindowText(combo_), u"Enter search term...");
  EXPECT_TRUE(Codes().empty());  // a program's text is no edit by the user
}

TEST_F(ComboBoxTest, OpeningChoosingAndClosingNotifyInTheRealOrder) {
  Create(CBS_DROPDOWN);
  log_.handler = [this](HWND, UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
    if (message == WM_COMMAND && HIWORD(wParam) == CBN_DROPDOWN) {
      EXPECT_FALSE(SendMessageW(combo_, CB_GETDROPPEDSTATE, 0, 0));  // asked before the list shows
    }
    return std::nullopt;
  };
  ASSERT_TRUE(OpenComboList(combo_));
  EXPECT_EQ(GetFocus(), edit_);
  EXPECT_EQ(Codes(), (std::vector<WORD>{CBN_SETFOCUS, CBN_DROPDOWN}));
  ASSERT_TRUE(ChooseComboItem(combo_, 1));
  EXPECT_EQ(Codes(), (std::vector<WORD>{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
  EXPECT_EQ(WindowText(combo_), u"beta");
  EXPECT_EQ(SendMessageW(combo_, CB_GETCURSEL, 0, 0), 1);
  OpenComboList(combo_);
  ChooseComboItem(combo_, 1);  // the same entry again: no selection change
  EXPECT_EQ(Codes(), (std::vector<WORD>{CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP}));
  OpenComboList(combo_);
  PressKey(VK_ESCAPE);
  RunUntilIdle();
  EXPECT_EQ(Codes(), (std::vector<WORD>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));
  OpenComboList(combo_);
  SetFocus(other_);
  EXPECT_EQ(Codes(),
            (std::vector<WORD>{CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS}));
  EXPECT_FALSE(SendMessageW(combo_, CB_GETDROPPEDSTATE, 0, 0));
}

TEST_F(ComboBoxTest, TypingNotifiesEditChangeAndKeysMoveTheSelection) {
  Create(CBS_DROPDOWN);
  SetFocus(combo_);  // the box hands the focus to its field
  EXPECT_EQ(GetFocus(), edit_);
  Codes();
  TypeCharacters(u"ne");
  RunUntilIdle();
  EXPECT_EQ(WindowText(combo_), u"ne");
  EXPECT_EQ(Codes(),
            (std::vector<WORD>{CBN_EDITUPDATE, CBN_EDITCHANGE, CBN_EDITUPDATE, CBN_EDITCHANGE}));
  PressKey(VK_DOWN);
  RunUntilIdle();
  EXPECT_EQ(Codes(), (std::vector<WORD>{CBN_SELCHANGE}));
  EXPECT_EQ(WindowText(combo_), u"alpha");
  PressKey(VK_F4);
  PressKey(VK_RETURN);
  RunUntilIdle();
  EXPECT_EQ(Codes(), (std::vector<WORD>{CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP}));
}

TEST_F(ComboBoxTest, EditFieldAsksForColoursThroughTheBox) {
  Create(CBS_DROPDOWN);
  InvalidateRect(edit_, nullptr, TRUE);
  RunUntilIdle();
  bool asked = false;
  for (const auto& m : log_.Messages()) {
    if (m.message == WM_CTLCOLOREDIT && reinterpret_cast<HWND>(m.lParam) == edit_) asked = true;
  }
  EXPECT_TRUE(asked);
}

TEST_F(ComboBoxTest, ListAndHeightsAndOwnerDrawMeasuring) {
  Create(CBS_DROPDOWNLIST);
  EXPECT_EQ(edit_, nullptr);
  EXPECT_EQ(SendMessageW(combo_, CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageW(combo_, CB_SETCURSEL, 5, 0), CB_ERR);
  EXPECT_EQ(SendMessageW(combo_, CB_SETCURSEL, 2, 0), 2);
  EXPECT_EQ(WindowText(combo_), u"gamma");
  EXPECT_EQ(SendMessageW(combo_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(u"BETA")),
            1);
  EXPECT_EQ(SendMessageW(combo_, CB_DELETESTRING, 0, 0), 2);
  EXPECT_EQ(SendMessageW(combo_, CB_GETCURSEL, 0, 0), 1);  // the selection follows its entry
  SendMessageW(combo_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 16);
  SendMessageW(combo_, CB_SETITEMHEIGHT, 0, 13);
  EXPECT_EQ(SendMessageW(combo_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0), 16);
  EXPECT_EQ(SendMessageW(combo_, CB_GETITEMHEIGHT, 0, 0), 13);
  SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
  EXPECT_EQ(SendMessageW(combo_, CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(WindowText(combo_), u"");
}

TEST_F(ComboBoxTest, ShowDropDownSendsOnlyDropDownAndCloseUp) {
  Create(CBS_DROPDOWNLIST);
  SendMessageW(combo_, CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageW(combo_, CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageW(combo_, CB_SHOWDROPDOWN, FALSE, 0);
  EXPECT_EQ(Codes(), (std::vector<WORD>{CBN_DROPDOWN, CBN_CLOSEUP}));
}

TEST(EditControl, ProgramTextNotifiesChangeAndReadOnlyIgnoresTyping) {
  MessageLog log;
  UniqueWindow parent(CreateRecordingWindow(log));
  HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, u"",
                              WS_CHILD | WS_VISIBLE | ES_READONLY | ES_MULTILINE, 2, 0, 100, 22,
                              parent.Get(), reinterpret_cast<HMENU>(5), nullptr, nullptr);
  log.Clear();
  SetWindowTextW(edit, u"$12.50");
  EXPECT_EQ(log.CommandCodes(), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
  SetFocus(edit);
  TypeCharacters(u"x");
  RunUntilIdle();
  EXPECT_EQ(WindowText(edit), u"$12.50");
  SendMessageW(edit, EM_SETREADONLY, FALSE, 0);
  SendMessageW(edit, EM_SETSEL, 1, -1);
  TypeCharacters(u"9");
  RunUntilIdle();
  EXPECT_EQ(WindowText(edit), u"$9");
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 2u);
  EXPECT_EQ(end, 2u);
}

}  // namespace
}  // namespace platform::ui
