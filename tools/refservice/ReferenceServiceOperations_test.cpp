// Every operation of both services, driven over a real socket with the
// request bytes the toolbar's client writes.
#include <gtest/gtest.h>

#include "tools/refservice/LoopbackClient.h"
#include "tools/refservice/ReferenceService.h"

namespace refservice {
namespace {

using testing::LoopbackClient;
using testing::SoapEnvelopeFor;
using testing::SoapPost;

constexpr std::string_view kAds = "http://ads.vimaru.com/";
constexpr std::string_view kUtils = "http://www.vimaru.com/Utils/";

class ReferenceServiceTest : public ::testing::Test {
 protected:
  // Posts one operation and returns the answer; asserts it arrived.
  testing::ParsedAnswer Call(std::string_view ns, std::string_view operation,
                             std::string_view parameters, std::string_view extraHeaders = {}) {
    const std::string_view path = ns == kAds ? "/qxadsex.asmx" : "/utils/utils.asmx";
    LoopbackClient client(service_.Port());
    client.Send(SoapPost(path, std::string(ns) + std::string(operation),
                         SoapEnvelopeFor(ns, operation, parameters), extraHeaders));
    auto answer = client.ReadAnswer();
    EXPECT_TRUE(answer.has_value());
    return answer.value_or(testing::ParsedAnswer{});
  }

  std::string Site() const { return service_.BaseUrl(); }

  ReferenceService service_;
};

struct OperationCase {
  std::string_view ns;
  std::string_view operation;
  std::string parameters;
  std::vector<std::string> expected;  // substrings of the response body, in order
};

TEST_F(ReferenceServiceTest, EveryOperationAnswersWithItsResponseElement) {
  const std::string adParameters =
      "<offerId>60</offerId><memberIp></memberIp><cgroup>Travel</cgroup><keyword xsi:nil=\"1\"/>"
      "<maxAds>5</maxAds><ua>Mozilla/4.0</ua><sURL>http://127.0.0.1/pages/travel.html</sURL>";
  const std::string member = "<encryptedMemberId>9F3A7C21E4B04D55</encryptedMemberId>";
  const std::string travelAd =
      "<AdItemResult><Keyword>airfare</Keyword><Referer>http://127.0.0.1/pages/travel.html</"
      "Referer>"
      "<Description>Last-minute flights to 500 cities.</Description><Title>Cheap Airfare "
      "Deals</Title>"
      "<ClickUrl>" +
      Site() + "/click?ad=travel-1";
  const std::vector<OperationCase> cases = {
      {kAds, "GetPublicAds", adParameters, {"<GetPublicAdsResult>", travelAd + "</ClickUrl>"}},
      {kAds,
       "GetPublicAdsEx",
       adParameters + "<bFix>false</bFix>",
       {"<GetPublicAdsExResult>", travelAd + "</ClickUrl>"}},
      {kAds,
       "GetMemberAds",
       member + adParameters + "<isChargable>true</isChargable>",
       {"<GetMemberAdsResult>", travelAd + "&amp;member=9F3A7C21E4B04D55</ClickUrl>"}},
      {kAds,
       "GetMemberAdsEx",
       member + adParameters + "<isChargable>true</isChargable><bFix>true</bFix>",
       {"<GetMemberAdsExResult>", travelAd + "&amp;member=9F3A7C21E4B04D55</ClickUrl>"}},
      {kAds, "GetRandomKeyword", "", {"<GetRandomKeywordResult>sedan</GetRandomKeywordResult>"}},
      {kAds, "GetRandomCategory", "", {"<GetRandomCategoryResult>Autos</GetRandomCategoryResult>"}},
      {kAds,
       "GetCategoryList",
       "",
       {"<GetCategoryListResult><CategoryItem><Label>sedan</Label><Name>Autos</Name></"
        "CategoryItem>",
        "<CategoryItem><Label>today</Label><Name>General</Name></CategoryItem></"
        "GetCategoryListResult>"}},
      {kAds,
       "GetBlockedTermsList",
       "",
       {"<GetBlockedTermsListResult><string>casino</string><string>poker</string>"}},
      {kAds, "GetKeywordList", "", {"<GetKeywordListResult><string>sedan</string>"}},
      {kAds, "TestPublicAds", "", {"<TestPublicAdsResult><AdItemResult>", "general-1"}},
      {kAds,
       "testAds",
       adParameters + "<testPulse360>false</testPulse360><testMamma>true</testMamma>"
                      "<testAdmanage>false</testAdmanage><testAdSonar>false</testAdSonar>"
                      "<testNami>false</testNami><testAdKnowledge>false</testAdKnowledge>"
                      "<testOridian>false</testOridian><testAdExchange>true</testAdExchange>",
       {"<testAdsResult><AdTestItem><FeedType>Mamma</FeedType><FeedEnabled>true</"
        "FeedEnabled><AdItems>"
        "<AdItem><FeedType>Mamma</FeedType><Title>Cheap Airfare Deals</Title>",
        "<BidPrice>0.47</BidPrice><DisplayAd>true</DisplayAd>",
        "</AdItems><AdsCount>2</AdsCount></AdTestItem><AdTestItem><FeedType>AdExchange</"
        "FeedType>"}},
      {kUtils,
       "Statistics",
       "<EncMemberID>9F3A7C21E4B04D55</EncMemberID>",
       {"<StatisticsResult>12.5,3,7,1</StatisticsResult>"}},
      {kUtils,
       "StatisticsEx",
       "<EncMemberID>4C88B2019AD7E310</EncMemberID><EncSessionID>s</EncSessionID>",
       {"<StatisticsExResult>0.125,0,2,0</StatisticsExResult>"}},
      {kUtils,
       "Enroll",
       "<OfferID>60</OfferID><EncMemberID>9F3A7C21E4B04D55</EncMemberID>",
       {"<EnrollResult>true</EnrollResult>"}},
      {kUtils,
       "Login",
       "<Email>Alice@Example.com</Email><Password>tulip-42</Password><SecurityQuestionId>2</"
       "SecurityQuestionId>"
       "<SecurityQuestionAnswer>Rex</SecurityQuestionAnswer><OfferID>60</OfferID>",
       {"<LoginResult><LoginStatus>Success</LoginStatus><OfferStatus>Active</"
        "OfferStatus><UserName>alice"
        "</UserName><EncMemberId>9F3A7C21E4B04D55</EncMemberId><SSO>SSO-ALICE-7d1e2f</SSO></"
        "LoginResult>"}},
      {kUtils,
       "VersionInfo",
       "<OfferID>60</OfferID>",
       {"<VersionInfoResult><DesktopVersionId>17</DesktopVersionId><DownloadURL>" + Site() +
        "/download/VimaruSetup.exe</DownloadURL><OfferId>60</OfferId><pFrequency>24</pFrequency>"
        "<UpgradeRequired>false</UpgradeRequired><VersionNumber>2.0.0.2</VersionNumber></"
        "VersionInfoResult>"}},
      {kUtils,
       "VersionInfo2",
       "<OfferID>60</OfferID>",
       {"<VersionInfo2Result><DesktopVersionId>17</DesktopVersionId>", "</VersionInfo2Result>"}},
      {kUtils,
       "GetEncryptedUserIDFromLogin",
       "<VimaruID>bob</VimaruID><Password>s3cret&amp;&lt;pass&gt;</Password>",
       {"<GetEncryptedUserIDFromLoginResult>4C88B2019AD7E310</GetEncryptedUserIDFromLoginResult>"}},
      {kUtils,
       "SSO",
       "<OfferID>60</OfferID><EncMemberID>77E0D1A5C3F2B6A9</EncMemberID>",
       {"<SSOResult>SSO-ZOE-55aa01</SSOResult>"}},
      {kUtils, "StatisticsExCheckCookie", "", {"<StatisticsExCheckCookieResult>0,0,0,0<"}},
      {kUtils,
       "LogError",
       "<Param1><string>a</string><string "
       "xsi:nil=\"1\"/></Param1><Param2/><Param3/><Param4/><Param5/>"
       "<Param6>aGVsbG8=</Param6>",
       {"<soap:Body><LogErrorResponse xmlns=\"http://www.vimaru.com/Utils/\" /></soap:Body>"}},
  };
  std::size_t adsOperations = 0;
  for (const OperationCase& c : cases) {
    SCOPED_TRACE(std::string(c.operation));
    adsOperations += c.ns == kAds;
    const auto answer = Call(c.ns, c.operation, c.parameters);
    EXPECT_EQ(answer.status, 200);
    EXPECT_EQ(FindHeader(answer.headers, "Content-Type"), "text/xml; charset=utf-8");
    const std::string envelopeStart =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope "
        "xmlns:soap=\"http://schemas.xmlsoap.org/"
        "soap/envelope/\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
        "xmlns:xsd=\"http://www."
        "w3.org/2001/XMLSchema\"><soap:Body><" +
        std::string(c.operation) + "Response xmlns=\"" + std::string(c.ns) + "\"";
    EXPECT_EQ(answer.body.rfind(envelopeStart, 0), 0u) << answer.body;
    std::size_t from = 0;
    for (const std::string& expected : c.expected) {
      const std::size_t at = answer.body.find(expected, from);
      EXPECT_NE(at, std::string::npos) << expected << "\nin\n" << answer.body;
      if (at != std::string::npos) from = at + expected.size();
    }
  }
  EXPECT_EQ(adsOperations, 11u);
  EXPECT_EQ(cases.size() - adsOperations, 10u);
}

TEST_F(ReferenceServiceTest, ParametersAreRecordedAsSent) {
  Call(kAds, "GetPublicAds",
       "<offerId>60</offerId><memberIp></memberIp><cgroup>Autos</cgroup><keyword xsi:nil=\"1\"/>"
       "<maxAds>5</maxAds><ua>é &amp; &lt;</ua><sURL>u</sURL>");
  const auto requests = service_.Requests();
  ASSERT_EQ(requests.size(), 1u);
  const RecordedRequest& request = requests[0];
  EXPECT_EQ(request.sequence, 1u);
  EXPECT_EQ(request.operation, "GetPublicAds");
  EXPECT_EQ(request.http.method, "POST");
  EXPECT_EQ(request.http.path, "/qxadsex.asmx");
  EXPECT_EQ(FindHeader(request.http.headers, "SOAPAction"),
            "\"http://ads.vimaru.com/GetPublicAds\"");
  EXPECT_EQ(request.http.raw.substr(0, 26), "POST /qxadsex.asmx HTTP/1.");
  EXPECT_TRUE(request.http.raw.ends_with(request.http.body));
  ASSERT_EQ(request.parameters.size(), 7u);
  EXPECT_EQ(request.parameters[0].name, "offerId");
  EXPECT_EQ(request.parameters[0].text, "60");
  EXPECT_EQ(request.parameters[1].text, "");
  EXPECT_FALSE(request.parameters[1].nil);
  EXPECT_TRUE(request.parameters[3].nil);
  EXPECT_EQ(request.parameters[5].text, "é & <");

  service_.ClearRequests();
  EXPECT_EQ(service_.RequestCount(), 0u);
}

TEST_F(ReferenceServiceTest, AdsAreLimitedByMaxAdsAndFallBackToTheLastGroup) {
  const auto countAds = [&](std::string_view group, int maxAds) {
    const auto answer = Call(kAds, "GetPublicAds",
                             "<cgroup>" + std::string(group) + "</cgroup><maxAds>" +
                                 std::to_string(maxAds) + "</maxAds>");
    std::size_t count = 0;
    for (std::size_t at = 0; (at = answer.body.find("<AdItemResult>", at)) != std::string::npos;
         ++at)
      ++count;
    return count;
  };
  EXPECT_EQ(countAds("Autos", 5), 5u);  // the data holds six
  EXPECT_EQ(countAds("autos", 2), 2u);
  EXPECT_EQ(countAds("Autos", 0), 0u);
  EXPECT_EQ(countAds("Autos", -3), 0u);
  EXPECT_EQ(countAds("NoSuchGroup", 5), 2u);
  EXPECT_NE(Call(kAds, "GetPublicAds", "<cgroup/><maxAds>5</maxAds>").body.find("general-1"),
            std::string::npos);
}

TEST_F(ReferenceServiceTest, FailedLoginsCarryNoMemberId) {
  const auto login = [&](std::string_view email, std::string_view password, int question,
                         std::string_view answer) {
    return Call(kUtils, "Login",
                "<Email>" + std::string(email) + "</Email><Password>" + std::string(password) +
                    "</Password><SecurityQuestionId>" + std::to_string(question) +
                    "</SecurityQuestionId><SecurityQuestionAnswer>" + std::string(answer) +
                    "</SecurityQuestionAnswer><OfferID>60</OfferID>")
        .body;
  };
  for (const std::string& body : {login("alice@example.com", "wrong", 2, "rex"),
                                  login("nobody@example.com", "tulip-42", 2, "rex"),
                                  login("alice@example.com", "tulip-42", 1, "rex"),
                                  login("alice@example.com", "tulip-42", 2, "max")}) {
    EXPECT_NE(body.find("<LoginResult><LoginStatus>"), std::string::npos) << body;
    EXPECT_EQ(body.find("EncMemberId"), std::string::npos) << body;
    EXPECT_EQ(body.find("SSO"), std::string::npos) << body;
  }
}

TEST_F(ReferenceServiceTest, UnknownMembersGetNeutralAnswersAndNullsAreOmitted) {
  EXPECT_NE(Call(kUtils, "Statistics", "<EncMemberID xsi:nil=\"1\"/>")
                .body.find("<StatisticsResult>0,0,0,0</StatisticsResult>"),
            std::string::npos);
  EXPECT_NE(Call(kUtils, "SSO", "<OfferID>60</OfferID><EncMemberID>nope</EncMemberID>")
                .body.find("<SSOResponse xmlns=\"http://www.vimaru.com/Utils/\" />"),
            std::string::npos);
  EXPECT_NE(Call(kUtils, "Enroll", "<OfferID>60</OfferID><EncMemberID>nope</EncMemberID>")
                .body.find("<EnrollResult>false</EnrollResult>"),
            std::string::npos);
  EXPECT_NE(
      Call(kUtils, "StatisticsExCheckCookie", "", "Cookie: a=b; EncMemberID=77E0D1A5C3F2B6A9\r\n")
          .body.find("<StatisticsExCheckCookieResult>1042.75,12,31,1<"),
      std::string::npos);
}

struct RefusalCase {
  const char* name;
  std::string request;
  int status;
  std::string faultCode;
};

TEST_F(ReferenceServiceTest, RefusedRequestsAreClientFaults) {
  const std::string statistics =
      SoapEnvelopeFor(kUtils, "Statistics", "<EncMemberID>x</EncMemberID>");
  const std::vector<RefusalCase> cases = {
      {"ActionNamesAnotherOperation",
       SoapPost("/utils/utils.asmx", "http://www.vimaru.com/Utils/Login", statistics), 500,
       "soap:Client"},
      {"ActionInAnotherNamespace",
       SoapPost("/utils/utils.asmx", "http://ads.vimaru.com/Statistics", statistics), 500,
       "soap:Client"},
      {"NoAction",
       "POST /utils/utils.asmx HTTP/1.1\r\nContent-Length: " + std::to_string(statistics.size()) +
           "\r\n\r\n" + statistics,
       500, "soap:Client"},
      {"WrapperInAnotherNamespace",
       SoapPost("/utils/utils.asmx", "http://ads.vimaru.com/Statistics",
                SoapEnvelopeFor(kAds, "Statistics", "")),
       500, "soap:Client"},
      {"OperationOfTheOtherService",
       SoapPost("/qxadsex.asmx", "http://ads.vimaru.com/Statistics",
                SoapEnvelopeFor(kAds, "Statistics", "")),
       500, "soap:Client"},
      {"NotWellFormed",
       SoapPost("/qxadsex.asmx", "http://ads.vimaru.com/GetCategoryList", "<soap:Envelope"), 500,
       "soap:Client"},
      {"Soap12Envelope",
       SoapPost("/qxadsex.asmx", "http://ads.vimaru.com/GetCategoryList",
                "<e:Envelope "
                "xmlns:e=\"http://www.w3.org/2003/05/soap-envelope\"><e:Body/></e:Envelope>"),
       500, "soap:VersionMismatch"},
      {"MalformedInt",
       SoapPost("/qxadsex.asmx", "http://ads.vimaru.com/GetPublicAds",
                SoapEnvelopeFor(kAds, "GetPublicAds", "<maxAds>five</maxAds>")),
       500, "soap:Client"},
      {"MalformedBoolean",
       SoapPost("/qxadsex.asmx", "http://ads.vimaru.com/GetPublicAdsEx",
                SoapEnvelopeFor(kAds, "GetPublicAdsEx", "<bFix>yes</bFix>")),
       500, "soap:Client"},
      {"MalformedBase64",
       SoapPost("/utils/utils.asmx", "http://www.vimaru.com/Utils/LogError",
                SoapEnvelopeFor(kUtils, "LogError", "<Param6>a$==</Param6>")),
       500, "soap:Client"},
      {"EntityExpansion",
       SoapPost("/qxadsex.asmx", "http://ads.vimaru.com/GetCategoryList",
                "<!DOCTYPE d [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>" +
                    SoapEnvelopeFor(kAds, "GetCategoryList", "&x;")),
       200, ""},
      {"GetOnServicePath", "GET /qxadsex.asmx HTTP/1.1\r\n\r\n", 405, ""},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackClient client(service_.Port());
    client.Send(c.request);
    const auto answer = client.ReadAnswer();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, c.status);
    EXPECT_EQ(answer->body.find("root:"), std::string::npos);
    if (!c.faultCode.empty()) {
      EXPECT_NE(
          answer->body.find("<soap:Fault><faultcode>" + c.faultCode + "</faultcode><faultstring>"),
          std::string::npos)
          << answer->body;
    }
  }
}

struct SiteCase {
  std::string target;
  int status;
  std::string operation;
  std::string bodyPart;
};

TEST_F(ReferenceServiceTest, WebSitePathsAreServedAndRecorded) {
  const std::vector<SiteCase> cases = {
      {"autologin.aspx?sso=SSO-ALICE-7d1e2f&AutoLogin=1", 200, "autologin", "Signed in."},
      {"/download/VimaruSetup.exe", 200, "download", "#!/bin/sh"},
      {"/download/..", 404, "download", ""},
      {"/download/../ads.txt", 404, "download", ""},
      {"/pages/cars.html", 200, "page", "dealership"},
      {"/pages/missing.html", 404, "page", ""},
      {"/click?ad=travel-2&member=9F3A7C21E4B04D55", 200, "click", "Beach Resorts"},
      {"/click?ad=nope", 404, "click", ""},
      {"/", 200, "index", "/pages/cars.html"},
      {"/elsewhere", 404, "", ""},
  };
  for (const SiteCase& c : cases) {
    SCOPED_TRACE(c.target);
    service_.ClearRequests();
    LoopbackClient client(service_.Port());
    client.Send("GET " + c.target +
                " HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: "
                "application/x-www-form-urlencoded\r\n\r\n");
    const auto answer = client.ReadAnswer();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, c.status);
    EXPECT_NE(answer->body.find(c.bodyPart), std::string::npos);
    const auto requests = service_.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].operation, c.operation);
  }
  service_.ClearRequests();
  LoopbackClient client(service_.Port());
  client.Send("GET autologin.aspx?sso=S%20T&AutoLogin=0 HTTP/1.1\r\n\r\n");
  ASSERT_TRUE(client.ReadAnswer());
  const auto parameters = service_.Requests().at(0).parameters;
  ASSERT_EQ(parameters.size(), 2u);
  EXPECT_EQ(parameters[0].name, "sso");
  EXPECT_EQ(parameters[0].text, "S T");
  EXPECT_EQ(parameters[1].text, "0");
}

TEST_F(ReferenceServiceTest, TheToolbarsPagesAnswerWithWhatTheyWereAskedFor) {
  const std::vector<SiteCase> cases = {
      {"/default.aspx?is=mymoney", 200, "member-page", "<title>Vimaru: My Money</title>"},
      {"/default.aspx?is=friends&mrid=4711", 200, "member-page", "Referred by member 4711."},
      {"/default.aspx?is=joinfree", 200, "join-free", "Join for free"},
      {"/default.aspx?mrid=a%3Cb", 200, "join-referred", "Referred by member a&lt;b."},
      {"/default.aspx", 200, "home", "<title>Vimaru</title>"},
      {"/public/Help.aspx", 200, "help", "Vimaru: Help"},
      {"/Docs/terms.aspx", 200, "terms", "id=\"pp\""},
      {"/mail", 200, "mail-home", "<title>Vmail</title>"},
      {"/mail/enrollment.php", 200, "mail-enrollment", "Vmail: Enrolment"},
      {"/classifieds/search?type=classifieds&top=1&cat=housing-rent", 200, "classifieds",
       "<title>Classifieds: housing-rent</title>"},
      {"/classifieds/search?type=web", 404, "", ""},
      {"/engines/msn", 200, "search-home", "<title>MSN Live</title>"},
      {"/engines/msn/results.aspx?q=AT%26T+labs", 200, "search-results",
       "<title>MSN Live: AT&amp;T labs</title>"},
      {"/engines/ask/web?q=c%2B%2B", 200, "search-results", "Ask: c++"},
      {"/engines/google/search?q=100%25", 200, "search-results", "Google: 100%"},
      {"/engines/lycos", 200, "search-home", "<title>Lycos</title>"},
      {"/engines/lycos/?query=blue+whale&x=0&y=0", 200, "search-results", "Lycos: blue whale"},
      {"/engines/yahoo/search?p=caf%C3%A9", 200, "search-results", "Yahoo: caf\xC3\xA9"},
      {"/engines/yahoo/search", 404, "", ""},
      {"/engines/altavista", 404, "", ""},
  };
  for (const SiteCase& c : cases) {
    SCOPED_TRACE(c.target);
    service_.ClearRequests();
    LoopbackClient client(service_.Port());
    client.Send("GET " + c.target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    const auto answer = client.ReadAnswer();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, c.status);
    EXPECT_NE(answer->body.find(c.bodyPart), std::string::npos) << answer->body;
    const auto requests = service_.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].operation, c.operation);
  }
}

TEST(ReferenceService, ServicesFollowTheConfiguredNamespacesAndPaths) {
  ReferenceServiceOptions options;
  options.adsNamespace = "http://ads.example.test/";
  options.adsPath = "/ads.asmx";
  ReferenceService service(options);
  EXPECT_EQ(service.AdsEndpoint(), service.BaseUrl() + "/ads.asmx");
  LoopbackClient client(service.Port());
  client.Send(SoapPost("/ads.asmx", "http://ads.example.test/GetKeywordList",
                       SoapEnvelopeFor("http://ads.example.test/", "GetKeywordList", "")));
  const auto answer = client.ReadAnswer();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 200);
  EXPECT_NE(answer->body.find("<GetKeywordListResponse xmlns=\"http://ads.example.test/\">"),
            std::string::npos);
}

TEST(ReferenceService, AnUpdateTestChoosesTheAnnouncedVersionAndTheInstallersServed) {
  ReferenceServiceOptions options;
  options.version = VersionData{17, "{site}/download/setup.beta.exe", 60, 24, false, "1.9.0.0"};
  options.downloads = {{"setup.beta.exe", std::string("MZ\0\x90", 4)},
                       {"VimaruSetup.exe", "replaced"}};
  ReferenceService service(options);

  LoopbackClient version(service.Port());
  version.Send(SoapPost("/utils/utils.asmx", std::string(kUtils) + "VersionInfo",
                        SoapEnvelopeFor(kUtils, "VersionInfo", "<OfferID>60</OfferID>")));
  const auto announced = version.ReadAnswer();
  ASSERT_TRUE(announced);
  EXPECT_NE(announced->body.find("<DownloadURL>" + service.BaseUrl() +
                                 "/download/setup.beta.exe</DownloadURL>"),
            std::string::npos);
  EXPECT_NE(announced->body.find("<VersionNumber>1.9.0.0</VersionNumber>"), std::string::npos);

  const std::vector<std::pair<std::string, std::string>> served = {
      {"/download/setup.beta.exe", std::string("MZ\0\x90", 4)},
      {"/download/VimaruSetup.exe", "replaced"},
  };
  for (const auto& [target, body] : served) {
    SCOPED_TRACE(target);
    LoopbackClient client(service.Port());
    client.Send("GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
    const auto answer = client.ReadAnswer();
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    EXPECT_EQ(answer->body, body);
    EXPECT_EQ(FindHeader(answer->headers, "Content-Type"), "application/octet-stream");
  }
  EXPECT_EQ(service.Requests().back().operation, "download");
}

TEST(ReferenceServicePaths, APathWithoutItsSlashOrSharedByBothServicesIsRefused) {
  ReferenceServiceOptions noSlash;
  noSlash.adsPath = "foo";
  EXPECT_THROW(ReferenceService{noSlash}, std::invalid_argument);
  ReferenceServiceOptions empty;
  empty.utilsPath = "";
  EXPECT_THROW(ReferenceService{empty}, std::invalid_argument);
  ReferenceServiceOptions shared;
  shared.utilsPath = shared.adsPath;
  EXPECT_THROW(ReferenceService{shared}, std::invalid_argument);
  ReferenceServiceOptions moved;
  moved.adsPath = "/ads";
  ReferenceService service(moved);
  EXPECT_EQ(service.AdsEndpoint(), service.BaseUrl() + "/ads");
}

}  // namespace
}  // namespace refservice
