// A type library is read from the module's resources or from any .tlb file
// a registry entry names, so its bytes are outside input. Whatever they
// are, reading stays within them and within TypeLibLimits.h; a library
// that reads answers every ITypeLib and ITypeInfo call about itself
// consistently, and registers and unregisters without leaving its key.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "platform/automation/Bstr.h"
#include "platform/com/ComPtr.h"
#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/typelib/MsftTypeLib.h"
#include "platform/typelib/TypeLibObjects.h"

namespace {

void WalkType(ITypeInfo* info) {
  TYPEATTR* attributes = nullptr;
  FUZZ_CHECK(info->GetTypeAttr(&attributes) == S_OK);
  const WORD implemented = attributes->cImplTypes;
  info->ReleaseTypeAttr(attributes);
  BSTR name = nullptr;
  BSTR doc = nullptr;
  BSTR helpFile = nullptr;
  FUZZ_CHECK(info->GetDocumentation(MEMBERID_NIL, &name, &doc, nullptr, &helpFile) == S_OK);
  SysFreeString(name);
  SysFreeString(doc);
  SysFreeString(helpFile);
  for (UINT index = 0; index < implemented; ++index) {
    HREFTYPE reference = 0;
    INT flags = 0;
    FUZZ_CHECK(info->GetRefTypeOfImplType(index, &reference) == S_OK);
    FUZZ_CHECK(info->GetImplTypeFlags(index, &flags) == S_OK);
    platform::ComPtr<ITypeInfo> target;
    const HRESULT found = info->GetRefTypeInfo(reference, target.ReleaseAndGetAddressOf());
    FUZZ_CHECK(found == S_OK || found == TYPE_E_ELEMENTNOTFOUND);
  }
  HREFTYPE reference = 0;
  FUZZ_CHECK(info->GetRefTypeOfImplType(implemented, &reference) == TYPE_E_ELEMENTNOTFOUND);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto read = platform::ReadMsftTypeLib(bytes);
  if (!read) return 0;
  const std::size_t typeCount = read->types.size();
  const platform::ComPtr<ITypeLib> library = platform::MakeTypeLibObject(std::move(*read));
  FUZZ_CHECK(library->GetTypeInfoCount() == typeCount);
  for (UINT index = 0; index < typeCount; ++index) {
    platform::ComPtr<ITypeInfo> info;
    FUZZ_CHECK(library->GetTypeInfo(index, info.ReleaseAndGetAddressOf()) == S_OK);
    WalkType(info.Get());
  }

  platform::ScopedRegistryReset registry;
  std::u16string path = u"C:\\fuzz.tlb";
  if (RegisterTypeLib(library.Get(), path.data(), nullptr) != S_OK) return 0;
  TLIBATTR* attributes = nullptr;
  FUZZ_CHECK(library->GetLibAttr(&attributes) == S_OK);
  const TLIBATTR attr = *attributes;
  library->ReleaseTLibAttr(attributes);
  FUZZ_CHECK(UnRegisterTypeLib(attr.guid, attr.wMajorVerNum, attr.wMinorVerNum, attr.lcid,
                               attr.syskind) == S_OK);
  platform::RegistryKey key;
  FUZZ_CHECK(key.Open(HKEY_CLASSES_ROOT, "TypeLib\\" + platform::FormatGuid(attr.guid)) ==
             ERROR_FILE_NOT_FOUND);
  return 0;
}
