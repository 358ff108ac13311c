// `vimaru-tool sidebar [--member ID] [--category NAME] [--url URL]
// [--user-agent UA] [--referral-id ID] [--referral-subdomain NAME]`: runs
// one ads request as the ads thread does (session/ads/AdsRequest.h) on the
// configured ads endpoint and prints the request and the sidebar fragment
// the window would receive, so a wrong sidebar can be traced to its request
// or its ads:
//
//   {"request": {"memberId": ..., "offerId": "60", "memberAddress": "",
//                "category": ..., "keyword": "", "mostAds": "5",
//                "userAgent": ..., "pageUrl": ...},
//    "count": N, "html": "<the fragment>"}
//
// No --member: a visitor. The referral values, when given, are stored first
// where the installer leaves them, as a visitor's join link reads them.
#pragma once

#include <ostream>
#include <string_view>

#include "tools/inspect/Subcommand.h"

namespace tools {

inline constexpr std::string_view kSidebarUsage =
    "sidebar [--member ID] [--category NAME] [--url URL] [--user-agent UA] [--referral-id ID] "
    "[--referral-subdomain NAME]";

int RunSidebarSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err);

}  // namespace tools
