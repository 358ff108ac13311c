// The service half of the demo: walks the calls the toolbar makes over its
// own SOAP client to the reference service running in-process: the category
// and blocked-term lists, a member's login and totals, public and member ads
// for a page, and the update check. Prints what came back and the requests
// the service saw.
#pragma once

#include <memory>
#include <ostream>

#include "tools/refservice/ReferenceService.h"

namespace demo {

// The reference service on a free loopback port; null (and the reason on
// `out`) when it could not be started.
std::unique_ptr<refservice::ReferenceService> StartReferenceService(std::ostream& out);

void PlayServiceTour(std::ostream& out, const refservice::ReferenceService& service);

}  // namespace demo
