#include "platform/ui/Toolbar.h"

#include <gtest/gtest.h>

#include <climits>

#include "platform/ui/Gdi.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/testing/ImageListFilling.h"
#include "platform/ui/testing/RecordingWindow.h"

namespace platform::ui {
namespace {

using testing::CreateRecordingWindow;
using testing::MessageLog;

constexpr DWORD kToolbandToolbarStyle = 0x5401994D;

TBBUTTON MakeButton(int id, BYTE style, int image, const char16_t* text,
                    BYTE state = TBSTATE_ENABLED) {
  TBBUTTON button{};
  button.idCommand = id;
  button.fsStyle = style;
  button.iBitmap = image;
  button.fsState = state;
  button.iString = reinterpret_cast<INT_PTR>(text);
  return button;
}

platform::Bitmap SolidBitmap(int width, int height, std::uint32_t pixel) {
  return platform::Bitmap{
      width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, pixel)};
}

class ToolbarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent_.Reset(CreateRecordingWindow(log_, nullptr, WS_VISIBLE, 0, RECT{0, 0, 800, 30}));
    toolbar_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, kToolbandToolbarStyle, 0, 0, 800, 30,
                               parent_.Get(), reinterpret_cast<HMENU>(1), nullptr, nullptr);
    ASSERT_NE(toolbar_, nullptr);
    SendMessageW(toolbar_, TB_SETEXTENDEDSTYLE, 0,
                 TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS);
    images_ = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 50);
    testing::AddBitmap(images_, SolidBitmap(16, 16, 0x00FF0000), 0xE2F0F0);
    SendMessageW(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
    log_.Clear();
  }
  void TearDown() override { ImageList_Destroy(images_); }

  void Insert(const TBBUTTON& button, int at = -1) {
    ASSERT_TRUE(SendMessageW(toolbar_, TB_INSERTBUTTONW, static_cast<WPARAM>(at),
                             reinterpret_cast<LPARAM>(&button)));
  }
  RECT Rect(int id) {
    RECT rect{-1, -1, -1, -1};
    SendMessageW(toolbar_, TB_GETRECT, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&rect));
    return rect;
  }
  std::vector<int> Ids() {
    std::vector<int> ids;
    const auto view = InspectToolbar(toolbar_);
    for (const auto& button : view->buttons) ids.push_back(button.id);
    return ids;
  }

  MessageLog log_;
  UniqueWindow parent_;
  HWND toolbar_ = nullptr;
  HIMAGELIST images_ = nullptr;
};

TEST_F(ToolbarTest, ButtonWidthsFollowTheFixedMetric) {
  struct Case {
    BYTE style;
    int image;
    const char16_t* text;
    int width;
  };
  const Case cases[] = {
      {BTNS_AUTOSIZE, 0, u"Search", 24},  // text hidden by mixed buttons
      {BTNS_AUTOSIZE | BTNS_SHOWTEXT, 0, u"Search", 16 + 4 + 42 + 8},  // image, gap, text, padding
      {BTNS_DROPDOWN | BTNS_AUTOSIZE | BTNS_SHOWTEXT, 0, u"Menu", 16 + 4 + 28 + 8 + 15},
      {BTNS_WHOLEDROPDOWN | BTNS_AUTOSIZE, 0, u"", 16 + 8 + 11},
      {BTNS_AUTOSIZE | BTNS_SHOWTEXT, I_IMAGENONE, u"&Help",
       28 + 8},                                 // the mnemonic mark takes no room
      {BTNS_SHOWTEXT, I_IMAGENONE, u"Hi", 24},  // not auto-size: at least the button width
      {BTNS_SEP, 150, nullptr, 150},
      {BTNS_SEP, 0, nullptr, 8},
  };
  int id = 100;
  LONG x = 0;
  for (const auto& c : cases) {
    Insert(MakeButton(id, c.style, c.image, c.text));
    const RECT rect = Rect(id);
    EXPECT_EQ(rect.right - rect.left, c.width) << "button " << id;
    EXPECT_EQ(rect.left, x) << "button " << id;
    EXPECT_EQ(rect.bottom, 23) << "16 px images make rows 23 px high";
    x += c.width;
    ++id;
  }
  SIZE size{};
  SendMessageW(toolbar_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
  EXPECT_EQ(size.cx, x);
}

TEST_F(ToolbarTest, InsertAtAnIndexDeleteAndHideKeepTheOrderAndTheLayout) {
  Insert(MakeButton(1, BTNS_AUTOSIZE, 0, nullptr));
  Insert(MakeButton(3, BTNS_AUTOSIZE, 0, nullptr));
  Insert(MakeButton(2, BTNS_AUTOSIZE, 0, nullptr), 1);
  Insert(MakeButton(4, BTNS_AUTOSIZE, 0, nullptr), 99);
  EXPECT_EQ(Ids(), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(SendMessageW(toolbar_, TB_COMMANDTOINDEX, 3, 0), 2);
  ASSERT_TRUE(SendMessageW(toolbar_, TB_DELETEBUTTON, 1, 0));
  EXPECT_FALSE(SendMessageW(toolbar_, TB_DELETEBUTTON, 7, 0));
  EXPECT_EQ(Ids(), (std::vector<int>{1, 3, 4}));
  EXPECT_EQ(SendMessageW(toolbar_, TB_BUTTONCOUNT, 0, 0), 3);
  SendMessageW(toolbar_, TB_HIDEBUTTON, 3, TRUE);
  RECT rect{};
  EXPECT_FALSE(SendMessageW(toolbar_, TB_GETRECT, 3, reinterpret_cast<LPARAM>(&rect)));
  EXPECT_EQ(Rect(4).left, 24);  // the hidden button takes no room
  EXPECT_EQ(SendMessageW(toolbar_, TB_ISBUTTONHIDDEN, 3, 0), TRUE);
  EXPECT_EQ(SendMessageW(toolbar_, TB_GETSTATE, 42, 0), -1);
}

TEST_F(ToolbarTest, ButtonInfoRoundTripsAndAnExplicitWidthWins) {
  Insert(MakeButton(7, BTNS_AUTOSIZE | BTNS_SHOWTEXT, 0, u"Friends"));
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_TEXT | TBIF_STATE | TBIF_STYLE;
  info.pszText = const_cast<LPWSTR>(u"Friends (12)");
  info.fsState = TBSTATE_ENABLED | TBSTATE_CHECKED;
  info.fsStyle = BTNS_AUTOSIZE | BTNS_SHOWTEXT | BTNS_CHECK;
  ASSERT_TRUE(SendMessageW(toolbar_, TB_SETBUTTONINFOW, 7, reinterpret_cast<LPARAM>(&info)));
  WCHAR buffer[8];
  TBBUTTONINFOW read{};
  read.cbSize = sizeof(read);
  read.dwMask = TBIF_TEXT | TBIF_STATE | TBIF_STYLE | TBIF_SIZE | TBIF_COMMAND;
  read.pszText = buffer;
  read.cchText = 8;
  EXPECT_EQ(SendMessageW(toolbar_, TB_GETBUTTONINFOW, 7, reinterpret_cast<LPARAM>(&read)), 0);
  EXPECT_EQ(std::u16string(buffer), u"Friends");  // truncated to the caller's buffer
  EXPECT_EQ(read.fsState, TBSTATE_ENABLED | TBSTATE_CHECKED);
  EXPECT_EQ(read.fsStyle, BTNS_AUTOSIZE | BTNS_SHOWTEXT | BTNS_CHECK);
  EXPECT_EQ(read.cx, 16 + 4 + 12 * 7 + 8);
  info.dwMask = TBIF_SIZE;
  info.cx = 170;
  SendMessageW(toolbar_, TB_SETBUTTONINFOW, 7, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(Rect(7).right, 170);
  read.dwMask = TBIF_COMMAND | TBIF_BYINDEX;
  EXPECT_EQ(SendMessageW(toolbar_, TB_GETBUTTONINFOW, 5, reinterpret_cast<LPARAM>(&read)), -1);
}

TEST_F(ToolbarTest, WidthsAndEdgesStopAtTheLargestCoordinate) {
  Insert(MakeButton(1, BTNS_SEP, INT_MAX, nullptr));
  Insert(MakeButton(2, BTNS_SEP, INT_MAX, nullptr));
  Insert(MakeButton(3, BTNS_AUTOSIZE | BTNS_SHOWTEXT, 0, u"Go"));
  EXPECT_EQ(Rect(1), (RECT{0, 0, kToolbarMaximumExtent, 23}));
  EXPECT_EQ(Rect(2), (RECT{kToolbarMaximumExtent, 0, kToolbarMaximumExtent, 23}));
  EXPECT_EQ(Rect(3), (RECT{kToolbarMaximumExtent, 0, kToolbarMaximumExtent, 23}));
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_SIZE;
  info.cx = 0xFFFF;
  ASSERT_TRUE(SendMessageW(toolbar_, TB_SETBUTTONINFOW, 3, reinterpret_cast<LPARAM>(&info)));
  info.cx = 0;
  SendMessageW(toolbar_, TB_GETBUTTONINFOW, 3, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.cx, kToolbarMaximumExtent);
  SIZE size{};
  SendMessageW(toolbar_, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&size));
  EXPECT_EQ(size.cx, kToolbarMaximumExtent);
  const auto view = InspectToolbar(toolbar_);
  ASSERT_TRUE(view);
  for (const ToolbarButtonView& button : view->buttons) {
    EXPECT_EQ(button.width, kToolbarMaximumExtent) << button.id;
  }
}

TEST_F(ToolbarTest, ButtonInfoWithoutItsSizeFieldIsRefusedAndChangesNothing) {
  Insert(MakeButton(7, BTNS_AUTOSIZE | BTNS_SHOWTEXT, 0, u"Friends"));
  TBBUTTONINFOW info{};
  info.dwMask = TBIF_SIZE;
  info.cx = 170;
  for (UINT size : {0u, static_cast<UINT>(sizeof(info) - 1), static_cast<UINT>(sizeof(info) + 4)}) {
    info.cbSize = size;
    EXPECT_FALSE(SendMessageW(toolbar_, TB_SETBUTTONINFOW, 7, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(SendMessageW(toolbar_, TB_GETBUTTONINFOW, 7, reinterpret_cast<LPARAM>(&info)), -1);
  }
  EXPECT_EQ(Rect(7).right, 16 + 4 + 7 * 7 + 8);
  EXPECT_EQ(info.cx, 170);  // a refused read writes nothing either
}

TEST_F(ToolbarTest, ClicksNotifyTheParentAsTheRealControlDoes) {
  Insert(MakeButton(10, BTNS_AUTOSIZE | BTNS_CHECK, 0, nullptr));
  Insert(MakeButton(11, BTNS_AUTOSIZE | BTNS_DROPDOWN, 0, nullptr));
  Insert(MakeButton(12, BTNS_AUTOSIZE | BTNS_WHOLEDROPDOWN, 0, nullptr));
  Insert(MakeButton(13, BTNS_AUTOSIZE, 0, nullptr, 0));  // disabled
  std::vector<std::pair<int, RECT>> dropDowns;
  log_.handler = [&](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    if (message == WM_NOTIFY) {
      auto* notify = reinterpret_cast<NMTOOLBARW*>(lParam);
      EXPECT_EQ(notify->hdr.code, TBN_DROPDOWN);
      EXPECT_EQ(notify->hdr.hwndFrom, toolbar_);
      EXPECT_EQ(SendMessageW(toolbar_, TB_ISBUTTONPRESSED, static_cast<WPARAM>(notify->iItem), 0),
                TRUE);
      dropDowns.emplace_back(notify->iItem, notify->rcButton);
      return TBDDRET_DEFAULT;
    }
    return std::nullopt;
  };
  EXPECT_TRUE(ClickToolbarButton(toolbar_, 10));
  EXPECT_EQ(SendMessageW(toolbar_, TB_ISBUTTONCHECKED, 10, 0), TRUE);
  EXPECT_TRUE(ClickToolbarButton(toolbar_, 11));         // the split button's body runs the command
  EXPECT_TRUE(ClickToolbarDropDownArrow(toolbar_, 11));  // its arrow opens the menu
  EXPECT_TRUE(ClickToolbarButton(toolbar_, 12));         // a whole drop-down only opens
  EXPECT_FALSE(ClickToolbarButton(toolbar_, 13));
  EXPECT_FALSE(ClickToolbarDropDownArrow(toolbar_, 10));
  std::vector<WORD> commandIds;
  for (const auto& m : log_.Messages()) {
    if (m.message == WM_COMMAND) {
      commandIds.push_back(LOWORD(m.wParam));
      EXPECT_EQ(HIWORD(m.wParam), BN_CLICKED);
      EXPECT_EQ(reinterpret_cast<HWND>(m.lParam), toolbar_);
    }
  }
  EXPECT_EQ(commandIds, (std::vector<WORD>{10, 11}));
  ASSERT_EQ(dropDowns.size(), 2u);
  EXPECT_EQ(dropDowns[0].first, 11);
  EXPECT_EQ(dropDowns[0].second, Rect(11));
  EXPECT_EQ(dropDowns[1].first, 12);
  EXPECT_EQ(SendMessageW(toolbar_, TB_ISBUTTONPRESSED, 11, 0), FALSE);
}

TEST_F(ToolbarTest, NotificationsGoWhereTbSetParentSays) {
  MessageLog reflection;
  UniqueWindow reflector(CreateRecordingWindow(reflection, parent_.Get(), 0, 8));
  SendMessageW(toolbar_, TB_SETPARENT, reinterpret_cast<WPARAM>(reflector.Get()), 0);
  Insert(MakeButton(20, BTNS_AUTOSIZE, 0, nullptr));
  log_.Clear();
  ClickToolbarButton(toolbar_, 20);
  EXPECT_EQ(reflection.CommandCodes().size(), 1u);
  EXPECT_TRUE(log_.Ids({WM_COMMAND}).empty());
}

TEST_F(ToolbarTest, ChildControlsNotificationsAreHandedToTheNotifyWindow) {
  MessageLog reflection;
  UniqueWindow reflector(CreateRecordingWindow(reflection, parent_.Get(), 0, 8));
  SendMessageW(toolbar_, TB_SETPARENT, reinterpret_cast<WPARAM>(reflector.Get()), 0);
  HWND edit = CreateWindowExW(0, u"Edit", u"", WS_CHILD | WS_VISIBLE, 200, 0, 100, 22, toolbar_,
                              reinterpret_cast<HMENU>(77), nullptr, nullptr);
  SetWindowTextW(edit, u"typed");
  const auto messages = reflection.Messages();
  const auto change = std::find_if(messages.begin(), messages.end(), [](const auto& m) {
    return m.message == WM_COMMAND &&
           m.wParam == MAKEWPARAM(77, 0x0300);  // EN_CHANGE of control 77
  });
  EXPECT_NE(change, messages.end());
}

TEST_F(ToolbarTest, TooltipAsksTheParentUnlessATextWasSet) {
  Insert(MakeButton(30, BTNS_AUTOSIZE, 0, nullptr));
  log_.handler = [](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    if (message != WM_NOTIFY) return std::nullopt;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
    if (info->hdr.code == TTN_GETDISPINFOW && info->hdr.idFrom == 30)
      info->lpszText = const_cast<LPWSTR>(u"Search the web");
    return 0;
  };
  EXPECT_EQ(HoverToolbarButton(toolbar_, 30), u"Search the web");
  HWND tips = reinterpret_cast<HWND>(SendMessageW(toolbar_, TB_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tips, nullptr);
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = toolbar_;
  tool.uId = 30;
  tool.lpszText = const_cast<LPWSTR>(u"Ads for this page");
  SendMessageW(tips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  EXPECT_EQ(HoverToolbarButton(toolbar_, 30), u"Ads for this page");
  EXPECT_EQ(HoverToolbarButton(toolbar_, 31), u"");
}

TEST_F(ToolbarTest, FontCopiesAndDestroyedToolbarIsHarmless) {
  auto font = reinterpret_cast<HFONT>(SendMessageW(toolbar_, WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  LOGFONTW log{};
  ASSERT_EQ(GetObjectW(font, sizeof(log), &log), static_cast<int>(sizeof(log)));
  HFONT copy = CreateFontIndirectW(&log);
  SendMessageW(toolbar_, WM_SETFONT, reinterpret_cast<WPARAM>(copy), TRUE);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(toolbar_, WM_GETFONT, 0, 0)), copy);
  DestroyWindow(toolbar_);
  EXPECT_FALSE(InspectToolbar(toolbar_).has_value());
  EXPECT_FALSE(ClickToolbarButton(toolbar_, 1));
  EXPECT_EQ(SendMessageW(toolbar_, TB_BUTTONCOUNT, 0, 0), 0);
  EXPECT_TRUE(DeleteObject(copy));
  EXPECT_FALSE(DeleteObject(copy));
}

TEST(ImageList, KeepsItsOwnCopyOfABitmapAndRefusesOtherHandles) {
  HIMAGELIST list = ImageList_Create(1, 1, ILC_COLOR32, 0, 4);
  HBITMAP bitmap = CreateBitmapHandle(platform::Bitmap{1, 1, {0x123456}});
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(ImageList_AddMasked(list, bitmap, CLR_NONE), 0);
  EXPECT_TRUE(DeleteObject(bitmap));
  auto image = GetImageListImage(list, 0);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->bitmap.pixels, std::vector<std::uint32_t>{0x123456});
  // A freed bitmap, a brush and no handle at all add nothing.
  EXPECT_EQ(ImageList_AddMasked(list, bitmap, CLR_NONE), -1);
  HBRUSH brush = CreateSolidBrush(0);
  EXPECT_EQ(ImageList_AddMasked(list, reinterpret_cast<HBITMAP>(brush), CLR_NONE), -1);
  DeleteObject(brush);
  EXPECT_EQ(ImageList_AddMasked(list, nullptr, CLR_NONE), -1);
  EXPECT_EQ(CreateBitmapHandle(platform::Bitmap{2, 2, {1}}), nullptr);
  EXPECT_EQ(ImageList_GetImageCount(list), 1);
  ImageList_Destroy(list);
}

TEST(ImageList, CutsWideBitmapsAndMasksTheGivenColour) {
  HIMAGELIST list = ImageList_Create(2, 2, ILC_COLOR32 | ILC_MASK, 0, 50);
  // Two 2x2 images side by side; 0xE2F0F0 as a COLORREF is pixel 0xF0F0E2.
  platform::Bitmap strip{
      4, 2, {0xF0F0E2, 0x112233, 0x445566, 0xF0F0E2, 0x778899, 0xF0F0E2, 0xF0F0E2, 0xAABBCC}};
  EXPECT_EQ(testing::AddBitmap(list, strip, 0xE2F0F0), 0);
  EXPECT_EQ(testing::AddBitmap(list, strip, CLR_DEFAULT), 2);
  EXPECT_EQ(ImageList_GetImageCount(list), 4);
  auto second = GetImageListImage(list, 1);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->bitmap.pixels,
            (std::vector<std::uint32_t>{0x445566, 0xF0F0E2, 0xF0F0E2, 0xAABBCC}));
  EXPECT_EQ(second->transparent, (std::vector<bool>{false, true, true, false}));
  EXPECT_EQ(testing::AddBitmap(list, platform::Bitmap{1, 2, {1, 2}}, CLR_NONE),
            -1);  // narrower than one image
  EXPECT_EQ(testing::AddBitmap(list, platform::Bitmap{2, 2, {1}}, CLR_NONE),
            -1);  // pixels missing
  EXPECT_TRUE(ImageList_Remove(list, -1));
  EXPECT_EQ(ImageList_GetImageCount(list), 0);
  EXPECT_TRUE(ImageList_Destroy(list));
  EXPECT_EQ(testing::AddBitmap(list, strip, CLR_NONE), -1);
  EXPECT_FALSE(GetImageListImage(list, 0));
}

}  // namespace
}  // namespace platform::ui
