// The little of GDI the toolbar needs: fonts (the toolband copies the
// toolbar's font), brushes, system colours, and device contexts that record
// what is drawn on them, so owner-drawn menu and combo items can be checked
// by tests and shown in the rendered image.
//
// Text metric: every font measures every character 7 pixels wide and a line
// 13 pixels high, whatever its face or size, so that layout is the same on
// every machine. A "&" that marks a mnemonic takes no width ("&&" is one "&")
// unless DT_NOPREFIX is given.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/WindowMessages.h"

struct LOGFONTW {
  LONG lfHeight = 0;
  LONG lfWidth = 0;
  LONG lfEscapement = 0;
  LONG lfOrientation = 0;
  LONG lfWeight = 0;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = 0;
  BYTE lfOutPrecision = 0;
  BYTE lfClipPrecision = 0;
  BYTE lfQuality = 0;
  BYTE lfPitchAndFamily = 0;
  WCHAR lfFaceName[32] = {};
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

HGDIOBJ GetStockObject(int object);
HFONT CreateFontIndirectW(const LOGFONTW* font);
// Fills a LOGFONTW for a font; returns the bytes written, 0 for other handles.
int GetObjectW(HGDIOBJ object, int size, void* buffer);
// Stock objects are never deleted (TRUE, as in Windows).
BOOL DeleteObject(HGDIOBJ object);
HBRUSH CreateSolidBrush(COLORREF colour);
HBRUSH GetSysColorBrush(int index);
DWORD GetSysColor(int index);

HDC GetDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC dc);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint);
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
COLORREF SetTextColor(HDC dc, COLORREF colour);
COLORREF SetBkColor(HDC dc, COLORREF colour);
int SetBkMode(HDC dc, int mode);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
// A one-pixel border just inside the rectangle.
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
// Single-line drawing with the fixed metric; DT_CALCRECT only measures.
// Returns the text height.
int DrawTextW(HDC dc, LPCWSTR text, int count, RECT* rect, UINT format);
BOOL GetTextExtentPoint32W(HDC dc, LPCWSTR text, int count, SIZE* size);

namespace platform::ui {

inline constexpr int kCharWidth = 7;
inline constexpr int kTextHeight = 13;

// Width in pixels of a text under the fixed metric.
int TextWidth(std::u16string_view text, bool prefixMarksMnemonic = true);

// What was drawn on a device context, in order.
struct DrawOperation {
  enum class Kind { kFill, kFrame, kText, kImage } kind = Kind::kFill;
  RECT rect;
  COLORREF colour = 0;             // fill, frame or text colour
  std::u16string text;             // kText: the text without mnemonic marks
  UINT format = 0;                 // kText: the DrawTextW format
  HFONT font = nullptr;            // kText: the font selected into the context
  int backgroundMode = OPAQUE;     // kText: TRANSPARENT or OPAQUE
  HIMAGELIST imageList = nullptr;  // kImage
  int imageIndex = -1;             // kImage
};

// A device context that is not tied to a window, for renderers that send
// WM_DRAWITEM; destroy it with DeleteDC.
HDC CreateRecordingDC();
void DeleteDC(HDC dc);
std::vector<DrawOperation> RecordedOperations(HDC dc);

}  // namespace platform::ui

namespace platform::ui::detail {
void RecordImage(HDC dc, HIMAGELIST list, int index, int x, int y, int width, int height);
}
