// After registration, the browser is told how new windows start: the
// toolbar shown and the sidebar hidden. The browser application is created
// out of process and asked through ShowBrowserBar, which stores the choice
// for its next windows, then told to quit. A machine where the browser
// cannot be created simply keeps its defaults: nothing here can fail
// registration.
#pragma once

namespace server {

void ApplyBrowserBarDefaults() noexcept;

}  // namespace server
