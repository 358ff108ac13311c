#include "platform/typelib/TypeLibObjects.h"

#include <memory>
#include <utility>

#include "platform/com/ComObject.h"
#include "platform/text/CodePage.h"
#include "platform/trace/Contain.h"

namespace platform {
namespace {

// Text of the library (its code page) as a BSTR; an empty text is a null
// BSTR, as oleaut32 answers for a missing name or documentation.
HRESULT StoreText(BSTR* out, std::string_view text) {
  if (out == nullptr) return S_OK;
  *out = nullptr;
  if (text.empty()) return S_OK;
  const std::u16string wide = AnsiToWide(text);
  *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
  return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

HRESULT StoreDocumentation(std::string_view name, std::string_view docString, DWORD helpContext,
                           std::string_view helpFile, BSTR* nameOut, BSTR* docStringOut,
                           DWORD* helpContextOut, BSTR* helpFileOut) {
  // All or nothing: a text that cannot be allocated leaves no out-parameter
  // holding a string the caller would not expect to free.
  Bstr names[3];
  BSTR* const outs[3] = {nameOut, docStringOut, helpFileOut};
  const std::string_view texts[3] = {name, docString, helpFile};
  for (std::size_t i = 0; i < 3; ++i) {
    BSTR text = nullptr;
    if (const HRESULT hr = StoreText(outs[i] == nullptr ? nullptr : &text, texts[i]); FAILED(hr)) {
      return hr;
    }
    names[i].Attach(text);
  }
  for (std::size_t i = 0; i < 3; ++i) {
    if (outs[i] != nullptr) *outs[i] = names[i].Detach();
  }
  if (helpContextOut != nullptr) *helpContextOut = helpContext;
  return S_OK;
}

class TypeLibObject;

class TypeInfoObject final : public ComObject<ITypeInfo> {
 public:
  TypeInfoObject(ComPtr<TypeLibObject> library, std::shared_ptr<const MsftTypeLib> data,
                 std::size_t index)
      : library_(std::move(library)), data_(std::move(data)), index_(index) {}

  HRESULT STDMETHODCALLTYPE GetTypeAttr(TYPEATTR** attributes) override;
  HRESULT STDMETHODCALLTYPE GetTypeComp(ITypeComp** comp) override {
    if (comp != nullptr) *comp = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetFuncDesc(UINT, FUNCDESC** description) override {
    if (description != nullptr) *description = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetVarDesc(UINT, VARDESC** description) override {
    if (description != nullptr) *description = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetNames(MEMBERID, BSTR*, UINT, UINT* count) override {
    if (count != nullptr) *count = 0;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetRefTypeOfImplType(UINT index, HREFTYPE* reference) override;
  HRESULT STDMETHODCALLTYPE GetImplTypeFlags(UINT index, INT* flags) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(LPOLESTR*, UINT, MEMBERID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(PVOID, MEMBERID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetDocumentation(MEMBERID id, BSTR* name, BSTR* docString,
                                             DWORD* helpContext, BSTR* helpFile) override;
  HRESULT STDMETHODCALLTYPE GetDllEntry(MEMBERID, INVOKEKIND, BSTR*, BSTR*, WORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetRefTypeInfo(HREFTYPE reference, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE AddressOfMember(MEMBERID, INVOKEKIND, PVOID* address) override {
    if (address != nullptr) *address = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID, PVOID* object) override {
    if (object != nullptr) *object = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetMops(MEMBERID, BSTR* mops) override {
    if (mops != nullptr) *mops = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetContainingTypeLib(ITypeLib** library, UINT* index) override;
  void STDMETHODCALLTYPE ReleaseTypeAttr(TYPEATTR* attributes) override { delete attributes; }
  void STDMETHODCALLTYPE ReleaseFuncDesc(FUNCDESC*) override {}
  void STDMETHODCALLTYPE ReleaseVarDesc(VARDESC*) override {}

 private:
  const MsftTypeInfo& Type() const { return data_->types[index_]; }

  ComPtr<TypeLibObject> library_;
  std::shared_ptr<const MsftTypeLib> data_;
  std::size_t index_;
};

class TypeLibObject final : public ComObject<ITypeLib> {
 public:
  explicit TypeLibObject(MsftTypeLib library)
      : data_(std::make_shared<const MsftTypeLib>(std::move(library))) {}

  UINT STDMETHODCALLTYPE GetTypeInfoCount() override {
    return static_cast<UINT>(data_->types.size());
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, ITypeInfo** info) override {
    if (info == nullptr) return E_INVALIDARG;
    *info = nullptr;
    if (index >= data_->types.size()) return TYPE_E_ELEMENTNOTFOUND;
    return Contain("TypeLib::GetTypeInfo", E_FAIL, E_OUTOFMEMORY, [&] {
      *info = Make<TypeInfoObject>(ComPtr<TypeLibObject>(this), data_, index).Detach();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoType(UINT index, TYPEKIND* kind) override {
    if (kind == nullptr) return E_INVALIDARG;
    if (index >= data_->types.size()) return TYPE_E_ELEMENTNOTFOUND;
    *kind = data_->types[index].kind;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoOfGuid(REFGUID guid, ITypeInfo** info) override {
    if (info == nullptr) return E_INVALIDARG;
    *info = nullptr;
    for (std::size_t index = 0; index < data_->types.size(); ++index) {
      if (data_->types[index].guid == guid) return GetTypeInfo(static_cast<UINT>(index), info);
    }
    return TYPE_E_ELEMENTNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE GetLibAttr(TLIBATTR** attributes) override {
    if (attributes == nullptr) return E_INVALIDARG;
    *attributes = nullptr;
    return Contain("TypeLib::GetLibAttr", E_FAIL, E_OUTOFMEMORY, [&] {
      auto made = std::make_unique<TLIBATTR>();
      made->guid = data_->libid;
      made->lcid = data_->lcid;
      made->syskind = data_->syskind;
      made->wMajorVerNum = data_->majorVersion;
      made->wMinorVerNum = data_->minorVersion;
      made->wLibFlags = data_->flags;
      *attributes = made.release();
      return S_OK;
    });
  }
  HRESULT STDMETHODCALLTYPE GetTypeComp(ITypeComp** comp) override {
    if (comp != nullptr) *comp = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetDocumentation(INT index, BSTR* name, BSTR* docString,
                                             DWORD* helpContext, BSTR* helpFile) override {
    return Contain("TypeLib::GetDocumentation", E_FAIL, E_OUTOFMEMORY, [&] {
      if (index == -1) {
        return StoreDocumentation(data_->name, data_->helpString, data_->helpContext,
                                  data_->helpFile, name, docString, helpContext, helpFile);
      }
      if (index < 0 || static_cast<std::size_t>(index) >= data_->types.size()) {
        return TYPE_E_ELEMENTNOTFOUND;
      }
      const MsftTypeInfo& type = data_->types[static_cast<std::size_t>(index)];
      return StoreDocumentation(type.name, type.docString, type.helpContext, data_->helpFile, name,
                                docString, helpContext, helpFile);
    });
  }
  HRESULT STDMETHODCALLTYPE IsName(LPOLESTR, ULONG, BOOL* found) override {
    if (found != nullptr) *found = FALSE;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindName(LPOLESTR, ULONG, ITypeInfo**, MEMBERID*,
                                     USHORT* found) override {
    if (found != nullptr) *found = 0;
    return E_NOTIMPL;
  }
  void STDMETHODCALLTYPE ReleaseTLibAttr(TLIBATTR* attributes) override { delete attributes; }

  const std::shared_ptr<const MsftTypeLib>& Data() const { return data_; }

 private:
  std::shared_ptr<const MsftTypeLib> data_;
};

HRESULT TypeInfoObject::GetTypeAttr(TYPEATTR** attributes) {
  if (attributes == nullptr) return E_INVALIDARG;
  *attributes = nullptr;
  return Contain("TypeInfo::GetTypeAttr", E_FAIL, E_OUTOFMEMORY, [&] {
    const MsftTypeInfo& type = Type();
    auto made = std::make_unique<TYPEATTR>();
    made->guid = type.guid;
    made->lcid = data_->lcid;
    made->memidConstructor = MEMBERID_NIL;
    made->memidDestructor = MEMBERID_NIL;
    made->cbSizeInstance = type.instanceSize;
    made->typekind = type.kind;
    made->cFuncs = type.functionCount;
    made->cVars = type.variableCount;
    made->cImplTypes = static_cast<WORD>(type.implementedTypes.size());
    made->cbSizeVft = type.vtableSize;
    made->wTypeFlags = type.flags;
    made->wMajorVerNum = type.majorVersion;
    made->wMinorVerNum = type.minorVersion;
    *attributes = made.release();
    return S_OK;
  });
}

HRESULT TypeInfoObject::GetRefTypeOfImplType(UINT index, HREFTYPE* reference) {
  if (reference == nullptr) return E_INVALIDARG;
  if (index >= Type().implementedTypes.size()) return TYPE_E_ELEMENTNOTFOUND;
  *reference = Type().implementedTypes[index].reference;
  return S_OK;
}

HRESULT TypeInfoObject::GetImplTypeFlags(UINT index, INT* flags) {
  if (flags == nullptr) return E_INVALIDARG;
  if (index >= Type().implementedTypes.size()) return TYPE_E_ELEMENTNOTFOUND;
  *flags = Type().implementedTypes[index].flags;
  return S_OK;
}

HRESULT TypeInfoObject::GetDocumentation(MEMBERID id, BSTR* name, BSTR* docString,
                                         DWORD* helpContext, BSTR* helpFile) {
  if (id != MEMBERID_NIL) return TYPE_E_ELEMENTNOTFOUND;
  return Contain("TypeInfo::GetDocumentation", E_FAIL, E_OUTOFMEMORY, [&] {
    const MsftTypeInfo& type = Type();
    return StoreDocumentation(type.name, type.docString, type.helpContext, data_->helpFile, name,
                              docString, helpContext, helpFile);
  });
}

// Types imported from other libraries (IDispatch from stdole2) are not
// loaded by this stand-in.
HRESULT TypeInfoObject::GetRefTypeInfo(HREFTYPE reference, ITypeInfo** info) {
  if (info == nullptr) return E_INVALIDARG;
  *info = nullptr;
  const auto index = MsftLocalTypeIndex(*data_, reference);
  if (!index) return TYPE_E_ELEMENTNOTFOUND;
  return library_->GetTypeInfo(static_cast<UINT>(*index), info);
}

HRESULT TypeInfoObject::GetContainingTypeLib(ITypeLib** library, UINT* index) {
  if (library == nullptr) return E_INVALIDARG;
  ITypeLib* const containing = library_.Get();
  containing->AddRef();
  *library = containing;
  if (index != nullptr) *index = static_cast<UINT>(index_);
  return S_OK;
}

}  // namespace

ComPtr<ITypeLib> MakeTypeLibObject(MsftTypeLib library) {
  return Make<TypeLibObject>(std::move(library));
}

}  // namespace platform
