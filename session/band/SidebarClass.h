// The sidebar band's identity as COM and the browser know it: the class id
// the browser creates it by (session::kSidebarClassId is the same id as the
// text ShowBrowserBar takes), the ProgIDs and the name the explorer bar is
// listed under. The module's registration writes them.
#pragma once

#include "platform/com/Guid.h"

namespace session {

inline constexpr CLSID CLSID_CmyIESideBar =
    platform::MakeGuid("{21B3866C-DD0C-4675-A87C-A62BF21366AF}");
inline constexpr char16_t kSidebarProgId[] = u"CmyIESideBar.myIESideBar.1";
inline constexpr char16_t kSidebarVersionIndependentProgId[] = u"CmyIESideBar.myIESideBar";
inline constexpr char16_t kSidebarDisplayName[] = u"Halvo";

}  // namespace session
