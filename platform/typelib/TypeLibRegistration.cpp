#include <optional>
#include <string>
#include <vector>

#include "platform/registry/RegistryKey.h"
#include "platform/text/CodePage.h"
#include "platform/trace/Contain.h"
#include "platform/typelib/TypeLib.h"
#include "platform/typelib/TypeLibRegistryKeys.h"

namespace {

using namespace platform::typelib_detail;

// The automation marshalers: PSOAInterface for dual and oleautomation
// interfaces, PSDispatch for pure dispatch interfaces.
constexpr GUID kOleAutomationMarshaler = platform::MakeGuid("00020424-0000-0000-C000-000000000046");
constexpr GUID kDispatchMarshaler = platform::MakeGuid("00020420-0000-0000-C000-000000000046");

struct RegistrableInterface {
  GUID iid{};
  std::string name;
  GUID marshaler{};
};

std::string Text(BSTR text) { return platform::WideToAnsi(platform::Bstr::Borrowed(text)); }

// The interfaces the automation marshaler can carry, as the library
// describes them.
std::optional<std::vector<RegistrableInterface>> RegistrableInterfaces(ITypeLib* library) {
  std::vector<RegistrableInterface> interfaces;
  const UINT count = library->GetTypeInfoCount();
  for (UINT index = 0; index < count; ++index) {
    platform::ComPtr<ITypeInfo> info;
    if (FAILED(library->GetTypeInfo(index, info.ReleaseAndGetAddressOf()))) return std::nullopt;
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes))) return std::nullopt;
    const TYPEKIND kind = attributes->typekind;
    const WORD flags = attributes->wTypeFlags;
    const GUID iid = attributes->guid;
    info->ReleaseTypeAttr(attributes);
    const bool automation = (flags & (TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION)) != 0;
    if (kind != TKIND_DISPATCH && !(kind == TKIND_INTERFACE && automation)) continue;
    platform::Bstr name;
    BSTR nameText = nullptr;
    if (FAILED(info->GetDocumentation(MEMBERID_NIL, &nameText, nullptr, nullptr, nullptr))) {
      return std::nullopt;
    }
    name.Attach(nameText);
    interfaces.push_back({iid, Text(name.Get()),
                          kind == TKIND_DISPATCH && (flags & TYPEFLAG_FDUAL) == 0
                              ? kDispatchMarshaler
                              : kOleAutomationMarshaler});
  }
  return interfaces;
}

bool SetDefault(HKEY root, const std::string& path, std::string_view value) {
  platform::RegistryKey key;
  return key.Create(root, path, KEY_WRITE) == ERROR_SUCCESS &&
         key.SetStringValue("", value) == ERROR_SUCCESS;
}

bool RegisterInterface(const RegistrableInterface& entry, const TLIBATTR& library) {
  const std::string key = "Interface\\" + platform::FormatGuid(entry.iid);
  const std::string marshaler = platform::FormatGuid(entry.marshaler);
  if (!SetDefault(HKEY_CLASSES_ROOT, key, entry.name) ||
      !SetDefault(HKEY_CLASSES_ROOT, key + "\\ProxyStubClsid", marshaler) ||
      !SetDefault(HKEY_CLASSES_ROOT, key + "\\ProxyStubClsid32", marshaler) ||
      !SetDefault(HKEY_CLASSES_ROOT, key + "\\TypeLib", platform::FormatGuid(library.guid))) {
    return false;
  }
  platform::RegistryKey typeLib;
  return typeLib.Open(HKEY_CLASSES_ROOT, key + "\\TypeLib", KEY_SET_VALUE) == ERROR_SUCCESS &&
         typeLib.SetStringValue(
             "Version", VersionText(library.wMajorVerNum, library.wMinorVerNum)) == ERROR_SUCCESS;
}

std::string FolderOf(std::string_view path) {
  const std::size_t separator = path.rfind('\\');
  return std::string(separator == std::string_view::npos ? std::string_view()
                                                         : path.substr(0, separator));
}

HRESULT Register(ITypeLib* library, const std::string& path, const std::string& helpDir) {
  TLIBATTR* attributes = nullptr;
  if (const HRESULT hr = library->GetLibAttr(&attributes); FAILED(hr)) return hr;
  const TLIBATTR attr = *attributes;
  library->ReleaseTLibAttr(attributes);
  BSTR nameText = nullptr;
  BSTR docText = nullptr;
  if (const HRESULT hr = library->GetDocumentation(-1, &nameText, &docText, nullptr, nullptr);
      FAILED(hr)) {
    return hr;
  }
  platform::Bstr name;
  name.Attach(nameText);
  platform::Bstr doc;
  doc.Attach(docText);
  const auto interfaces = RegistrableInterfaces(library);
  if (!interfaces) return TYPE_E_INVDATAREAD;

  const std::string version = VersionKey(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum);
  const std::string title = doc.View().empty() ? Text(name.Get()) : Text(doc.Get());
  if (!SetDefault(HKEY_CLASSES_ROOT, version, title) ||
      !SetDefault(HKEY_CLASSES_ROOT, version + "\\FLAGS", std::to_string(attr.wLibFlags)) ||
      !SetDefault(HKEY_CLASSES_ROOT, version + "\\HELPDIR", helpDir) ||
      !SetDefault(HKEY_CLASSES_ROOT, version + "\\" + PathKey(attr.lcid, attr.syskind), path)) {
    return TYPE_E_REGISTRYACCESS;
  }
  for (const RegistrableInterface& entry : *interfaces) {
    if (!RegisterInterface(entry, attr)) return TYPE_E_REGISTRYACCESS;
  }
  return S_OK;
}

bool HasSubkeys(const platform::RegistryKey& key) {
  std::string name;
  return key.EnumKey(0, name) == ERROR_SUCCESS;
}

// Whether the version key holds nothing but its FLAGS and HELPDIR, so that
// no other locale's registration is left in it.
bool OnlyAttributesLeft(const platform::RegistryKey& key) {
  std::string name;
  for (DWORD index = 0; key.EnumKey(index, name) == ERROR_SUCCESS; ++index) {
    if (platform::AnsiToLower(name) != "flags" && platform::AnsiToLower(name) != "helpdir") {
      return false;
    }
  }
  return true;
}

bool DeleteIfPresent(HKEY root, const std::string& path) {
  const LSTATUS status = platform::DeleteRegistryTree(root, path);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

// Removes the interface keys the registered library wrote, but only those
// that still name it: another library may have taken an interface over.
bool UnregisterInterfaces(const std::string& path, const GUID& libid) {
  const std::u16string widePath = platform::AnsiToWide(path);
  platform::ComPtr<ITypeLib> library;
  if (FAILED(LoadTypeLibEx(widePath.c_str(), REGKIND_NONE, library.ReleaseAndGetAddressOf()))) {
    return true;
  }
  const auto interfaces = RegistrableInterfaces(library.Get());
  if (!interfaces) return true;
  for (const RegistrableInterface& entry : *interfaces) {
    const std::string key = "Interface\\" + platform::FormatGuid(entry.iid);
    platform::RegistryKey typeLib;
    std::string owner;
    if (typeLib.Open(HKEY_CLASSES_ROOT, key + "\\TypeLib", KEY_QUERY_VALUE) != ERROR_SUCCESS ||
        typeLib.QueryStringValue("", owner) != ERROR_SUCCESS) {
      continue;
    }
    typeLib.Close();
    if (platform::ParseGuid(owner) != libid) continue;
    if (!DeleteIfPresent(HKEY_CLASSES_ROOT, key)) return false;
  }
  return true;
}

HRESULT Unregister(const GUID& libid, WORD major, WORD minor, LCID lcid, SYSKIND syskind) {
  const std::string version = VersionKey(libid, major, minor);
  const std::string pathKey = version + "\\" + PathKey(lcid, syskind);
  platform::RegistryKey registered;
  std::string path;
  if (registered.Open(HKEY_CLASSES_ROOT, pathKey, KEY_QUERY_VALUE) != ERROR_SUCCESS) {
    return TYPE_E_REGISTRYACCESS;
  }
  if (registered.QueryStringValue("", path) == ERROR_SUCCESS &&
      !UnregisterInterfaces(path, libid)) {
    return TYPE_E_REGISTRYACCESS;
  }
  registered.Close();
  if (!DeleteIfPresent(HKEY_CLASSES_ROOT, pathKey)) return TYPE_E_REGISTRYACCESS;

  const std::string localeKey = version + "\\" + Hex(lcid);
  platform::RegistryKey key;
  if (key.Open(HKEY_CLASSES_ROOT, localeKey) == ERROR_SUCCESS && !HasSubkeys(key)) {
    key.Close();
    if (!DeleteIfPresent(HKEY_CLASSES_ROOT, localeKey)) return TYPE_E_REGISTRYACCESS;
  }
  key.Close();
  if (key.Open(HKEY_CLASSES_ROOT, version) == ERROR_SUCCESS && OnlyAttributesLeft(key)) {
    key.Close();
    if (!DeleteIfPresent(HKEY_CLASSES_ROOT, version)) return TYPE_E_REGISTRYACCESS;
  }
  key.Close();
  if (key.Open(HKEY_CLASSES_ROOT, LibraryKey(libid)) == ERROR_SUCCESS && !HasSubkeys(key)) {
    key.Close();
    if (!DeleteIfPresent(HKEY_CLASSES_ROOT, LibraryKey(libid))) return TYPE_E_REGISTRYACCESS;
  }
  return S_OK;
}

}  // namespace

HRESULT RegisterTypeLib(ITypeLib* library, LPOLESTR fullPath, LPOLESTR helpDir) {
  if (library == nullptr || fullPath == nullptr) return E_INVALIDARG;
  return platform::Contain("RegisterTypeLib", E_FAIL, E_OUTOFMEMORY, [&] {
    const std::string path = platform::WideToAnsi(fullPath);
    const std::string folder = helpDir != nullptr ? platform::WideToAnsi(helpDir) : FolderOf(path);
    return Register(library, path, folder);
  });
}

HRESULT UnRegisterTypeLib(REFGUID libid, WORD major, WORD minor, LCID lcid, SYSKIND syskind) {
  return platform::Contain("UnRegisterTypeLib", E_FAIL, E_OUTOFMEMORY,
                           [&] { return Unregister(libid, major, minor, lcid, syskind); });
}
