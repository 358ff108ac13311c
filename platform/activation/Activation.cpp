#include "platform/activation/Activation.h"

#include <memory>
#include <string>

#include "platform/activation/ClassObjectTable.h"
#include "platform/activation/InprocServerCache.h"
#include "platform/activation/SystemClasses.h"
#include "platform/com/ComInit.h"
#include "platform/registry/RegistryKey.h"

namespace {

// The module path registered for `clsid`, or nothing when the class is not
// registered as an in-process server.
std::string RegisteredModulePath(REFCLSID clsid) {
  platform::RegistryKey key;
  const std::string subKey = "CLSID\\" + platform::FormatGuid(clsid) + "\\InprocServer32";
  if (key.Open(HKEY_CLASSES_ROOT, subKey, KEY_QUERY_VALUE) != ERROR_SUCCESS) return {};
  std::string path;
  if (key.QueryStringValue("", path) != ERROR_SUCCESS) return {};
  return path;
}

}  // namespace

HRESULT CoGetClassObject(REFCLSID clsid, DWORD context, void* /*serverInfo*/, REFIID iid,
                         void** object) {
  if (object == nullptr) return E_INVALIDARG;
  *object = nullptr;
  if (platform::ComInitCount() == 0) return CO_E_NOTINITIALIZED;
  if (const auto registered =
          platform::activation_detail::FindRegisteredClassObject(clsid, context)) {
    return registered->QueryInterface(iid, object);
  }
  if ((context & CLSCTX_INPROC_SERVER) == 0) return REGDB_E_CLASSNOTREG;
  if (const auto system = platform::activation_detail::FindSystemClassObject(clsid)) {
    return system->QueryInterface(iid, object);
  }
  const std::string modulePath = RegisteredModulePath(clsid);
  if (modulePath.empty()) return REGDB_E_CLASSNOTREG;
  std::shared_ptr<platform::activation_detail::InprocServer> server;
  const HRESULT acquired = platform::activation_detail::AcquireInprocServer(modulePath, &server);
  if (FAILED(acquired)) return acquired;
  const HRESULT got = server->getClassObject(clsid, iid, object);
  if (FAILED(got)) *object = nullptr;
  return got;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid,
                         void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  // Aggregation hands back the inner object's IUnknown only.
  if (outer != nullptr && iid != IID_IUnknown) return E_INVALIDARG;
  platform::ComPtr<IClassFactory> factory;
  const HRESULT got = CoGetClassObject(clsid, context, nullptr, IID_IClassFactory,
                                       factory.ReleaseAndGetVoidAddressOf());
  if (FAILED(got)) return got;
  const HRESULT created = factory->CreateInstance(outer, iid, object);
  if (FAILED(created)) *object = nullptr;
  return created;
}

void CoFreeUnusedLibraries() { platform::activation_detail::FreeUnusedInprocServers(); }

namespace platform {

bool IsInprocServerCached(std::string_view windowsPath) {
  return activation_detail::IsCached(windowsPath);
}

}  // namespace platform
