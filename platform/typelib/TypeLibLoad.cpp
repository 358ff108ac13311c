#include <charconv>
#include <optional>
#include <string>

#include "platform/files/FileSystem.h"
#include "platform/files/WindowsPath.h"
#include "platform/registry/RegistryKey.h"
#include "platform/resources/ModuleResources.h"
#include "platform/text/CodePage.h"
#include "platform/trace/Contain.h"
#include "platform/typelib/MsftTypeLib.h"
#include "platform/typelib/TypeLib.h"
#include "platform/typelib/TypeLibLimits.h"
#include "platform/typelib/TypeLibObjects.h"
#include "platform/typelib/TypeLibRegistryKeys.h"

namespace {

constexpr int kFirstTypeLibResource = 1;

struct ModuleResource {
  HINSTANCE module;
  int id;
};

// The resource a path names when it is a loaded module's: the module itself
// (resource 1) or the module followed by "\N" (resource N).
std::optional<ModuleResource> ModuleResourceOf(std::string_view path) {
  if (const HINSTANCE module = platform::ResourceModuleNamed(path)) {
    return ModuleResource{module, kFirstTypeLibResource};
  }
  const std::size_t separator = path.rfind('\\');
  if (separator == std::string_view::npos) return std::nullopt;
  const std::string_view number = path.substr(separator + 1);
  int id = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), id);
  if (number.empty() || error != std::errc{} || end != number.data() + number.size() || id <= 0) {
    return std::nullopt;
  }
  const HINSTANCE module = platform::ResourceModuleNamed(path.substr(0, separator));
  if (module == nullptr) return std::nullopt;
  return ModuleResource{module, id};
}

std::optional<std::string> TypeLibBytes(std::string_view path) {
  if (const auto named = ModuleResourceOf(path)) {
    const auto resource = platform::FindResourceIn(named->module, "TYPELIB", named->id);
    if (!resource) return std::nullopt;
    return std::string(*resource);
  }
  const auto facts = platform::GetFileFacts(path);
  if (!facts || facts->size > platform::kMaxTypeLibBytes) return std::nullopt;
  return platform::ReadWholeFile(path);
}

}  // namespace

HRESULT LoadTypeLibEx(LPCOLESTR file, REGKIND kind, ITypeLib** library) {
  if (library == nullptr) return E_POINTER;
  *library = nullptr;
  if (file == nullptr) return E_INVALIDARG;
  return platform::Contain("LoadTypeLibEx", E_FAIL, E_OUTOFMEMORY, [&] {
    const std::u16string widePath(file);
    const auto bytes = TypeLibBytes(platform::WideToAnsi(widePath));
    if (!bytes) return TYPE_E_CANTLOADLIBRARY;
    auto read = platform::ReadMsftTypeLib(*bytes);
    if (!read) return TYPE_E_INVDATAREAD;
    platform::ComPtr<ITypeLib> loaded = platform::MakeTypeLibObject(std::move(*read));
    if (kind == REGKIND_REGISTER) {
      std::u16string path = widePath;
      if (const HRESULT hr = RegisterTypeLib(loaded.Get(), path.data(), nullptr); FAILED(hr)) {
        return hr;
      }
    }
    *library = loaded.Detach();
    return S_OK;
  });
}

HRESULT LoadTypeLib(LPCOLESTR file, ITypeLib** library) {
  return LoadTypeLibEx(file, REGKIND_DEFAULT, library);
}

HRESULT LoadRegTypeLib(REFGUID libid, WORD major, WORD minor, LCID lcid, ITypeLib** library) {
  if (library == nullptr) return E_POINTER;
  *library = nullptr;
  return platform::Contain("LoadRegTypeLib", E_FAIL, E_OUTOFMEMORY, [&] {
    using namespace platform::typelib_detail;
    const std::string version = VersionKey(libid, major, minor);
    for (const LCID locale : {lcid, LCID{0}}) {
      for (const SYSKIND syskind : {SYS_WIN32, SYS_WIN64}) {
        platform::RegistryKey key;
        std::string path;
        if (key.Open(HKEY_CLASSES_ROOT, version + "\\" + PathKey(locale, syskind),
                     KEY_QUERY_VALUE) != ERROR_SUCCESS ||
            key.QueryStringValue("", path) != ERROR_SUCCESS) {
          continue;
        }
        const std::u16string widePath = platform::AnsiToWide(path);
        return LoadTypeLibEx(widePath.c_str(), REGKIND_NONE, library);
      }
    }
    return TYPE_E_LIBNOTREGISTERED;
  });
}
