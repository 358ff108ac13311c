// The ITypeLib and ITypeInfo objects over a library read by
// ReadMsftTypeLib. The library's data is immutable once read, so both may
// be used from any thread. A type's object keeps its library alive
// (GetContainingTypeLib); the library does not keep its types' objects.
#pragma once

#include "platform/com/ComPtr.h"
#include "platform/typelib/MsftTypeLib.h"

namespace platform {

// Creates the library object; throws std::bad_alloc like Make.
ComPtr<ITypeLib> MakeTypeLibObject(MsftTypeLib library);

}  // namespace platform
