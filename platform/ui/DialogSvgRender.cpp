#include <sstream>
#include <string>
#include <vector>

#include "platform/ui/Button.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/SvgRender.h"
#include "platform/ui/Window.h"
#include "platform/ui/detail/SvgParts.h"

namespace platform::ui {
namespace {

using namespace detail::svg;

constexpr char16_t kDialogClass[] = u"#32770";

void Control(Canvas& canvas, HWND dialog, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  POINT origin{r.left, r.top};
  ScreenToClient(dialog, &origin);
  const LONG width = r.right - r.left;
  const LONG height = r.bottom - r.top;
  const auto kind = WindowClassName(child);
  if (kind == WC_COMBOBOXW) {
    ComboBox(canvas, child, origin, width);
  } else if (kind == WC_EDITW) {
    EditField(canvas.svg, child, origin, width, height);
  } else if (kind == WC_STATICW) {
    Text(canvas.svg, origin.x, origin.y, height, WithoutMnemonics(WindowText(child)), kText);
  } else {
    canvas.svg << "<g class=\"" << (kind == WC_BUTTONW ? "button" : "child") << "\" id=\"item-"
               << GetDlgCtrlID(child) << "\">\n";
    Operations(canvas.svg, PaintedBy(child, origin));
    canvas.svg << "</g>\n";
  }
}

}  // namespace

std::string RenderDialogSvg(HWND dialog) {
  if (!IsWindow(dialog) || WindowClassName(dialog) != kDialogClass) return {};
  RECT client{};
  GetClientRect(dialog, &client);
  Canvas canvas;
  Operations(canvas.svg, PaintedBy(dialog, POINT{}, PRF_CLIENT | PRF_ERASEBKGND));
  std::vector<HWND> children;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    if (IsWindowVisible(*it)) Control(canvas, dialog, *it);
  }
  std::ostringstream svg;
  svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << client.right << "\" height=\""
      << client.bottom << "\" viewBox=\"0 0 " << client.right << " " << client.bottom
      << "\">\n<g class=\"dialog\">\n"
      << canvas.svg.str() << canvas.popups.str() << "</g>\n</svg>\n";
  return svg.str();
}

}  // namespace platform::ui
