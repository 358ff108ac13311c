// The Linux side of platform/ui/Gdi.h: fonts, brushes, device contexts and text drawing.
#pragma once

#include "platform/ui/WindowMessages.h"

struct LOGFONTW {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  WCHAR lfFaceName[32];
};

constexpr int NULL_BRUSH = 5;
constexpr int DEFAULT_GUI_FONT = 17;
constexpr int COLOR_MENU = 4;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWFRAME = 6;
constexpr int COLOR_MENUTEXT = 7;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_HIGHLIGHTTEXT = 14;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_GRAYTEXT = 17;
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;
constexpr UINT DT_END_ELLIPSIS = 0x8000;

HGDIOBJ WINAPI GetStockObject(int object);
HFONT WINAPI CreateFontIndirectW(const LOGFONTW* font);
// Fills a LOGFONTW for a font; returns the bytes written, 0 for other handles.
int WINAPI GetObjectW(HGDIOBJ object, int size, void* buffer);
// Stock objects are never deleted (TRUE, as in Windows).
BOOL WINAPI DeleteObject(HGDIOBJ object);
HBRUSH WINAPI CreateSolidBrush(COLORREF colour);
HBRUSH WINAPI GetSysColorBrush(int index);
DWORD WINAPI GetSysColor(int index);

HDC WINAPI GetDC(HWND hwnd);
int WINAPI ReleaseDC(HWND hwnd, HDC dc);
HDC WINAPI BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL WINAPI EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object);
COLORREF WINAPI SetTextColor(HDC dc, COLORREF colour);
COLORREF WINAPI SetBkColor(HDC dc, COLORREF colour);
int WINAPI SetBkMode(HDC dc, int mode);
int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush);
// A one-pixel border just inside the rectangle.
int WINAPI FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
// Single-line drawing with the fixed metric; DT_CALCRECT only measures.
// Returns the text height.
int WINAPI DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format);
BOOL WINAPI GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size);
