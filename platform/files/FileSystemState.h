// Internal to platform/files: the process-wide state behind FileSystem.h,
// kept behind one mutex and handed out as copies so no caller holds the
// lock while it touches the disk.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace platform::files_detail {

inline constexpr const char* kDefaultHostExecutablePath =
    "C:\\Program Files\\Internet Explorer\\iexplore.exe";
inline constexpr const char* kDefaultTempPath = "C:\\Users\\User\\AppData\\Local\\Temp\\";

struct FileSystemState {
  std::optional<std::string> hostRoot;
  std::string hostExecutablePath = kDefaultHostExecutablePath;
  std::string tempPath = kDefaultTempPath;
};

FileSystemState LoadState();
void StoreState(FileSystemState state);
// Read-modify-write under the lock, so concurrent setters do not lose
// each other's changes.
void UpdateState(const std::function<void(FileSystemState&)>& update);

}  // namespace platform::files_detail
