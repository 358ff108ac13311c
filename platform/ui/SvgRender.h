// Draws the toolbar, an open popup menu and dialog boxes as SVG images a person can look
// at: buttons with their images (the disabled image list for disabled
// buttons), check and pressed states, separators, drop-down arrows and
// texts in the fixed metric, plus the visible child windows placed on the
// toolbar (combo boxes, edit fields, labels, and small toolbars of their own
// with their buttons and images). Images are embedded as PNG data URIs.
// Owner-drawn menu items are drawn by their owner through WM_DRAWITEM on a
// recording device context, and combo boxes paint themselves onto one
// (WM_PRINTCLIENT), so the image shows what the product draws: a dropped
// combo box shows its open list under it, and the picture grows to hold it.
//
// Call on the thread that owns the windows. To look at the result as a PNG:
//   rsvg-convert toolbar.svg -o toolbar.png     (Debian: librsvg2-bin)
//   convert toolbar.svg toolbar.png              (ImageMagick)
#pragma once

#include <string>

#include "platform/ui/WindowMessages.h"

namespace platform::ui {

// Empty when the window is not a toolbar.
std::string RenderToolbarSvg(HWND toolbar);
// Empty when the menu does not exist. Menu items are 20 px high (separators
// 8 px), owner-drawn ones as high as their owner measured them; string items
// leave 24 px on each side of their text for check marks and arrows.
std::string RenderMenuSvg(HMENU menu, HWND owner);
// Empty when the window is no dialog box. The dialog's background and what
// it paints itself (WM_PRINTCLIENT), then its visible controls, bottom of
// the z-order first: edit fields (password characters for a password
// field's text), combo boxes, buttons as they paint themselves (owner-drawn
// ones through their dialog's WM_DRAWITEM), labels, and any other child as
// it paints itself (a hosted page draws its text).
std::string RenderDialogSvg(HWND dialog);

}  // namespace platform::ui
