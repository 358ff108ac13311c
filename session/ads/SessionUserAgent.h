// The user agent an ads request reports: the browser's own, read from the
// URL-moniker session option, so the ads service sees the browser the ads
// will show in. Safe on any thread.
#pragma once

#include <string>

namespace session {

// Asks for the size first, then reads the text into a buffer one byte
// longer than reported (room for the terminator). Empty when it cannot be
// read.
std::u16string ReadSessionUserAgent();

}  // namespace session
