// The member's login, played in the stand-in browser: a tab with the
// product's toolbar, the login button pressed, the login dialog hanging
// under the toolbar filled in by a member of the reference service (with
// "Keep me logged in" ticked), its picture taken, OK pressed; then what the
// service was sent, what the toolbar and the registry show afterwards, and
// the logout.
#pragma once

#include <ostream>

#include "tools/refservice/ReferenceService.h"

namespace demo {

bool PlayLoginTour(std::ostream& out, const refservice::ReferenceService& service);

}  // namespace demo
