// Loads arbitrary bytes as the search history file, which anyone who can
// write to the install directory controls. Whatever loads must save and load
// back to the same entries, so the history never gains, loses or splits an
// entry across a browser session.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "commands/search/SearchHistoryFile.h"
#include "platform/files/FileSystem.h"

namespace {

constexpr char kHistoryPath[] = "C:\\History\\search_archive.txt";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const platform::ScopedFileSystemRoot root;
  static const bool directoryMade = platform::MakeDirectories("C:\\History");
  if (!directoryMade) std::abort();
  if (!platform::WriteWholeFile(kHistoryPath,
                                std::string_view(reinterpret_cast<const char*>(data), size))) {
    std::abort();
  }
  const std::vector<std::string> entries = commands::LoadSearchHistory(kHistoryPath);
  for (const std::string& entry : entries) {
    if (entry.empty() || entry.find('\n') != std::string::npos) std::abort();
  }
  if (!commands::SaveSearchHistory(kHistoryPath, entries)) std::abort();
  if (commands::LoadSearchHistory(kHistoryPath) != entries) std::abort();
  return 0;
}
