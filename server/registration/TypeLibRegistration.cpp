#include "server/registration/TypeLibRegistration.h"

#include "platform/automation/Bstr.h"
#include "platform/com/ComPtr.h"
#include "platform/text/WideChars.h"
#include "platform/typelib/TypeLib.h"

namespace server {
namespace {

HRESULT LoadModuleTypeLib(const std::u16string& modulePath, platform::ComPtr<ITypeLib>& library) {
  return LoadTypeLibEx(platform::AsWchar(modulePath), REGKIND_NONE,
                       library.ReleaseAndGetAddressOf());
}

// The help directory is the folder of the library's help file, as ATL
// registers it; a library without one registers without.
std::u16string HelpDirectory(ITypeLib* library) {
  BSTR helpFile = nullptr;
  if (FAILED(library->GetDocumentation(-1, nullptr, nullptr, nullptr, &helpFile))) return {};
  platform::Bstr owned;
  owned.Attach(helpFile);
  const std::u16string_view path = owned.View();
  const std::size_t separator = path.rfind(u'\\');
  return std::u16string(separator == std::u16string_view::npos ? std::u16string_view()
                                                               : path.substr(0, separator));
}

}  // namespace

HRESULT RegisterModuleTypeLib(const std::u16string& modulePath) {
  platform::ComPtr<ITypeLib> library;
  if (const HRESULT hr = LoadModuleTypeLib(modulePath, library); FAILED(hr)) return hr;
  std::u16string path = modulePath;
  std::u16string helpDirectory = HelpDirectory(library.Get());
  return RegisterTypeLib(library.Get(), platform::AsWchar(path.data()),
                         helpDirectory.empty() ? nullptr : platform::AsWchar(helpDirectory.data()));
}

HRESULT UnregisterModuleTypeLib(const std::u16string& modulePath) {
  platform::ComPtr<ITypeLib> library;
  if (const HRESULT hr = LoadModuleTypeLib(modulePath, library); FAILED(hr)) return hr;
  TLIBATTR* attributes = nullptr;
  if (const HRESULT hr = library->GetLibAttr(&attributes); FAILED(hr)) return hr;
  const TLIBATTR attr = *attributes;
  library->ReleaseTLibAttr(attributes);
  return UnRegisterTypeLib(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum, attr.lcid,
                           attr.syskind);
}

}  // namespace server
