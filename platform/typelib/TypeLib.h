// Type libraries: loading one from a module's TYPELIB resource or a .tlb
// file (LoadTypeLibEx, LoadRegTypeLib), reading it through ITypeLib and
// ITypeInfo, and writing or removing its registry entries
// (RegisterTypeLib, UnRegisterTypeLib), as oleaut32 does.
//
// The stand-in reads the "MSFT" binary format MIDL and widl write
// (MsftTypeLib.h) and answers the library's attributes, its types' names,
// documentation, attributes and a coclass's implemented interfaces; members
// (functions, variables) are not read, and the calls about them answer
// E_NOTIMPL. A path that names the module itself (GetModuleFileName) loads
// its TYPELIB resource 1, "module\N" resource N; any other path is read as
// a .tlb file.
#pragma once

#include "platform/automation/Bstr.h"
#include "platform/automation/Dispatch.h"

#if defined(_WIN32)
#include <oleauto.h>
#else
#include "platform/typelib/TypeLib_linux.h"
#endif
