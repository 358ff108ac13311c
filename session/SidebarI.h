// What the session needs of a sidebar band: the window it shows the ads in.
// The session asks while it holds its sidebars lock, so the answer must be a
// plain read that takes no lock and sends no message.
#pragma once

#include "platform/ui/WinTypes.h"

namespace session {

class SidebarI {
 public:
  virtual ~SidebarI() = default;
  virtual HWND SidebarWindow() const = 0;
};

}  // namespace session
