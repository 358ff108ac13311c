// Internal: what the combo box stand-in keeps with its window, shared by its
// window procedure and its painting.
#pragma once

#include <string>
#include <vector>

#include "platform/ui/Gdi.h"
#include "platform/ui/detail/System.h"

namespace platform::ui::detail {

struct ComboItem {
  std::u16string text;
  LPARAM data = 0;
};

// Lives on the box's own thread, like every control state.
class ComboState : public ControlState {
 public:
  std::vector<ComboItem> items;
  int selection = -1;
  int fieldHeight = 16;
  int itemHeight = kTextHeight;
  bool dropped = false;
  bool hasFocus = false;
  HWND edit = nullptr;
  HFONT font = nullptr;

  bool Valid(LONG_PTR index) const {
    return index >= 0 && index < static_cast<LONG_PTR>(items.size());
  }
};

// Paints the box on `dc` in its client coordinates: the selection field of
// a drop-down list and, while dropped, the list below the box. Owner-drawn
// boxes have their parent draw each item (WM_DRAWITEM); the others draw
// their texts themselves.
void PaintCombo(HWND combo, const ComboState& state, HDC dc);
// Where the dropped list lies in a box `width` wide whose window is
// `windowHeight` high: right under the visible box, as many items high as
// there are and as fit above the window's bottom, never less than one.
RECT ComboListRect(const ComboState& state, LONG width, LONG windowHeight);

}  // namespace platform::ui::detail
