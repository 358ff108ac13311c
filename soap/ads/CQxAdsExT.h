// The ads service proxy: one method per operation of the service, each a
// thin front for the runtime's generic call with that operation's tables.
// In-parameters are native values (a null SoapString goes out as xsi:nil);
// an array result comes back through a vector pointer and a count pointer,
// a single result through one pointer. Each method returns a status
// (negative on failure) and leaves GetClientError() set; the out-pointers
// are written only on success.
//
//   QxAdsEx::CQxAdsEx proxy;   // on the default ads endpoint
//   std::vector<QxAdsEx::CategoryItem> categories;
//   int count = 0;
//   if (SUCCEEDED(proxy.GetCategoryList(&categories, &count))) ...
//
// The system builds one proxy per call and destroys it afterwards, which
// closes its connection.
#pragma once

#include <string_view>
#include <vector>

#include "platform/com/HResult.h"
#include "soap/ServiceConfig.h"
#include "soap/ads/QxAdsExTypes.h"
#include "soap/runtime/CSoapSocketClientT.h"

namespace QxAdsEx {

template <typename TClient = soap::CSoapSocketClient>
class CQxAdsExT : public TClient {
 public:
  // Starts on the default endpoint (the build's, or the environment's
  // override); SetUrl may replace it.
  CQxAdsExT() : TClient(soap::DefaultAdsEndpoint()) {}
  explicit CQxAdsExT(std::string_view url) : TClient(url) {}

  HRESULT GetPublicAdsEx(int offerId, const SoapString& memberIp, const SoapString& cgroup,
                         const SoapString& keyword, int maxAds, const SoapString& ua,
                         const SoapString& sURL, bool bFix, std::vector<AdItemResult>* result,
                         int* count);
  HRESULT GetRandomKeyword(SoapString* result);
  HRESULT GetRandomCategory(SoapString* result);
  HRESULT GetMemberAdsEx(const SoapString& encryptedMemberId, int offerId,
                         const SoapString& memberIp, const SoapString& cgroup,
                         const SoapString& keyword, int maxAds, const SoapString& ua,
                         bool isChargable, const SoapString& sURL, bool bFix,
                         std::vector<AdItemResult>* result, int* count);
  HRESULT GetMemberAds(const SoapString& encryptedMemberId, int offerId, const SoapString& memberIp,
                       const SoapString& cgroup, const SoapString& keyword, int maxAds,
                       const SoapString& ua, bool isChargable, const SoapString& sURL,
                       std::vector<AdItemResult>* result, int* count);
  // The eight flags say which ad networks to test.
  struct TestFeeds {
    bool testPulse360 = false;
    bool testMamma = false;
    bool testAdmanage = false;
    bool testAdSonar = false;
    bool testNami = false;
    bool testAdKnowledge = false;
    bool testOridian = false;
    bool testAdExchange = false;
  };
  HRESULT testAds(int offerId, const SoapString& memberIp, const SoapString& cgroup,
                  const SoapString& keyword, int maxAds, const SoapString& ua,
                  const SoapString& sURL, const TestFeeds& feeds, std::vector<AdTestItem>* result,
                  int* count);
  HRESULT GetBlockedTermsList(std::vector<SoapString>* result, int* count);
  HRESULT GetKeywordList(std::vector<SoapString>* result, int* count);
  HRESULT GetPublicAds(int offerId, const SoapString& memberIp, const SoapString& cgroup,
                       const SoapString& keyword, int maxAds, const SoapString& ua,
                       const SoapString& sURL, std::vector<AdItemResult>* result, int* count);
  HRESULT TestPublicAds(std::vector<AdItemResult>* result, int* count);
  HRESULT GetCategoryList(std::vector<CategoryItem>* result, int* count);
};

extern template class CQxAdsExT<soap::CSoapSocketClient>;
using CQxAdsEx = CQxAdsExT<>;

}  // namespace QxAdsEx
