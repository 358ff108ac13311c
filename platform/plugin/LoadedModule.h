// Plug-in modules: code libraries named by mapped Windows paths, loaded and
// unloaded the way LoadLibrary/FreeLibrary do it, with exported functions
// found by name as GetProcAddress finds them. A module's entry point runs
// on its first load and its last free (ModuleEntryPoint.h).
//
// The toolbar looks for plug-ins beside its own module (FindModuleFiles
// with "*.dll"), loads each, and keeps those that export the entry it wants.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/module/ModuleLocal.h"
#include "platform/ui/WinTypes.h"

namespace platform {

// An owned module handle: the library stays loaded while this object lives
// (and while any other LoadedModule for the same file does; loads are
// counted, as on Windows). Move-only.
class LoadedModule {
 public:
  // LoadLibrary: nullopt when the path maps to no file or the file is not a
  // loadable library.
  static std::optional<LoadedModule> Load(std::string_view windowsPath);

  ~LoadedModule();
  LoadedModule(LoadedModule&& other) noexcept;
  LoadedModule& operator=(LoadedModule&& other) noexcept;
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  // GetProcAddress: the exported symbol's address, or nullptr.
  void* GetProcAddress(std::string_view exportName) const;

  // The same, typed as the caller's function type:
  //   auto* create = module.GetProc<CreateCommandSetFunction>("CreateCommandSet");
  template <typename Function>
  Function* GetProc(std::string_view exportName) const {
    return reinterpret_cast<Function*>(GetProcAddress(exportName));
  }

  // The canonical Windows path the module was loaded from.
  const std::string& Path() const { return path_; }

  // The module's HINSTANCE, as its DllMain and GetModuleFileNameW know it.
  HINSTANCE Instance() const { return instance_; }

  // FreeLibrary now rather than at destruction.
  void Free();

 private:
  LoadedModule(void* handle, HINSTANCE instance, std::string path);

  void* handle_;
  HINSTANCE instance_;
  std::string path_;
};

// GetModuleHandle(path) != NULL: some LoadedModule currently holds the file.
bool IsModuleLoaded(std::string_view windowsPath);

// Full Windows paths of the files in the calling module's directory
// (GetModuleDirectory()) matching `wildcard` (e.g. "*.dll"), in FindFiles
// order; directories are left out. Defined by the module's own part
// (platform/module).
VIMARU_MODULE_LOCAL std::vector<std::string> FindModuleFiles(std::string_view wildcard);

}  // namespace platform
