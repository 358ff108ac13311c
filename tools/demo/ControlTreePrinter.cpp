#include "tools/demo/ControlTreePrinter.h"

#include <iomanip>
#include <string>
#include <vector>

#include "framework/command/CommandC.h"
#include "framework/controls/ControlKinds.h"
#include "framework/controls/ControlStyle.h"
#include "framework/layout/LayoutWords.h"
#include "platform/text/CodePage.h"

namespace demo {

namespace {

std::string Utf8(const std::string& ansi) {
  return platform::WideToUtf8(platform::AnsiToWide(ansi));
}

std::string Flags(const framework::ControlC& control) {
  namespace style = framework::style;
  const std::uint32_t word = control.StyleWord();
  std::string flags;
  auto add = [&flags](bool set, const char* name) {
    if (set) flags += std::string(flags.empty() ? "" : ", ") + name;
  };
  add(word & style::kDisabled, "switched off");
  add(word & style::kNoOwnCommand, "no own command");
  add(word & style::kAutoSize, "auto-size");
  add(word & style::kFixedList, "fixed list");
  add(word & style::kLeadingImageMenu, "leading image");
  add(word & style::kToggle, "toggle");
  add(control.DisplayWord() & framework::display::kCaptionShown, "caption shown");
  return flags;
}

std::string Image(const framework::ControlC& control) {
  if (!control.ImageFileName().empty()) return "image file " + Utf8(control.ImageFileName());
  if (control.ImageIndex() == framework::kNoImageIndex || control.ImageResourceId() == 0) return {};
  return "image #" + std::to_string(control.ImageResourceId());
}

void PrintControls(std::ostream& out,
                   const std::vector<std::unique_ptr<framework::ControlI>>& controls, int depth) {
  for (const auto& item : controls) {
    const framework::ControlC& control = *item->AsControl();
    out << std::string(2 + depth * 4, ' ') << std::left << std::setw(10)
        << framework::ElementNameOfKind(static_cast<int>(control.Kind()));
    if (!control.Caption().empty()) out << " \"" << Utf8(control.Caption()) << '"';
    if (const auto* command = dynamic_cast<const framework::CommandC*>(control.Command())) {
      out << " -> " << command->Name();
    }
    if (control.Width() != 0) out << "  width " << control.Width();
    if (const std::string image = Image(control); !image.empty()) out << "  " << image;
    if (const std::string flags = Flags(control); !flags.empty()) out << "  (" << flags << ')';
    out << '\n';
    if (const auto* menu = dynamic_cast<const framework::MenuControlC*>(&control)) {
      if (menu->Controls().empty()) out << std::string(2 + (depth + 1) * 4, ' ') << "(no items)\n";
      PrintControls(out, menu->Controls(), depth + 1);
    }
  }
}

}  // namespace

void PrintControlTree(std::ostream& out, const framework::ToolBandC& toolband) {
  out << "Toolbar \"" << Utf8(toolband.Name()) << "\" by \"" << Utf8(toolband.Company()) << "\", "
      << toolband.Controls().size() << " top-level controls\n";
  PrintControls(out, toolband.Controls(), 0);
}

}  // namespace demo
