#include "platform/ui/detail/SvgParts.h"

#include <algorithm>
#include <cstdio>

#include "platform/text/CodePage.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/ImageList.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/PngImage.h"
#include "platform/ui/Window.h"

namespace platform::ui::detail::svg {

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

std::vector<DrawOperation> PaintedBy(HWND child, POINT origin, LPARAM flags) {
  HDC dc = CreateRecordingDC();
  SendMessageW(child, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), flags);
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

void EditField(std::ostream& svg, HWND edit, POINT origin, LONG width, LONG height) {
  std::u16string text = WindowText(edit);
  if (const auto mask = static_cast<char16_t>(SendMessageW(edit, EM_GETPASSWORDCHAR, 0, 0)))
    text.assign(text.size(), mask);
  svg << "<g class=\"edit\">\n<rect x=\"" << origin.x + 0.5 << "\" y=\"" << origin.y + 0.5
      << "\" width=\"" << width - 1 << "\" height=\"" << height - 1
      << "\" fill=\"#FFFFFF\" stroke=\"#7A7A7A\"/>\n";
  Text(svg, origin.x + 3, origin.y, height, text, kText);
  svg << "</g>\n";
}

}  // namespace platform::ui::detail::svg
