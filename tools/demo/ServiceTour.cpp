#include "tools/demo/ServiceTour.h"

#include <exception>
#include <iomanip>
#include <string>

#include "platform/com/ComInit.h"
#include "platform/text/CodePage.h"
#include "soap/connector/VimaruConnector.h"
#include "soap/utils/CUtilsT.h"
#include "soap/utils/UpdateService.h"
#include "tools/refservice/ReferenceService.h"

namespace demo {
namespace {

constexpr int kOfferId = 60;
constexpr std::size_t kListShown = 6;

std::string Text(const soap::SoapString& text) {
  return text ? platform::WideToUtf8(*text) : std::string("(null)");
}

std::u16string Wide(const std::string& utf8) { return platform::Utf8ToWide(utf8); }

void ShowCategories(std::ostream& out, const soap::VimaruConnector& connector) {
  soap::ResultArray<soap::CategoryEntry> categories;
  const int count = connector.bxGetCategoryList(categories);
  out << "Categories: " << count << " keywords";
  for (int i = 0; i < count && static_cast<std::size_t>(i) < kListShown; ++i) {
    out << (i == 0 ? " (" : ", ") << Text(categories[i].Label) << " -> "
        << Text(categories[i].Name);
  }
  out << (count > 0 ? ", ...)\n" : "\n");

  soap::ResultArray<soap::CategoryEntry> blocked;
  const int blockedCount = connector.bxGetBlockedCategoryList(blocked);
  out << "Blocked terms: " << blockedCount << '\n';
}

// Logs the first member of the service's data in as the login dialog would,
// and returns the encrypted member id (empty when the login failed).
std::u16string LogIn(std::ostream& out, const refservice::ReferenceService& service) {
  const auto& members = service.Data().members;
  if (members.empty()) return {};
  const auto& member = members.front();
  platform::ScopedComInit com;
  Utils::CUtils proxy(service.UtilsEndpoint());
  Utils::LoginInfo info;
  const HRESULT status =
      proxy.Login(Wide(member.email), Wide(member.password), member.securityQuestionId,
                  Wide(member.securityAnswer), kOfferId, &info);
  const bool loggedIn = SUCCEEDED(status) && info.EncMemberId && !info.EncMemberId->empty();
  out << "Login as " << member.email << ": "
      << (loggedIn ? "member " + Text(info.EncMemberId) : "failed") << '\n';
  return loggedIn ? *info.EncMemberId : std::u16string();
}

void ShowTotals(std::ostream& out, const soap::VimaruConnector& connector,
                const std::u16string& memberId) {
  soap::MemberTotals totals;
  connector.bxTotals(memberId, totals);
  if (!totals.valid) {
    out << "Totals: not available\n";
    return;
  }
  out << "Totals: \"My Money $" << std::fixed << std::setprecision(3) << totals.money
      << "\", \"Friends " << totals.friends << "\", mail " << totals.mailCount
      << (totals.mailFlag == 1 ? " (shown)" : "") << '\n';
}

void ShowAds(std::ostream& out, const soap::VimaruConnector& connector,
             const refservice::ReferenceService& service, const std::u16string& memberId) {
  soap::AdRequest request;
  request.encryptedMemberId = memberId;
  request.offerId = u"60";
  request.categoryGroup =
      service.Data().categories.empty() ? u"" : Wide(service.Data().categories.front().name);
  request.maxAds = u"5";
  request.userAgent = u"Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 5.1)";
  request.pageUrl = Wide(service.BaseUrl() + "/pages/cars.html");

  soap::ResultArray<soap::AdEntry> ads;
  const int count = memberId.empty() ? connector.bxGetPublicAds(request, ads)
                                     : connector.bxGetMemberAds(request, ads);
  out << (memberId.empty() ? "Public" : "Member") << " ads for \""
      << platform::WideToUtf8(request.categoryGroup) << "\": " << count << '\n';
  for (const auto& ad : ads) out << "  " << Text(ad.Title) << "  <" << Text(ad.ClickUrl) << ">\n";
}

void ShowRequests(std::ostream& out, const refservice::ReferenceService& service) {
  out << "The service saw " << service.RequestCount() << " requests:";
  for (const auto& request : service.Requests()) out << ' ' << request.operation;
  out << '\n';
}

}  // namespace

std::unique_ptr<refservice::ReferenceService> StartReferenceService(std::ostream& out) {
  try {
    auto service = std::make_unique<refservice::ReferenceService>();
    out << "\nReference service on " << service->BaseUrl() << '\n';
    return service;
  } catch (const std::exception& error) {
    out << "The reference service did not start: " << error.what() << '\n';
    return nullptr;
  }
}

void PlayServiceTour(std::ostream& out, const refservice::ReferenceService& service) {
  const soap::VimaruConnector connector(
      soap::ServiceEndpoints{service.AdsEndpoint(), service.UtilsEndpoint()});

  ShowCategories(out, connector);
  const std::u16string memberId = LogIn(out, service);
  ShowTotals(out, connector, memberId);
  ShowAds(out, connector, service, {});
  if (!memberId.empty()) ShowAds(out, connector, service, memberId);

  const std::string download = soap::UpdateService(service.UtilsEndpoint()).bxUpdate();
  out << "Update check: " << (download.empty() ? "up to date" : "new version at " + download)
      << '\n';

  ShowRequests(out, service);
}

}  // namespace demo
