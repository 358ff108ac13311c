// The ads sidebar's HTML fragment: its own script (click throttling and the
// popup that frames an ad's click URL) and style sheet, a heading (the
// member's choice of ads, or a visitor's join link), the ads, and the
// "ads by QX" mark. The sidebar window inserts it into its page, which is
// loaded from the module's own resources; QXThread::SetSidebarContent
// builds it from the ads the connector fetched for the current page.
//
// Everything an ad or the registry supplies is escaped for the context it
// lands in (platform/text/MarkupEscapes.h, PercentEncoding.h): titles, descriptions and
// display URLs show as literal text, and an ad whose click URL is not http
// or https has anchors without a click action:
//   <a href='javascript:void(0)'>title</a>
// instead of
//   <a href='javascript:void(0)'onClick="if(QxAdClick()){ CreateVimaruPopup('url');}">title</a>
#pragma once

#include <string>

#include "session/sidebar/ReferralValues.h"
#include "soap/connector/ConnectorRecords.h"
#include "soap/connector/ResultArray.h"

namespace session {

// `count` is the connector's count; the first min(count, ads.Count()) ads
// are shown, none for a count below 1. `member`: the session has a member
// id; a visitor gets the join link built from `referral` instead of the
// member's heading. Never throws: a failure gives an empty fragment and the
// trace line "QXThread::SetSidebarContent Exception".
std::u16string BuildSidebarContent(const soap::ResultArray<soap::AdEntry>& ads, int count,
                                   bool member, const ReferralValues& referral) noexcept;

}  // namespace session
