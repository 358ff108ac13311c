#include "commands/member/ReferralPages.h"

#include "commands/sites/ProductSite.h"
#include "session/sidebar/JoinLink.h"
#include "soap/ServiceConfig.h"

namespace commands {
namespace {

// The built domain starts with its dot (".vimaru.com"); an override may
// leave it out.
std::string ReferralHostPage(std::string_view label, std::string_view pathAndQuery) {
  const std::string domain = soap::DefaultReferralDomain();
  std::string page = "http://";
  page += label;
  if (domain.empty() || domain.front() != '.') page += '.';
  page += domain;
  page += pathAndQuery;
  return page;
}

bool HasReferralId(const session::ReferralValues& referral) {
  return referral.referalId && !referral.referalId->empty();
}

bool HasReferralSubDomain(const session::ReferralValues& referral) {
  return referral.referalSubDomain && session::IsValidReferralSubDomain(*referral.referalSubDomain);
}

}  // namespace

std::string MemberPage(std::string_view pageWord, bool loggedIn,
                       const ReferralReader& readReferral) {
  const std::string page = "default.aspx?is=" + std::string(pageWord);
  if (loggedIn) return ProductSitePage(page);
  const session::ReferralValues referral = readReferral();
  if (HasReferralId(referral)) {
    return ReferralHostPage("www", "/" + page + "&mrid=" + *referral.referalId);
  }
  if (HasReferralSubDomain(referral)) {
    return ReferralHostPage(*referral.referalSubDomain, "/" + page);
  }
  return ProductSitePage(page);
}

std::string RegistrationPage(const session::ReferralValues& referral) {
  if (HasReferralId(referral)) {
    return ReferralHostPage("www", "/default.aspx?mrid=" + *referral.referalId);
  }
  if (HasReferralSubDomain(referral)) {
    return ReferralHostPage(*referral.referalSubDomain, "/default.aspx");
  }
  return ProductSitePage("default.aspx?is=joinfree");
}

}  // namespace commands
