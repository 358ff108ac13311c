#include <gtest/gtest.h>

#include <thread>

#include "platform/ui/ComboBox.h"
#include "platform/ui/Window.h"
#include "platform/ui/testing/RecordingWindow.h"

namespace platform::ui {
namespace {

using testing::CreateRecordingWindow;
using testing::MessageLog;

TEST(Caret, StartsHiddenAndShowsOnceEveryHideIsUndone) {
  MessageLog log;
  UniqueWindow owner(CreateRecordingWindow(log));
  UniqueWindow other(CreateRecordingWindow(log));
  ASSERT_TRUE(CreateCaret(owner.Get(), nullptr, 1, 13));
  EXPECT_EQ(CaretWindow(), owner.Get());
  EXPECT_FALSE(IsCaretShown());
  EXPECT_FALSE(ShowCaret(other.Get()));  // not its caret
  EXPECT_FALSE(IsCaretShown());
  EXPECT_TRUE(ShowCaret(owner.Get()));
  EXPECT_TRUE(IsCaretShown());
  EXPECT_TRUE(HideCaret(nullptr));
  EXPECT_TRUE(HideCaret(owner.Get()));
  EXPECT_TRUE(ShowCaret(nullptr));
  EXPECT_FALSE(IsCaretShown());
  EXPECT_TRUE(ShowCaret(owner.Get()));
  EXPECT_TRUE(IsCaretShown());
  EXPECT_TRUE(ShowCaret(owner.Get()));  // showing a shown caret keeps it shown
  EXPECT_TRUE(HideCaret(owner.Get()));
  EXPECT_FALSE(IsCaretShown());
  EXPECT_TRUE(DestroyCaret());
  EXPECT_EQ(CaretWindow(), nullptr);
  EXPECT_FALSE(ShowCaret(nullptr));
  EXPECT_FALSE(HideCaret(nullptr));
}

TEST(Caret, ANewCaretReplacesTheOldAndGoesWithItsWindow) {
  MessageLog log;
  UniqueWindow first(CreateRecordingWindow(log));
  UniqueWindow second(CreateRecordingWindow(log));
  ASSERT_TRUE(CreateCaret(first.Get(), nullptr, 1, 13));
  ASSERT_TRUE(ShowCaret(first.Get()));
  ASSERT_TRUE(CreateCaret(second.Get(), nullptr, 1, 13));
  EXPECT_EQ(CaretWindow(), second.Get());
  EXPECT_FALSE(IsCaretShown());
  second.Reset();
  EXPECT_EQ(CaretWindow(), nullptr);
  EXPECT_FALSE(DestroyCaret());
  EXPECT_FALSE(CreateCaret(second.Get(), nullptr, 1, 13));
}

TEST(Caret, EachThreadHasItsOwnAndOnlyForItsOwnWindows) {
  MessageLog log;
  UniqueWindow window(CreateRecordingWindow(log));
  ASSERT_TRUE(CreateCaret(window.Get(), nullptr, 1, 13));
  bool createdForeign = true;
  HWND seenThere = window.Get();
  std::thread other([&] {
    createdForeign = CreateCaret(window.Get(), nullptr, 1, 13) != FALSE;
    seenThere = CaretWindow();
  });
  other.join();
  EXPECT_FALSE(createdForeign);
  EXPECT_EQ(seenThere, nullptr);
  EXPECT_EQ(CaretWindow(), window.Get());
  EXPECT_TRUE(DestroyCaret());
}

TEST(Caret, AnEditFieldHasAShownCaretExactlyWhileItHasTheFocus) {
  MessageLog log;
  UniqueWindow parent(CreateRecordingWindow(log));
  HWND readOnly = CreateWindowExW(0, WC_EDITW, u"$1", WS_CHILD | WS_VISIBLE | ES_READONLY, 0, 0, 80,
                                  22, parent.Get(), nullptr, nullptr, nullptr);
  HWND plain = CreateWindowExW(0, WC_EDITW, u"", WS_CHILD | WS_VISIBLE, 90, 0, 80, 22, parent.Get(),
                               nullptr, nullptr, nullptr);
  EXPECT_EQ(CaretWindow(), nullptr);
  SetFocus(readOnly);
  EXPECT_EQ(CaretWindow(), readOnly);
  EXPECT_TRUE(IsCaretShown());
  SetFocus(plain);
  EXPECT_EQ(CaretWindow(), plain);
  EXPECT_TRUE(IsCaretShown());
  // Losing the focus destroys only the field's own caret.
  ASSERT_TRUE(CreateCaret(parent.Get(), nullptr, 1, 13));
  SetFocus(readOnly);
  EXPECT_EQ(CaretWindow(), readOnly);
  SetFocus(nullptr);
  EXPECT_EQ(CaretWindow(), nullptr);
  SetFocus(plain);
  DestroyWindow(plain);
  EXPECT_EQ(CaretWindow(), nullptr);
}

}  // namespace
}  // namespace platform::ui
