#include "server/ClassObjects.h"

#include <mutex>
#include <vector>

#include "server/ClassTable.h"

namespace server {
namespace {

struct Factories {
  std::mutex mutex;                                   // guards made
  std::vector<platform::ComPtr<IClassFactory>> made;  // one slot per class, in table order
};

Factories& TheFactories() {
  static Factories factories;
  return factories;
}

}  // namespace

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  const auto classes = ServerClasses();
  for (std::size_t index = 0; index < classes.size(); ++index) {
    if (classes[index].clsid != clsid) continue;
    platform::ComPtr<IClassFactory> factory;
    {
      Factories& factories = TheFactories();
      std::lock_guard lock(factories.mutex);
      factories.made.resize(classes.size());
      if (!factories.made[index]) factories.made[index] = classes[index].createFactory();
      factory = factories.made[index];
    }
    return factory->QueryInterface(iid, object);
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

void ReleaseClassObjects() {
  std::vector<platform::ComPtr<IClassFactory>> released;
  Factories& factories = TheFactories();
  std::lock_guard lock(factories.mutex);
  released.swap(factories.made);
}

}  // namespace server
