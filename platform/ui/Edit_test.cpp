#include <gtest/gtest.h>

#include <string>

#include "platform/ui/ComboBox.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"
#include "platform/ui/testing/RecordingWindow.h"

namespace platform::ui {
namespace {

using testing::CreateRecordingWindow;
using testing::MessageLog;

class EditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_.Reset(CreateRecordingWindow(log_, nullptr, WS_VISIBLE, 0, RECT{0, 0, 300, 30}));
    edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, u"hello", WS_CHILD | WS_VISIBLE, 0, 0, 200,
                            22, parent_.Get(), reinterpret_cast<HMENU>(7), nullptr, nullptr);
    ASSERT_NE(edit_, nullptr);
    SetFocus(edit_);
    RunUntilIdle();
    log_.Clear();
  }
  void Type(std::u16string_view text) {
    TypeCharacters(text);
    RunUntilIdle();
  }
  void Select(int start, int end) { SendMessageW(edit_, EM_SETSEL, start, end); }
  std::pair<DWORD, DWORD> Selection() {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }

  MessageLog log_;
  UniqueWindow parent_;
  HWND edit_ = nullptr;
};

TEST_F(EditTest, TypingReplacesTheSelectionAndMovesTheCaret) {
  EXPECT_EQ(WindowText(edit_), u"hello");
  Select(5, 5);
  Type(u" world");
  EXPECT_EQ(WindowText(edit_), u"hello world");
  EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{11, 11}));
  Select(0, 5);
  Type(u"J");
  EXPECT_EQ(WindowText(edit_), u"J world");
  Select(7, 1);  // backwards selections replace the same characters
  Type(u"ump");
  EXPECT_EQ(WindowText(edit_), u"Jump");
  Type(u"\b\b");
  EXPECT_EQ(WindowText(edit_), u"Ju");
  Select(0, 0);
  Type(u"\b");  // nothing before the caret
  EXPECT_EQ(WindowText(edit_), u"Ju");
  Select(0, -1);
  Type(u"\b");
  EXPECT_EQ(GetWindowTextLengthW(edit_), 0);
}

TEST_F(EditTest, EachTypedCharacterIsAnUpdateAndAChange) {
  Type(u"ab");
  EXPECT_EQ(log_.CommandCodes(), (std::vector<WORD>{EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE}));
  log_.Clear();
  SendMessageW(edit_, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(u"x"));
  EXPECT_TRUE(log_.CommandCodes().empty());
  EXPECT_EQ(WindowText(edit_), u"abxhello");
}

TEST_F(EditTest, TheTextIsReadAndSetThroughTheWindowTextCalls) {
  WCHAR small[4];
  EXPECT_EQ(GetWindowTextW(edit_, small, 4), 3);
  EXPECT_EQ(std::u16string(small), u"hel");
  EXPECT_EQ(SendMessageW(edit_, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(small)), 0);
  ASSERT_TRUE(SetWindowTextW(edit_, u"new text"));
  EXPECT_EQ(GetWindowTextLengthW(edit_), 8);
  EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{0, 0}));
  EXPECT_EQ(log_.CommandCodes(), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
  SetWindowTextW(edit_, nullptr);
  EXPECT_EQ(WindowText(edit_), u"");
  SendMessageW(edit_, EM_SETREADONLY, TRUE, 0);
  Type(u"no");
  EXPECT_EQ(WindowText(edit_), u"");
}

TEST_F(EditTest, ALongTextTypedAtTheEndArrivesWhole) {
  std::u16string text;
  for (int i = 0; i < 20000; ++i) text.push_back(static_cast<char16_t>(u'a' + i % 26));
  Select(0, -1);
  Type(text);
  EXPECT_EQ(WindowText(edit_), text);
  EXPECT_EQ(Selection(), (std::pair<DWORD, DWORD>{20000, 20000}));
}

}  // namespace
}  // namespace platform::ui
