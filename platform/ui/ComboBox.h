// The combo box ("ComboBox"), edit ("Edit") and static ("Static") controls,
// with their real message and notification numbers, and what a user does to
// them (open the list, pick an entry, dismiss the list) for tests and hosts.
//
// Notifications go to the parent as WM_COMMAND(MAKEWPARAM(id, code), hwnd),
// in the order the real controls send them:
// - opening the list: CBN_DROPDOWN, then the list shows;
// - picking an entry: CBN_SELCHANGE (when the selection changes), CBN_SELENDOK,
//   CBN_CLOSEUP; Enter in the open list: CBN_SELENDOK, CBN_CLOSEUP;
// - closing without a choice (Escape, a click elsewhere, losing the focus):
//   CBN_SELENDCANCEL, CBN_CLOSEUP; losing the focus then sends CBN_KILLFOCUS;
// - CB_SHOWDROPDOWN sends CBN_DROPDOWN or CBN_CLOSEUP alone;
// - typing in the edit field: CBN_EDITUPDATE, CBN_EDITCHANGE (never for text
//   set by a program);
// - focus: CBN_SETFOCUS when the focus enters the box or its edit field from
//   outside, CBN_KILLFOCUS when it leaves both.
// A CBS_DROPDOWN box owns an edit child (control id 1001) that holds its text;
// the edit asks its parent for colours (WM_CTLCOLOREDIT) when it paints, and
// the box passes that on to its own parent.
//
// Painting (WM_PAINT, or WM_PRINTCLIENT onto a given device context): a
// CBS_DROPDOWNLIST box paints its selection field (the current entry, or
// item -1 without one; ODS_COMBOBOXEDIT, plus ODS_SELECTED | ODS_FOCUS while
// it has the focus and the list is closed); a dropped box paints its list
// right under the visible box, one entry per item height with a 1-pixel
// border, the current entry ODS_SELECTED. A CBS_OWNERDRAWFIXED box has its
// parent draw every item: WM_MEASUREITEM for the field (item -1) and the
// entries (item 0) when it is created, WM_DRAWITEM for each item painted,
// with rectangles in the box's client coordinates. Other boxes draw their
// texts themselves in the window colours.
#pragma once

#include "platform/ui/WindowMessages.h"

#if defined(_WIN32)
#include <windows.h>

// After <windows.h>, whose types it uses.
#include <commctrl.h>
#else
#include "platform/ui/ComboBox_linux.h"
#endif

namespace platform::ui {

// The user's actions run on the box's own thread, like its window procedure.

inline constexpr int kComboEditId = 1001;
inline constexpr int kComboArrowWidth = 17;
// The visible box is its selection field (CB_SETITEMHEIGHT -1) with this
// frame above and below; a drop-down list's field is painted inside it.
inline constexpr int kComboFrame = 3;

// The user clicks the box's arrow: the box takes the focus and the list opens.
bool OpenComboList(HWND combo);
// The user clicks entry `index` in the list (opening it first if needed).
bool ChooseComboItem(HWND combo, int index);
// The user clicks somewhere else while the list is open.
bool DismissComboList(HWND combo);

}  // namespace platform::ui
