// How the product's toolbar class adds interfaces of its own (its dual
// interface) to the framework's hook without writing COM boilerplate:
//
//   class HookC final : public framework::ToolBandHookWith<IIEHook> { ... };
//
// QueryInterface answers the listed interfaces (and their base chains) on
// top of the hook's own; identity, reference count and IDispatch stay the
// hook's. Late-bound calls through a listed dual interface land in the
// hook's Invoke, as the product's interface declares no members of its own
// beyond IDispatch's; a product interface with members overrides Invoke
// and routes its own dispatch ids before calling ToolBandHookC::Invoke.
#pragma once

#include "framework/hook/ToolBandHookC.h"

namespace framework {

template <class... ProductInterfaces>
class ToolBandHookWith : public ToolBandHookC, public ProductInterfaces... {
  static_assert(sizeof...(ProductInterfaces) > 0, "list the product's interfaces");

 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return ToolBandHookC::QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ToolBandHookC::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return ToolBandHookC::Release(); }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    return ToolBandHookC::GetTypeInfoCount(count);
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return ToolBandHookC::GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return ToolBandHookC::GetIDsOfNames(iid, names, count, locale, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override {
    return ToolBandHookC::Invoke(id, iid, locale, flags, params, result, exception, argumentError);
  }

 protected:
  HRESULT QueryOtherInterface(REFIID iid, void** object) override {
    if ((platform::FindInterfaceInChain<ProductInterfaces>(
             iid, static_cast<ProductInterfaces*>(this), object) ||
         ...)) {
      AddRef();
      return S_OK;
    }
    return ToolBandHookC::QueryOtherInterface(iid, object);
  }
};

}  // namespace framework
