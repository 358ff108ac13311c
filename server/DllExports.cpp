// The four entry points the module exports (VimaruIEToolbar.map lists them;
// nothing else is visible).
#include "platform/com/Unknown.h"
#include "platform/module/ModuleLifetime.h"
#include "platform/trace/Contain.h"
#include "server/ClassObjects.h"
#include "server/ModuleState.h"
#include "server/registration/ServerRegistration.h"

STDAPI DllCanUnloadNow() { return platform::ModuleLifetime::CanUnload() ? S_OK : S_FALSE; }

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  return platform::Contain("DllGetClassObject", E_UNEXPECTED, E_OUTOFMEMORY,
                           [&] { return server::GetClassObject(clsid, iid, object); });
}

STDAPI DllRegisterServer() {
  return platform::Contain("DllRegisterServer", E_UNEXPECTED, E_OUTOFMEMORY, [] {
    return server::RegisterServer(server::ModuleInstance(), server::ModulePath());
  });
}

STDAPI DllUnregisterServer() {
  return platform::Contain("DllUnregisterServer", E_UNEXPECTED, E_OUTOFMEMORY, [] {
    return server::UnregisterServer(server::ModuleInstance(), server::ModulePath());
  });
}
