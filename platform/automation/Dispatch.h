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

#if defined(_WIN32)
#include <oaidl.h>
#else
#include "platform/automation/Dispatch_linux.h"
#endif

namespace platform {

template <class... Interfaces>
class DispatchObject : public ComObject<Interfaces...> {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return DISP_E_MEMBERNOTFOUND;
  }
};

}  // namespace platform
