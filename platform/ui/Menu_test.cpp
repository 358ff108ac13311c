#include "platform/ui/Menu.h"

#include <gtest/gtest.h>

#include "platform/ui/testing/RecordingWindow.h"

namespace platform::ui {
namespace {

using testing::CreateRecordingWindow;
using testing::MessageLog;

void AddOwnerDrawn(HMENU menu, UINT id, const char16_t* text, UINT state = 0) {
  ASSERT_TRUE(AppendMenuW(menu, MF_OWNERDRAW | state, id,
                          reinterpret_cast<LPCWSTR>(static_cast<ULONG_PTR>(id * 10))));
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<LPWSTR>(text);
  ASSERT_TRUE(SetMenuItemInfoW(menu, id, FALSE, &info));
}

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearMenuScript();
    owner_.Reset(CreateRecordingWindow(log_));
    log_.handler = [this](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
      if (message == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        measure->itemWidth = 120;
        measure->itemHeight = 22;
        measured_.push_back(measure->itemID);
        return TRUE;
      }
      if (message == WM_DRAWITEM) {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        drawn_.push_back({draw->itemID, draw->itemState});
        EXPECT_EQ(draw->rcItem.bottom - draw->rcItem.top, 22);
        return TRUE;
      }
      return std::nullopt;
    };
    menu_ = CreatePopupMenu();
    submenu_ = CreatePopupMenu();
    AddOwnerDrawn(menu_, 1, u"Web search");
    AddOwnerDrawn(menu_, 2, u"Highlight", MF_CHECKED);
    AppendMenuW(menu_, MF_SEPARATOR, 0, nullptr);
    AddOwnerDrawn(menu_, 3, u"Uninstall", MF_GRAYED);
    AddOwnerDrawn(submenu_, 11, u"Privacy");
    AppendMenuW(menu_, MF_POPUP | MF_OWNERDRAW, reinterpret_cast<UINT_PTR>(submenu_), nullptr);
  }
  void TearDown() override { DestroyMenu(menu_); }

  std::vector<UINT> MenuMessages() {
    return log_.Ids({WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_MEASUREITEM, WM_DRAWITEM, WM_MENUSELECT,
                     WM_UNINITMENUPOPUP, WM_EXITMENULOOP});
  }

  MessageLog log_;
  UniqueWindow owner_;
  HMENU menu_ = nullptr;
  HMENU submenu_ = nullptr;
  std::vector<UINT> measured_;
  std::vector<std::pair<UINT, UINT>> drawn_;
};

TEST_F(MenuTest, ChoosingInASubmenuSendsTheMenuLoopInOrder) {
  ScriptMenuChoice(11);
  log_.Clear();
  EXPECT_EQ(TrackPopupMenuEx(menu_, TPM_RETURNCMD, 10, 30, owner_.Get(), nullptr), 11);
  EXPECT_EQ(MenuMessages(),
            (std::vector<UINT>{WM_ENTERMENULOOP, WM_INITMENUPOPUP, WM_MEASUREITEM, WM_MEASUREITEM,
                               WM_MEASUREITEM, WM_MEASUREITEM, WM_DRAWITEM, WM_DRAWITEM,
                               WM_DRAWITEM, WM_DRAWITEM, WM_MENUSELECT, WM_INITMENUPOPUP,
                               WM_MEASUREITEM, WM_DRAWITEM, WM_MENUSELECT, WM_MENUSELECT,
                               WM_UNINITMENUPOPUP, WM_UNINITMENUPOPUP, WM_EXITMENULOOP}));
  const auto messages = log_.Messages();
  std::vector<testing::LoggedMessage> selects;
  for (const auto& m : messages) {
    if (m.message == WM_MENUSELECT) selects.push_back(m);
  }
  ASSERT_EQ(selects.size(), 3u);
  EXPECT_EQ(LOWORD(selects[0].wParam), 4);  // the submenu's position
  EXPECT_TRUE(HIWORD(selects[0].wParam) & MF_POPUP);
  EXPECT_EQ(LOWORD(selects[1].wParam), 11);
  EXPECT_EQ(reinterpret_cast<HMENU>(selects[1].lParam), submenu_);
  EXPECT_EQ(HIWORD(selects[2].wParam), 0xFFFF);
  EXPECT_EQ(selects[2].lParam, 0);
  EXPECT_EQ(drawn_[1], (std::pair<UINT, UINT>{2, ODS_CHECKED}));
  EXPECT_EQ(drawn_[2], (std::pair<UINT, UINT>{3, ODS_GRAYED}));
}

TEST_F(MenuTest, ItemsAreMeasuredOnceButDrawnEveryTime) {
  TrackPopupMenuEx(menu_, TPM_RETURNCMD, 0, 0, owner_.Get(), nullptr);
  TrackPopupMenuEx(menu_, TPM_RETURNCMD, 0, 0, owner_.Get(), nullptr);
  EXPECT_EQ(measured_,
            (std::vector<UINT>{1, 2, 3, static_cast<UINT>(reinterpret_cast<UINT_PTR>(submenu_))}));
  EXPECT_EQ(drawn_.size(), 8u);
  EXPECT_EQ(InspectMenu(menu_)[0].measuredWidth, 120u);
}

TEST_F(MenuTest, GreyedItemsCannotBeChosenAndWithoutReturnCmdTheChoiceIsPosted) {
  ScriptMenuChoice(3);
  EXPECT_EQ(TrackPopupMenuEx(menu_, TPM_RETURNCMD, 0, 0, owner_.Get(), nullptr), 0);
  ScriptMenuChoice(99);
  EXPECT_EQ(TrackPopupMenuEx(menu_, TPM_RETURNCMD, 0, 0, owner_.Get(), nullptr), 0);
  ScriptMenuChoice(1);
  log_.Clear();
  EXPECT_EQ(TrackPopupMenu(menu_, TPM_LEFTALIGN, 0, 0, 0, owner_.Get(), nullptr), TRUE);
  EXPECT_TRUE(log_.Ids({WM_COMMAND}).empty());
  RunUntilIdle();
  const auto messages = log_.Messages();
  const auto command = std::find_if(messages.begin(), messages.end(),
                                    [](const auto& m) { return m.message == WM_COMMAND; });
  ASSERT_NE(command, messages.end());
  EXPECT_EQ(command->wParam, MAKEWPARAM(1, 0));
}

TEST_F(MenuTest, StateChangesReportThePreviousStateAndFindItemsInSubmenus) {
  EXPECT_EQ(EnableMenuItem(menu_, 3, MF_BYCOMMAND | MF_ENABLED), static_cast<DWORD>(MF_GRAYED));
  EXPECT_EQ(EnableMenuItem(menu_, 11, MF_BYCOMMAND | MF_GRAYED), static_cast<DWORD>(MF_ENABLED));
  EXPECT_EQ(CheckMenuItem(menu_, 2, MF_BYCOMMAND | MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
  EXPECT_EQ(CheckMenuItem(menu_, 77, MF_BYCOMMAND | MF_CHECKED), static_cast<DWORD>(-1));
  EXPECT_EQ(GetMenuState(menu_, 4, MF_BYPOSITION) & (MF_POPUP | 0xFF00), MF_POPUP | (1u << 8));
  EXPECT_EQ(GetMenuItemID(menu_, 4), static_cast<UINT>(-1));
  EXPECT_EQ(GetSubMenu(menu_, 4), submenu_);
  WCHAR text[32];
  EXPECT_EQ(GetMenuStringW(menu_, 11, text, 32, MF_BYCOMMAND), 7);
  EXPECT_EQ(std::u16string(text), u"Privacy");
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_DATA | MIIM_FTYPE | MIIM_STATE;
  ASSERT_TRUE(GetMenuItemInfoW(menu_, 0, TRUE, &info));
  EXPECT_EQ(info.dwItemData, 10u);
  EXPECT_EQ(info.fType, MFT_OWNERDRAW);
  ASSERT_TRUE(InsertMenuW(menu_, 0, MF_BYPOSITION | MF_STRING, 5, u"First"));
  EXPECT_EQ(GetMenuItemID(menu_, 0), 5u);
  EXPECT_EQ(GetMenuItemCount(menu_), 6);
}

TEST_F(MenuTest, DestroyingAMenuDestroysItsSubmenusAndStaleHandlesFail) {
  HMENU menu = menu_;
  ASSERT_TRUE(DestroyMenu(menu));
  menu_ = nullptr;
  EXPECT_FALSE(IsMenu(submenu_));
  EXPECT_EQ(GetMenuItemCount(menu), -1);
  EXPECT_FALSE(AppendMenuW(menu, MF_STRING, 1, u"x"));
  EXPECT_FALSE(TrackPopupMenuEx(menu, TPM_RETURNCMD, 0, 0, owner_.Get(), nullptr));
}

}  // namespace
}  // namespace platform::ui
