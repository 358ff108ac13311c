#include "server/registration/CategoryRegistration.h"

#include "platform/activation/Activation.h"
#include "platform/activation/ComponentCategories.h"
#include "platform/browser/ShellInterfaces.h"
#include "platform/com/ComPtr.h"
#include "session/band/SidebarClass.h"

namespace server {
namespace {

HRESULT CategoryRegistrar(platform::ComPtr<ICatRegister>& categories) {
  return CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                          IID_PPV_ARGS(categories.ReleaseAndGetAddressOf()));
}

}  // namespace

HRESULT RegisterSidebarCategory() {
  platform::ComPtr<ICatRegister> categories;
  if (const HRESULT hr = CategoryRegistrar(categories); FAILED(hr)) return hr;
  CATID implemented[] = {CATID_InfoBand};
  return categories->RegisterClassImplCategories(session::CLSID_CmyIESideBar, 1, implemented);
}

HRESULT UnregisterSidebarCategory() {
  platform::ComPtr<ICatRegister> categories;
  if (const HRESULT hr = CategoryRegistrar(categories); FAILED(hr)) return hr;
  CATID implemented[] = {CATID_InfoBand};
  return categories->UnRegisterClassImplCategories(session::CLSID_CmyIESideBar, 1, implemented);
}

}  // namespace server
