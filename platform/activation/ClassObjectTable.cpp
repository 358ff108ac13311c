#include "platform/activation/ClassObjectTable.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "platform/activation/Activation.h"

namespace platform::activation_detail {
namespace {

struct Registration {
  DWORD cookie;
  CLSID clsid{};
  DWORD context;
  ComPtr<IUnknown> classObject;
};

struct Table {
  std::mutex mutex;  // guards registrations and nextCookie
  std::vector<Registration> registrations;
  DWORD nextCookie = 1;
};

Table& TheTable() {
  static Table table;
  return table;
}

}  // namespace

ComPtr<IUnknown> FindRegisteredClassObject(REFCLSID clsid, DWORD context) {
  Table& table = TheTable();
  std::lock_guard lock(table.mutex);
  for (const Registration& registration : table.registrations) {
    if (registration.clsid == clsid && (registration.context & context) != 0) {
      return registration.classObject;
    }
  }
  return nullptr;
}

}  // namespace platform::activation_detail

using platform::activation_detail::TheTable;

HRESULT CoRegisterClassObject(REFCLSID clsid, IUnknown* classObject, DWORD context, DWORD /*flags*/,
                              DWORD* cookie) {
  if (cookie == nullptr) return E_POINTER;
  *cookie = 0;
  if (classObject == nullptr) return E_INVALIDARG;
  auto& table = TheTable();
  std::lock_guard lock(table.mutex);
  for (const auto& registration : table.registrations) {
    if (registration.clsid == clsid) return E_INVALIDARG;
  }
  *cookie = table.nextCookie++;
  table.registrations.push_back({*cookie, clsid, context, platform::ComPtr<IUnknown>(classObject)});
  return S_OK;
}

HRESULT CoRevokeClassObject(DWORD cookie) {
  platform::ComPtr<IUnknown> released;
  auto& table = TheTable();
  std::lock_guard lock(table.mutex);
  const auto found =
      std::find_if(table.registrations.begin(), table.registrations.end(),
                   [cookie](const auto& registration) { return registration.cookie == cookie; });
  if (found == table.registrations.end()) return CO_E_OBJNOTREG;
  released = std::move(found->classObject);
  table.registrations.erase(found);
  return S_OK;
}
