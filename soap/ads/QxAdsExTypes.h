// The records and the enumeration of the ads service, in their native form:
// what a call of the `CQxAdsExT` proxy hands back. Member names are the
// element names on the wire; a SoapString is null when the service left the
// element out or sent it as nil.
#pragma once

#include <cstdint>
#include <vector>

#include "soap/runtime/SoapTypes.h"

namespace QxAdsEx {

using soap::SoapString;

// Which ad network an `AdItem` came from. The native form of an
// enumeration field is an int, so these are plain numbers.
enum QxFeedType : int {
  Unknown = 0,
  Pulse360 = 1,
  Mamma = 2,
  Admanage = 3,
  AdsByQxGeneric = 4,
  AdsByQxExact = 5,
  AdSonar = 6,
  Nami = 7,
  AdKnowledge = 8,
  Oridian = 9,
  AdExchange = 10,
  Clicksor = 11,
};

// The ad the called operations return.
struct AdItemResult {
  SoapString Keyword;
  SoapString Referer;
  SoapString Description;
  SoapString Title;
  SoapString ClickUrl;
  SoapString Url;
};

struct CategoryItem {
  SoapString Label;
  SoapString Name;
};

struct AdItem {
  int FeedType = QxFeedType::Unknown;
  SoapString Title;
  SoapString Url;
  SoapString Description;
  SoapString DescriptionLine1;
  SoapString DescriptionLine2;
  SoapString ClickUrl;
  SoapString Referer;
  double BidPrice = 0;
  bool DisplayAd = false;
  SoapString ImageUrl;
  SoapString Keyword;
};

// The wrapper the service puts around the ads of one test feed: the
// element "AdItems" holds one "AdItem" element per ad.
struct ArrayOfAdItem {
  std::vector<QxAdsEx::AdItem> AdItem;
};

struct AdTestItem {
  int FeedType = QxFeedType::Unknown;
  bool FeedEnabled = false;
  ArrayOfAdItem AdItems;
  std::int32_t AdsCount = 0;
};

}  // namespace QxAdsEx
