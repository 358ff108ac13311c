// LoadLibrary/GetProcAddress/FreeLibrary over the host's dynamic loader.
// The file is found through the mapped file system, so a plug-in is only
// ever loaded from a path the product could have named on Windows.
#include "platform/plugin/LoadedModule.h"

#include <dlfcn.h>
#include <link.h>

#include <cstring>
#include <utility>

#include "platform/files/FileSystem.h"
#include "platform/files/WindowsPath.h"
#include "platform/plugin/ModuleLoader.h"

namespace platform {
namespace {

// dlsym also searches the libraries a module depends on, so asking a
// plug-in for "malloc" would find the C library's. GetProcAddress only sees
// the module's own exports; checking which file the symbol lives in keeps
// that rule, so a plug-in cannot appear to export what a dependency does.
bool DefinedInModule(void* handle, void* symbol) {
  link_map* map = nullptr;
  if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr) return false;
  Dl_info info{};
  if (dladdr(symbol, &info) == 0 || info.dli_fname == nullptr || map->l_name == nullptr)
    return false;
  return std::strcmp(info.dli_fname, map->l_name) == 0;
}

std::optional<std::string> LoadableHostPath(std::string_view windowsPath) {
  const auto canonical = NormalizeWindowsPath(windowsPath);
  if (!canonical || !PathExists(*canonical) || IsDirectory(*canonical)) return std::nullopt;
  return ToHostPath(*canonical);
}

}  // namespace

std::optional<LoadedModule> LoadedModule::Load(std::string_view windowsPath) {
  const auto hostPath = LoadableHostPath(windowsPath);
  if (!hostPath) return std::nullopt;
  std::string path = *NormalizeWindowsPath(windowsPath);
  // The module's static data is initialised inside dlopen and registers its
  // entry point there; the attach follows under the same lock.
  plugin_detail::LoaderLock lock;
  void* handle = dlopen(hostPath->c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    dlerror();  // Clears the loader's message so it cannot be mistaken for a later failure's.
    return std::nullopt;
  }
  const HINSTANCE instance = plugin_detail::ModuleBase(handle);
  if (!plugin_detail::CountLoad(instance, path)) {
    dlclose(handle);
    return std::nullopt;
  }
  return LoadedModule(handle, instance, std::move(path));
}

void* LoadedModule::GetProcAddress(std::string_view exportName) const {
  if (handle_ == nullptr || exportName.empty()) return nullptr;
  const std::string name{exportName};
  if (name.size() != std::strlen(name.c_str())) return nullptr;
  void* symbol = dlsym(handle_, name.c_str());
  if (symbol == nullptr || !DefinedInModule(handle_, symbol)) return nullptr;
  return symbol;
}

void LoadedModule::Free() {
  if (handle_ == nullptr) return;
  plugin_detail::LoaderLock lock;
  plugin_detail::CountFree(std::exchange(instance_, nullptr));
  dlclose(std::exchange(handle_, nullptr));
}

bool IsModuleLoaded(std::string_view windowsPath) {
  const auto hostPath = LoadableHostPath(windowsPath);
  if (!hostPath) return false;
  // RTLD_NOLOAD answers without loading, but counts a reference when the
  // module is there, which is given back at once.
  void* handle = dlopen(hostPath->c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle == nullptr) return false;
  dlclose(handle);
  return true;
}

}  // namespace platform
