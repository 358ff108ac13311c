// The pieces the SVG pictures are drawn from, shared by the toolbar, menu
// and dialog pictures: texts in the fixed metric, images as PNG data, what a
// window paints of itself onto a recording device context, and the combo
// box and edit field as they look wherever they sit.
#pragma once

#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/Gdi.h"

namespace platform::ui::detail::svg {

inline constexpr const char* kFace = "#F0F0F0";
inline constexpr const char* kText = "#000000";
inline constexpr const char* kGreyText = "#6D6D6D";
inline constexpr const char* kFont = "font-family=\"Tahoma, Verdana, sans-serif\" font-size=\"11\"";

std::string Escape(std::u16string_view text);
std::u16string WithoutMnemonics(std::u16string_view text);
std::string Colour(COLORREF colour);
void Image(std::ostream& svg, HIMAGELIST list, int index, LONG x, LONG y);
void Text(std::ostream& svg, LONG x, LONG top, LONG height, std::u16string_view text,
          const std::string& fill);
void Arrow(std::ostream& svg, LONG centreX, LONG centreY);
void Operations(std::ostream& svg, const std::vector<DrawOperation>& operations);
// What a child window paints of itself (WM_PRINTCLIENT onto a recording
// context with `flags`), moved from its client coordinates to its parent's.
std::vector<DrawOperation> PaintedBy(HWND child, POINT origin, LPARAM flags = PRF_CLIENT);

// The picture grows downwards with what hangs below the toolbar, such as
// a dropped combo box list; `bottom` is in the drawn toolbar's coordinates.
// An open list is a popup over everything else, so it is drawn last.
struct Canvas {
  std::ostringstream svg;
  std::ostringstream popups;
  LONG bottom = 0;
};

void ComboBox(Canvas& canvas, HWND combo, POINT origin, LONG width);
// An edit field with its text, or a password character for each of its
// characters.
void EditField(std::ostream& svg, HWND edit, POINT origin, LONG width, LONG height);

}  // namespace platform::ui::detail::svg
