// The root COM interfaces (IUnknown, IClassFactory, IID_PPV_ARGS) and the
// platform's way to name an interface's id and its base interface, which
// ComObject needs to answer QueryInterface for a whole interface chain.
#pragma once

#include <type_traits>

#if defined(_WIN32)
#include <unknwn.h>
#else
#include "platform/com/Unknown_linux.h"
#endif

namespace platform {

// The interface id of `Interface`: its `kIid` where it declares one (every
// stand-in interface and the product's own), otherwise what __uuidof gives.
template <class Interface>
constexpr const IID& IidOf() {
#if defined(_WIN32)
  if constexpr (!requires { Interface::kIid; }) {
    return __uuidof(Interface);
  } else
#endif
  {
    return Interface::kIid;
  }
}

// BaseInterfaceOf<Interface>::Type names the interface `Interface` derives
// from, where that is not IUnknown itself. Interfaces declare it as
// `using BaseInterface = ...;`; the Windows SDK's interfaces, which cannot,
// get a specialisation beside the header that brings them in.
template <class Interface>
struct BaseInterfaceOf {};

template <class Interface>
requires requires { typename Interface::BaseInterface; }
struct BaseInterfaceOf<Interface> {
  using Type = typename Interface::BaseInterface;
};

}  // namespace platform
