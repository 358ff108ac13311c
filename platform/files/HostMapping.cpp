// Maps canonical Windows paths onto the host directory tree. The canonical
// form has no "." or ".." components, so appending its components to the
// drive's directory can never leave it.
#include "platform/files/HostMapping.h"

#include <system_error>

#include "platform/files/FileSystemState.h"
#include "platform/files/WindowsPath.h"
#include "platform/text/CodePage.h"

namespace platform::files_detail {
namespace {

namespace fs = std::filesystem;

// The name on disk of `component` inside `directory`: the exact name when it
// exists, otherwise the first case-insensitive match, otherwise the
// component itself (a name about to be created).
std::string SpellingOnDisk(const fs::path& directory, const std::string& component) {
  std::error_code error;
  if (fs::exists(fs::symlink_status(directory / component, error))) return component;
  const std::string wanted = AnsiToLower(component);
  fs::directory_iterator entries(directory, error);
  if (error) return component;
  for (const auto& entry : entries) {
    std::string name = entry.path().filename().string();
    if (AnsiToLower(name) == wanted) return name;
  }
  return component;
}

}  // namespace

std::optional<MappedPath> MapPath(std::string_view windowsPath) {
  const auto canonical = NormalizeWindowsPath(windowsPath);
  if (!canonical) return std::nullopt;
  const auto state = LoadState();
  if (!state.hostRoot) return std::nullopt;

  MappedPath mapped;
  mapped.host = fs::path(*state.hostRoot) / std::string(1, AnsiToLower((*canonical)[0]));
  mapped.windows = canonical->substr(0, 3);
  std::size_t pos = 3;
  while (pos < canonical->size()) {
    std::size_t end = canonical->find('\\', pos);
    if (end == std::string::npos) end = canonical->size();
    const std::string spelled = SpellingOnDisk(mapped.host, canonical->substr(pos, end - pos));
    mapped.host /= spelled;
    if (mapped.windows.size() > 3) mapped.windows.push_back('\\');
    mapped.windows += spelled;
    pos = end + 1;
  }
  return mapped;
}

}  // namespace platform::files_detail
