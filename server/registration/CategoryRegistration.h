// The sidebar's implemented component category, CATID_InfoBand: what lists
// it among the browser's vertical explorer bars. Registered through the
// system's ICatRegister as ATL's category map does, which writes
// HKCR\CLSID\{sidebar}\Implemented Categories\{CATID_InfoBand} only. The
// category's own description under HKCR\Component Categories belongs to
// the shell, which registers it for every explorer bar; writing it here,
// and removing it on unregistration, would take it from the others.
//
// COM must be initialised on the calling thread, as regsvr32 does before it
// calls DllRegisterServer.
#pragma once

#include "platform/com/HResult.h"

namespace server {

HRESULT RegisterSidebarCategory();
HRESULT UnregisterSidebarCategory();

}  // namespace server
