// Draws the demo's toolbar (and dialogs) as pictures a person can look at: an SVG file,
// and a PNG beside it when a converter (rsvg-convert or ImageMagick's
// convert) is installed.
#pragma once

#include <ostream>
#include <string>

#include "platform/ui/WinTypes.h"

namespace demo {

// Writes `baseName`.svg (and `baseName`.png when it can) in the current
// directory and tells `out` what it wrote.
void DrawToolbarPicture(std::ostream& out, HWND toolbar, const std::string& baseName);

// The same with the toolbar's first combo box (the search box) dropped
// open, its list drawn under it, as the user sees it after clicking the
// arrow. The list is closed again afterwards, without a choice.
void DrawOpenComboPicture(std::ostream& out, HWND toolbar, const std::string& baseName);

// A dialog box as it stands, its page and controls.
void DrawDialogPicture(std::ostream& out, HWND dialog, const std::string& baseName);

}  // namespace demo
