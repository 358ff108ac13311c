// Draws the demo's toolbar as a picture a person can look at: an SVG file,
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

}  // namespace demo
