#include "platform/ui/SvgRender.h"

#include <gtest/gtest.h>

#include "platform/ui/ComboBox.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Menu.h"
#include "platform/ui/PngImage.h"
#include "platform/ui/Subclass.h"
#include "platform/ui/Toolbar.h"
#include "platform/ui/testing/ImageListFilling.h"
#include "platform/ui/testing/RecordingWindow.h"

namespace platform::ui {
namespace {

using testing::CreateRecordingWindow;
using testing::MessageLog;

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

TEST(SvgRender, ToolbarShowsButtonsImagesStatesAndChildWindows) {
  MessageLog log;
  UniqueWindow parent(CreateRecordingWindow(log, nullptr, WS_VISIBLE, 0, RECT{0, 0, 600, 30}));
  HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, 0x5401994D, 0, 0, 600, 24,
                                 parent.Get(), nullptr, nullptr, nullptr);
  SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS);
  HIMAGELIST normal = ImageList_Create(2, 2, ILC_COLOR32 | ILC_MASK, 0, 50);
  HIMAGELIST disabled = ImageList_Create(2, 2, ILC_COLOR32 | ILC_MASK, 0, 50);
  const platform::Bitmap red{2, 2, {0xFF0000, 0xFF0000, 0xFF0000, 0xFF0000}};
  const platform::Bitmap grey{2, 2, {0xBFBFBF, 0xBFBFBF, 0xBFBFBF, 0xBFBFBF}};
  testing::AddBitmap(normal, red, CLR_NONE);
  testing::AddBitmap(disabled, grey, CLR_NONE);
  SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(normal));
  SendMessageW(toolbar, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(disabled));
  TBBUTTON buttons[4]{};
  buttons[0] = TBBUTTON{
      0,  1, TBSTATE_ENABLED | TBSTATE_CHECKED,         BTNS_AUTOSIZE | BTNS_SHOWTEXT | BTNS_CHECK,
      {}, 0, reinterpret_cast<INT_PTR>(u"Q&&A <&Help>")};
  buttons[1] = TBBUTTON{0, 2, 0, BTNS_AUTOSIZE | BTNS_DROPDOWN, {}, 0, 0};
  buttons[2] = TBBUTTON{150, 0, 0, BTNS_SEP, {}, 0, 0};
  buttons[3] = TBBUTTON{0, 3, TBSTATE_ENABLED | TBSTATE_HIDDEN, BTNS_AUTOSIZE, {}, 0, 0};
  SendMessageW(toolbar, TB_ADDBUTTONSW, 4, reinterpret_cast<LPARAM>(buttons));
  RECT separator{};
  SendMessageW(toolbar, TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&separator));
  HWND combo = CreateWindowExW(0, WC_COMBOBOXW, u"", WS_CHILD | WS_VISIBLE | CBS_DROPDOWN,
                               separator.left + 2, 0, 146, 280, toolbar, nullptr, nullptr, nullptr);
  SetWindowTextW(combo, u"Enter search term...");

  const auto svg = RenderToolbarSvg(toolbar);
  EXPECT_EQ(svg.rfind("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"600\"", 0), 0u);
  EXPECT_NE(svg.find(">Q&amp;A &lt;Help&gt;</text>"), std::string::npos);
  EXPECT_EQ(Count(svg, "class=\"checked\""), 1u);
  EXPECT_EQ(Count(svg, "class=\"button\""), 2u);  // the hidden one is not drawn
  EXPECT_EQ(Count(svg, "class=\"separator\""), 1u);
  EXPECT_EQ(Count(svg, "<polygon"), 2u);  // the split button's arrow and the combo box's
  const auto redUri = Base64Encode(EncodePng(red, nullptr));
  const auto greyUri = Base64Encode(EncodePng(grey, nullptr));
  EXPECT_EQ(Count(svg, redUri), 1u);   // the enabled button
  EXPECT_EQ(Count(svg, greyUri), 1u);  // the disabled one draws from the disabled list
  EXPECT_NE(svg.find("class=\"combobox\""), std::string::npos);
  EXPECT_NE(svg.find(">Enter search term...</text>"), std::string::npos);
  EXPECT_EQ(RenderToolbarSvg(parent.Get()), "");
  ImageList_Destroy(normal);
  ImageList_Destroy(disabled);
}

TEST(SvgRender, OwnerDrawnFixedListIsDrawnByItsParent) {
  MessageLog log;
  UniqueWindow parent(CreateRecordingWindow(log, nullptr, WS_VISIBLE, 0, RECT{0, 0, 300, 30}));
  HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, 0x5401994D, 0, 0, 300, 24,
                                 parent.Get(), nullptr, nullptr, nullptr);
  HWND combo = CreateWindowExW(
      0, WC_COMBOBOXW, u"",
      WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 2, 0, 146,
      280, toolbar, reinterpret_cast<HMENU>(9), nullptr, nullptr);
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"Cars"));
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  UINT drawnState = 0;
  SetWindowSubclass(
      toolbar,
      [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR ref)
          CALLBACK -> LRESULT {
            if (message == WM_DRAWITEM) {
              auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
              *reinterpret_cast<UINT*>(ref) = draw->itemState;
              SetTextColor(draw->hDC, RGB(0, 0, 0x80));
              RECT text = draw->rcItem;
              DrawTextW(draw->hDC, u"Cars (drawn)", -1, &text, DT_SINGLELINE);
              return TRUE;
            }
            return DefSubclassProc(hwnd, message, wParam, lParam);
          },
      1, reinterpret_cast<DWORD_PTR>(&drawnState));
  const auto svg = RenderToolbarSvg(toolbar);
  EXPECT_EQ(drawnState, ODS_COMBOBOXEDIT);
  EXPECT_NE(svg.find("fill=\"#000080\">Cars (drawn)</text>"), std::string::npos);
}

TEST(SvgRender, DroppedComboBoxShowsItsListUnderItAndThePictureGrows) {
  MessageLog log;
  UniqueWindow parent(CreateRecordingWindow(log, nullptr, WS_VISIBLE, 0, RECT{0, 0, 300, 30}));
  HWND toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, 0x5401994D, 0, 0, 300, 24,
                                 parent.Get(), nullptr, nullptr, nullptr);
  HWND combo =
      CreateWindowExW(0, WC_COMBOBOXW, u"",
                      WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                      10, 2, 146, 24 + 259, toolbar, reinterpret_cast<HMENU>(9), nullptr, nullptr);
  for (const char16_t* item : {u"cats", u"dogs"})
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  SetWindowSubclass(
      toolbar,
      [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
          CALLBACK -> LRESULT {
            if (message == WM_DRAWITEM) {
              auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
              std::u16string text(static_cast<std::size_t>(SendMessageW(
                                      draw->hwndItem, CB_GETLBTEXTLEN, draw->itemID, 0)),
                                  u'\0');
              SendMessageW(draw->hwndItem, CB_GETLBTEXT, draw->itemID,
                           reinterpret_cast<LPARAM>(text.data()));
              RECT rect = draw->rcItem;
              DrawTextW(draw->hDC, text.c_str(), -1, &rect, DT_SINGLELINE);
              return TRUE;
            }
            return DefSubclassProc(hwnd, message, wParam, lParam);
          },
      1, 0);
  const auto closed = RenderToolbarSvg(toolbar);
  EXPECT_EQ(closed.find(">cats</text>"), std::string::npos);
  EXPECT_NE(closed.find("height=\"24\" viewBox"), std::string::npos);

  // A field placed later lies over the box, but not over its open list.
  CreateWindowExW(0, WC_EDITW, u"", WS_CHILD | WS_VISIBLE, 10, 30, 60, 22, toolbar, nullptr,
                  nullptr, nullptr);
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  const auto open = RenderToolbarSvg(toolbar);
  EXPECT_LT(open.find("class=\"edit\""), open.find("class=\"combobox\""));
  // The list starts under the 22-pixel box, in the toolbar's coordinates.
  const LONG listTop = 2 + 16 + 2 * kComboFrame;
  EXPECT_NE(open.find("<rect x=\"10.5\" y=\"" + std::to_string(listTop) +
                      ".5\" width=\"145\" height=\"27\" fill=\"none\""),
            std::string::npos)
      << open;
  EXPECT_NE(open.find("<text x=\"11\" y=\"" + std::to_string(listTop + 1 + 11) + "\""),
            std::string::npos)
      << open;
  EXPECT_NE(open.find(">cats</text>"), std::string::npos);
  EXPECT_NE(open.find(">dogs</text>"), std::string::npos);
  EXPECT_NE(open.find("height=\"" + std::to_string(listTop + 2 + 2 * 13) + "\" viewBox"),
            std::string::npos)
      << open;
}

TEST(SvgRender, MenuShowsWhatTheOwnerDrawsAndPlainItemsWithMarks) {
  MessageLog log;
  UniqueWindow owner(CreateRecordingWindow(log));
  log.handler = [](HWND, UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
    if (message == WM_MEASUREITEM) {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      measure->itemWidth = 140;
      measure->itemHeight = 22;
      return TRUE;
    }
    if (message == WM_DRAWITEM) {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      FillRect(draw->hDC, &draw->rcItem, GetSysColorBrush(COLOR_HIGHLIGHT));
      SetTextColor(draw->hDC, GetSysColor(COLOR_HIGHLIGHTTEXT));
      RECT text = draw->rcItem;
      DrawTextW(draw->hDC, u"&Owner drawn", -1, &text, DT_SINGLELINE | DT_VCENTER);
      return TRUE;
    }
    return std::nullopt;
  };
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_OWNERDRAW, 1, nullptr);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING | MF_CHECKED | MF_GRAYED, 2, u"Auto &login");
  TrackPopupMenuEx(menu, TPM_RETURNCMD, 0, 0, owner.Get(),
                   nullptr);  // measures the owner-drawn item
  const auto svg = RenderMenuSvg(menu, owner.Get());
  EXPECT_NE(svg.find("fill=\"#3399FF\""), std::string::npos);
  EXPECT_NE(svg.find("fill=\"#FFFFFF\">Owner drawn</text>"), std::string::npos);
  EXPECT_NE(svg.find("fill=\"#6D6D6D\">Auto login</text>"), std::string::npos);
  EXPECT_NE(svg.find("\xE2\x9C\x93"), std::string::npos);   // the check mark
  EXPECT_NE(svg.find("height=\"54\""), std::string::npos);  // 22 + 8 + 20, plus the 4 px frame
  DestroyMenu(menu);
  EXPECT_EQ(RenderMenuSvg(menu, owner.Get()), "");
}

}  // namespace
}  // namespace platform::ui
