#include "tools/inspect/LayoutLoadFailure.h"

#include "framework/controls/ControlC.h"
#include "framework/layout/ToolbandNamespace.h"
#include "platform/text/CodePage.h"

namespace tools {

std::optional<std::string> LayoutLoadFailure(const framework::ToolBandC* built,
                                             std::string_view location) {
  if (location.empty()) return "no layout location: the toolbar is given up";
  if (built == nullptr) {
    return "the toolbar is given up: the layout at " + std::string(location) +
           " has no toolband root in the namespace " +
           std::string(framework::kToolbandNamespaceUri);
  }
  // Only a layout that loaded is kept as the toolband's document; without
  // one, the toolband's only control is the label saying why.
  if (built->LayoutDocument() != nullptr) return std::nullopt;
  if (built->Controls().empty()) return "the layout at " + std::string(location) + " did not load";
  const std::string& message = built->Controls().front()->AsControl()->Caption();
  return platform::WideToUtf8(platform::AnsiToWide(message));
}

}  // namespace tools
