// Popup menus (CreatePopupMenu, AppendMenuW, TrackPopupMenuEx and friends).
//
// Tracking is headless: the user's choice comes from a script the test or
// host sets up beforehand (ScriptMenuChoice), and the owner window receives
// what a real menu loop sends, in order:
//   WM_ENTERMENULOOP(TRUE), WM_INITMENUPOPUP(menu, position 0),
//   WM_MEASUREITEM for each owner-drawn item not measured before,
//   WM_DRAWITEM for each owner-drawn item;
//   when the choice lies in a submenu, for each submenu on the way:
//   WM_MENUSELECT(position | MF_POPUP, parent menu), WM_INITMENUPOPUP(submenu,
//   its position), and the measuring and drawing of its items;
//   WM_MENUSELECT(chosen id, flags, its menu) for the choice;
//   WM_MENUSELECT(0xFFFF, null) as the menu closes, WM_UNINITMENUPOPUP for
//   each popup shown, innermost first, and WM_EXITMENULOOP(TRUE).
// With TPM_NONOTIFY only measuring and drawing happen. Greyed or disabled
// items, separators and submenu entries cannot be chosen: choosing one
// dismisses the menu. With TPM_RETURNCMD the chosen id is returned (0 when
// dismissed); otherwise WM_COMMAND(id, 0) is posted to the owner and the
// result is TRUE when something was chosen.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/WindowMessages.h"

constexpr UINT MF_BYCOMMAND = 0x0000;
constexpr UINT MF_STRING = 0x0000;
constexpr UINT MF_ENABLED = 0x0000;
constexpr UINT MF_UNCHECKED = 0x0000;
constexpr UINT MF_GRAYED = 0x0001;
constexpr UINT MF_DISABLED = 0x0002;
constexpr UINT MF_CHECKED = 0x0008;
constexpr UINT MF_POPUP = 0x0010;
constexpr UINT MF_HILITE = 0x0080;
constexpr UINT MF_OWNERDRAW = 0x0100;
constexpr UINT MF_BYPOSITION = 0x0400;
constexpr UINT MF_SEPARATOR = 0x0800;
constexpr UINT MF_DEFAULT = 0x1000;
constexpr UINT MFT_STRING = MF_STRING;
constexpr UINT MFT_OWNERDRAW = MF_OWNERDRAW;
constexpr UINT MFT_SEPARATOR = MF_SEPARATOR;
constexpr UINT MFS_GRAYED = 0x0003;
constexpr UINT MFS_DISABLED = MFS_GRAYED;
constexpr UINT MFS_CHECKED = MF_CHECKED;
constexpr UINT MFS_HILITE = MF_HILITE;
constexpr UINT MFS_ENABLED = MF_ENABLED;
constexpr UINT MFS_DEFAULT = MF_DEFAULT;
constexpr UINT MIIM_STATE = 0x0001;
constexpr UINT MIIM_ID = 0x0002;
constexpr UINT MIIM_SUBMENU = 0x0004;
constexpr UINT MIIM_DATA = 0x0020;
constexpr UINT MIIM_STRING = 0x0040;
constexpr UINT MIIM_FTYPE = 0x0100;
constexpr UINT TPM_LEFTALIGN = 0x0000;
constexpr UINT TPM_TOPALIGN = 0x0000;
constexpr UINT TPM_RIGHTBUTTON = 0x0002;
constexpr UINT TPM_VERTICAL = 0x0040;
constexpr UINT TPM_NONOTIFY = 0x0080;
constexpr UINT TPM_RETURNCMD = 0x0100;

struct MENUITEMINFOW {
  UINT cbSize = sizeof(MENUITEMINFOW);
  UINT fMask = 0;
  UINT fType = 0;
  UINT fState = 0;
  UINT wID = 0;
  HMENU hSubMenu = nullptr;
  void* hbmpChecked = nullptr;
  void* hbmpUnchecked = nullptr;
  ULONG_PTR dwItemData = 0;
  LPWSTR dwTypeData = nullptr;
  UINT cch = 0;
  void* hbmpItem = nullptr;
};

struct TPMPARAMS {
  UINT cbSize = sizeof(TPMPARAMS);
  RECT rcExclude;
};

HMENU CreatePopupMenu();
HMENU CreateMenu();
// Destroys the menu and its submenus.
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);
// With MF_POPUP `idOrSubmenu` is the submenu. With MF_OWNERDRAW `item` is
// the application's item data, as in Windows (set a text with
// SetMenuItemInfoW and MIIM_STRING if the renderer should show one).
BOOL AppendMenuW(HMENU menu, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR item);
// MF_BYPOSITION with position -1 appends.
BOOL InsertMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR item);
BOOL ModifyMenuW(HMENU menu, UINT position, UINT flags, UINT_PTR idOrSubmenu, LPCWSTR item);
BOOL InsertMenuItemW(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFOW* info);
BOOL GetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFOW* info);
BOOL SetMenuItemInfoW(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFOW* info);
// RemoveMenu keeps a removed submenu alive; DeleteMenu destroys it.
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
int GetMenuItemCount(HMENU menu);
UINT GetMenuItemID(HMENU menu, int position);
HMENU GetSubMenu(HMENU menu, int position);
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
int GetMenuStringW(HMENU menu, UINT item, LPWSTR buffer, int bufferChars, UINT flags);
// Return the previous state (MF_GRAYED/MF_DISABLED or MF_CHECKED), -1 when
// there is no such item.
DWORD EnableMenuItem(HMENU menu, UINT item, UINT flags);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS* params);
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* rect);

namespace platform::ui {

// The next TrackPopupMenu(Ex) on this thread chooses this command id (0
// dismisses). Choices queue up, one per tracking; without one the menu is
// dismissed.
void ScriptMenuChoice(UINT commandId);
void ClearMenuScript();

struct MenuItemView {
  UINT id = 0;
  UINT type = 0;   // MFT_* bits
  UINT state = 0;  // MFS_* bits
  std::u16string text;
  ULONG_PTR itemData = 0;
  HMENU submenu = nullptr;
  UINT measuredWidth = 0;  // from WM_MEASUREITEM, 0 before
  UINT measuredHeight = 0;
};

std::vector<MenuItemView> InspectMenu(HMENU menu);

}  // namespace platform::ui
