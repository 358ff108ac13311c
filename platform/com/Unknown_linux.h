// The Linux side of platform/com/Unknown.h: the root COM interfaces. Every
// interface is a struct of pure virtual functions deriving (singly) from
// IUnknown or another interface, and carries its interface id as
// `static constexpr IID kIid` (what __uuidof finds on Windows). An interface
// that derives from another one than IUnknown names it as
// `using BaseInterface = ...;`, so that ComObject can answer QueryInterface
// for the whole chain (IDeskBand -> IDockingWindow -> IOleWindow, for example).
#pragma once

#include <type_traits>

#include "platform/com/Guid.h"

struct IUnknown {
  static constexpr IID kIid = platform::MakeGuid("00000000-0000-0000-C000-000000000046");

  virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) = 0;
  virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
  virtual ULONG STDMETHODCALLTYPE Release() = 0;

 protected:
  // Objects die through Release, never through an interface pointer.
  ~IUnknown() = default;
};

struct IClassFactory : IUnknown {
  static constexpr IID kIid = platform::MakeGuid("00000001-0000-0000-C000-000000000046");

  virtual HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) = 0;
  virtual HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) = 0;

 protected:
  ~IClassFactory() = default;
};

inline constexpr IID IID_IUnknown = IUnknown::kIid;
inline constexpr IID IID_IClassFactory = IClassFactory::kIid;

// IID_PPV_ARGS(&pointer) or IID_PPV_ARGS(comPtr.ReleaseAndGetAddressOf()):
// the interface id and the out-parameter of QueryInterface-shaped calls,
// derived from one expression so the two cannot disagree.
#define IID_PPV_ARGS(interfacePointerAddress)                                                  \
  ::platform::IidOf<                                                                           \
      std::remove_pointer_t<std::remove_reference_t<decltype(*(interfacePointerAddress))>>>(), \
      reinterpret_cast<void**>(interfacePointerAddress)
