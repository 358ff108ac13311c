// Plug-in modules on Windows: LoadLibrary, GetProcAddress and FreeLibrary as
// they are. The loader runs each module's DllMain itself.
#ifdef _WIN32
#include <windows.h>

#include <utility>

#include "platform/plugin/LoadedModule.h"
#include "platform/text/CodePage.h"
#include "platform/text/WideChars.h"

namespace platform {

std::optional<LoadedModule> LoadedModule::Load(std::string_view windowsPath) {
  const std::u16string path = AnsiToWide(windowsPath);
  HMODULE module = LoadLibraryExW(AsWchar(path), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module == nullptr) return std::nullopt;
  return LoadedModule(module, module, std::string(windowsPath));
}

void* LoadedModule::GetProcAddress(std::string_view exportName) const {
  if (handle_ == nullptr) return nullptr;
  const std::string name(exportName);
  return reinterpret_cast<void*>(::GetProcAddress(static_cast<HMODULE>(handle_), name.c_str()));
}

void LoadedModule::Free() {
  if (HMODULE module = static_cast<HMODULE>(std::exchange(handle_, nullptr))) FreeLibrary(module);
  instance_ = nullptr;
}

bool IsModuleLoaded(std::string_view windowsPath) {
  return GetModuleHandleW(AsWchar(AnsiToWide(windowsPath))) != nullptr;
}

}  // namespace platform
#endif
