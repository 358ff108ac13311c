// Component categories: ICatRegister, the system's registrar of the
// categories a class implements or requires, which COM serves as
// CLSID_StdComponentCategoriesMgr. The stand-in's manager writes the same
// keys Windows' does:
//
//   HKCR\CLSID\{clsid}\Implemented Categories\{catid}
//   HKCR\CLSID\{clsid}\Required Categories\{catid}
//   HKCR\Component Categories\{catid}, value "<lcid in hex>" = description
//
// Unregistering a class's category removes its {catid} key and the
// category list key once it is empty; what is missing counts as removed.
// Registry failures answer the registry's error as an HRESULT.
#pragma once

#include "platform/com/Unknown.h"

#if defined(_WIN32)
#include <comcat.h>
#else
#include "platform/activation/ComponentCategories_linux.h"
#endif
