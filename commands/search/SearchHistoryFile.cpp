#include "commands/search/SearchHistoryFile.h"

#include <optional>

#include "platform/files/FileSystem.h"
#include "platform/ui/WinTypes.h"
#include "session/settings/ProductSettings.h"

namespace commands {
namespace {

// A line read as text: its CR LF (or a lone LF) removed.
std::vector<std::string> NonEmptyLines(std::string_view bytes) {
  std::vector<std::string> lines;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    if (end != std::string_view::npos && !line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    if (!line.empty()) lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    bytes.remove_prefix(end + 1);
  }
  return lines;
}

// Tabs of different threads save at once: each writes a file of its own
// before the rename, so no two writers ever share a half-written file.
std::string TemporaryPathBeside(std::string_view path) {
  const std::size_t directoryEnd = path.rfind('\\');
  const std::string_view directory = directoryEnd == std::string_view::npos
                                         ? std::string_view()
                                         : path.substr(0, directoryEnd + 1);
  return std::string(directory) + "~search_archive." + std::to_string(GetCurrentThreadId()) +
         ".tmp";
}

}  // namespace

std::string SearchHistoryPath() {
  return session::ReadInstallDirectory() + "\\" + kSearchHistoryFileName;
}

std::vector<std::string> LoadSearchHistory(std::string_view path) {
  const std::optional<std::string> bytes = platform::ReadWholeFile(path);
  if (!bytes) {
    (void)platform::WriteWholeFile(path, "");
    return {};
  }
  return NonEmptyLines(*bytes);
}

bool SaveSearchHistory(std::string_view path, const std::vector<std::string>& entries) {
  std::string bytes;
  for (const std::string& entry : entries) {
    if (entry.empty()) continue;
    bytes += entry;
    bytes += "\r\n";
  }
  const std::string temporary = TemporaryPathBeside(path);
  if (platform::WriteWholeFile(temporary, bytes) && platform::MovePathReplacing(temporary, path)) {
    return true;
  }
  (void)platform::RemoveFile(temporary);
  return false;
}

}  // namespace commands
