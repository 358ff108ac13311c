// ClassFactory<T, Args...>: the class object a module hands out from
// DllGetClassObject for one creatable class T, built each time from the
// arguments the factory was made with. It turns allocation and constructor
// failures into E_OUTOFMEMORY / E_FAIL (traced as
// "ClassFactory::CreateInstance exception") instead of letting exceptions
// cross the COM boundary, runs T's `HRESULT FinalConstruct()` when it has
// one, and counts LockServer calls in the module's ModuleLifetime.
//
// Aggregation: a T derived from AggregatableComObject can be created with an
// outer object, which then gets the new object's non-delegating IUnknown;
// asking for any other interface with an outer object, or creating any
// other T with one, fails with CLASS_E_NOAGGREGATION, as ATL's factory does.
#pragma once

#include <concepts>
#include <tuple>

#include "platform/com/ComObject.h"
#include "platform/module/ModuleLifetime.h"
#include "platform/trace/Contain.h"

namespace platform {

template <class T>
concept Aggregatable = requires(T& object) {
  { object.InnerUnknown() } -> std::same_as<IUnknown*>;
};

template <class T, class... Args>
class ClassFactory final : public ComObject<IClassFactory> {
 public:
  explicit ClassFactory(Args... arguments) : arguments_(std::move(arguments)...) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr && (!Aggregatable<T> || iid != IID_IUnknown)) {
      return CLASS_E_NOAGGREGATION;
    }
    return Contain("ClassFactory::CreateInstance", E_FAIL, E_OUTOFMEMORY, [&] {
      if constexpr (Aggregatable<T>) {
        if (outer != nullptr) {
          auto made = std::apply(
              [outer](const Args&... arguments) { return MakeAggregated<T>(outer, arguments...); },
              arguments_);
          const HRESULT constructed = FinalConstructOf(*made.object);
          if (FAILED(constructed)) return constructed;
          *object = made.inner.Detach();
          return S_OK;
        }
      }
      ComPtr<T> instance =
          std::apply([](const Args&... arguments) { return Make<T>(arguments...); }, arguments_);
      const HRESULT constructed = FinalConstructOf(*instance);
      if (FAILED(constructed)) return constructed;
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

 private:
  static HRESULT FinalConstructOf(T& created) {
    if constexpr (requires {
                    { created.FinalConstruct() } -> std::same_as<HRESULT>;
                  }) {
      return created.FinalConstruct();
    } else {
      return S_OK;
    }
  }

  const std::tuple<Args...> arguments_;
};

}  // namespace platform
