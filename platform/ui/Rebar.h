// The rebar control ("ReBarWindow32") the browser's toolbars stand in. Bands
// are driven with the RB_* messages of CommCtrl.h. A band's child window is
// re-parented to the rebar, as the real control does.
//
// The host also knows which band object (by its class id text,
// "{...}") owns each band; a real rebar keeps that in the browser's own
// bookkeeping, here the band keeps it and the toolband can find its band by it.
#pragma once

#include <string>

#include "platform/ui/CommCtrl.h"

namespace platform::ui {

// Both run on the rebar's thread, like its window procedure.

// Marks the band at `index` as belonging to the band object with this class id.
bool SetRebarBandClassId(HWND rebar, int index, std::u16string classIdText);
// The index of the band whose object has this class id (case-insensitive), or -1.
int FindRebarBandByClassId(HWND rebar, std::u16string_view classIdText);

}  // namespace platform::ui
