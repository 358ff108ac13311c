// ClassFactory<T>: the class object a module hands out from DllGetClassObject
// for one creatable class T (a ComObject). It refuses aggregation with
// CLASS_E_NOAGGREGATION, turns allocation and constructor failures into
// E_OUTOFMEMORY / E_FAIL (traced as "ClassFactory::CreateInstance exception")
// instead of letting exceptions cross the COM boundary, runs T's
// `HRESULT FinalConstruct()` when it has one, and counts LockServer calls in
// the module's ModuleLifetime.
#pragma once

#include <concepts>

#include "platform/com/ComObject.h"
#include "platform/com/ModuleLifetime.h"
#include "platform/trace/Contain.h"

namespace platform {

template <class T>
class ClassFactory final : public ComObject<IClassFactory> {
 public:
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return Contain("ClassFactory::CreateInstance", E_FAIL, E_OUTOFMEMORY, [&] {
      ComPtr<T> instance = Make<T>();
      if constexpr (requires(T & created) {
                      { created.FinalConstruct() } -> std::same_as<HRESULT>;
                    }) {
        const HRESULT constructed = instance->FinalConstruct();
        if (FAILED(constructed)) return constructed;
      }
      return instance->QueryInterface(iid, object);
    });
  }

  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock) {
      ModuleLifetime::Lock();
    } else {
      ModuleLifetime::Unlock();
    }
    return S_OK;
  }
};

}  // namespace platform
