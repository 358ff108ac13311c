#include "platform/plugin/ModuleLoader.h"

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <map>
#include <mutex>

#include "platform/files/FileSystem.h"
#include "platform/text/CodePage.h"

namespace platform::plugin_detail {
namespace {

struct LoadedFile {
  std::string windowsPath;
  int loads = 0;
};

struct Loader {
  std::recursive_mutex lock;  // the loader lock; guards files and entries
  std::map<HINSTANCE, LoadedFile> files;
  std::map<HINSTANCE, ModuleEntryPoint*> entries;
};

// Never destroyed: modules still loaded at exit unregister from their own
// static destructors, which may run after this library's.
Loader& TheLoader() {
  static Loader* const loader = new Loader;
  return *loader;
}

ModuleEntryPoint* EntryOf(Loader& loader, HINSTANCE module) {
  const auto found = loader.entries.find(module);
  return found == loader.entries.end() ? nullptr : found->second;
}

}  // namespace

HINSTANCE ModuleBase(void* dlopenHandle) {
  link_map* map = nullptr;
  if (dlinfo(dlopenHandle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) return nullptr;
  // Any address inside the module names it; its dynamic section is one.
  Dl_info info{};
  if (dladdr(map->l_ld, &info) == 0) return nullptr;
  return static_cast<HINSTANCE>(info.dli_fbase);
}

bool CountLoad(HINSTANCE module, const std::string& windowsPath) {
  Loader& loader = TheLoader();
  std::lock_guard lock(loader.lock);
  LoadedFile& file = loader.files[module];
  if (file.loads++ > 0) return true;
  file.windowsPath = windowsPath;
  ModuleEntryPoint* const entry = EntryOf(loader, module);
  if (entry == nullptr || entry(module, DLL_PROCESS_ATTACH, nullptr)) return true;
  // As on Windows, a module that refuses its attach is detached at once.
  entry(module, DLL_PROCESS_DETACH, nullptr);
  loader.files.erase(module);
  return false;
}

void CountFree(HINSTANCE module) {
  Loader& loader = TheLoader();
  std::lock_guard lock(loader.lock);
  const auto found = loader.files.find(module);
  if (found == loader.files.end() || --found->second.loads > 0) return;
  if (ModuleEntryPoint* const entry = EntryOf(loader, module)) {
    entry(module, DLL_PROCESS_DETACH, nullptr);
  }
  loader.files.erase(found);
}

LoaderLock::LoaderLock() { TheLoader().lock.lock(); }
LoaderLock::~LoaderLock() { TheLoader().lock.unlock(); }

}  // namespace platform::plugin_detail

namespace platform {

void RegisterModuleEntryPoint(HINSTANCE module, ModuleEntryPoint* entry) {
  plugin_detail::Loader& loader = plugin_detail::TheLoader();
  std::lock_guard lock(loader.lock);
  loader.entries[module] = entry;
}

void UnregisterModuleEntryPoint(HINSTANCE module) {
  plugin_detail::Loader& loader = plugin_detail::TheLoader();
  std::lock_guard lock(loader.lock);
  loader.entries.erase(module);
}

}  // namespace platform

DWORD WINAPI GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
  std::string path;
  if (module == nullptr) {
    path = platform::GetHostExecutablePath();
  } else {
    platform::plugin_detail::Loader& loader = platform::plugin_detail::TheLoader();
    std::lock_guard lock(loader.lock);
    const auto found = loader.files.find(module);
    if (found == loader.files.end()) {
      SetLastError(ERROR_MOD_NOT_FOUND);
      return 0;
    }
    path = found->second.windowsPath;
  }
  const std::u16string wide = platform::AnsiToWide(path);
  if (fileName == nullptr || size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  if (wide.size() >= size) {
    std::copy_n(wide.begin(), size - 1, fileName);
    fileName[size - 1] = u'\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::copy(wide.begin(), wide.end(), fileName);
  fileName[wide.size()] = u'\0';
  return static_cast<DWORD>(wide.size());
}
