// Where the member buttons and the registration button lead. A logged-in
// member goes to the product's own pages. Anyone else is credited to whoever
// referred this installation (session/sidebar/ReferralValues.h): with the
// referrer's id on the referral domain's "www." host, else on the
// referrer's own sub-domain of it, else on the product's site.
//
// The referral domain is the build's setting or its run-time override
// (soap/ServiceConfig.h). The id is appended exactly as the installer stored
// it; an empty id credits nobody and counts as not stored, and a sub-domain
// that is not a plain host name counts as not stored, so a registry value
// cannot move the page to another host.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "session/sidebar/ReferralValues.h"

namespace commands {

using ReferralReader = std::function<session::ReferralValues()>;

// The member page "default.aspx?is=<pageWord>". `readReferral` is called only
// when nobody is logged in.
std::string MemberPage(std::string_view pageWord, bool loggedIn,
                       const ReferralReader& readReferral);

// The registration page, by the referral values alone.
std::string RegistrationPage(const session::ReferralValues& referral);

}  // namespace commands
