// ComObject<Interfaces...>: the one implementation of IUnknown for every COM
// class of the product (the idea of WRL's RuntimeClass). A class lists the
// interfaces it implements and nothing more:
//
//   class SideBar : public platform::ComObject<IDeskBand, IObjectWithSite> {...};
//   platform::ComPtr<SideBar> bar = platform::Make<SideBar>(args...);
//
// QueryInterface answers IUnknown, every listed interface and every interface
// on their BaseInterface chains; IUnknown always yields the same pointer (the
// first listed interface's), which is COM's identity rule. Reference counts
// are atomic; the object deletes itself when the count reaches zero. Classes
// that answer further interfaces at run time override QueryOtherInterface.
//
// AggregatableComObject<Interfaces...> is the same for classes that may be
// created inside an aggregate, with a controlling outer object (what ATL's
// CComAggObject adds). Its listed interfaces' IUnknown methods delegate to
// the controlling unknown: the outer object when aggregated, the object's
// own non-delegating unknown otherwise. The non-delegating unknown
// (InnerUnknown) holds the object's reference count; its QueryInterface
// answers itself for IID_IUnknown and the listed interfaces otherwise, each
// AddRef'd through the controlling unknown, as the aggregation rules want:
//
//   ComPtr<IUnknown> inner = platform::MakeAggregated<SideBar>(outer).inner;
#pragma once

#include <atomic>
#include <type_traits>
#include <utility>

#include "platform/com/ComPtr.h"
#include "platform/com/Unknown.h"

namespace platform {

// Matches `iid` against Interface and its base interface chain, stopping
// before IUnknown, which the caller answers once for identity's sake. Sets
// `object` (without AddRef) on a match. Classes that add interfaces of their
// own on top of a ComObject answer them with it too.
template <class Interface>
bool FindInterfaceInChain(REFIID iid, Interface* pointer, void** object) {
  if constexpr (std::is_same_v<Interface, IUnknown>) {
    return false;
  } else {
    if (iid == IidOf<Interface>()) {
      *object = pointer;
      return true;
    }
    if constexpr (requires { typename BaseInterfaceOf<Interface>::Type; }) {
      using Base = typename BaseInterfaceOf<Interface>::Type;
      return FindInterfaceInChain<Base>(iid, static_cast<Base*>(pointer), object);
    }
    return false;
  }
}

namespace com_detail {

template <class First, class...>
struct FirstOf {
  using Type = First;
};

}  // namespace com_detail

template <class... Interfaces>
class ComObject : public Interfaces... {
  static_assert(sizeof...(Interfaces) > 0, "a COM class implements at least one interface");
  static_assert((std::is_base_of_v<IUnknown, Interfaces> && ...),
                "every listed interface derives from IUnknown");

 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown) {
      *object = IdentityUnknown();
    } else if (!(FindInterfaceInChain<Interfaces>(iid, static_cast<Interfaces*>(this), object) ||
                 ...)) {
      const HRESULT hr = QueryOtherInterface(iid, object);
      if (FAILED(hr)) *object = nullptr;
      return hr;
    }
    AddRef();
    return S_OK;
  }

  ULONG STDMETHODCALLTYPE AddRef() override {
    return references_.fetch_add(1, std::memory_order_relaxed) + 1;
  }

  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG remaining = references_.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (remaining == 0) delete this;
    return remaining;
  }

  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

 protected:
  // Objects start with one reference, which Make hands to its ComPtr.
  ComObject() = default;
  virtual ~ComObject() = default;

  // Extension point for interfaces not known at compile time (tear-offs,
  // aggregated inner objects). Must AddRef what it returns in `object`.
  virtual HRESULT QueryOtherInterface(REFIID /*iid*/, void** /*object*/) { return E_NOINTERFACE; }

  IUnknown* IdentityUnknown() {
    using First = typename com_detail::FirstOf<Interfaces...>::Type;
    return static_cast<IUnknown*>(static_cast<First*>(this));
  }

 private:
  std::atomic<ULONG> references_{1};
};

template <class T>
struct Aggregate;
template <class T, class... Args>
Aggregate<T> MakeAggregated(IUnknown* outer, Args&&... args);

template <class... Interfaces>
class AggregatableComObject : public Interfaces... {
  static_assert(sizeof...(Interfaces) > 0, "a COM class implements at least one interface");
  static_assert((std::is_base_of_v<IUnknown, Interfaces> && ...),
                "every listed interface derives from IUnknown");

 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return controlling_->QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return controlling_->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return controlling_->Release(); }

  // The non-delegating IUnknown, which the outer object keeps.
  IUnknown* InnerUnknown() { return &inner_; }

  AggregatableComObject(const AggregatableComObject&) = delete;
  AggregatableComObject& operator=(const AggregatableComObject&) = delete;

 protected:
  // Objects start with one reference on their inner unknown, which Make or
  // MakeAggregated hands to its ComPtr.
  AggregatableComObject() : inner_(*this), controlling_(&inner_) {}
  virtual ~AggregatableComObject() = default;

  // As ComObject's.
  virtual HRESULT QueryOtherInterface(REFIID /*iid*/, void** /*object*/) { return E_NOINTERFACE; }

  // The object's COM identity: the outer object's when aggregated.
  IUnknown* IdentityUnknown() { return controlling_ == &inner_ ? &inner_ : controlling_; }

 private:
  template <class T, class... Args>
  friend Aggregate<T> MakeAggregated(IUnknown* outer, Args&&... args);

  class NonDelegatingUnknown final : public IUnknown {
   public:
    explicit NonDelegatingUnknown(AggregatableComObject& owner) : owner_(owner) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
      if (object == nullptr) return E_POINTER;
      *object = nullptr;
      if (iid == IID_IUnknown) {
        *object = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
      }
      return owner_.QueryListedInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
      return references_.fetch_add(1, std::memory_order_relaxed) + 1;
    }
    ULONG STDMETHODCALLTYPE Release() override {
      const ULONG remaining = references_.fetch_sub(1, std::memory_order_acq_rel) - 1;
      if (remaining == 0) delete &owner_;
      return remaining;
    }

   private:
    AggregatableComObject& owner_;
    std::atomic<ULONG> references_{1};
  };

  HRESULT QueryListedInterface(REFIID iid, void** object) {
    if (!(FindInterfaceInChain<Interfaces>(iid, static_cast<Interfaces*>(this), object) || ...)) {
      const HRESULT hr = QueryOtherInterface(iid, object);
      if (FAILED(hr)) *object = nullptr;
      return hr;
    }
    static_cast<IUnknown*>(*object)->AddRef();
    return S_OK;
  }

  NonDelegatingUnknown inner_;
  // Not owned: an aggregate's outer object outlives its inner one, which it
  // holds. Set once, before anyone else sees the object.
  IUnknown* controlling_;
};

// What MakeAggregated creates: the inner unknown the outer object keeps, and
// the object itself (valid while `inner` is held) for its set-up.
template <class T>
struct Aggregate {
  ComPtr<IUnknown> inner;
  T* object = nullptr;
};

// Creates a T (an AggregatableComObject) controlled by `outer`.
template <class T, class... Args>
Aggregate<T> MakeAggregated(IUnknown* outer, Args&&... args) {
  Aggregate<T> made;
  made.object = new T(std::forward<Args>(args)...);
  made.object->controlling_ = outer;
  made.inner.Attach(made.object->InnerUnknown());
  return made;
}

// Creates a T (a ComObject) and returns the owning pointer. Allocation and
// constructor failures propagate as exceptions; COM boundaries (class
// factories) translate them into HRESULTs.
template <class T, class... Args>
ComPtr<T> Make(Args&&... args) {
  ComPtr<T> object;
  object.Attach(new T(std::forward<Args>(args)...));
  return object;
}

}  // namespace platform
