// IDispatch: late-bound calls by dispatch id, the shape through which the
// browser delivers its events (DWebBrowserEvents2 is a dispatch interface)
// and through which MSHTML's collections hand out their items.
//
// Arguments travel in DISPPARAMS in reverse order, as on Windows: the last
// argument of an event is rgvarg[0]. Type information is not available in
// this stand-in: GetTypeInfo and GetIDsOfNames answer E_NOTIMPL.
//
// DispatchObject<Interfaces...> is ComObject for classes whose interfaces
// derive from IDispatch: it answers the three type-information methods once
// for all of them and leaves Invoke to the class (or answers
// DISP_E_MEMBERNOTFOUND when the class takes no late-bound calls).
#pragma once

#include "platform/automation/Variant.h"
#include "platform/com/ComObject.h"

using DISPID = LONG;
using LCID = DWORD;

constexpr WORD DISPATCH_METHOD = 0x1;
constexpr WORD DISPATCH_PROPERTYGET = 0x2;
constexpr WORD DISPATCH_PROPERTYPUT = 0x4;

constexpr HRESULT DISP_E_BADPARAMCOUNT = MakeHresult(0x8002000Eu);

struct DISPPARAMS {
  VARIANTARG* rgvarg;
  DISPID* rgdispidNamedArgs;
  UINT cArgs;
  UINT cNamedArgs;
};

// Exception details of a failed Invoke; never filled by this stand-in.
struct EXCEPINFO;
// Type information; never handed out by this stand-in.
struct ITypeInfo;

struct IDispatch : IUnknown {
  static constexpr IID kIid = platform::MakeGuid("00020400-0000-0000-C000-000000000046");

  virtual HRESULT GetTypeInfoCount(UINT* count) = 0;
  virtual HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) = 0;
  virtual HRESULT GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                DISPID* ids) = 0;
  virtual HRESULT Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                         VARIANT* result, EXCEPINFO* exception, UINT* argumentError) = 0;

 protected:
  ~IDispatch() = default;
};

inline constexpr IID IID_IDispatch = IDispatch::kIid;

namespace platform {

template <class... Interfaces>
class DispatchObject : public ComObject<Interfaces...> {
 public:
  HRESULT GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }
};

}  // namespace platform
