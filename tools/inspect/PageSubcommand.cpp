#include "tools/inspect/PageSubcommand.h"

#include <optional>
#include <string>
#include <vector>

#include "platform/files/FileSystem.h"
#include "platform/html/HtmlJournal.h"
#include "platform/text/CodePage.h"
#include "tools/inspect/BrowserWithToolbar.h"
#include "tools/inspect/ControlNames.h"
#include "tools/inspect/HostFiles.h"
#include "tools/inspect/JsonWriter.h"
#include "tools/inspect/PageSnapshot.h"
#include "tools/inspect/ToolbarUser.h"

namespace tools {

namespace {

// One thing the user does on the toolbar, in command-line order.
struct ToolbarAction {
  std::string controlName;
  std::optional<std::string> typedText;  // typed and committed; else a click
};

struct PageOptions {
  std::string url;
  std::optional<std::string> layout;
  std::vector<ToolbarAction> actions;
};

std::optional<ToolbarAction> ParseTyping(std::string_view value) {
  const std::size_t equals = value.find('=');
  if (equals == std::string_view::npos || equals == 0) return std::nullopt;
  return ToolbarAction{std::string(value.substr(0, equals)), std::string(value.substr(equals + 1))};
}

std::optional<PageOptions> ParseOptions(SubcommandArguments arguments) {
  PageOptions options;
  bool haveUrl = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "--layout" || argument == "--type" || argument == "--run") {
      if (i + 1 >= arguments.size()) return std::nullopt;
      const std::string_view value = arguments[++i];
      if (argument == "--layout") {
        options.layout = std::string(value);
      } else if (argument == "--run") {
        if (value.empty()) return std::nullopt;
        options.actions.push_back({std::string(value), std::nullopt});
      } else {
        std::optional<ToolbarAction> typing = ParseTyping(value);
        if (!typing) return std::nullopt;
        options.actions.push_back(std::move(*typing));
      }
    } else if (!haveUrl && !argument.starts_with("--")) {
      options.url = std::string(argument);
      haveUrl = true;
    } else {
      return std::nullopt;
    }
  }
  if (!haveUrl) return std::nullopt;
  return options;
}

// Web and built-in addresses go to the browser as they are; anything else
// names a file of the host.
std::string ToPageAddress(std::string_view url) {
  for (std::string_view scheme : {"http://", "https://", "about:", "res://"}) {
    if (url.starts_with(scheme)) return std::string(url);
  }
  return ToProductLocation(url);
}

std::string ShippedLayoutLocation() {
  return "res://" + platform::ModuleFilePath() + "/ToolBandLayout.xml";
}

// Plays one action; false (with the reason on `err`) when it cannot be played.
bool Play(const ToolbarAction& action, const framework::ToolBandC& toolband, std::ostream& err) {
  framework::ControlI* control = FindControlByCommandName(toolband, action.controlName);
  if (control == nullptr) {
    err << "no control on the toolbar has the command " << action.controlName << '\n';
    return false;
  }
  if (action.typedText) {
    if (!TypeAndCommit(*control, platform::Utf8ToWide(*action.typedText))) {
      err << "cannot type into the control of " << action.controlName << '\n';
      return false;
    }
    return true;
  }
  if (!Click(toolband, *control)) {
    err << "the button of " << action.controlName << " did not take the click\n";
    return false;
  }
  return true;
}

}  // namespace

int RunPageSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err) {
  const std::optional<PageOptions> options = ParseOptions(arguments);
  if (!options) {
    err << "usage: vimaru-tool " << kPageUsage << '\n';
    return kExitUsage;
  }
  HostFileSystem files;
  platform::html::ClearHtmlJournal();
  BrowserWithToolbar window(options->layout ? ToProductLocation(*options->layout)
                                            : ShippedLayoutLocation());
  const framework::ToolBandC* toolband = window.ToolBand();
  if (toolband == nullptr) {
    err << "no toolbar: the layout was given up\n";
    return kExitFailure;
  }
  const std::string address = ToPageAddress(options->url);
  if (FAILED(window.Navigate(platform::Utf8ToWide(address)))) {
    err << "the browser did not navigate to " << address << '\n';
    return kExitFailure;
  }
  for (const ToolbarAction& action : options->actions) {
    if (!Play(action, *toolband, err)) return kExitFailure;
  }
  JsonWriter json(out);
  WritePageSnapshotJson(json, TakePageSnapshot(window.Browser(), window.Events()));
  return 0;
}

}  // namespace tools
