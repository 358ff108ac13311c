// How the combo box stand-in paints: the selection field of a drop-down
// list and, while dropped, its list, each item either drawn by the box's
// parent (owner-drawn boxes, WM_DRAWITEM) or by the box itself.
#include <algorithm>

#include "platform/ui/ComboBox.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/Window.h"
#include "platform/ui/detail/ComboState.h"

namespace platform::ui::detail {
namespace {

constexpr int kListBorder = 1;
constexpr int kOwnTextIndent = 2;

struct ItemToPaint {
  int index = -1;
  UINT state = 0;
  RECT rect{};
};

void AskParentToDraw(HWND combo, const ComboState& box, HDC dc, const ItemToPaint& item) {
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_COMBOBOX;
  draw.CtlID = static_cast<UINT>(GetDlgCtrlID(combo));
  draw.itemID = static_cast<UINT>(item.index);
  draw.itemAction = ODA_DRAWENTIRE;
  draw.itemState = item.state;
  draw.hwndItem = combo;
  draw.hDC = dc;
  draw.rcItem = item.rect;
  draw.itemData = box.Valid(item.index)
                      ? static_cast<ULONG_PTR>(box.items[static_cast<std::size_t>(item.index)].data)
                      : 0;
  if (HWND parent = GetParent(combo))
    SendMessageW(parent, WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
}

void DrawOwnItem(const ComboState& box, HDC dc, const ItemToPaint& item) {
  const bool selected = (item.state & ODS_SELECTED) != 0;
  FillRect(dc, &item.rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (!box.Valid(item.index)) return;
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColour =
      SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  HGDIOBJ oldFont = box.font ? SelectObject(dc, box.font) : nullptr;
  RECT text = item.rect;
  text.left += kOwnTextIndent;
  const auto& shown = box.items[static_cast<std::size_t>(item.index)].text;
  DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &text,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (oldFont) SelectObject(dc, oldFont);
  SetTextColor(dc, oldColour);
  SetBkMode(dc, oldMode);
}

void Draw(HWND combo, const ComboState& box, HDC dc, const ItemToPaint& item, bool ownerDrawn) {
  if (ownerDrawn)
    AskParentToDraw(combo, box, dc, item);
  else
    DrawOwnItem(box, dc, item);
}

}  // namespace

void PaintCombo(HWND combo, const ComboState& box, HDC dc) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(combo, GWL_STYLE));
  const bool ownerDrawn = (style & CBS_OWNERDRAWFIXED) != 0;
  RECT client{};
  GetClientRect(combo, &client);
  // An editable box's field is its edit child, which paints itself.
  if ((style & 0x3) == CBS_DROPDOWNLIST) {
    ItemToPaint field;
    field.index = box.selection;
    field.state = ODS_COMBOBOXEDIT;
    if (box.hasFocus && !box.dropped) field.state |= ODS_SELECTED | ODS_FOCUS;
    if (!IsWindowEnabled(combo)) field.state |= ODS_DISABLED;
    field.rect =
        RECT{kComboFrame, kComboFrame, std::max<LONG>(client.right - kComboArrowWidth, kComboFrame),
             kComboFrame + box.fieldHeight};
    Draw(combo, box, dc, field, ownerDrawn);
  }
  if (!box.dropped) return;
  const RECT list = ComboListRect(box, client.right, client.bottom);
  FillRect(dc, &list, GetSysColorBrush(COLOR_WINDOW));
  FrameRect(dc, &list, GetSysColorBrush(COLOR_WINDOWFRAME));
  const int rows = (list.bottom - list.top - 2 * kListBorder) / std::max(box.itemHeight, 1);
  for (int row = 0; row < rows && box.Valid(row); ++row) {
    ItemToPaint item;
    item.index = row;
    item.state = row == box.selection ? ODS_SELECTED : 0;
    const LONG top = list.top + kListBorder + row * box.itemHeight;
    item.rect = RECT{list.left + kListBorder, top, list.right - kListBorder, top + box.itemHeight};
    Draw(combo, box, dc, item, ownerDrawn);
  }
}

RECT ComboListRect(const ComboState& box, LONG width, LONG windowHeight) {
  const LONG top = box.fieldHeight + 2 * kComboFrame;
  const LONG room =
      std::max<LONG>(windowHeight - top - 2 * kListBorder, 0) / std::max(box.itemHeight, 1);
  const LONG rows = std::max<LONG>(1, std::min<LONG>(room, static_cast<LONG>(box.items.size())));
  return RECT{0, top, width, top + 2 * kListBorder + rows * box.itemHeight};
}

}  // namespace platform::ui::detail
