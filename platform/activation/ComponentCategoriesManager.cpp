#include <algorithm>
#include <iterator>
#include <string>

#include "platform/activation/ComponentCategories.h"
#include "platform/activation/SystemClasses.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComObject.h"
#include "platform/registry/RegistryKey.h"
#include "platform/text/CodePage.h"
#include "platform/trace/Contain.h"

namespace platform::activation_detail {
namespace {

constexpr std::string_view kImplemented = "Implemented Categories";
constexpr std::string_view kRequired = "Required Categories";

bool IsMissing(LSTATUS status) { return status == ERROR_FILE_NOT_FOUND; }

std::string ClassCategoriesKey(REFCLSID clsid, std::string_view list) {
  return "CLSID\\" + FormatGuid(clsid) + "\\" + std::string(list);
}

HRESULT AddClassCategories(REFCLSID clsid, std::string_view list, ULONG count, const CATID ids[]) {
  if (count > 0 && ids == nullptr) return E_INVALIDARG;
  const std::string listKey = ClassCategoriesKey(clsid, list);
  for (ULONG i = 0; i < count; ++i) {
    RegistryKey key;
    const LSTATUS status =
        key.Create(HKEY_CLASSES_ROOT, listKey + "\\" + FormatGuid(ids[i]), KEY_READ | KEY_WRITE);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
  }
  return S_OK;
}

HRESULT RemoveClassCategories(REFCLSID clsid, std::string_view list, ULONG count,
                              const CATID ids[]) {
  if (count > 0 && ids == nullptr) return E_INVALIDARG;
  const std::string listKey = ClassCategoriesKey(clsid, list);
  for (ULONG i = 0; i < count; ++i) {
    const LSTATUS status =
        DeleteRegistryTree(HKEY_CLASSES_ROOT, listKey + "\\" + FormatGuid(ids[i]));
    if (status != ERROR_SUCCESS && !IsMissing(status)) return HRESULT_FROM_WIN32(status);
  }
  RegistryKey key;
  if (key.Open(HKEY_CLASSES_ROOT, listKey) != ERROR_SUCCESS) return S_OK;
  std::string name;
  if (key.EnumKey(0, name) == ERROR_SUCCESS) return S_OK;
  key.Close();
  const LSTATUS status = DeleteRegistryTree(HKEY_CLASSES_ROOT, listKey);
  return status == ERROR_SUCCESS || IsMissing(status) ? S_OK : HRESULT_FROM_WIN32(status);
}

std::string HexLocale(LCID lcid) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[lcid % 16]);
    lcid /= 16;
  } while (lcid != 0);
  return text;
}

class ComponentCategoriesManager final : public ComObject<ICatRegister> {
 public:
  HRESULT STDMETHODCALLTYPE RegisterCategories(ULONG count, CATEGORYINFO infos[]) override {
    if (count > 0 && infos == nullptr) return E_INVALIDARG;
    return Contain("ComponentCategoriesManager::RegisterCategories", E_FAIL, E_OUTOFMEMORY, [&] {
      for (ULONG i = 0; i < count; ++i) {
        const CATEGORYINFO& info = infos[i];
        // The description need not be terminated within its buffer.
        const OLECHAR* const end =
            std::find(std::begin(info.szDescription), std::end(info.szDescription), u'\0');
        const std::u16string_view description(info.szDescription,
                                              static_cast<std::size_t>(end - info.szDescription));
        RegistryKey key;
        LSTATUS status = key.Create(HKEY_CLASSES_ROOT,
                                    "Component Categories\\" + FormatGuid(info.catid), KEY_WRITE);
        if (status == ERROR_SUCCESS) {
          status = key.SetStringValue(HexLocale(info.lcid), WideToAnsi(description));
        }
        if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
      }
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE UnRegisterCategories(ULONG count, CATID ids[]) override {
    if (count > 0 && ids == nullptr) return E_INVALIDARG;
    return Contain("ComponentCategoriesManager::UnRegisterCategories", E_FAIL, E_OUTOFMEMORY, [&] {
      for (ULONG i = 0; i < count; ++i) {
        const LSTATUS status =
            DeleteRegistryTree(HKEY_CLASSES_ROOT, "Component Categories\\" + FormatGuid(ids[i]));
        if (status != ERROR_SUCCESS && !IsMissing(status)) return HRESULT_FROM_WIN32(status);
      }
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE RegisterClassImplCategories(REFCLSID clsid, ULONG count,
                                                        CATID ids[]) override {
    return Contain("ComponentCategoriesManager::RegisterClassImplCategories", E_FAIL, E_OUTOFMEMORY,
                   [&] { return AddClassCategories(clsid, kImplemented, count, ids); });
  }
  HRESULT STDMETHODCALLTYPE UnRegisterClassImplCategories(REFCLSID clsid, ULONG count,
                                                          CATID ids[]) override {
    return Contain("ComponentCategoriesManager::UnRegisterClassImplCategories", E_FAIL,
                   E_OUTOFMEMORY,
                   [&] { return RemoveClassCategories(clsid, kImplemented, count, ids); });
  }
  HRESULT STDMETHODCALLTYPE RegisterClassReqCategories(REFCLSID clsid, ULONG count,
                                                       CATID ids[]) override {
    return Contain("ComponentCategoriesManager::RegisterClassReqCategories", E_FAIL, E_OUTOFMEMORY,
                   [&] { return AddClassCategories(clsid, kRequired, count, ids); });
  }
  HRESULT STDMETHODCALLTYPE UnRegisterClassReqCategories(REFCLSID clsid, ULONG count,
                                                         CATID ids[]) override {
    return Contain("ComponentCategoriesManager::UnRegisterClassReqCategories", E_FAIL,
                   E_OUTOFMEMORY,
                   [&] { return RemoveClassCategories(clsid, kRequired, count, ids); });
  }
};

}  // namespace

ComPtr<IUnknown> FindSystemClassObject(REFCLSID clsid) {
  if (clsid != CLSID_StdComponentCategoriesMgr) return nullptr;
  // One class object for the process, as the system's module keeps one.
  static ComPtr<IUnknown> manager = Make<ClassFactory<ComponentCategoriesManager>>();
  return manager;
}

}  // namespace platform::activation_detail
