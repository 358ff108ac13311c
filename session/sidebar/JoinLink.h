// Where a visitor's "Join Free." link leads: to the referral site with the
// referrer's id, else to the referrer's own subdomain of the referral
// domain, else to the join-free page of the product's web site. The sites
// are the build's deployment settings (soap/ServiceConfig.h).
//
// The referral values come from the registry and are outside input: the id
// is percent-encoded as a query value, and a subdomain that is not a plain
// host name counts as absent, so neither can change where the link leads
// beyond the page the referrer is credited on.
#pragma once

#include <string>
#include <string_view>

#include "session/sidebar/ReferralValues.h"

namespace session {

// One or more labels of 1..63 ASCII letters, digits and hyphens, separated
// by dots, 253 characters in all at most.
bool IsValidReferralSubDomain(std::string_view subDomain);

// The link's address, not yet escaped for an attribute:
//   <referral site>default.aspx?mrid=<id>        with a non-empty ReferalId,
//   http://<subdomain><referral domain>/default.aspx   else with a valid ReferalSubDomain,
//   <web site>default.aspx?is=joinfree           else.
// An empty id credits nobody and falls through like an absent one. The
// values are ANSI text and are read as Windows-1252.
std::u16string JoinLinkUrl(const ReferralValues& referral);

}  // namespace session
