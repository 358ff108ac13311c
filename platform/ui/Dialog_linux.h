// The Linux side of platform/ui/Dialog.h: dialog templates, the modal dialog box, dialog items,
// dialog units and the message box.
#pragma once

#include "platform/ui/WindowMessages.h"

using DLGPROC = INT_PTR(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

// As in <winuser.h>, the template structures are packed on 2-byte boundaries:
// their bytes are the resource format, not a C++ layout.
#pragma pack(push, 2)
struct DLGTEMPLATE {
  DWORD style;
  DWORD dwExtendedStyle;
  WORD cdit;
  short x;
  short y;
  short cx;
  short cy;
};
struct DLGITEMTEMPLATE {
  DWORD style;
  DWORD dwExtendedStyle;
  short x;
  short y;
  short cx;
  short cy;
  WORD id;
};
#pragma pack(pop)
using LPCDLGTEMPLATEW = const DLGTEMPLATE*;

constexpr UINT WM_INITDIALOG = 0x0110;

constexpr DWORD DS_3DLOOK = 0x0004;
constexpr DWORD DS_FIXEDSYS = 0x0008;
constexpr DWORD DS_SETFONT = 0x0040;
constexpr DWORD DS_MODALFRAME = 0x0080;
constexpr DWORD DS_SHELLFONT = DS_SETFONT | DS_FIXEDSYS;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_ICONERROR = 0x00000010;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONINFORMATION = 0x00000040;

// Creates the dialog from the template (a pop-up without parent window, its
// owner disabled while it runs), sends WM_INITDIALOG and plays the modal
// part through the installed responder (Dialog.h). Returns what EndDialog
// was given, or -1 when the dialog could not be created.
INT_PTR WINAPI DialogBoxIndirectParamW(HINSTANCE instance, LPCDLGTEMPLATEW dialogTemplate,
                                       HWND owner, DLGPROC dialogProc, LPARAM initParam);
// FALSE for a window that is no dialog box.
BOOL WINAPI EndDialog(HWND dialog, INT_PTR result);

BOOL WINAPI SetDlgItemTextW(HWND dialog, int id, LPCWSTR text);
UINT WINAPI GetDlgItemTextW(HWND dialog, int id, LPWSTR buffer, int bufferChars);
LRESULT WINAPI SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
BOOL WINAPI CheckDlgButton(HWND dialog, int id, UINT check);
UINT WINAPI IsDlgButtonChecked(HWND dialog, int id);
// Dialog units to pixels with the dialog font's base units: the fixed text
// metric makes them 7 pixels across (x / 4 units) and 13 down (y / 8 units).
BOOL WINAPI MapDialogRect(HWND dialog, RECT* rect);

// Recorded, never shown; answers IDOK (Dialog.h).
int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
