// A real in-process server for the activation tests: one creatable class
// whose live instances keep the module loaded, and a greeting counter whose
// value shows whether the module was unloaded in between.
#include "platform/activation/testdata/TestServerClasses.h"
#include "platform/com/ClassFactory.h"
#include "platform/module/ModuleLifetime.h"

namespace {

int gGreetings = 0;

class Greeter final : public platform::ComObject<ITestGreeter>, platform::ModuleObject {
 public:
  int Greet() override { return ++gGreetings; }
};

}  // namespace

extern "C" __attribute__((visibility("default"))) HRESULT STDAPICALLTYPE
DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (clsid != CLSID_TestGreeter) return CLASS_E_CLASSNOTAVAILABLE;
  auto factory = platform::Make<platform::ClassFactory<Greeter>>();
  return factory->QueryInterface(iid, object);
}

extern "C" __attribute__((visibility("default"))) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return platform::ModuleLifetime::CanUnload() ? S_OK : S_FALSE;
}
