// How the owner-drawn items of the toolbar's menus look: the item's image
// (from the toolbar's image list) in a 16-pixel column, then its text;
// highlighted while selected, grey while disabled.
#pragma once

#include <string>

#include "platform/ui/ImageList.h"
#include "platform/ui/WindowMessages.h"

namespace framework {

inline constexpr int kMenuItemHeight = 22;

void MeasureOwnerDrawnItem(const std::string& text, MEASUREITEMSTRUCT& measure);
// `images` may be null and `imageIndex` negative: no image is drawn.
void DrawOwnerDrawnItem(const std::string& text, HIMAGELIST images, int imageIndex,
                        const DRAWITEMSTRUCT& draw);

}  // namespace framework
