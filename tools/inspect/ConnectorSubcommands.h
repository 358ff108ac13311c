// The connector's view of the services, as the toolbar sees them, on the
// connector's configured endpoints (the build's, or VIMARU_ADS_ENDPOINT and
// VIMARU_UTILS_ENDPOINT). Each object starts with how the call ended, as
// `call` shows it: "status" (HRESULT), "error" (the client's code) and
// "message" (why it failed, null when it did not), then
//   totals --member ID      "valid", "money", "mailCount", "friends", "mailFlag"
//   categories              "count", "categories": [{"Label", "Name"}]
//   blocked                 "count", "terms": [...]
//   ads [--member ID] [--category NAME] [--url URL]
//                           "count", "ads": [{"Title", "Url", "Description", "ClickUrl"}]
// `ads` asks for member ads when a member is given, else for public ads,
// with the request the ads thread sends (offer 60, at most 5 ads). The
// figures are what the connector hands the product (a failed call is a
// count of 0, valid 0); a failed call also exits 1 with its message.
#pragma once

#include <ostream>

#include "tools/inspect/Subcommand.h"

namespace tools {

inline constexpr std::string_view kTotalsUsage = "totals --member ID";
inline constexpr std::string_view kCategoriesUsage = "categories";
inline constexpr std::string_view kBlockedUsage = "blocked";
inline constexpr std::string_view kAdsUsage = "ads [--member ID] [--category NAME] [--url URL]";

int RunTotalsSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err);
int RunCategoriesSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err);
int RunBlockedSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err);
int RunAdsSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err);

}  // namespace tools
