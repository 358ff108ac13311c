#include "platform/module/ThisModule.h"

#include <dlfcn.h>

#include <mutex>

#include "platform/files/FileSystem.h"
#include "platform/files/WindowsPath.h"
#include "platform/resources/ModuleResources.h"

namespace platform {
namespace {

struct RecordedPath {
  std::mutex mutex;  // guards path
  std::string path = kInstalledModulePath;
};

// An object, not a pointer never freed: a module may be unloaded and loaded
// again in one process.
RecordedPath& ThePath() {
  static RecordedPath recorded;
  return recorded;
}

}  // namespace

HINSTANCE ThisModule() {
  static const HINSTANCE handle = [] {
    Dl_info info{};
    dladdr(reinterpret_cast<const void*>(&ThisModule), &info);
    return static_cast<HINSTANCE>(info.dli_fbase);
  }();
  return handle;
}

std::string ModuleFilePath() {
  RecordedPath& recorded = ThePath();
  std::lock_guard lock(recorded.mutex);
  return recorded.path;
}

void SetModuleFilePath(std::string_view windowsPath) {
  const auto canonical = NormalizeWindowsPath(windowsPath);
  std::string path = canonical ? *canonical : std::string(windowsPath);
  // The system resolves "res://<path>/..." to the module that goes by that
  // path.
  NameResourceModule(ThisModule(), path);
  RecordedPath& recorded = ThePath();
  std::lock_guard lock(recorded.mutex);
  recorded.path = std::move(path);
}

}  // namespace platform
