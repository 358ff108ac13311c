// Where the sidebar's waiting page lives: the HTML resource "AD.HTM" of the
// module, which the sidebar's control shows from the moment it is made
// until the first ads arrive, addressed through the browser's res:
// protocol by the module's full path.
#pragma once

#include <string>

namespace session {

// "res://" + the module's file path + "/ad.htm".
std::u16string WaitingPageUrl();

}  // namespace session
