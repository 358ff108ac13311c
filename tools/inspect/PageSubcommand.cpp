#include "tools/inspect/PageSubcommand.h"

#include <optional>
#include <string>
#include <vector>

#include "platform/html/HtmlJournal.h"
#include "platform/text/CodePage.h"
#include "tools/inspect/BrowserWithToolbar.h"
#include "tools/inspect/ControlNames.h"
#include "tools/inspect/HostFiles.h"
#include "tools/inspect/JsonWriter.h"
#include "tools/inspect/LayoutLoadFailure.h"
#include "tools/inspect/PageSnapshot.h"
#include "tools/inspect/ToolDiagnostics.h"
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

std::optional<PageOptions> ParseOptions(SubcommandArguments arguments, std::string& problem) {
  PageOptions options;
  bool haveUrl = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "--layout" || argument == "--type" || argument == "--run") {
      if (i + 1 >= arguments.size()) {
        problem = std::string(argument) + " needs a value";
        return std::nullopt;
      }
      const std::string_view value = arguments[++i];
      if (argument == "--layout") {
        if (options.layout) {
          problem = "--layout given twice";
          return std::nullopt;
        }
        options.layout = std::string(value);
      } else if (argument == "--run") {
        if (value.empty()) {
          problem = "--run needs a command name";
          return std::nullopt;
        }
        options.actions.push_back({std::string(value), std::nullopt});
      } else {
        std::optional<ToolbarAction> typing = ParseTyping(value);
        if (!typing) {
          problem = "--type takes ID=TEXT, got '" + std::string(value) + "'";
          return std::nullopt;
        }
        options.actions.push_back(std::move(*typing));
      }
    } else if (argument.starts_with("--")) {
      problem = "unknown option '" + std::string(argument) + "'";
      return std::nullopt;
    } else if (haveUrl) {
      problem = "one URL only, got '" + std::string(argument) + "' too";
      return std::nullopt;
    } else {
      options.url = std::string(argument);
      haveUrl = true;
    }
  }
  if (!haveUrl) {
    problem = "no URL given";
    return std::nullopt;
  }
  return options;
}

// Plays one action; what kept it from being played, or nothing.
std::optional<std::string> Play(const ToolbarAction& action, const framework::ToolBandC& toolband) {
  framework::ControlI* control = FindControlByCommandName(toolband, action.controlName);
  if (control == nullptr && !action.typedText) {
    const MenuItemControl choice = FindMenuItemByCommandName(toolband, action.controlName);
    if (choice.item == nullptr) {
      return "no control on the toolbar has the command " + action.controlName;
    }
    if (!ChooseMenuItem(toolband, choice)) {
      return "the menu holding " + action.controlName + " did not open";
    }
    return std::nullopt;
  }
  if (control == nullptr) return "no control on the toolbar has the command " + action.controlName;
  if (action.typedText) {
    if (!TypeAndCommit(*control, platform::Utf8ToWide(*action.typedText))) {
      return "cannot type into the control of " + action.controlName;
    }
    return std::nullopt;
  }
  if (!Click(toolband, *control)) {
    return "the button of " + action.controlName + " did not take the click";
  }
  return std::nullopt;
}

}  // namespace

int RunPageSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err) {
  std::string problem;
  const std::optional<PageOptions> options = ParseOptions(arguments, problem);
  if (!options) return UsageError(err, kPageUsage, problem);
  const std::optional<std::string> address = ToPageAddress(options->url, problem);
  if (!address) return UsageError(err, kPageUsage, problem);
  std::optional<std::string> layout;
  if (options->layout) {
    layout = ToProductLocation(*options->layout, problem);
    if (!layout) return UsageError(err, kPageUsage, problem);
  }

  HostFileSystem files;
  platform::html::ClearHtmlJournal();
  if (!layout) layout = ShippedLayoutLocation();
  BrowserWithToolbar window(*layout);
  const framework::ToolBandC* toolband = window.ToolBand();
  // A toolbar of the error label has nothing to play the actions on, and a
  // page shown with it would pass for the layout's.
  if (const std::optional<std::string> failure =
          LayoutLoadFailure(toolband, options->layout.value_or(*layout))) {
    return Failure(err, kPageUsage, *failure);
  }
  if (FAILED(window.Navigate(platform::Utf8ToWide(*address)))) {
    return Failure(err, kPageUsage, "the browser did not navigate to " + *address);
  }
  // The browser shows its error page then, which is what the JSON shows.
  if (const std::string& loadError = window.Browser().PageLoadError(); !loadError.empty()) {
    JsonWriter json(out);
    WritePageSnapshotJson(json, TakePageSnapshot(window.Browser(), window.Events()));
    return Failure(err, kPageUsage, "the page " + *address + " could not be loaded: " + loadError);
  }
  for (const ToolbarAction& action : options->actions) {
    if (const std::optional<std::string> failure = Play(action, *toolband)) {
      return Failure(err, kPageUsage, *failure);
    }
  }
  JsonWriter json(out);
  WritePageSnapshotJson(json, TakePageSnapshot(window.Browser(), window.Events()));
  return kExitSuccess;
}

}  // namespace tools
