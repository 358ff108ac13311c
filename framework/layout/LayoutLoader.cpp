#include "framework/layout/LayoutLoader.h"

#include <algorithm>

#include "framework/command/CommandContainerI.h"
#include "framework/controls/ControlKinds.h"
#include "framework/layout/LayoutBuilder.h"
#include "framework/layout/StoredLayout.h"
#include "framework/layout/ToolbandNamespace.h"
#include "framework/toolband/ToolBandI.h"
#include "platform/trace/Trace.h"

namespace framework {

namespace {

constexpr std::size_t kMessageBufferSize = 2048;
constexpr std::string_view kFileScheme = "file://";
constexpr std::string_view kResScheme = "res://";

std::string FormatMessage(std::string_view before, std::string_view location,
                          std::string_view detail) {
  std::string message;
  message.reserve(before.size() + location.size() + detail.size() + 4);
  message.append(before).append(location);
  if (!detail.empty()) message.append(" (").append(detail).append(")");
  message.append(".");
  if (message.size() > kMessageBufferSize - 1) message.resize(kMessageBufferSize - 1);
  return message;
}

// The toolbar that says why there is no real one: a single label bound to
// the do-nothing command.
bool ShowErrorLabel(ToolBandI& toolband, CommandContainerI& context, std::string message) {
  if (CommandI* nop = context.FindCommand("ToolBand.Nop")) {
    toolband.TopLevelControls().AddControl(
        std::make_unique<LabelControlC>(nop, std::move(message)));
  }
  return true;
}

}  // namespace

std::optional<std::string> BaseDirectoryOf(std::string_view location) {
  const std::size_t slash = location.rfind('/');
  const std::size_t backslash = location.rfind('\\');
  std::size_t separator = std::string_view::npos;
  if (slash != std::string_view::npos && backslash != std::string_view::npos) {
    separator = std::max(slash, backslash);
  } else {
    separator = slash != std::string_view::npos ? slash : backslash;
  }
  if (separator == std::string_view::npos || separator == 0) return std::nullopt;
  std::string_view directory = location.substr(0, separator);
  if (directory.starts_with(kFileScheme)) directory.remove_prefix(kFileScheme.size());
  return std::string(directory);
}

std::string CannotFindMessage(std::string_view location, std::string_view reason) {
  return FormatMessage("Can't find XML document ", location, reason);
}

std::string CannotParseMessage(std::string_view location, const platform::XmlParseError& error) {
  std::string detail;
  if (error.line > 0) {
    detail = "line " + std::to_string(error.line) + ", column " + std::to_string(error.column);
    if (!error.reason.empty()) detail += ": ";
  }
  detail += error.reason;
  return FormatMessage("Unable to parse XML document ", location, detail);
}

bool LoadLayout(ToolBandI& toolband, CommandContainerI& context,
                const XmlDocumentFactory& createDocument) {
  platform::TraceScope trace("LayoutC::LoadLayout");
  const std::string location = context.LayoutLocation();
  if (location.empty()) return false;
  if (std::optional<std::string> directory = BaseDirectoryOf(location)) {
    toolband.SetBaseDirectory(std::move(*directory));
  }

  std::shared_ptr<platform::XmlDocument> document = createDocument();
  if (document == nullptr || !ApplyLayoutSettings(*document, location.starts_with(kResScheme))) {
    return ShowErrorLabel(toolband, context, CannotFindMessage(location));
  }
  switch (document->Load(location)) {
    case platform::XmlLoadResult::kOk:
      break;
    case platform::XmlLoadResult::kNotFound:
    case platform::XmlLoadResult::kUnsupportedScheme:
      return ShowErrorLabel(toolband, context,
                            CannotFindMessage(location, document->ParseError().reason));
    case platform::XmlLoadResult::kParseError:
      return ShowErrorLabel(toolband, context,
                            CannotParseMessage(location, document->ParseError()));
  }

  const std::optional<platform::XmlElement> root = document->SelectSingleNode(kLayoutRootQuery);
  toolband.SetName(root ? root->Attribute("name") : std::string());
  toolband.SetCompany(root ? root->Attribute("company") : std::string());

  // Only an existing stored copy is refreshed; the first one is written by
  // the layout dialog when the user switches items off.
  const StoredLayoutLocation storedLocation = context.GetStoredLayoutLocation();
  if (std::shared_ptr<platform::XmlDocument> stored = ReadStoredLayout(storedLocation)) {
    MergeStoredLayout(*document, *stored);
    SaveStoredLayout(*document, storedLocation);
  }

  if (!root) return false;
  const bool built = BuildControls(toolband, context, *root, nullptr);
  toolband.SetLayoutDocument(std::move(document));
  return built;
}

}  // namespace framework
