#include "soap/ads/CQxAdsExT.h"

#include <utility>

#include "soap/ads/QxAdsExTables.h"

namespace QxAdsEx {
namespace {

// Ownership of a result passes to the caller only when the call succeeded;
// on failure the caller's variables keep what they held.
template <typename Item>
HRESULT HandOver(HRESULT hr, std::vector<Item>& received, std::vector<Item>* result, int* count) {
  if (SUCCEEDED(hr)) {
    *count = static_cast<int>(received.size());
    *result = std::move(received);
  }
  return hr;
}

HRESULT HandOver(HRESULT hr, SoapString& received, SoapString* result) {
  if (SUCCEEDED(hr)) *result = std::move(received);
  return hr;
}

}  // namespace

template <typename TClient>
HRESULT CQxAdsExT<TClient>::GetPublicAdsEx(int offerId, const SoapString& memberIp,
                                           const SoapString& cgroup, const SoapString& keyword,
                                           int maxAds, const SoapString& ua, const SoapString& sURL,
                                           bool bFix, std::vector<AdItemResult>* result,
                                           int* count) {
  if (result == nullptr || count == nullptr) return E_POINTER;
  GetPublicAdsExParams params;
  const HRESULT hr = this->InvokeOperation(kGetPublicAdsEx, params, [&](GetPublicAdsExParams& in) {
    in.offerId = offerId;
    in.memberIp = memberIp;
    in.cgroup = cgroup;
    in.keyword = keyword;
    in.maxAds = maxAds;
    in.ua = ua;
    in.sURL = sURL;
    in.bFix = bFix;
  });
  return HandOver(hr, params.GetPublicAdsExResult, result, count);
}

template <typename TClient>
HRESULT CQxAdsExT<TClient>::GetRandomKeyword(SoapString* result) {
  if (result == nullptr) return E_POINTER;
  GetRandomKeywordParams params;
  const HRESULT hr =
      this->InvokeOperation(kGetRandomKeyword, params, [](GetRandomKeywordParams&) {});
  return HandOver(hr, params.GetRandomKeywordResult, result);
}

template <typename TClient>
HRESULT CQxAdsExT<TClient>::GetRandomCategory(SoapString* result) {
  if (result == nullptr) return E_POINTER;
  GetRandomCategoryParams params;
  const HRESULT hr =
      this->InvokeOperation(kGetRandomCategory, params, [](GetRandomCategoryParams&) {});
  return HandOver(hr, params.GetRandomCategoryResult, result);
}

template <typename TClient>
HRESULT CQxAdsExT<TClient>::GetMemberAdsEx(const SoapString& encryptedMemberId, int offerId,
                                           const SoapString& memberIp, const SoapString& cgroup,
                                           const SoapString& keyword, int maxAds,
                                           const SoapString& ua, bool isChargable,
                                           const SoapString& sURL, bool bFix,
                                           std::vector<AdItemResult>* result, int* count) {
  if (result == nullptr || count == nullptr) return E_POINTER;
  GetMemberAdsExParams params;
  const HRESULT hr = this->InvokeOperation(kGetMemberAdsEx, params, [&](GetMemberAdsExParams& in) {
    in.encryptedMemberId = encryptedMemberId;
    in.offerId = offerId;
    in.memberIp = memberIp;
    in.cgroup = cgroup;
    in.keyword = keyword;
    in.maxAds = maxAds;
    in.ua = ua;
    in.isChargable = isChargable;
    in.sURL = sURL;
    in.bFix = bFix;
  });
  return HandOver(hr, params.GetMemberAdsExResult, result, count);
}

template <typename TClient>
HRESULT CQxAdsExT<TClient>::GetMemberAds(const SoapString& encryptedMemberId, int offerId,
                                         const SoapString& memberIp, const SoapString& cgroup,
                                         const SoapString& keyword, int maxAds,
                                         const SoapString& ua, bool isChargable,
                                         const SoapString& sURL, std::vector<AdItemResult>* result,
                                         int* count) {
  if (result == nullptr || count == nullptr) return E_POINTER;
  GetMemberAdsParams params;
  const HRESULT hr = this->InvokeOperation(kGetMemberAds, params, [&](GetMemberAdsParams& in) {
    in.encryptedMemberId = encryptedMemberId;
    in.offerId = offerId;
    in.memberIp = memberIp;
    in.cgroup = cgroup;
    in.keyword = keyword;
    in.maxAds = maxAds;
    in.ua = ua;
    in.isChargable = isChargable;
    in.sURL = sURL;
  });
  return HandOver(hr, params.GetMemberAdsResult, result, count);
}

template <typename TClient>
HRESULT CQxAdsExT<TClient>::testAds(int offerId, const SoapString& memberIp,
                                    const SoapString& cgroup, const SoapString& keyword, int maxAds,
                                    const SoapString& ua, const SoapString& sURL,
                                    const TestFeeds& feeds, std::vector<AdTestItem>* result,
                                    int* count) {
  if (result == nullptr || count == nullptr) return E_POINTER;
  testAdsParams params;
  const HRESULT hr = this->InvokeOperation(ktestAds, params, [&](testAdsParams& in) {
    in.offerId = offerId;
    in.memberIp = memberIp;
    in.cgroup = cgroup;
    in.keyword = keyword;
    in.maxAds = maxAds;
    in.ua = ua;
    in.sURL = sURL;
    in.testPulse360 = feeds.testPulse360;
    in.testMamma = feeds.testMamma;
    in.testAdmanage = feeds.testAdmanage;
    in.testAdSonar = feeds.testAdSonar;
    in.testNami = feeds.testNami;
    in.testAdKnowledge = feeds.testAdKnowledge;
    in.testOridian = feeds.testOridian;
    in.testAdExchange = feeds.testAdExchange;
  });
  return HandOver(hr, params.testAdsResult, result, count);
}

template <typename TClient>
HRESULT CQxAdsExT<TClient>::GetBlockedTermsList(std::vector<SoapString>* result, int* count) {
  if (result == nullptr || count == nullptr) return E_POINTER;
  GetBlockedTermsListParams params;
  const HRESULT hr =
      this->InvokeOperation(kGetBlockedTermsList, params, [](GetBlockedTermsListParams&) {});
  return HandOver(hr, params.GetBlockedTermsListResult, result, count);
}

template <typename TClient>
HRESULT CQxAdsExT<TClient>::GetKeywordList(std::vector<SoapString>* result, int* count) {
  if (result == nullptr || count == nullptr) return E_POINTER;
  GetKeywordListParams params;
  const HRESULT hr = this->InvokeOperation(kGetKeywordList, params, [](GetKeywordListParams&) {});
  return HandOver(hr, params.GetKeywordListResult, result, count);
}

template <typename TClient>
HRESULT CQxAdsExT<TClient>::GetPublicAds(int offerId, const SoapString& memberIp,
                                         const SoapString& cgroup, const SoapString& keyword,
                                         int maxAds, const SoapString& ua, const SoapString& sURL,
                                         std::vector<AdItemResult>* result, int* count) {
  if (result == nullptr || count == nullptr) return E_POINTER;
  GetPublicAdsParams params;
  const HRESULT hr = this->InvokeOperation(kGetPublicAds, params, [&](GetPublicAdsParams& in) {
    in.offerId = offerId;
    in.memberIp = memberIp;
    in.cgroup = cgroup;
    in.keyword = keyword;
    in.maxAds = maxAds;
    in.ua = ua;
    in.sURL = sURL;
  });
  return HandOver(hr, params.GetPublicAdsResult, result, count);
}

template <typename TClient>
HRESULT CQxAdsExT<TClient>::TestPublicAds(std::vector<AdItemResult>* result, int* count) {
  if (result == nullptr || count == nullptr) return E_POINTER;
  TestPublicAdsParams params;
  const HRESULT hr = this->InvokeOperation(kTestPublicAds, params, [](TestPublicAdsParams&) {});
  return HandOver(hr, params.TestPublicAdsResult, result, count);
}

template <typename TClient>
HRESULT CQxAdsExT<TClient>::GetCategoryList(std::vector<CategoryItem>* result, int* count) {
  if (result == nullptr || count == nullptr) return E_POINTER;
  GetCategoryListParams params;
  const HRESULT hr = this->InvokeOperation(kGetCategoryList, params, [](GetCategoryListParams&) {});
  return HandOver(hr, params.GetCategoryListResult, result, count);
}

template class CQxAdsExT<soap::CSoapSocketClient>;

}  // namespace QxAdsEx
