// ComPtr<T>: the owning smart pointer for COM interfaces, with the semantics
// of WRL's ComPtr: copying AddRefs, moving steals, destruction Releases.
// Out-parameters go through ReleaseAndGetAddressOf(), which releases what the
// pointer held first so that a reused ComPtr never leaks.
#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

#include "platform/com/Unknown.h"

namespace platform {

template <class T>
class ComPtr {
 public:
  using InterfaceType = T;

  ComPtr() noexcept = default;
  ComPtr(std::nullptr_t) noexcept {}
  // Shares `pointer`: AddRefs it (use Attach to adopt a reference instead).
  ComPtr(T* pointer) noexcept : pointer_(pointer) { InternalAddRef(); }
  ComPtr(const ComPtr& other) noexcept : ComPtr(other.pointer_) {}
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  template <class U>
  requires std::is_convertible_v<U*, T*> ComPtr(const ComPtr<U>& other)
  noexcept : ComPtr(static_cast<T*>(other.Get())) {}
  template <class U>
  requires std::is_convertible_v<U*, T*> ComPtr(ComPtr<U>&& other)
  noexcept : pointer_(other.Detach()) {}
  ~ComPtr() { InternalRelease(); }

  ComPtr& operator=(ComPtr other) noexcept {
    Swap(other);
    return *this;
  }
  ComPtr& operator=(std::nullptr_t) noexcept {
    Reset();
    return *this;
  }

  T* Get() const noexcept { return pointer_; }
  T* operator->() const noexcept { return pointer_; }
  T& operator*() const noexcept { return *pointer_; }
  explicit operator bool() const noexcept { return pointer_ != nullptr; }

  // Releases the held reference (if any) and becomes empty.
  void Reset() noexcept { InternalRelease(); }

  // Adopts a reference the caller already owns; releases the previous one.
  void Attach(T* pointer) noexcept {
    if (pointer_ != pointer) InternalRelease();
    pointer_ = pointer;
  }
  // Hands the reference to the caller without releasing it.
  [[nodiscard]] T* Detach() noexcept { return std::exchange(pointer_, nullptr); }

  // For out-parameters: releases what is held, then exposes the slot.
  T** ReleaseAndGetAddressOf() noexcept {
    InternalRelease();
    return &pointer_;
  }
  void** ReleaseAndGetVoidAddressOf() noexcept {
    return reinterpret_cast<void**>(ReleaseAndGetAddressOf());
  }
  // The slot itself, without releasing: for in-out arrays of pointers only.
  T* const* GetAddressOf() const noexcept { return &pointer_; }

  // QueryInterface for U into `out`; E_POINTER when this pointer or `out` is
  // null. `out` is emptied on failure.
  template <class U>
  HRESULT As(ComPtr<U>* out) const noexcept {
    if (out == nullptr) return E_POINTER;
    void** slot = out->ReleaseAndGetVoidAddressOf();
    if (pointer_ == nullptr) return E_POINTER;
    return pointer_->QueryInterface(IidOf<U>(), slot);
  }

  // Gives the caller its own reference (AddRef) through a raw out-parameter.
  HRESULT CopyTo(T** out) const noexcept {
    if (out == nullptr) return E_POINTER;
    *out = pointer_;
    if (pointer_ != nullptr) pointer_->AddRef();
    return S_OK;
  }

  void Swap(ComPtr& other) noexcept { std::swap(pointer_, other.pointer_); }

  friend bool operator==(const ComPtr& a, const ComPtr& b) noexcept {
    return a.pointer_ == b.pointer_;
  }
  friend bool operator==(const ComPtr& a, std::nullptr_t) noexcept { return a.pointer_ == nullptr; }

 private:
  void InternalAddRef() const noexcept {
    if (pointer_ != nullptr) pointer_->AddRef();
  }
  void InternalRelease() noexcept {
    // Cleared before Release: the object's destructor may reach back here.
    if (T* old = std::exchange(pointer_, nullptr)) old->Release();
  }

  T* pointer_ = nullptr;
};

}  // namespace platform
