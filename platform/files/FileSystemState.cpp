// Process facts of the file system: the root and the paths Windows would
// report for this process.
#include "platform/files/FileSystemState.h"

#include <mutex>

#include "platform/files/FileSystem.h"
#include "platform/files/WindowsPath.h"

namespace platform {
namespace files_detail {
namespace {

std::mutex& StateMutex() {
  static std::mutex mutex;
  return mutex;
}

FileSystemState& State() {
  static FileSystemState state;
  return state;
}

}  // namespace

FileSystemState LoadState() {
  std::lock_guard lock(StateMutex());
  return State();
}

void StoreState(FileSystemState state) {
  std::lock_guard lock(StateMutex());
  State() = std::move(state);
}

void UpdateState(const std::function<void(FileSystemState&)>& update) {
  std::lock_guard lock(StateMutex());
  update(State());
}

}  // namespace files_detail

using files_detail::UpdateState;

namespace {

// Paths are stored canonical when they are paths at all; a caller that sets
// something odd gets it back unchanged rather than silently dropped.
std::string Canonical(std::string_view path) {
  auto normalized = NormalizeWindowsPath(path);
  return normalized ? *normalized : std::string{path};
}

}  // namespace

std::string GetHostExecutablePath() { return files_detail::LoadState().hostExecutablePath; }

void SetHostExecutablePath(std::string_view windowsPath) {
  UpdateState([&](files_detail::FileSystemState& state) {
    state.hostExecutablePath = Canonical(windowsPath);
  });
}

std::string TempDirectoryPath() { return files_detail::LoadState().tempPath; }

void SetTempDirectoryPath(std::string_view windowsPath) {
  std::string path = Canonical(windowsPath);
  if (path.empty() || path.back() != '\\') path.push_back('\\');
  UpdateState([&](files_detail::FileSystemState& state) { state.tempPath = std::move(path); });
}

void SetFileSystemRoot(std::string_view hostDirectory) {
  UpdateState(
      [&](files_detail::FileSystemState& state) { state.hostRoot = std::string{hostDirectory}; });
}

}  // namespace platform
