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

inline constexpr const WCHAR* WC_COMBOBOXW = u"ComboBox";
inline constexpr const WCHAR* WC_EDITW = u"Edit";
inline constexpr const WCHAR* WC_STATICW = u"Static";

constexpr DWORD CBS_SIMPLE = 0x0001;
constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD CBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
constexpr DWORD CBS_HASSTRINGS = 0x0200;
constexpr LRESULT CB_ERR = -1;

constexpr UINT CB_GETEDITSEL = 0x0140;
constexpr UINT CB_LIMITTEXT = 0x0141;
constexpr UINT CB_SETEDITSEL = 0x0142;
constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_INSERTSTRING = 0x014A;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_SHOWDROPDOWN = 0x014F;
constexpr UINT CB_GETITEMDATA = 0x0150;
constexpr UINT CB_SETITEMDATA = 0x0151;
constexpr UINT CB_SETITEMHEIGHT = 0x0153;
constexpr UINT CB_GETITEMHEIGHT = 0x0154;
constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
constexpr UINT CB_FINDSTRINGEXACT = 0x0158;
constexpr UINT CB_GETCOMBOBOXINFO = 0x0164;

constexpr WORD CBN_SELCHANGE = 1;
constexpr WORD CBN_DBLCLK = 2;
constexpr WORD CBN_SETFOCUS = 3;
constexpr WORD CBN_KILLFOCUS = 4;
constexpr WORD CBN_EDITCHANGE = 5;
constexpr WORD CBN_EDITUPDATE = 6;
constexpr WORD CBN_DROPDOWN = 7;
constexpr WORD CBN_CLOSEUP = 8;
constexpr WORD CBN_SELENDOK = 9;
constexpr WORD CBN_SELENDCANCEL = 10;

constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_WANTRETURN = 0x1000;
constexpr DWORD SS_LEFT = 0x0000;
constexpr DWORD SS_NOTIFY = 0x0100;

constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_GETRECT = 0x00B2;
constexpr UINT EM_SETRECT = 0x00B3;
constexpr UINT EM_SETRECTNP = 0x00B4;
constexpr UINT EM_SCROLLCARET = 0x00B7;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_SETREADONLY = 0x00CF;
constexpr UINT EM_SETMARGINS = 0x00D3;
constexpr UINT EM_GETMARGINS = 0x00D4;
constexpr WPARAM EC_LEFTMARGIN = 0x0001;
constexpr WPARAM EC_RIGHTMARGIN = 0x0002;

constexpr WORD EN_SETFOCUS = 0x0100;
constexpr WORD EN_KILLFOCUS = 0x0200;
constexpr WORD EN_CHANGE = 0x0300;
constexpr WORD EN_UPDATE = 0x0400;

struct COMBOBOXINFO {
  DWORD cbSize = sizeof(COMBOBOXINFO);
  RECT rcItem;
  RECT rcButton;
  DWORD stateButton = 0;
  HWND hwndCombo = nullptr;
  HWND hwndItem = nullptr;  // the edit field of a CBS_DROPDOWN box
  HWND hwndList = nullptr;
};

BOOL GetComboBoxInfo(HWND combo, COMBOBOXINFO* info);

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
