// The pages the toolbar's buttons and menu items open, so a walk through the
// toolbar lands on real pages: the product site's member, registration,
// help and privacy pages at the root (also what the referral hosts answer,
// "www.localhost:PORT" and "<sub-domain>.localhost:PORT" reaching the same
// server), the mail service under /mail, the product's classifieds search
// under /classifieds and each web search engine under /engines/<name>.
// Point the toolbar's site settings (README: service endpoints) at these
// folders of the service's base URL.
//
// Each page is generated from what it was asked: its title names the page
// and the query values it took, escaped, so a test or a person sees in the
// browser what the toolbar asked for.
#pragma once

#include <optional>

#include "tools/refservice/HttpMessage.h"
#include "tools/refservice/RequestLog.h"

namespace refservice {

inline constexpr char kMailFolder[] = "/mail";
inline constexpr char kClassifiedsFolder[] = "/classifieds";
// Followed by "/msn", "/ask", "/google", "/lycos" or "/yahoo".
inline constexpr char kEnginesFolder[] = "/engines";

// The page for a GET of one of these paths, with the record's operation set
// ("member-page", "search-results", ...); nullopt for any other path.
std::optional<HttpAnswer> ServeSitePage(const HttpRequest& request, RecordedRequest& record);

}  // namespace refservice
