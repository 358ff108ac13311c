// The toolbar control ("ToolbarWindow32"): driven with the TB_* messages of
// CommCtrl.h, plus what a test or a host needs that a user would do with the
// mouse (click a button or its arrow, hover for a tooltip) and a read-out of
// the laid-out buttons for the inspection tool and the renderer.
//
// Layout, deterministic by the fixed text metric of Gdi.h (7 px a character,
// 13 px a line). Buttons stand in one row from x = 0, y = 0, all as high as
// the row: max(image height, 13) + 7 (22 for the default 16 x 15 images).
// Image size: the normal image list's, else TB_SETBITMAPSIZE's (16 x 15).
// - A button shows text when it has text and, with TBSTYLE_EX_MIXEDBUTTONS,
//   only when it has BTNS_SHOWTEXT. It shows an image unless its image index
//   is I_IMAGENONE.
// - Content width: image width, plus 4 between image and text when both
//   show, plus the text width. BTNS_AUTOSIZE buttons are content + 8 wide;
//   other buttons are at least the button width (TB_SETBUTTONSIZE, default
//   image width + 8).
// - Drop-downs: BTNS_DROPDOWN adds a 15 px arrow part with
//   TBSTYLE_EX_DRAWDDARROWS; BTNS_WHOLEDROPDOWN adds an 11 px arrow.
// - A width set with TBIF_SIZE replaces all of that. Separators are the
//   width given in iBitmap at insertion (8 when 0), or TBIF_SIZE's.
// - Hidden buttons take no room and have no rectangle.
// - Coordinates are those of a window's controls, 16-bit on Windows: no
//   button is wider than kToolbarMaximumExtent and edges past it stop there,
//   so no width a caller gives (a separator's iBitmap is a whole int, an
//   image list's size too) can overflow the layout.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/ui/CommCtrl.h"

namespace platform::ui {

// The functions below read and drive the control directly: call them on the
// toolbar's own thread, like its window procedure.

inline constexpr int kToolbarButtonPadding = 8;
inline constexpr int kToolbarImageTextGap = 4;
inline constexpr int kToolbarSplitArrowWidth = 15;
inline constexpr int kToolbarWholeArrowWidth = 11;
inline constexpr int kToolbarSeparatorWidth = 8;
inline constexpr int kToolbarMaximumExtent = 32767;

struct ToolbarButtonView {
  int id = 0;
  BYTE style = 0;
  BYTE state = 0;
  std::u16string text;
  int image = 0;
  int width = 0;  // 0 while hidden
  RECT rect{};
  bool textShown = false;
};

struct ToolbarView {
  DWORD style = 0;
  DWORD extendedStyle = 0;
  HIMAGELIST normalImages = nullptr;
  HIMAGELIST disabledImages = nullptr;
  int rowHeight = 0;
  std::vector<ToolbarButtonView> buttons;
};

// Empty when the window is not a toolbar.
std::optional<ToolbarView> InspectToolbar(HWND toolbar);

// The user clicks the button with this command id: nothing for a missing,
// hidden or disabled button; a check button toggles; the toolbar's parent
// (or the window given by TB_SETPARENT) gets WM_COMMAND(id, BN_CLICKED), or
// WM_NOTIFY with TBN_DROPDOWN for a whole drop-down button and for a
// drop-down button without drawn arrows. Returns whether anything was sent.
bool ClickToolbarButton(HWND toolbar, int commandId);
// The user clicks the arrow part of a BTNS_DROPDOWN button: TBN_DROPDOWN.
bool ClickToolbarDropDownArrow(HWND toolbar, int commandId);
// The user rests the mouse on a button: the tooltip text set for it with
// TTM_UPDATETIPTEXTW, else what the parent answers to TTN_GETDISPINFOW.
std::u16string HoverToolbarButton(HWND toolbar, int commandId);

}  // namespace platform::ui
