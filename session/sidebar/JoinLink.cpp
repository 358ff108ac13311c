#include "session/sidebar/JoinLink.h"

#include <algorithm>

#include "platform/text/CodePage.h"
#include "session/sidebar/PercentEncoding.h"
#include "soap/ServiceConfig.h"

namespace session {
namespace {

constexpr std::size_t kMaxLabelLength = 63;
constexpr std::size_t kMaxSubDomainLength = 253;

bool IsLabelCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

bool IsValidLabel(std::string_view label) {
  return !label.empty() && label.size() <= kMaxLabelLength &&
         std::all_of(label.begin(), label.end(), IsLabelCharacter);
}

}  // namespace

bool IsValidReferralSubDomain(std::string_view subDomain) {
  if (subDomain.empty() || subDomain.size() > kMaxSubDomainLength) return false;
  for (;;) {
    const std::size_t dot = subDomain.find('.');
    if (!IsValidLabel(subDomain.substr(0, dot))) return false;
    if (dot == std::string_view::npos) return true;
    subDomain.remove_prefix(dot + 1);
  }
}

std::u16string JoinLinkUrl(const ReferralValues& referral) {
  if (referral.referalId && !referral.referalId->empty()) {
    return platform::AnsiToWide(soap::kReferralSite) + u"default.aspx?mrid=" +
           PercentEncodeQueryValue(platform::AnsiToWide(*referral.referalId));
  }
  if (referral.referalSubDomain && IsValidReferralSubDomain(*referral.referalSubDomain)) {
    return u"http://" + platform::AnsiToWide(*referral.referalSubDomain) +
           platform::AnsiToWide(soap::DefaultReferralDomain()) + u"/default.aspx";
  }
  return platform::AnsiToWide(soap::DefaultWebSite()) + u"default.aspx?is=joinfree";
}

}  // namespace session
