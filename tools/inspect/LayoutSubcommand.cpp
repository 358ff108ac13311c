#include "tools/inspect/LayoutSubcommand.h"

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "framework/context/StandaloneTabContextC.h"
#include "platform/registry/RegistryKey.h"
#include "tools/inspect/ControlTreeJson.h"
#include "tools/inspect/HostFiles.h"

namespace tools {

namespace {

struct LayoutOptions {
  std::string location;
  std::optional<std::string> storedFile;
  std::optional<std::string> writeBackFile;
};

std::optional<LayoutOptions> ParseOptions(SubcommandArguments arguments) {
  LayoutOptions options;
  bool haveLocation = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "--stored" || argument == "--write-back") {
      if (i + 1 >= arguments.size()) return std::nullopt;
      auto& target = argument == "--stored" ? options.storedFile : options.writeBackFile;
      target = std::string(arguments[++i]);
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

}  // namespace

int RunLayoutSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err) {
  const std::optional<LayoutOptions> options = ParseOptions(arguments);
  if (!options) {
    err << "usage: vimaru-tool " << kLayoutUsage << '\n';
    return kExitUsage;
  }
  HostFileSystem files;
  if (options->storedFile && !StoreLayoutCopyFrom(*options->storedFile, err)) return kExitFailure;

  framework::StandaloneTabContextC context(ToProductLocation(options->location));
  const bool result = context.Create() != nullptr;
  JsonWriter json(out);
  WriteLayoutJson(json, result, context.ToolBand());

  if (options->writeBackFile) {
    // What the stored copy would hold: the kept document as the loader (or,
    // for a first copy, the layout dialog) writes it.
    const framework::ToolBandC* toolband = context.ToolBand();
    std::optional<std::string> bytes;
    if (toolband != nullptr && toolband->LayoutDocument() != nullptr) {
      bytes = toolband->LayoutDocument()->Save();
    }
    std::ofstream file(*options->writeBackFile, std::ios::binary | std::ios::trunc);
    if (!bytes || !file.write(bytes->data(), static_cast<std::streamsize>(bytes->size()))) {
      err << "nothing written to " << *options->writeBackFile << '\n';
      return kExitFailure;
    }
  }
  return 0;
}

}  // namespace tools
