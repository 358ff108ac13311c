#include "platform/ui/SvgRender.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "platform/text/CodePage.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Gdi.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/PngImage.h"
#include "platform/ui/Toolbar.h"
#include "platform/ui/Window.h"
#include "platform/ui/detail/SvgParts.h"

namespace platform::ui {
namespace {

using namespace detail::svg;

constexpr int kMenuItemHeight = 20;
constexpr int kMenuSeparatorHeight = 8;
constexpr int kMenuTextIndent = 24;

// `idPrefix` keeps element ids unique when a toolbar lies on another.
void Button(std::ostream& svg, const ToolbarView& view, const ToolbarButtonView& button,
            const char* idPrefix) {
  const RECT& r = button.rect;
  const LONG height = r.bottom - r.top;
  if (button.style & BTNS_SEP) {
    const LONG x = (r.left + r.right) / 2;
    svg << "<line class=\"separator\" x1=\"" << x << "\" y1=\"" << r.top + 3 << "\" x2=\"" << x
        << "\" y2=\"" << r.bottom - 3 << "\" stroke=\"#C0C0C0\"/>\n";
    return;
  }
  const bool enabled = button.state & TBSTATE_ENABLED;
  svg << "<g class=\"button\" id=\"" << idPrefix << button.id << "\">\n";
  if (button.state & (TBSTATE_CHECKED | TBSTATE_PRESSED)) {
    svg << "<rect class=\"checked\" x=\"" << r.left + 0.5 << "\" y=\"" << r.top + 0.5
        << "\" width=\"" << r.right - r.left - 1 << "\" height=\"" << height - 1
        << "\" fill=\"#CCE8FF\" stroke=\"#99D1FF\"/>\n";
  }
  LONG x = r.left + kToolbarButtonPadding / 2;
  HIMAGELIST list = !enabled && view.disabledImages ? view.disabledImages : view.normalImages;
  int imageWidth = 0;
  int imageHeight = 0;
  if (button.image != I_IMAGENONE && list &&
      ImageList_GetIconSize(list, &imageWidth, &imageHeight)) {
    Image(svg, list, button.image, x, r.top + (height - imageHeight) / 2);
    x += imageWidth + kToolbarImageTextGap;
  }
  if (button.textShown)
    Text(svg, x, r.top, height, WithoutMnemonics(button.text), enabled ? kText : kGreyText);
  const bool splitArrow =
      (button.style & BTNS_DROPDOWN) && (view.extendedStyle & TBSTYLE_EX_DRAWDDARROWS);
  if (splitArrow) {
    const LONG split = r.right - kToolbarSplitArrowWidth;
    svg << "<line x1=\"" << split << "\" y1=\"" << r.top + 3 << "\" x2=\"" << split << "\" y2=\""
        << r.bottom - 3 << "\" stroke=\"#D0D0D0\"/>\n";
    Arrow(svg, split + kToolbarSplitArrowWidth / 2, (r.top + r.bottom) / 2);
  } else if (button.style & BTNS_WHOLEDROPDOWN) {
    Arrow(svg, r.right - kToolbarWholeArrowWidth / 2 - 2, (r.top + r.bottom) / 2);
  }
  svg << "</g>\n";
}

void Buttons(Canvas& canvas, HWND toolbar, const ToolbarView& view, const char* idPrefix) {
  RECT client{};
  GetClientRect(toolbar, &client);
  for (const auto& button : view.buttons) {
    if (button.state & TBSTATE_HIDDEN) continue;
    if ((view.extendedStyle & TBSTYLE_EX_HIDECLIPPEDBUTTONS) && button.rect.right > client.right)
      continue;
    Button(canvas.svg, view, button, idPrefix);
  }
}

// The child windows the toolbar's controls place over their buttons: combo
// boxes, edit fields, labels, and small toolbars of their own (the leading
// image menu draws its image on one).
void Children(Canvas& canvas, HWND toolbar) {
  auto& svg = canvas.svg;
  // Bottom of the z-order first, so windows on top are drawn over it.
  std::vector<HWND> children;
  for (HWND child = GetWindow(toolbar, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    HWND child = *it;
    if (!IsWindowVisible(child)) continue;
    RECT r{};
    GetWindowRect(child, &r);
    POINT origin{r.left, r.top};
    ScreenToClient(toolbar, &origin);
    const LONG width = r.right - r.left;
    const LONG height = r.bottom - r.top;
    const auto kind = WindowClassName(child);
    if (kind == WC_COMBOBOXW) {
      ComboBox(canvas, child, origin, width);
    } else if (kind == WC_STATICW) {
      Text(svg, origin.x, origin.y, height, WithoutMnemonics(WindowText(child)), kText);
    } else if (kind == TOOLBARCLASSNAMEW) {
      const auto view = InspectToolbar(child);
      if (!view) continue;
      Canvas inner;
      Buttons(inner, child, *view, "overlay-button-");
      Children(inner, child);
      const std::string translate = "transform=\"translate(" + std::to_string(origin.x) + "," +
                                    std::to_string(origin.y) + ")\"";
      svg << "<g class=\"toolbar\" " << translate << ">\n<rect width=\"" << width << "\" height=\""
          << height << "\" fill=\"" << kFace << "\"/>\n"
          << inner.svg.str() << "</g>\n";
      if (const auto popups = inner.popups.str(); !popups.empty())
        canvas.popups << "<g " << translate << ">\n" << popups << "</g>\n";
      canvas.bottom = std::max(canvas.bottom, origin.y + inner.bottom);
    } else {
      EditField(svg, child, origin, width, height);
    }
  }
}

}  // namespace

std::string RenderToolbarSvg(HWND toolbar) {
  const auto view = InspectToolbar(toolbar);
  if (!view) return {};
  RECT client{};
  GetClientRect(toolbar, &client);
  Canvas canvas;
  Buttons(canvas, toolbar, *view, "button-");
  Children(canvas, toolbar);
  LONG total = 0;
  for (const auto& button : view->buttons) total = std::max(total, button.rect.right);
  const LONG width = std::max(client.right, total);
  const LONG height = std::max({client.bottom, static_cast<LONG>(view->rowHeight), canvas.bottom});
  std::ostringstream svg;
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\"" << height
      << "\" viewBox=\"0 0 " << width << " " << height << "\">\n<rect class=\"toolbar\" width=\""
      << width << "\" height=\"" << height << "\" fill=\"" << kFace << "\"/>\n"
      << canvas.svg.str() << canvas.popups.str() << "</svg>\n";
  return svg.str();
}

std::string RenderMenuSvg(HMENU menu, HWND owner) {
  if (!IsMenu(menu)) return {};
  auto items = InspectMenu(menu);
  LONG width = 0;
  LONG height = 0;
  for (const auto& item : items) {
    const bool ownerDrawn = item.type & MFT_OWNERDRAW;
    width = std::max<LONG>(width, ownerDrawn && item.measuredWidth
                                      ? static_cast<LONG>(item.measuredWidth)
                                      : TextWidth(item.text) + 2 * kMenuTextIndent);
    height += (item.type & MFT_SEPARATOR)         ? kMenuSeparatorHeight
              : ownerDrawn && item.measuredHeight ? static_cast<LONG>(item.measuredHeight)
                                                  : kMenuItemHeight;
  }
  std::ostringstream svg;
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width + 4 << "\" height=\""
      << height + 4 << "\">\n"
      << "<rect class=\"menu\" x=\"0.5\" y=\"0.5\" width=\"" << width + 3 << "\" height=\""
      << height + 3 << "\" fill=\"" << kFace
      << "\" stroke=\"#979797\"/>\n<g transform=\"translate(2,2)\">\n";
  LONG top = 0;
  for (const auto& item : items) {
    if (item.type & MFT_SEPARATOR) {
      svg << "<line class=\"separator\" x1=\"" << kMenuTextIndent << "\" y1=\"" << top + 4
          << "\" x2=\"" << width << "\" y2=\"" << top + 4 << "\" stroke=\"#C0C0C0\"/>\n";
      top += kMenuSeparatorHeight;
      continue;
    }
    const bool grey = item.state & (MF_GRAYED | MF_DISABLED);
    LONG itemHeight = kMenuItemHeight;
    std::vector<DrawOperation> drawn;
    if ((item.type & MFT_OWNERDRAW) && item.measuredHeight) {
      itemHeight = static_cast<LONG>(item.measuredHeight);
      HDC dc = CreateRecordingDC();
      DRAWITEMSTRUCT draw{};
      draw.CtlType = ODT_MENU;
      draw.itemID = item.id;
      draw.itemAction = ODA_DRAWENTIRE;
      draw.itemState = (grey ? ODS_GRAYED : 0) | ((item.state & MF_CHECKED) ? ODS_CHECKED : 0);
      draw.hwndItem = reinterpret_cast<HWND>(menu);
      draw.hDC = dc;
      draw.rcItem = RECT{0, top, width, top + itemHeight};
      draw.itemData = item.itemData;
      SendMessageW(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
      drawn = RecordedOperations(dc);
      DeleteDC(dc);
    }
    svg << "<g class=\"item\" id=\"item-" << item.id << "\">\n";
    if (!drawn.empty()) {
      Operations(svg, drawn);
    } else {
      if (item.state & MF_CHECKED)
        Text(svg, 6, top, itemHeight, u"\u2713", grey ? kGreyText : kText);
      Text(svg, kMenuTextIndent, top, itemHeight, WithoutMnemonics(item.text),
           grey ? kGreyText : kText);
    }
    if (item.submenu) Text(svg, width - 14, top, itemHeight, u"\u25B8", kText);
    svg << "</g>\n";
    top += itemHeight;
  }
  svg << "</g>\n</svg>\n";
  return svg.str();
}

}  // namespace platform::ui
