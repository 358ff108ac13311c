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

#if defined(_WIN32)
#include <windows.h>
#else
#include "platform/ui/Menu_linux.h"
#endif

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
