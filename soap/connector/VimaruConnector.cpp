#include "soap/connector/VimaruConnector.h"

#include <utility>
#include <vector>

#include "platform/com/ComInit.h"
#include "platform/trace/Contain.h"
#include "soap/ads/CQxAdsExT.h"
#include "soap/connector/CrtNumbers.h"
#include "soap/connector/StatisticsText.h"
#include "soap/utils/CUtilsT.h"

namespace soap {
namespace {

constexpr char kContainedCause[] = "the operation stopped on an exception";

// Notes how the proxy's call ended for a caller that asked.
template <typename Proxy>
void NoteOutcome(CallOutcome* outcome, HRESULT hr, const Proxy& proxy) {
  if (outcome == nullptr) return;
  outcome->status = hr;
  outcome->error = proxy.GetClientError();
  outcome->cause = proxy.GetFailureCause();
}

// An operation whose body let an exception out failed, whatever it noted.
void NoteContained(CallOutcome* outcome) {
  if (outcome == nullptr) return;
  outcome->status = E_FAIL;
  outcome->cause = kContainedCause;
}

// Runs `fill` (build the proxy, make the call, copy the answer) with the
// begin/end/exception lines and the containment every list operation shares.
// On an exception the caller gets whatever was copied so far, so the count
// still equals the array's filled elements.
template <typename Entry, typename Fill>
int ContainedListOperation(std::string_view operation, ResultArray<Entry>& result,
                           CallOutcome* outcome, Fill&& fill) noexcept {
  if (outcome != nullptr) *outcome = CallOutcome();
  ResultArray<Entry> filled;
  platform::ContainTraced(
      operation, false,
      [&] {
        fill(filled);
        return true;
      },
      [&] { NoteContained(outcome); });
  result = std::move(filled);
  return result.Count();
}

// The one call, with COM initialised just before it and uninitialised just
// after. Only an initialisation that succeeded is undone: a thread that
// already lives in the other apartment model gets RPC_E_CHANGED_MODE, and
// pairing that with CoUninitialize would tear down the caller's own COM.
template <typename Call>
HRESULT CallWithCom(Call&& call) {
  const platform::ScopedComInit com;
  return call();
}

AdEntry ToAdEntry(QxAdsEx::AdItemResult& item) {
  return AdEntry{std::move(item.Title), std::move(item.Url), std::move(item.Description),
                 std::move(item.ClickUrl)};
}

void CopyAds(HRESULT hr, std::vector<QxAdsEx::AdItemResult>& items, ResultArray<AdEntry>& filled) {
  filled = ResultArray<AdEntry>(SUCCEEDED(hr) ? items.size() : 0);
  if (FAILED(hr)) return;
  for (QxAdsEx::AdItemResult& item : items) filled.Append(ToAdEntry(item));
}

}  // namespace

int VimaruConnector::bxGetCategoryList(ResultArray<CategoryEntry>& categories,
                                       CallOutcome* outcome) const {
  return ContainedListOperation(
      "VimaruConnector::bxGetCategoryList", categories, outcome, [&](auto& filled) {
        QxAdsEx::CQxAdsEx proxy;
        if (endpoints_.ads) proxy.SetUrl(*endpoints_.ads);
        std::vector<QxAdsEx::CategoryItem> items;
        int reported = 0;
        const HRESULT hr = CallWithCom([&] { return proxy.GetCategoryList(&items, &reported); });
        NoteOutcome(outcome, hr, proxy);
        filled = ResultArray<CategoryEntry>(SUCCEEDED(hr) ? items.size() : 0);
        if (FAILED(hr)) return;
        for (QxAdsEx::CategoryItem& item : items) {
          filled.Append(CategoryEntry{std::move(item.Label), std::move(item.Name)});
        }
      });
}

int VimaruConnector::bxGetBlockedCategoryList(ResultArray<CategoryEntry>& terms,
                                              CallOutcome* outcome) const {
  return ContainedListOperation(
      "VimaruConnector::bxGetBlockedCategoryList", terms, outcome, [&](auto& filled) {
        QxAdsEx::CQxAdsEx proxy;
        if (endpoints_.ads) proxy.SetUrl(*endpoints_.ads);
        std::vector<SoapString> items;
        int reported = 0;
        const HRESULT hr =
            CallWithCom([&] { return proxy.GetBlockedTermsList(&items, &reported); });
        NoteOutcome(outcome, hr, proxy);
        filled = ResultArray<CategoryEntry>(SUCCEEDED(hr) ? items.size() : 0);
        if (FAILED(hr)) return;
        for (SoapString& term : items) {
          if (!term) break;
          filled.Append(CategoryEntry{std::move(term), std::nullopt});
        }
      });
}

int VimaruConnector::bxGetMemberAds(const AdRequest& request, ResultArray<AdEntry>& ads,
                                    CallOutcome* outcome) const {
  return ContainedListOperation("VimaruConnector::bxGetMemberAds", ads, outcome, [&](auto& filled) {
    QxAdsEx::CQxAdsEx proxy;
    if (endpoints_.ads) proxy.SetUrl(*endpoints_.ads);
    std::vector<QxAdsEx::AdItemResult> items;
    int reported = 0;
    const HRESULT hr = CallWithCom([&] {
      return proxy.GetMemberAds(request.encryptedMemberId, AtoiText(request.offerId),
                                request.memberIp, request.categoryGroup, request.keyword,
                                AtoiText(request.maxAds), request.userAgent, true, request.pageUrl,
                                &items, &reported);
    });
    NoteOutcome(outcome, hr, proxy);
    CopyAds(hr, items, filled);
  });
}

int VimaruConnector::bxGetPublicAds(const AdRequest& request, ResultArray<AdEntry>& ads,
                                    CallOutcome* outcome) const {
  return ContainedListOperation("VimaruConnector::bxGetPublicAds", ads, outcome, [&](auto& filled) {
    QxAdsEx::CQxAdsEx proxy;
    if (endpoints_.ads) proxy.SetUrl(*endpoints_.ads);
    std::vector<QxAdsEx::AdItemResult> items;
    int reported = 0;
    const HRESULT hr = CallWithCom([&] {
      return proxy.GetPublicAds(AtoiText(request.offerId), request.memberIp, request.categoryGroup,
                                request.keyword, AtoiText(request.maxAds), request.userAgent,
                                request.pageUrl, &items, &reported);
    });
    NoteOutcome(outcome, hr, proxy);
    CopyAds(hr, items, filled);
  });
}

HRESULT VimaruConnector::bxTotals(std::u16string_view memberId, MemberTotals& totals,
                                  CallOutcome* outcome) const {
  totals = MemberTotals();
  if (outcome != nullptr) *outcome = CallOutcome();
  return platform::ContainTraced(
      "VimaruConnector::bxTotals", E_FAIL,
      [&] {
        if (memberId.empty()) return S_OK;
        SoapString statistics;
        HRESULT hr = E_FAIL;
        {
          Utils::CUtils proxy;
          if (endpoints_.utils) proxy.SetUrl(*endpoints_.utils);
          hr = CallWithCom([&] { return proxy.Statistics(std::u16string(memberId), &statistics); });
          NoteOutcome(outcome, hr, proxy);
        }
        if (SUCCEEDED(hr)) {
          const std::optional<MemberTotals> parsed = ParseStatisticsText(statistics.value_or(u""));
          if (parsed) {
            totals = *parsed;
            hr = S_OK;
          } else {
            hr = E_UNEXPECTED;
            if (outcome != nullptr) {
              outcome->status = hr;
              outcome->cause = "the Statistics answer is not a totals text";
            }
          }
        }
        return hr;
      },
      [&] {
        totals = MemberTotals();
        NoteContained(outcome);
      });
}

}  // namespace soap
