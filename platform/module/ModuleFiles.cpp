// Plug-ins are looked for beside the calling module's own file.
#include "platform/files/FileSystem.h"
#include "platform/plugin/LoadedModule.h"

namespace platform {

std::vector<std::string> FindModuleFiles(std::string_view wildcard) {
  const std::string directory = GetModuleDirectory();
  std::vector<std::string> paths;
  for (const auto& found : FindFiles(directory + "\\" + std::string{wildcard})) {
    if (!found.isDirectory) paths.push_back(directory + "\\" + found.fileName);
  }
  return paths;
}

}  // namespace platform
