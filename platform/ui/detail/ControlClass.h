// Registration of the toolkit's own control classes. They are global
// classes, as the common controls' are, so any module's windows can use them.
#pragma once

#include "platform/ui/WindowMessages.h"

namespace platform::ui::detail {

void RegisterControlClass(LPCWSTR className, WNDPROC procedure, UINT style);

}  // namespace platform::ui::detail
