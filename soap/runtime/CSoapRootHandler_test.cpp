#include "soap/runtime/CSoapRootHandler.h"

#include <gtest/gtest.h>

#include <cmath>

#include "soap/runtime/SoapTestSupport.h"

namespace soap {
namespace {

using namespace soap::testing;

constexpr SoapClientError kOk = SoapClientError::kSuccess;
constexpr SoapClientError kParse = SoapClientError::kParseError;

std::string Ad(std::string_view fields) {
  return "<AdItemResult>" + std::string(fields) + "</AdItemResult>";
}
std::string Ads(std::string_view items) {
  return ResponseEnvelope("GetPublicAds",
                          "<GetPublicAdsResult>" + std::string(items) + "</GetPublicAdsResult>");
}

TEST(CSoapRootHandler, ParsesAnArrayOfRecordsInAnyPieceSize) {
  const std::string body = Ads(Ad("<Title>T1</Title><Url>http://u/1</Url>") +
                               Ad("<Keyword>k&amp;w</Keyword><Description>caf\xC3\xA9</Description>"
                                  "<Referer></Referer><ClickUrl xsi:nil=\"true\"/>"));
  for (std::size_t piece : {std::size_t{1}, std::size_t{3}, std::size_t{4096}}) {
    GetPublicAdsParams params;
    ASSERT_EQ(ParseBody(kGetPublicAdsBody, &params, body, piece), kOk) << piece;
    ASSERT_EQ(params.GetPublicAdsResult.size(), 2u);
    const AdItemResult& first = params.GetPublicAdsResult[0];
    EXPECT_EQ(first.Title, u"T1");
    EXPECT_EQ(first.Url, u"http://u/1");
    EXPECT_EQ(first.Description, std::nullopt);  // missing string: null
    EXPECT_EQ(first.Keyword, std::nullopt);
    const AdItemResult& second = params.GetPublicAdsResult[1];
    EXPECT_EQ(second.Keyword, u"k&w");
    EXPECT_EQ(second.Description, u"caf\u00E9");
    EXPECT_EQ(second.Referer, u"");  // present but empty: not null
    EXPECT_EQ(second.ClickUrl, std::nullopt);
  }
}

TEST(CSoapRootHandler, ParsesAcrossTheBlockBoundary) {
  const std::string body = PublicAdsResponse(40);
  ASSERT_GT(body.size(), 3 * 4096u);
  for (std::size_t piece : {std::size_t{4095}, std::size_t{4096}, std::size_t{4097}}) {
    GetPublicAdsParams params;
    ASSERT_EQ(ParseBody(kGetPublicAdsBody, &params, body, piece), kOk);
    ASSERT_EQ(params.GetPublicAdsResult.size(), 40u);
    EXPECT_EQ(params.GetPublicAdsResult[39].ClickUrl, u"http://click.example/c?id=39&src=toolbar");
  }
}

// Fields usually arrive in table order, which the parser tries first; any
// other order must find the same fields.
TEST(CSoapRootHandler, FindsFieldsInAnyOrder) {
  const std::string body =
      Ads(Ad("<Url>u</Url><ClickUrl>c</ClickUrl><Title>t</Title><Description>d</Description>"
             "<Referer>r</Referer><Keyword>k</Keyword>") +
          Ad("<Referer>r2</Referer><Url>u2</Url><Keyword>k2</Keyword>"));
  GetPublicAdsParams params;
  ASSERT_EQ(ParseBody(kGetPublicAdsBody, &params, body), kOk);
  ASSERT_EQ(params.GetPublicAdsResult.size(), 2u);
  const AdItemResult& first = params.GetPublicAdsResult[0];
  EXPECT_EQ(first.Keyword, u"k");
  EXPECT_EQ(first.Referer, u"r");
  EXPECT_EQ(first.Description, u"d");
  EXPECT_EQ(first.Title, u"t");
  EXPECT_EQ(first.ClickUrl, u"c");
  EXPECT_EQ(first.Url, u"u");
  const AdItemResult& second = params.GetPublicAdsResult[1];
  EXPECT_EQ(second.Keyword, u"k2");
  EXPECT_EQ(second.Referer, u"r2");
  EXPECT_EQ(second.Url, u"u2");
  EXPECT_EQ(second.Title, std::nullopt);
}

TEST(CSoapRootHandler, EmptyAndMissingArraysHaveNoItems) {
  GetPublicAdsParams params;
  EXPECT_EQ(ParseBody(kGetPublicAdsBody, &params, Ads("")), kOk);
  EXPECT_TRUE(params.GetPublicAdsResult.empty());
  EXPECT_EQ(ParseBody(kGetPublicAdsBody, &params, ResponseEnvelope("GetPublicAds", "")), kOk);
  EXPECT_EQ(ParseBody(kGetPublicAdsBody, &params,
                      ResponseEnvelope("GetPublicAds", "<GetPublicAdsResult xsi:nil=\"true\"/>")),
            kOk);
}

TEST(CSoapRootHandler, ParsesAnArrayOfStringsWithNilItems) {
  GetBlockedTermsListParams params;
  ASSERT_EQ(ParseBody(kGetBlockedTermsListBody, &params,
                      ResponseEnvelope("GetBlockedTermsList",
                                       "<GetBlockedTermsListResult><string>a</string><string "
                                       "xsi:nil=\"1\"/><string/></GetBlockedTermsListResult>")),
            kOk);
  ASSERT_EQ(params.GetBlockedTermsListResult.size(), 3u);
  EXPECT_EQ(params.GetBlockedTermsListResult[0], u"a");
  EXPECT_EQ(params.GetBlockedTermsListResult[1], std::nullopt);
  EXPECT_EQ(params.GetBlockedTermsListResult[2], u"");
}

const std::string kFullTestItem =
    "<FeedType>Nami</FeedType><FeedEnabled>1</FeedEnabled><AdItems>"
    "<AdItem><FeedType>Mamma</FeedType><Title>t</Title><BidPrice>0.25</BidPrice><DisplayAd>true</"
    "DisplayAd></AdItem>"
    "<AdItem><BidPrice>-INF</BidPrice><DisplayAd>0</DisplayAd></AdItem>"
    "</AdItems><AdsCount> 2 </AdsCount>";

std::string EchoResponse(std::string_view echoResult, std::string_view more = "") {
  return ResponseEnvelope("Echo",
                          "<text>x</text><number>1</number><flag>false</flag><price>1.5</price>"
                          "<ratio>NaN</ratio><feed>Pulse360</feed>" +
                              std::string(more) + "<EchoResult>" + std::string(echoResult) +
                              "</EchoResult>");
}

TEST(CSoapRootHandler, ParsesNestedRecordsEnumerationsAndWrappedArrays) {
  EchoParams params;
  ASSERT_EQ(ParseBody(kEchoBody, &params,
                      EchoResponse("<AdTestItem>" + kFullTestItem + "</AdTestItem>",
                                   "<blob>Zm9v\r\n</blob><hex>cafe</hex><note xsi:nil=\"1\"/>"
                                   "<words><string>w</string></words>")),
            kOk);
  EXPECT_EQ(params.feed, 1);
  EXPECT_TRUE(std::isnan(params.ratio));
  EXPECT_EQ(params.blob, (SoapBytes{'f', 'o', 'o'}));
  EXPECT_EQ(params.hex, (SoapBytes{0xCA, 0xFE}));
  EXPECT_EQ(params.words.size(), 1u);
  ASSERT_EQ(params.EchoResult.size(), 1u);
  const AdTestItem& item = params.EchoResult[0];
  EXPECT_EQ(item.FeedType, 7);
  EXPECT_TRUE(item.FeedEnabled);
  EXPECT_EQ(item.AdsCount, 2);
  ASSERT_EQ(item.AdItems.items.size(), 2u);
  EXPECT_EQ(item.AdItems.items[0].FeedType, 2);
  EXPECT_EQ(item.AdItems.items[0].BidPrice, 0.25);
  EXPECT_TRUE(item.AdItems.items[0].DisplayAd);
  EXPECT_EQ(item.AdItems.items[1].FeedType, 0);  // missing enumeration: zero
  EXPECT_EQ(item.AdItems.items[1].BidPrice, -INFINITY);
}

struct RejectedResponse {
  const char* name;
  std::string body;
};

TEST(CSoapRootHandler, RejectsResponsesThatDoNotMatchTheDescriptors) {
  const std::string item = "<AdTestItem>" + kFullTestItem + "</AdTestItem>";
  auto echoWith = [&](std::string_view from, std::string_view to) {
    std::string changed = kFullTestItem;
    changed.replace(changed.find(from), from.size(), to);
    return EchoResponse("<AdTestItem>" + changed + "</AdTestItem>");
  };
  const RejectedResponse cases[] = {
      {"repeated result element",
       ResponseEnvelope("GetPublicAds", "<GetPublicAdsResult/><GetPublicAdsResult/>")},
      {"unknown child in the response", ResponseEnvelope("GetPublicAds", "<Other/>")},
      {"unknown field in a record", Ads(Ad("<Price>1</Price>"))},
      {"repeated field in a record", Ads(Ad("<Title>a</Title><Title>b</Title>"))},
      {"field repeated after the next one",
       Ads(Ad("<Title>a</Title><ClickUrl>c</ClickUrl><Title>b</Title>"))},
      {"in-field in the response", ResponseEnvelope("GetPublicAds", "<offerId>1</offerId>")},
      {"hidden count on the wire",
       ResponseEnvelope("GetPublicAds",
                        "<__GetPublicAdsResult_nSizeIs>1</__GetPublicAdsResult_nSizeIs>")},
      {"another operation's response", ResponseEnvelope("GetPublicAdsEx", "")},
      {"response in the wrong namespace",
       "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
       "<GetPublicAdsResponse xmlns=\"urn:other\"/></soap:Body></soap:Envelope>"},
      {"SOAP 1.2 envelope",
       "<e:Envelope "
       "xmlns:e=\"http://www.w3.org/2003/05/soap-envelope\"><e:Body><GetPublicAdsResponse "
       "xmlns=\"http://vimaru.test/ads/\"/></e:Body></e:Envelope>"},
      {"empty body",
       "<soap:Envelope "
       "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body/></soap:Envelope>"},
      {"no body", "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"/>"},
      {"two responses", ResponseEnvelope("GetPublicAds", "") + "x"},
      {"fault on 200",
       "<soap:Envelope "
       "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body><soap:Fault>"
       "<faultcode>soap:Server</faultcode><faultstring>x</faultstring></soap:Fault></soap:Body></"
       "soap:Envelope>"},
      {"missing required int", echoWith("<AdsCount> 2 </AdsCount>", "")},
      {"missing required boolean", echoWith("<FeedEnabled>1</FeedEnabled>", "")},
      {"missing required decimal", echoWith("<BidPrice>0.25</BidPrice>", "")},
      {"nil on a required int",
       echoWith("<AdsCount> 2 </AdsCount>", "<AdsCount xsi:nil=\"true\"/>")},
      {"enumeration name mismatch",
       echoWith("<FeedType>Nami</FeedType>", "<FeedType>nami</FeedType>")},
      {"boolean text", echoWith("<FeedEnabled>1</FeedEnabled>", "<FeedEnabled>yes</FeedEnabled>")},
      {"int overflow", echoWith("<AdsCount> 2 </AdsCount>", "<AdsCount>2147483648</AdsCount>")},
      {"decimal overflow", echoWith("<BidPrice>0.25</BidPrice>", "<BidPrice>1e400</BidPrice>")},
      {"element inside a value",
       echoWith("<AdsCount> 2 </AdsCount>", "<AdsCount><i>2</i></AdsCount>")},
      {"bad nil value", echoWith("<Title>t</Title>", "<Title xsi:nil=\"maybe\"/>")},
      {"bad base64", EchoResponse(item, "<blob>Zm9v!</blob>")},
      {"document type", "<!DOCTYPE x>" + Ads("")},
      {"not XML", "HTTP/1.1 200 OK"},
      {"truncated document", Ads(Ad("<Title>T1</Title>")).substr(0, 300)},
  };
  for (const RejectedResponse& c : cases) {
    for (std::size_t piece : {std::size_t{1}, std::size_t{4096}}) {
      GetPublicAdsParams ads;
      EchoParams echo;
      const bool isEcho = c.body.find("EchoResponse") != std::string::npos;
      const SoapClientError error = isEcho ? ParseBody(kEchoBody, &echo, c.body, piece)
                                           : ParseBody(kGetPublicAdsBody, &ads, c.body, piece);
      EXPECT_EQ(error, kParse) << c.name << " in pieces of " << piece;
      // Whatever was built before the failure is gone again.
      EXPECT_TRUE(ads.GetPublicAdsResult.empty() && echo.EchoResult.empty() && !echo.text)
          << c.name;
    }
  }
}

TEST(CSoapRootHandler, MissingRequiredTopLevelFieldFails) {
  EchoParams params;
  EXPECT_EQ(ParseBody(kEchoBody, &params, ResponseEnvelope("Echo", "<text>x</text>")), kParse);
}

TEST(CSoapRootHandler, VersionInfoNeedsUpgradeRequiredButNotTheUrl) {
  GetVersionInfoParams params;
  EXPECT_EQ(ParseBody(kGetVersionInfoBody, &params,
                      ResponseEnvelope(
                          "GetVersionInfo",
                          "<GetVersionInfoResult><Version>2.0</Version></GetVersionInfoResult>")),
            kParse);
  ASSERT_EQ(
      ParseBody(kGetVersionInfoBody, &params,
                ResponseEnvelope("GetVersionInfo",
                                 "<GetVersionInfoResult><Version>2.0</Version>"
                                 "<UpgradeRequired>true</UpgradeRequired></GetVersionInfoResult>")),
      kOk);
  EXPECT_EQ(params.GetVersionInfoResult.Version, u"2.0");
  EXPECT_TRUE(params.GetVersionInfoResult.UpgradeRequired);
  EXPECT_EQ(params.GetVersionInfoResult.DownloadURL, std::nullopt);
  // A missing nested record stays zero.
  GetVersionInfoParams empty;
  EXPECT_EQ(ParseBody(kGetVersionInfoBody, &empty, ResponseEnvelope("GetVersionInfo", "")), kOk);
}

TEST(CSoapRootHandler, SkipsTheHeaderAndWhiteSpace) {
  const std::string body =
      "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">\n "
      "<soap:Header><h:x "
      "xmlns:h=\"urn:h\" soap:mustUnderstand=\"0\"><y/></h:x></soap:Header>\n <soap:Body>\n"
      "  <GetPublicAdsResponse xmlns=\"http://vimaru.test/ads/\">\n   <GetPublicAdsResult>\n"
      "    <AdItemResult><Title> spaced </Title></AdItemResult>\n   </GetPublicAdsResult>\n"
      "  </GetPublicAdsResponse>\n </soap:Body>\n</soap:Envelope>\n";
  GetPublicAdsParams params;
  ASSERT_EQ(ParseBody(kGetPublicAdsBody, &params, body), kOk);
  ASSERT_EQ(params.GetPublicAdsResult.size(), 1u);
  EXPECT_EQ(params.GetPublicAdsResult[0].Title, u" spaced ");
}

TEST(CSoapRootHandler, TruncatedStreamIsAFailedExchangeEvenAfterACompleteDocument) {
  GetPublicAdsParams params;
  EXPECT_EQ(ParseBody(kGetPublicAdsBody, &params, Ads(Ad("<Title>x</Title>")), 4096, true),
            SoapClientError::kSendError);
  EXPECT_TRUE(params.GetPublicAdsResult.empty());
  EXPECT_EQ(
      ParseBody(kGetPublicAdsBody, &params, Ads(Ad("<Title>x</Title>")).substr(0, 200), 7, true),
      SoapClientError::kSendError);
}

TEST(CSoapRootHandler, EnforcesDepthTextAndItemLimits) {
  std::string deep;
  for (int i = 0; i < 100000; ++i) deep += "<a>";
  GetPublicAdsParams params;
  EXPECT_EQ(ParseBody(kGetPublicAdsBody, &params, ResponseEnvelope("GetPublicAds", deep)), kParse);

  // Depth within the limit is fine where the structure allows it: the
  // Header's content is skipped at any depth up to the limit.
  std::string header =
      "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Header>";
  for (std::size_t i = 1; i < kMaxElementDepth; ++i) header += "<h>";
  for (std::size_t i = 1; i < kMaxElementDepth; ++i) header += "</h>";
  header +=
      "</soap:Header><soap:Body><GetPublicAdsResponse "
      "xmlns=\"http://vimaru.test/ads/\"/></soap:Body></soap:Envelope>";
  EXPECT_EQ(ParseBody(kGetPublicAdsBody, &params, header), kOk);
  const std::string tooDeep = std::string(header)
                                  .replace(header.find("<h>"), 3, "<h><h>")
                                  .replace(header.find("</h>"), 4, "</h></h>");
  EXPECT_EQ(ParseBody(kGetPublicAdsBody, &params, tooDeep), kParse);

  const std::string atLimit(kMaxFieldTextBytes, 'x');
  EXPECT_EQ(ParseBody(kGetPublicAdsBody, &params, Ads(Ad("<Title>" + atLimit + "</Title>"))), kOk);
  EXPECT_EQ(params.GetPublicAdsResult[0].Title->size(), kMaxFieldTextBytes);
  EXPECT_EQ(ParseBody(kGetPublicAdsBody, &params, Ads(Ad("<Title>" + atLimit + "y</Title>"))),
            kParse);
  const std::string twentyMegabytes(20 * 1024 * 1024, 'x');
  EXPECT_EQ(
      ParseBody(kGetPublicAdsBody, &params, Ads(Ad("<Title>" + twentyMegabytes + "</Title>"))),
      kParse);

  std::string items;
  for (std::size_t i = 0; i <= kMaxArrayItems; ++i) items += "<s/>";
  GetBlockedTermsListParams terms;
  EXPECT_EQ(
      ParseBody(kGetBlockedTermsListBody, &terms,
                ResponseEnvelope("GetBlockedTermsList", "<GetBlockedTermsListResult>" + items +
                                                            "</GetBlockedTermsListResult>")),
      kParse);
  items.resize(items.size() - 4);
  EXPECT_EQ(
      ParseBody(kGetBlockedTermsListBody, &terms,
                ResponseEnvelope("GetBlockedTermsList", "<GetBlockedTermsListResult>" + items +
                                                            "</GetBlockedTermsListResult>")),
      kOk);
  EXPECT_EQ(terms.GetBlockedTermsListResult.size(), kMaxArrayItems);
}

}  // namespace
}  // namespace soap
