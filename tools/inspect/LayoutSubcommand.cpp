#include "tools/inspect/LayoutSubcommand.h"

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "tools/inspect/BrowserWithToolbar.h"
#include "tools/inspect/ControlTreeJson.h"
#include "tools/inspect/HostFiles.h"
#include "tools/inspect/LayoutLoadFailure.h"
#include "tools/inspect/ToolDiagnostics.h"

namespace tools {

namespace {

struct LayoutOptions {
  std::string location;
  std::optional<std::string> storedFile;
  std::optional<std::string> writeBackFile;
};

std::optional<LayoutOptions> ParseOptions(SubcommandArguments arguments, std::string& problem) {
  LayoutOptions options;
  bool haveLocation = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "--stored" || argument == "--write-back") {
      auto& target = argument == "--stored" ? options.storedFile : options.writeBackFile;
      if (i + 1 >= arguments.size() || target) {
        problem = std::string(argument) + " takes one FILE";
        return std::nullopt;
      }
      target = std::string(arguments[++i]);
    } else if (argument.starts_with("--")) {
      problem = "unknown option '" + std::string(argument) + "'";
      return std::nullopt;
    } else if (haveLocation) {
      problem = "one LOCATION only, got '" + std::string(argument) + "' too";
      return std::nullopt;
    } else {
      options.location = std::string(argument);
      haveLocation = true;
    }
  }
  if (!haveLocation) {
    problem = "no LOCATION given";
    return std::nullopt;
  }
  return options;
}

}  // namespace

int RunLayoutSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err) {
  std::string problem;
  const std::optional<LayoutOptions> options = ParseOptions(arguments, problem);
  if (!options) return UsageError(err, kLayoutUsage, problem);
  const std::optional<std::string> location = ToProductLocation(options->location, problem);
  if (!location) return UsageError(err, kLayoutUsage, problem);

  HostFileSystem files;
  if (options->storedFile && !StoreLayoutCopyFrom(*options->storedFile, problem)) {
    return Failure(err, kLayoutUsage, problem);
  }
  const BrowserWithToolbar window(*location);
  const framework::ToolBandC* built = window.ToolBand();
  JsonWriter json(out);
  WriteLayoutJson(json, built != nullptr, built);
  if (const std::optional<std::string> failure = LayoutLoadFailure(built, options->location)) {
    return Failure(err, kLayoutUsage, *failure);
  }

  if (options->writeBackFile) {
    // What the stored copy would hold: the kept document as the loader (or,
    // for a first copy, the layout dialog) writes it.
    const std::optional<std::string> bytes = built->LayoutDocument()->Save();
    std::ofstream file(*options->writeBackFile, std::ios::binary | std::ios::trunc);
    if (!bytes || !file.write(bytes->data(), static_cast<std::streamsize>(bytes->size()))) {
      return Failure(err, kLayoutUsage, "cannot write " + *options->writeBackFile);
    }
  }
  return kExitSuccess;
}

}  // namespace tools
