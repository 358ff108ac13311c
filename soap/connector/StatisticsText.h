// Reading the utils service's `Statistics` answer, "money,mail count,
// friends,mail flag" (e.g. "12.5,3,7,1"), into `MemberTotals`.
//
// Each field converts as atof/atoi do, so a non-numeric field reads 0 and
// the totals still count as valid: the service did answer for this member.
// An answer with fewer than four fields (null and empty included) is not a
// totals text at all; showing zeros for it would tell the member they have
// no money, so it is refused and the caller keeps its totals invalid.
// Anything after the third comma belongs to the mail flag, as atoi reads it.
#pragma once

#include <optional>
#include <string_view>

#include "soap/connector/ConnectorRecords.h"

namespace soap {

std::optional<MemberTotals> ParseStatisticsText(std::u16string_view text);

}  // namespace soap
