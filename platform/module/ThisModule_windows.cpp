// The module's own handle and path on Windows: the handle is the image this
// code is part of, whichever process loaded it; the path is what the module
// learnt at attach (GetModuleFileName), as the product reads it everywhere.
#ifdef _WIN32
#include <windows.h>

#include <mutex>

#include "platform/files/FileSystem.h"
#include "platform/module/ThisModule.h"

namespace platform {
namespace {

struct RecordedPath {
  std::mutex mutex;  // guards path
  std::string path = kInstalledModulePath;
};

RecordedPath& ThePath() {
  static RecordedPath recorded;
  return recorded;
}

std::string ParentOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

HINSTANCE ThisModule() {
  static const HINSTANCE handle = [] {
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return static_cast<HINSTANCE>(module);
  }();
  return handle;
}

std::string ModuleFilePath() {
  RecordedPath& recorded = ThePath();
  std::lock_guard lock(recorded.mutex);
  return recorded.path;
}

void SetModuleFilePath(std::string_view windowsPath) {
  RecordedPath& recorded = ThePath();
  std::lock_guard lock(recorded.mutex);
  recorded.path = std::string(windowsPath);
}

std::string GetModuleDirectory() {
  const std::string directory = ParentOf(ModuleFilePath());
  // The product appends "\*.dll" to this, so a drive root loses its slash.
  if (directory.size() == 3 && directory[2] == '\\') return directory.substr(0, 2);
  return directory;
}

ScopedModuleFilePath::ScopedModuleFilePath(std::string_view windowsPath)
    : previous_(ModuleFilePath()) {
  SetModuleFilePath(windowsPath);
}

ScopedModuleFilePath::~ScopedModuleFilePath() { SetModuleFilePath(previous_); }

}  // namespace platform
#endif
