// The commands that work on the page (find, highlight, scripts) first let
// the browser finish loading it: the page they would search or script is
// not there yet while it loads.
#pragma once

#include <cstdint>

struct IWebBrowser2;

namespace framework {

inline constexpr std::uint32_t kPageReadyLimitMs = 5000;

// True once the browser is neither busy nor short of READYSTATE_COMPLETE.
// Until then the thread's messages are pumped (the browser loads the page
// through them), waiting on a timer for the rest of the limit so nothing
// spins. False when the limit passes on the product's clock first, when
// WM_QUIT arrives (it is posted again for the outer loop), or for a null
// browser.
bool WaitForPageReady(IWebBrowser2* browser, std::uint32_t limitMs = kPageReadyLimitMs);

}  // namespace framework
