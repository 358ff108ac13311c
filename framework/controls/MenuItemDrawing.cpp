#include "framework/controls/MenuItemDrawing.h"

#include "platform/text/CodePage.h"
#include "platform/text/WideChars.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/ImageList.h"

namespace framework {

namespace {
constexpr int kImageColumn = 24;
constexpr int kTrailingSpace = 12;
constexpr int kImageTop = 3;
constexpr int kImageLeft = 4;
}  // namespace

void MeasureOwnerDrawnItem(const std::string& text, MEASUREITEMSTRUCT& measure) {
  measure.itemWidth = static_cast<UINT>(
      kImageColumn + platform::ui::TextWidth(platform::AnsiToWide(text)) + kTrailingSpace);
  measure.itemHeight = kMenuItemHeight;
}

void DrawOwnerDrawnItem(const std::string& text, HIMAGELIST images, int imageIndex,
                        const DRAWITEMSTRUCT& draw) {
  const bool selected = (draw.itemState & ODS_SELECTED) != 0;
  const bool grey = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  FillRect(draw.hDC, &draw.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  if (images != nullptr && imageIndex >= 0) {
    ImageList_Draw(images, imageIndex, draw.hDC, draw.rcItem.left + kImageLeft,
                   draw.rcItem.top + kImageTop, ILD_TRANSPARENT);
  }
  SetBkMode(draw.hDC, TRANSPARENT);
  SetTextColor(draw.hDC, GetSysColor(grey       ? COLOR_GRAYTEXT
                                     : selected ? COLOR_HIGHLIGHTTEXT
                                                : COLOR_MENUTEXT));
  RECT textRect = draw.rcItem;
  textRect.left += kImageColumn;
  const std::u16string wide = platform::AnsiToWide(text);
  DrawTextW(draw.hDC, platform::AsWchar(wide), static_cast<int>(wide.size()), &textRect,
            DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace framework
