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

namespace platform::ui {
namespace {

constexpr const char* kFace = "#F0F0F0";
constexpr const char* kText = "#000000";
constexpr const char* kGreyText = "#6D6D6D";
constexpr const char* kFont = "font-family=\"Tahoma, Verdana, sans-serif\" font-size=\"11\"";
constexpr int kMenuItemHeight = 20;
constexpr int kMenuSeparatorHeight = 8;
constexpr int kMenuTextIndent = 24;

std::string Escape(std::u16string_view text) {
  std::string out;
  for (char c : WideToUtf8(text)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out.push_back(c);
    }
  }
  return out;
}

std::u16string WithoutMnemonics(std::u16string_view text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&') {
      if (i + 1 < text.size()) out.push_back(text[++i]);
      continue;
    }
    out.push_back(text[i]);
  }
  return out;
}

std::string Colour(COLORREF colour) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", GetRValue(colour), GetGValue(colour),
                GetBValue(colour));
  return buffer;
}

void Image(std::ostream& svg, HIMAGELIST list, int index, LONG x, LONG y) {
  auto image = GetImageListImage(list, index);
  if (!image) return;
  svg << "<image x=\"" << x << "\" y=\"" << y << "\" width=\"" << image->bitmap.width
      << "\" height=\"" << image->bitmap.height << "\" href=\"data:image/png;base64,"
      << Base64Encode(EncodePng(image->bitmap, &image->transparent)) << "\"/>\n";
}

void Text(std::ostream& svg, LONG x, LONG top, LONG height, std::u16string_view text,
          const std::string& fill) {
  const LONG baseline = top + (height + kTextHeight) / 2 - 2;
  svg << "<text x=\"" << x << "\" y=\"" << baseline << "\" " << kFont << " fill=\"" << fill << "\">"
      << Escape(text) << "</text>\n";
}

void Arrow(std::ostream& svg, LONG centreX, LONG centreY) {
  svg << "<polygon points=\"" << centreX - 3 << "," << centreY - 1 << " " << centreX + 3 << ","
      << centreY - 1 << " " << centreX << "," << centreY + 2 << "\" fill=\"" << kText << "\"/>\n";
}

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

void Operations(std::ostream& svg, const std::vector<DrawOperation>& operations) {
  for (const auto& op : operations) {
    const RECT& r = op.rect;
    switch (op.kind) {
      case DrawOperation::Kind::kFill:
        svg << "<rect x=\"" << r.left << "\" y=\"" << r.top << "\" width=\"" << r.right - r.left
            << "\" height=\"" << r.bottom - r.top << "\" fill=\"" << Colour(op.colour) << "\"/>\n";
        break;
      case DrawOperation::Kind::kFrame:
        svg << "<rect x=\"" << r.left + 0.5 << "\" y=\"" << r.top + 0.5 << "\" width=\""
            << r.right - r.left - 1 << "\" height=\"" << r.bottom - r.top - 1
            << "\" fill=\"none\" stroke=\"" << Colour(op.colour) << "\"/>\n";
        break;
      case DrawOperation::Kind::kText:
        Text(svg, r.left, r.top, r.bottom - r.top, op.text, Colour(op.colour));
        break;
      case DrawOperation::Kind::kImage:
        Image(svg, op.imageList, op.imageIndex, r.left, r.top);
        break;
    }
  }
}

// What a child window paints of itself (WM_PRINTCLIENT onto a recording
// context), moved from its client coordinates to its parent's.
std::vector<DrawOperation> PaintedBy(HWND child, POINT origin) {
  HDC dc = CreateRecordingDC();
  SendMessageW(child, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  auto operations = RecordedOperations(dc);
  DeleteDC(dc);
  for (auto& op : operations) {
    op.rect.left += origin.x;
    op.rect.right += origin.x;
    op.rect.top += origin.y;
    op.rect.bottom += origin.y;
  }
  return operations;
}

// The picture grows downwards with what hangs below the toolbar, such as
// a dropped combo box list; `bottom` is in the drawn toolbar's coordinates.
// An open list is a popup over everything else, so it is drawn last.
struct Canvas {
  std::ostringstream svg;
  std::ostringstream popups;
  LONG bottom = 0;
};

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

void ComboBox(Canvas& canvas, HWND combo, POINT origin, LONG width) {
  const LONG height =
      static_cast<LONG>(SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0)) +
      2 * kComboFrame;
  auto& svg = SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) ? canvas.popups : canvas.svg;
  svg << "<g class=\"combobox\">\n<rect x=\"" << origin.x + 0.5 << "\" y=\"" << origin.y + 0.5
      << "\" width=\"" << width - 1 << "\" height=\"" << height - 1
      << "\" fill=\"#FFFFFF\" stroke=\"#7A7A7A\"/>\n";
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (GetComboBoxInfo(combo, &info) && info.hwndItem) {
    Text(svg, origin.x + kComboFrame, origin.y, height, WindowText(info.hwndItem), kText);
  }
  const auto painted = PaintedBy(combo, origin);
  Operations(svg, painted);
  for (const auto& op : painted) canvas.bottom = std::max(canvas.bottom, op.rect.bottom);
  Arrow(svg, origin.x + width - kComboArrowWidth / 2 - 1, origin.y + height / 2);
  svg << "</g>\n";
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
      svg << "<g class=\"edit\">\n<rect x=\"" << origin.x + 0.5 << "\" y=\"" << origin.y + 0.5
          << "\" width=\"" << width - 1 << "\" height=\"" << height - 1
          << "\" fill=\"#FFFFFF\" stroke=\"#7A7A7A\"/>\n";
      Text(svg, origin.x + 3, origin.y, height, WindowText(child), kText);
      svg << "</g>\n";
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
