#include "session/ads/AdsRequest.h"

#include <utility>

#include "platform/text/CodePage.h"
#include "session/CategoryTable.h"
#include "session/TabContextC.h"
#include "session/sidebar/ReferralValues.h"
#include "session/sidebar/SidebarContent.h"
#include "soap/connector/ResultArray.h"
#include "soap/connector/VimaruConnector.h"

namespace session {

soap::AdRequest MakeAdRequest(std::string_view memberId, std::u16string category,
                              std::u16string userAgent, std::u16string pageUrl) {
  soap::AdRequest request;
  request.encryptedMemberId = platform::AnsiToWide(memberId);
  request.offerId = kAdsOfferId;
  request.categoryGroup = std::move(category);
  request.maxAds = kAdsMostAds;
  request.userAgent = std::move(userAgent);
  request.pageUrl = std::move(pageUrl);
  return request;
}

std::u16string ChosenCategoryName(const TabContextC& record) {
  if (!record.categories || record.categoryCount < 1 || record.categoryIndex < 0) return {};
  const auto& categories = record.categories->lists.categories;
  const auto index = static_cast<std::size_t>(record.categoryIndex);
  if (index >= categories.size()) return {};
  return categories[index].Name;
}

SidebarFetch FetchSidebarContent(const soap::AdRequest& request, bool member) {
  const soap::VimaruConnector connector;
  soap::ResultArray<soap::AdEntry> ads;
  SidebarFetch fetch;
  fetch.count =
      member ? connector.bxGetMemberAds(request, ads) : connector.bxGetPublicAds(request, ads);
  fetch.html = BuildSidebarContent(ads, fetch.count, member, ReadReferralValues());
  return fetch;
}

}  // namespace session
