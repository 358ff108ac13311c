// One ads request as the ads thread makes it: the request's eight fields
// from the session's member, the tab's chosen category, the browser's user
// agent and the page's address; the connector call that fits the member
// (member ads with a member id, public ads without); and the sidebar
// fragment built from the answer. The inspection tool's `sidebar`
// subcommand runs the same steps, so what it shows is what a tab gets.
#pragma once

#include <string>
#include <string_view>

#include "soap/connector/ConnectorRecords.h"

namespace session {

class TabContextC;

inline constexpr char16_t kAdsOfferId[] = u"60";
inline constexpr char16_t kAdsMostAds[] = u"5";

// `memberId` is the session's narrow (ANSI) member id, empty for a visitor.
// Offer "60", at most "5" ads; member address and keyword stay empty.
soap::AdRequest MakeAdRequest(std::string_view memberId, std::u16string category,
                              std::u16string userAgent, std::u16string pageUrl);

// The Name of the record's chosen category; empty with no lists, a count
// below 1 or an index outside the lists.
std::u16string ChosenCategoryName(const TabContextC& record);

struct SidebarFetch {
  int count = 0;        // the connector's count
  std::u16string html;  // the sidebar fragment
};

// Blocks for the service call: workers and the tool only. One fresh
// connector per call, on the configured endpoints. `member`: the session has
// a member id (member ads and the member's heading).
SidebarFetch FetchSidebarContent(const soap::AdRequest& request, bool member);

}  // namespace session
