#include <optional>
#include <string>

#include "framework/builtin/BuiltinCommands.h"
#include "framework/builtin/PageDocuments.h"
#include "framework/builtin/TextExpansion.h"
#include "framework/builtin/UrlNormalisation.h"
#include "framework/command/CommandContainerI.h"
#include "framework/controls/ElementAttribute.h"
#include "framework/layout/LayoutLoader.h"
#include "platform/automation/Bstr.h"
#include "platform/automation/Variant.h"
#include "platform/files/FileSystem.h"

namespace framework {

namespace {

// A file next to the layout wins over an address of the same text, so a
// layout can ship its own pages and name them relatively.
std::u16string ResolveAddress(const std::string& url, CommandContainerI* context) {
  if (context != nullptr) {
    if (std::optional<std::string> base = BaseDirectoryOf(context->LayoutLocation())) {
      std::string file = *base + "/" + url;
      if (!url.empty() && platform::PathExists(file)) return Wide(file);
    }
  }
  std::u16string address = Wide(url);
  std::optional<std::u16string> normalised = NormaliseUrl(address);
  return normalised ? *normalised : address;
}

}  // namespace

void NavigateCmdC::Execute(ControlI* control) {
  IWebBrowser2* browser = Browser();
  if (browser == nullptr) return;
  std::string url = ElementAttribute(control, "url");
  if (url.empty()) url = ElementAttribute(control, "parameter");
  const std::string target = ElementAttribute(control, "target");
  url = ExpandPlaceholders(std::move(url), Context());

  platform::Bstr address(ResolveAddress(url, Context()));
  platform::Variant frame;
  if (!target.empty()) frame = platform::Variant(Wide(target));
  browser->Navigate(address.Get(), nullptr, target.empty() ? nullptr : &frame, nullptr, nullptr);
}

void NavigateCmdC::ExecuteWithText(const std::string&, ControlI* control) { Execute(control); }

}  // namespace framework
