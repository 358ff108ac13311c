// The one way the session and the ads thread reach the two services. Each
// `bx` operation makes exactly one SOAP call on a proxy built for that call
// alone (so one connection per call), with COM initialised on the calling
// thread just around it, and copies the answer into records the caller
// owns. Nothing escapes: a network error, HTTP error, SOAP fault, parse
// error or exception ends as a count of 0 with a valid empty array (or, for
// the totals, a record whose valid flag stays 0). There is no retry.
//
// The connector keeps no state between calls, so several threads may use
// one object at once; each call blocks its thread for the exchange. A caller
// that wants to know how the call ended (the inspection tool) passes a
// CallOutcome; the product passes none.
//
//   soap::VimaruConnector connector;   // the default endpoints
//   soap::ResultArray<soap::AdEntry> ads;
//   const int count = connector.bxGetPublicAds(request, ads);
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/com/HResult.h"
#include "soap/connector/ConnectorRecords.h"
#include "soap/connector/ResultArray.h"

namespace soap {

// Where the proxies of a connector go; an empty value keeps the proxy's
// default endpoint (the build's, or the environment's override).
struct ServiceEndpoints {
  std::optional<std::string> ads;
  std::optional<std::string> utils;
};

class VimaruConnector {
 public:
  VimaruConnector() = default;
  explicit VimaruConnector(ServiceEndpoints endpoints) : endpoints_(std::move(endpoints)) {}

  // The ad categories: Label (a keyword) and Name (its category group).
  int bxGetCategoryList(ResultArray<CategoryEntry>& categories,
                        CallOutcome* outcome = nullptr) const;
  // The blocked terms, each in Label; the list ends at the first null term.
  int bxGetBlockedCategoryList(ResultArray<CategoryEntry>& terms,
                               CallOutcome* outcome = nullptr) const;
  // Ads credited to the member named in the request (all eight fields sent).
  int bxGetMemberAds(const AdRequest& request, ResultArray<AdEntry>& ads,
                     CallOutcome* outcome = nullptr) const;
  // Ads for anyone: the request's member id is never sent.
  int bxGetPublicAds(const AdRequest& request, ResultArray<AdEntry>& ads,
                     CallOutcome* outcome = nullptr) const;
  // The member's totals from the `Statistics` text. An empty member id makes
  // no call. Returns 0 (valid says whether the figures came from the
  // service), or a negative status when the call failed or its answer was
  // not a totals text (see StatisticsText.h).
  HRESULT bxTotals(std::u16string_view memberId, MemberTotals& totals,
                   CallOutcome* outcome = nullptr) const;

 private:
  ServiceEndpoints endpoints_;
};

}  // namespace soap
