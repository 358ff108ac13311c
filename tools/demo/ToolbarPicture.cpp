#include "tools/demo/ToolbarPicture.h"

#include <cstdlib>
#include <fstream>

#include "platform/ui/SvgRender.h"

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

}  // namespace

void DrawToolbarPicture(std::ostream& out, HWND toolbar, const std::string& baseName) {
  const std::string svg = platform::ui::RenderToolbarSvg(toolbar);
  const std::string svgPath = baseName + ".svg";
  std::ofstream file(svgPath, std::ios::binary | std::ios::trunc);
  if (svg.empty() || !file.write(svg.data(), static_cast<std::streamsize>(svg.size()))) {
    out << "Could not draw the toolbar to " << svgPath << ".\n";
    return;
  }
  file.close();
  out << "The toolbar is drawn in " << svgPath;
  const std::string pngPath = baseName + ".png";
  if (ConvertToPng(svgPath, pngPath)) out << " and " << pngPath;
  out << ".\n";
}

}  // namespace demo
