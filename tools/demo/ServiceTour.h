// The service half of the demo: starts the reference service in-process on
// a free loopback port and walks the calls the toolbar makes over its own
// SOAP client: the category and blocked-term lists, a member's login and
// totals, public and member ads for a page, and the update check. Prints
// what came back and the requests the service saw.
#pragma once

#include <ostream>

namespace demo {

// Returns false when the reference service could not be started.
bool PlayServiceTour(std::ostream& out);

}  // namespace demo
