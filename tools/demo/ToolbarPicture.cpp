#include "tools/demo/ToolbarPicture.h"

#include <cstdlib>
#include <fstream>

#include "platform/ui/ComboBox.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/SvgRender.h"
#include "platform/ui/Window.h"

namespace demo {

namespace {

bool ConverterInstalled(const std::string& program) {
  return std::system(("command -v " + program + " >/dev/null 2>&1").c_str()) == 0;
}

// The first converter that is installed turns the SVG into a PNG.
bool ConvertToPng(const std::string& svgPath, const std::string& pngPath) {
  if (ConverterInstalled("rsvg-convert")) {
    return std::system(("rsvg-convert '" + svgPath + "' -o '" + pngPath + "'").c_str()) == 0;
  }
  if (ConverterInstalled("convert")) {
    return std::system(("convert '" + svgPath + "' '" + pngPath + "'").c_str()) == 0;
  }
  return false;
}

void WritePicture(std::ostream& out, const std::string& svg, const std::string& what,
                  const std::string& baseName) {
  const std::string svgPath = baseName + ".svg";
  std::ofstream file(svgPath, std::ios::binary | std::ios::trunc);
  if (svg.empty() || !file.write(svg.data(), static_cast<std::streamsize>(svg.size()))) {
    out << "Could not draw " << what << " to " << svgPath << ".\n";
    return;
  }
  file.close();
  out << "The " << what << " is drawn in " << svgPath;
  const std::string pngPath = baseName + ".png";
  if (ConvertToPng(svgPath, pngPath)) out << " and " << pngPath;
  out << ".\n";
}

// The leftmost one: child windows come newest first, not in toolbar order.
HWND FirstComboBox(HWND toolbar) {
  HWND first = nullptr;
  LONG firstLeft = 0;
  for (HWND child = GetWindow(toolbar, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child) || platform::ui::WindowClassName(child) != WC_COMBOBOXW) continue;
    RECT rect{};
    GetWindowRect(child, &rect);
    if (first == nullptr || rect.left < firstLeft) {
      first = child;
      firstLeft = rect.left;
    }
  }
  return first;
}

}  // namespace

void DrawToolbarPicture(std::ostream& out, HWND toolbar, const std::string& baseName) {
  WritePicture(out, platform::ui::RenderToolbarSvg(toolbar), "toolbar", baseName);
}

void DrawDialogPicture(std::ostream& out, HWND dialog, const std::string& baseName) {
  WritePicture(out, platform::ui::RenderDialogSvg(dialog), "dialog", baseName);
}

void DrawOpenComboPicture(std::ostream& out, HWND toolbar, const std::string& baseName) {
  HWND combo = FirstComboBox(toolbar);
  if (combo == nullptr) {
    out << "The toolbar has no combo box to open.\n";
    return;
  }
  // Opened the way the box's own arrow key opens it, without taking the
  // focus, which would empty a search box that shows its prompt.
  SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
  const std::string svg = platform::ui::RenderToolbarSvg(toolbar);
  SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
  platform::ui::RunUntilIdle();
  const auto entries = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  WritePicture(out, svg,
               "toolbar with its combo box open (" + std::to_string(entries) + " entries)",
               baseName);
}

}  // namespace demo
