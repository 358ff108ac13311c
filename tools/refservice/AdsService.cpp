#include "tools/refservice/AdsService.h"

#include <algorithm>
#include <array>

#include "tools/refservice/SoapEnvelope.h"

namespace refservice {

namespace {

struct TestFeed {
  std::string_view flag;
  std::string_view feedType;
};

// testAds' flags in request order, each with the QxFeedType it tests.
constexpr std::array<TestFeed, 8> kTestFeeds = {{
    {"testPulse360", "Pulse360"},
    {"testMamma", "Mamma"},
    {"testAdmanage", "Admanage"},
    {"testAdSonar", "AdSonar"},
    {"testNami", "Nami"},
    {"testAdKnowledge", "AdKnowledge"},
    {"testOridian", "Oridian"},
    {"testAdExchange", "AdExchange"},
}};

std::string ResultName(const SoapCall& call) { return call.operation + "Result"; }

}  // namespace

const std::vector<std::string>& AdsService::OperationNames() const {
  static const std::vector<std::string> kNames = {
      "GetPublicAdsEx", "GetRandomKeyword", "GetRandomCategory",   "GetMemberAdsEx",
      "GetMemberAds",   "testAds",          "GetBlockedTermsList", "GetKeywordList",
      "GetPublicAds",   "TestPublicAds",    "GetCategoryList"};
  return kNames;
}

std::string AdsService::Answer(const SoapCall& call, const HttpRequest&, std::string_view site) {
  const std::string& op = call.operation;
  const std::string resultName = ResultName(call);
  if (op == "GetPublicAds" || op == "GetPublicAdsEx" || op == "GetMemberAds" ||
      op == "GetMemberAdsEx") {
    // Every in-parameter is read so a malformed one is rejected like the
    // real serializer would, even those the answer does not depend on.
    AdQuery query;
    IntArgument(call, "offerId");
    query.group = StringArgument(call, "cgroup").value_or("");
    query.maxAds = IntArgument(call, "maxAds");
    query.pageUrl = StringArgument(call, "sURL");
    if (op.find("Member") != std::string::npos) {
      BoolArgument(call, "isChargable");
      const auto memberId = StringArgument(call, "encryptedMemberId");
      if (memberId && data_.FindMemberById(*memberId)) query.memberId = memberId;
    }
    if (op.ends_with("Ex")) BoolArgument(call, "bFix");
    return AdItemResults(resultName, query, site);
  }
  if (op == "TestPublicAds") {
    AdQuery query;
    query.group = data_.defaultGroup;
    query.maxAds = static_cast<int>(data_.ads.size());
    return AdItemResults(resultName, query, site);
  }
  if (op == "testAds") return TestAds(call, site);
  if (op == "GetCategoryList") {
    XmlBuilder xml;
    xml.Open(resultName);
    for (const Category& category : data_.categories) {
      xml.Open("CategoryItem").Element("Label", category.label).Element("Name", category.name);
      xml.Close("CategoryItem");
    }
    return xml.Close(resultName).str();
  }
  if (op == "GetBlockedTermsList") return StringArray(resultName, data_.blockedTerms);
  if (op == "GetKeywordList") return StringArray(resultName, Keywords());
  if (op == "GetRandomKeyword") {
    const auto keywords = Keywords();
    return XmlBuilder().Element(resultName, keywords[rotation_++ % keywords.size()]).str();
  }
  if (op == "GetRandomCategory") {
    const auto& categories = data_.categories;
    return XmlBuilder().Element(resultName, categories[rotation_++ % categories.size()].name).str();
  }
  throw ArgumentError("Unknown operation " + op);
}

std::string AdsService::ClickUrl(const Ad& ad, const AdQuery& query, std::string_view site) const {
  std::string url = std::string(site) + "/click?ad=" + ad.id;
  if (query.memberId) url += "&member=" + *query.memberId;
  return url;
}

std::string AdsService::AdItemResults(const std::string& resultName, const AdQuery& query,
                                      std::string_view site) const {
  XmlBuilder xml;
  xml.Open(resultName);
  const auto ads = data_.AdsForGroup(query.group);
  const std::size_t count = std::min<std::size_t>(ads.size(), std::max(query.maxAds, 0));
  for (std::size_t i = 0; i < count; ++i) {
    const Ad& ad = *ads[i];
    xml.Open("AdItemResult");
    if (!ad.keyword.empty()) xml.Element("Keyword", ad.keyword);
    xml.OptionalElement("Referer", query.pageUrl);
    xml.Element("Description", ExpandSite(ad.description, site));
    xml.Element("Title", ExpandSite(ad.title, site));
    xml.Element("ClickUrl", ClickUrl(ad, query, site));
    xml.Element("Url", ExpandSite(ad.displayUrl, site));
    xml.Close("AdItemResult");
  }
  return xml.Close(resultName).str();
}

std::string AdsService::TestAds(const SoapCall& call, std::string_view site) const {
  IntArgument(call, "offerId");
  AdQuery query;
  query.group = StringArgument(call, "cgroup").value_or("");
  query.maxAds = IntArgument(call, "maxAds");
  query.pageUrl = StringArgument(call, "sURL");
  const auto ads = data_.AdsForGroup(query.group);
  const std::size_t count = std::min<std::size_t>(ads.size(), std::max(query.maxAds, 0));

  XmlBuilder xml;
  xml.Open("testAdsResult");
  for (const TestFeed& feed : kTestFeeds) {
    if (!BoolArgument(call, feed.flag)) continue;
    xml.Open("AdTestItem").Element("FeedType", feed.feedType).Element("FeedEnabled", "true");
    xml.Open("AdItems");
    for (std::size_t i = 0; i < count; ++i) {
      const Ad& ad = *ads[i];
      xml.Open("AdItem").Element("FeedType", feed.feedType);
      xml.Element("Title", ExpandSite(ad.title, site));
      xml.Element("Url", ExpandSite(ad.displayUrl, site));
      xml.Element("Description", ExpandSite(ad.description, site));
      xml.Element("DescriptionLine1", ExpandSite(ad.description, site));
      xml.Element("ClickUrl", ClickUrl(ad, query, site));
      xml.OptionalElement("Referer", query.pageUrl);
      xml.Element("BidPrice", ad.bidPrice).Element("DisplayAd", "true");
      if (!ad.imageUrl.empty()) xml.Element("ImageUrl", ExpandSite(ad.imageUrl, site));
      if (!ad.keyword.empty()) xml.Element("Keyword", ad.keyword);
      xml.Close("AdItem");
    }
    xml.Close("AdItems").Element("AdsCount", std::to_string(count)).Close("AdTestItem");
  }
  return xml.Close("testAdsResult").str();
}

std::string AdsService::StringArray(const std::string& resultName,
                                    const std::vector<std::string>& values) const {
  XmlBuilder xml;
  xml.Open(resultName);
  for (const std::string& value : values) xml.Element("string", value);
  return xml.Close(resultName).str();
}

std::vector<std::string> AdsService::Keywords() const {
  std::vector<std::string> keywords;
  for (const Category& category : data_.categories) keywords.push_back(category.label);
  return keywords;
}

}  // namespace refservice
