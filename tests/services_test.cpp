// The proxies, UpdateService and the connector against the reference
// service over loopback: every operation the product calls, the connector's
// failure paths on a real socket, the run-time endpoint override, and
// concurrent connector calls.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/text/CodePage.h"
#include "soap/ServiceConfig.h"
#include "soap/ads/CQxAdsExT.h"
#include "soap/connector/VimaruConnector.h"
#include "soap/utils/CUtilsT.h"
#include "soap/utils/UpdateService.h"
#include "tools/refservice/ReferenceService.h"

namespace {

using refservice::Misbehaviour;
using soap::SoapClientError;

std::u16string Wide(std::string_view utf8) { return platform::Utf8ToWide(utf8); }

class ServicesTest : public ::testing::Test {
 protected:
  soap::VimaruConnector Connector() const {
    return soap::VimaruConnector(
        soap::ServiceEndpoints{service_.AdsEndpoint(), service_.UtilsEndpoint()});
  }

  static soap::AdRequest RequestFor(std::u16string group, std::u16string memberId = u"") {
    soap::AdRequest request;
    request.encryptedMemberId = std::move(memberId);
    request.offerId = u"60";
    request.categoryGroup = std::move(group);
    request.maxAds = u"5";
    request.userAgent = u"Mozilla/4.0 (compatible; MSIE 7.0)";
    request.pageUrl = u"http://127.0.0.1/pages/cars.html";
    return request;
  }

  const refservice::RecordedRequest& OnlyRequest() {
    requests_ = service_.Requests();
    EXPECT_EQ(requests_.size(), 1u);
    return requests_.at(0);
  }

  refservice::ReferenceService service_;
  std::vector<refservice::RecordedRequest> requests_;
};

TEST_F(ServicesTest, CategoriesAndBlockedTermsComeFromTheServiceData) {
  const soap::VimaruConnector connector = Connector();
  soap::ResultArray<soap::CategoryEntry> categories;
  ASSERT_EQ(connector.bxGetCategoryList(categories),
            static_cast<int>(service_.Data().categories.size()));
  for (std::size_t i = 0; i < service_.Data().categories.size(); ++i) {
    EXPECT_EQ(categories[i].Label, Wide(service_.Data().categories[i].label));
    EXPECT_EQ(categories[i].Name, Wide(service_.Data().categories[i].name));
  }
  soap::ResultArray<soap::CategoryEntry> terms;
  ASSERT_EQ(connector.bxGetBlockedCategoryList(terms),
            static_cast<int>(service_.Data().blockedTerms.size()));
  EXPECT_EQ(terms[0].Label, Wide(service_.Data().blockedTerms[0]));
  EXPECT_FALSE(terms[0].Name.has_value());
}

TEST_F(ServicesTest, PublicAdsAreServedForTheGroupWithoutTheMember) {
  const std::string& member = service_.Data().members.at(0).encMemberId;
  soap::ResultArray<soap::AdEntry> ads;
  const int count = Connector().bxGetPublicAds(RequestFor(u"Autos", Wide(member)), ads);
  ASSERT_GT(count, 0);
  EXPECT_LE(count, 5);
  EXPECT_EQ(ads.Count(), count);
  EXPECT_EQ(ads[0].Title, Wide(service_.Data().AdsForGroup("Autos").at(0)->title));
  ASSERT_TRUE(ads[0].ClickUrl.has_value());
  EXPECT_EQ(ads[0].ClickUrl->find(u"member="), std::u16string::npos);

  const refservice::RecordedRequest& request = OnlyRequest();
  EXPECT_EQ(request.operation, "GetPublicAds");
  EXPECT_EQ(request.http.raw.find(member), std::string::npos);
  std::vector<std::string> names;
  for (const refservice::SoapParameter& parameter : request.parameters)
    names.push_back(parameter.name);
  EXPECT_EQ(names, (std::vector<std::string>{"offerId", "memberIp", "cgroup", "keyword", "maxAds",
                                             "ua", "sURL"}));
}

TEST_F(ServicesTest, MemberAdsAreCreditedToTheMember) {
  const std::string& member = service_.Data().members.at(0).encMemberId;
  soap::ResultArray<soap::AdEntry> ads;
  ASSERT_GT(Connector().bxGetMemberAds(RequestFor(u"Travel", Wide(member)), ads), 0);
  ASSERT_TRUE(ads[0].ClickUrl.has_value());
  EXPECT_NE(ads[0].ClickUrl->find(Wide("member=" + member)), std::u16string::npos);
  const refservice::RecordedRequest& request = OnlyRequest();
  EXPECT_EQ(request.operation, "GetMemberAds");
  EXPECT_NE(request.http.raw.find("<isChargable>true</isChargable>"), std::string::npos);
}

TEST_F(ServicesTest, TotalsOfEveryMemberMatchTheirStatisticsText) {
  const soap::VimaruConnector connector = Connector();
  for (const refservice::Member& member : service_.Data().members) {
    SCOPED_TRACE(member.email);
    soap::MemberTotals totals;
    ASSERT_EQ(connector.bxTotals(Wide(member.encMemberId), totals), S_OK);
    EXPECT_EQ(totals.valid, 1);
    EXPECT_DOUBLE_EQ(totals.money, std::stod(member.statistics));
  }
}

TEST_F(ServicesTest, LoginAnswersTheMembersIdAndToken) {
  const refservice::Member& member = service_.Data().members.at(1);  // a password with & and <
  Utils::CUtils proxy(service_.UtilsEndpoint());
  Utils::LoginInfo info;
  ASSERT_EQ(proxy.Login(Wide(member.email), Wide(member.password), member.securityQuestionId,
                        Wide(member.securityAnswer), 60, &info),
            S_OK);
  EXPECT_EQ(info.EncMemberId, Wide(member.encMemberId));
  EXPECT_EQ(info.SSO, Wide(member.sso));

  Utils::CUtils wrong(service_.UtilsEndpoint());
  Utils::LoginInfo refused;
  ASSERT_EQ(wrong.Login(Wide(member.email), u"wrong", member.securityQuestionId,
                        Wide(member.securityAnswer), 60, &refused),
            S_OK);
  EXPECT_TRUE(refused.EncMemberId.value_or(u"").empty());
}

TEST_F(ServicesTest, UpdateServiceOffersTheServedDownload) {
  const std::string download = soap::UpdateService(service_.UtilsEndpoint()).bxUpdate();
  EXPECT_EQ(download, service_.BaseUrl() + "/download/VimaruSetup.exe");
  EXPECT_EQ(OnlyRequest().operation, "VersionInfo");
}

// Every way the exchange can go wrong ends as 0 with a valid empty array,
// and the proxy reports which way it went.
TEST_F(ServicesTest, FailuresEndAsEmptyResults) {
  refservice::SoapFault fault;
  fault.string = "Server was unable to process request.";
  fault.actor = "http://ads.vimaru.com/";
  fault.detailXml = "<why>maintenance</why>";
  const struct {
    const char* situation;
    Misbehaviour misbehaviour;
    SoapClientError error;
  } kCases[] = {
      {"503", Misbehaviour::Status(503), SoapClientError::kSendError},
      {"201", Misbehaviour::Status(201), SoapClientError::kServerError},
      {"fault", Misbehaviour::Fault(fault), SoapClientError::kSoapFault},
      {"500 without a fault", Misbehaviour::Status(500, "oops"), SoapClientError::kFaultParseError},
      {"malformed", Misbehaviour::Malformed(), SoapClientError::kParseError},
      {"truncated", Misbehaviour::Truncate(40), SoapClientError::kSendError},
      {"closed", Misbehaviour::CloseWithoutAnswer(), SoapClientError::kSendError},
      {"307", Misbehaviour::RedirectTo(307, "/qxadsex.asmx"), SoapClientError::kSendError},
  };
  for (const auto& test : kCases) {
    SCOPED_TRACE(test.situation);
    service_.Misbehave("GetPublicAds", test.misbehaviour);
    soap::ResultArray<soap::AdEntry> ads;
    EXPECT_EQ(Connector().bxGetPublicAds(RequestFor(u"Autos"), ads), 0);
    EXPECT_TRUE(ads.IsAllocated());
    EXPECT_EQ(ads.Count(), 0);

    service_.Misbehave("GetPublicAds", test.misbehaviour);
    QxAdsEx::CQxAdsEx proxy(service_.AdsEndpoint());
    std::vector<QxAdsEx::AdItemResult> items;
    int count = -1;
    EXPECT_LT(proxy.GetPublicAds(60, u"", u"Autos", u"", 5, u"", u"", &items, &count), 0);
    EXPECT_EQ(proxy.GetClientError(), test.error);
    EXPECT_EQ(count, -1);
    if (test.error == SoapClientError::kSoapFault) {
      EXPECT_EQ(proxy.GetFault().code, soap::SoapFaultCode::kServer);
      EXPECT_EQ(proxy.GetFault().faultString, Wide(fault.string));
      EXPECT_EQ(proxy.GetFault().faultActor, Wide(*fault.actor));
    }
  }
}

TEST_F(ServicesTest, ChunkedAndRedirectedAnswersReadTheSame) {
  const soap::VimaruConnector connector = Connector();
  soap::ResultArray<soap::CategoryEntry> plain;
  const int expected = connector.bxGetCategoryList(plain);
  ASSERT_GT(expected, 0);

  service_.Misbehave("GetCategoryList", Misbehaviour::Chunked(7));
  soap::ResultArray<soap::CategoryEntry> chunked;
  EXPECT_EQ(connector.bxGetCategoryList(chunked), expected);

  service_.Misbehave("GetCategoryList", Misbehaviour::RedirectTo(302, service_.AdsEndpoint()));
  soap::ResultArray<soap::CategoryEntry> redirected;
  EXPECT_EQ(connector.bxGetCategoryList(redirected), expected);
  EXPECT_EQ(redirected[expected - 1].Label, plain[expected - 1].Label);
}

TEST_F(ServicesTest, EnvironmentOverridesTheDefaultEndpoints) {
  ASSERT_EQ(setenv(soap::kAdsEndpointVariable, service_.AdsEndpoint().c_str(), 1), 0);
  ASSERT_EQ(setenv(soap::kUtilsEndpointVariable, service_.UtilsEndpoint().c_str(), 1), 0);
  const soap::VimaruConnector connector;
  soap::ResultArray<soap::CategoryEntry> categories;
  const int categoryCount = connector.bxGetCategoryList(categories);
  soap::MemberTotals totals;
  const HRESULT totalsResult =
      connector.bxTotals(Wide(service_.Data().members.at(0).encMemberId), totals);
  const std::string download = soap::UpdateService().bxUpdate();
  unsetenv(soap::kAdsEndpointVariable);
  unsetenv(soap::kUtilsEndpointVariable);

  EXPECT_GT(categoryCount, 0);
  EXPECT_EQ(totalsResult, S_OK);
  EXPECT_EQ(totals.valid, 1);
  EXPECT_FALSE(download.empty());
  EXPECT_EQ(soap::DefaultAdsEndpoint(), soap::kBuiltInAdsEndpoint);
}

TEST_F(ServicesTest, ConcurrentCallsEachGetTheirOwnAnswer) {
  const soap::VimaruConnector connector = Connector();
  constexpr int kThreads = 4;
  std::vector<int> counts(kThreads, -1);
  std::vector<int> valid(kThreads, -1);
  std::vector<std::thread> threads;
  for (int i = 0; i < kThreads; ++i) {
    threads.emplace_back([&, i] {
      soap::ResultArray<soap::AdEntry> ads;
      counts[i] = connector.bxGetPublicAds(RequestFor(u"Autos"), ads);
      soap::MemberTotals totals;
      connector.bxTotals(Wide(service_.Data().members.at(0).encMemberId), totals);
      valid[i] = totals.valid;
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (int i = 0; i < kThreads; ++i) {
    EXPECT_GT(counts[i], 0);
    EXPECT_EQ(valid[i], 1);
  }
  EXPECT_EQ(service_.RequestCount(), 2u * kThreads);
}

}  // namespace
