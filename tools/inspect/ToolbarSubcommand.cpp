#include "tools/inspect/ToolbarSubcommand.h"

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "framework/controls/ControlI.h"
#include "framework/controls/ControlStyle.h"
#include "framework/controls/HotKey.h"
#include "framework/layout/LayoutWords.h"
#include "platform/text/CodePage.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/MessageQueue.h"
#include "platform/ui/SvgRender.h"
#include "platform/ui/Toolbar.h"
#include "platform/ui/Window.h"
#include "tools/inspect/BrowserWithToolbar.h"
#include "tools/inspect/ControlNames.h"
#include "tools/inspect/HostFiles.h"
#include "tools/inspect/JsonWriter.h"
#include "tools/inspect/LayoutLoadFailure.h"
#include "tools/inspect/ToolDiagnostics.h"

namespace tools {

namespace {

struct ToolbarOptions {
  std::string location;
  std::optional<std::string> storedFile;
  std::optional<int> width;
  std::optional<std::string> svgFile;
  std::vector<std::string> keys;
};

std::vector<std::string> SplitKeys(std::string_view text) {
  std::vector<std::string> keys;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = text.find(',', start);
    const std::size_t end = comma == std::string_view::npos ? text.size() : comma;
    if (end > start) keys.emplace_back(text.substr(start, end - start));
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return keys;
}

// The toolbar is drawn as wide as it is made, so a width is bounded by what
// a toolbar's coordinates can hold.
std::optional<ToolbarOptions> ParseOptions(SubcommandArguments arguments, std::string& problem) {
  ToolbarOptions options;
  bool haveLocation = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    const bool takesValue = argument == "--stored" || argument == "--width" ||
                            argument == "--svg" || argument == "--keys";
    if (takesValue) {
      if (i + 1 >= arguments.size()) return std::nullopt;
      const std::string value(arguments[++i]);
      if (argument == "--stored") options.storedFile = value;
      if (argument == "--svg") options.svgFile = value;
      if (argument == "--keys") options.keys = SplitKeys(value);
      if (argument == "--width") {
        const int width = framework::ReadInteger(value);
        if (width <= 0 || width > platform::ui::kToolbarMaximumExtent) {
          problem = "--width takes 1 to " + std::to_string(platform::ui::kToolbarMaximumExtent) +
                    " pixels";
          return std::nullopt;
        }
        options.width = width;
      }
    } else if (!haveLocation && !argument.starts_with("--")) {
      options.location = std::string(argument);
      haveLocation = true;
    } else {
      return std::nullopt;
    }
  }
  if (!haveLocation) return std::nullopt;
  return options;
}

// Presses the key the way the user would, modifiers first; the name of the
// command whose control took it, or nothing.
std::optional<std::string> PressHotKey(const framework::ToolBandC& toolband,
                                       const framework::HotKey& hotKey) {
  std::vector<int> modifiers;
  if (hotKey.ctrl) modifiers.push_back(VK_CONTROL);
  if (hotKey.shift) modifiers.push_back(VK_SHIFT);
  if (hotKey.alt) modifiers.push_back(VK_MENU);
  for (int modifier : modifiers) platform::ui::KeyDown(modifier);
  platform::ui::RunUntilIdle();
  std::optional<std::string> executed;
  if (hotKey.key != 0) {
    platform::ui::KeyDown(hotKey.key);
    // Handled while the modifiers are still held: the hook reads them now.
    platform::ui::RunUntilIdle();
    if (const framework::ControlI* taker = toolband.LastHotKeyTaker()) {
      executed = CommandName(*taker);
    }
    platform::ui::KeyUp(hotKey.key);
  }
  for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier) {
    platform::ui::KeyUp(*modifier);
  }
  platform::ui::RunUntilIdle();
  return executed;
}

void WriteRect(JsonWriter& json, const RECT& rect) {
  json.BeginObject();
  json.Key("left");
  json.Integer(rect.left);
  json.Key("top");
  json.Integer(rect.top);
  json.Key("right");
  json.Integer(rect.right);
  json.Key("bottom");
  json.Integer(rect.bottom);
  json.EndObject();
}

void WriteButtons(JsonWriter& json, HWND toolbar) {
  json.BeginArray();
  if (const auto view = platform::ui::InspectToolbar(toolbar)) {
    for (const platform::ui::ToolbarButtonView& button : view->buttons) {
      json.BeginObject();
      json.Key("id");
      json.Integer(button.id);
      json.Key("style");
      json.Integer(button.style);
      json.Key("state");
      json.Integer(button.state);
      json.Key("text");
      json.Utf8String(platform::WideToUtf8(button.text));
      json.Key("image");
      json.Integer(button.image);
      json.Key("width");
      json.Integer(button.width);
      json.Key("rect");
      WriteRect(json, button.rect);
      json.EndObject();
    }
  }
  json.EndArray();
}

void WriteControls(JsonWriter& json, const framework::ToolBandC& toolband) {
  json.BeginArray();
  for (const auto& control : toolband.Controls()) {
    json.BeginObject();
    json.Key("kind");
    json.Utf8String(framework::ElementNameOfKind(static_cast<int>(control->Kind())));
    json.Key("command");
    if (control->Command() == nullptr) {
      json.Null();
    } else {
      json.AnsiString(CommandName(*control));
    }
    json.Key("style");
    json.Integer(control->StyleWord());
    json.Key("shown");
    json.Boolean((control->StyleWord() & framework::style::kDisabled) == 0);
    json.EndObject();
  }
  json.EndArray();
}

}  // namespace

int RunToolbarSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err) {
  std::string problem;
  const std::optional<ToolbarOptions> options = ParseOptions(arguments, problem);
  if (!options) {
    return UsageError(err, kToolbarUsage,
                      problem.empty() ? "the arguments do not fit the usage" : problem);
  }
  const std::optional<std::string> location = ToProductLocation(options->location, problem);
  if (!location) return UsageError(err, kToolbarUsage, problem);

  HostFileSystem files;
  if (options->storedFile && !StoreLayoutCopyFrom(*options->storedFile, problem)) {
    return Failure(err, kToolbarUsage, problem);
  }
  const BrowserWithToolbar window(*location);
  framework::ToolBandC* toolband = window.ToolBand();
  const std::optional<std::string> loadFailure = LayoutLoadFailure(toolband, options->location);
  if (toolband == nullptr) return Failure(err, kToolbarUsage, *loadFailure);
  HWND toolbar = toolband->ToolbarWindow();
  if (options->width) {
    RECT rect{};
    GetWindowRect(toolbar, &rect);
    MoveWindow(toolbar, 0, 0, *options->width, rect.bottom - rect.top, TRUE);
    platform::ui::RunUntilIdle();
  }
  std::vector<std::string> executed;
  for (const std::string& key : options->keys) {
    if (auto name = PressHotKey(*toolband, framework::ParseHotKey(key))) {
      executed.push_back(std::move(*name));
    }
  }

  JsonWriter json(out);
  json.BeginObject();
  json.Key("buttons");
  WriteButtons(json, toolbar);
  json.Key("controls");
  WriteControls(json, *toolband);
  json.Key("executed");
  json.BeginArray();
  for (const std::string& name : executed) json.AnsiString(name);
  json.EndArray();
  json.EndObject();

  if (options->svgFile) {
    std::ofstream file(*options->svgFile, std::ios::binary | std::ios::trunc);
    const std::string svg = platform::ui::RenderToolbarSvg(toolbar);
    if (svg.empty() || !file.write(svg.data(), static_cast<std::streamsize>(svg.size()))) {
      return Failure(err, kToolbarUsage, "cannot write the picture to " + *options->svgFile);
    }
  }
  // The toolbar of the error label is drawn and printed like any other, as
  // the browser would show it; that it is not the layout's is the failure.
  if (loadFailure) return Failure(err, kToolbarUsage, *loadFailure);
  return kExitSuccess;
}

}  // namespace tools
