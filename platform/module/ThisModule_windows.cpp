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

}  // namespace platform
#endif
