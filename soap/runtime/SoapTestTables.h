// Descriptor tables shaped like the real services' (ads and utils), for the
// runtime's tests, benchmark and fuzzer. They show how a proxy writes its
// tables: one native struct per record and per operation's parameter block,
// fields in wire order, a hidden count entry after each dynamic array.
#pragma once

#include <cstdint>
#include <vector>

#include "soap/runtime/SoapDescriptors.h"

namespace soap::testing {

inline constexpr ElementName kTestNamespace = "http://vimaru.test/ads/";

constexpr std::uint32_t kInParameter = kFieldIn;
constexpr std::uint32_t kInString = kFieldIn | kFieldNullable;
constexpr std::uint32_t kOutArray = kFieldOut | kFieldDynamicArray | kFieldNullable;
constexpr std::uint32_t kRecordString = kFieldRecord | kFieldNullable;

// ---- AdItemResult and GetPublicAds ---------------------------------------

struct AdItemResult {
  SoapString Keyword, Referer, Description, Title, ClickUrl, Url;
};

inline constexpr FieldDescriptor kAdItemResultFields[] = {
    Field<&AdItemResult::Keyword, "Keyword">(kXsdString, kRecordString),
    Field<&AdItemResult::Referer, "Referer">(kXsdString, kRecordString),
    Field<&AdItemResult::Description, "Description">(kXsdString, kRecordString),
    Field<&AdItemResult::Title, "Title">(kXsdString, kRecordString),
    Field<&AdItemResult::ClickUrl, "ClickUrl">(kXsdString, kRecordString),
    Field<&AdItemResult::Url, "Url">(kXsdString, kRecordString),
    kEndOfFields};
inline constexpr OperationDescriptor kAdItemResult =
    Record<AdItemResult, "AdItemResult", kTestNamespace>(kAdItemResultFields);

struct GetPublicAdsParams {
  std::int32_t offerId = 0;
  SoapString memberIp, cgroup, keyword;
  std::int32_t maxAds = 0;
  SoapString ua, sURL;
  std::vector<AdItemResult> GetPublicAdsResult;
};

inline constexpr FieldDescriptor kGetPublicAdsFields[] = {
    Field<&GetPublicAdsParams::offerId, "offerId">(kXsdInt, kInParameter),
    Field<&GetPublicAdsParams::memberIp, "memberIp">(kXsdString, kInString),
    Field<&GetPublicAdsParams::cgroup, "cgroup">(kXsdString, kInString),
    Field<&GetPublicAdsParams::keyword, "keyword">(kXsdString, kInString),
    Field<&GetPublicAdsParams::maxAds, "maxAds">(kXsdInt, kInParameter),
    Field<&GetPublicAdsParams::ua, "ua">(kXsdString, kInString),
    Field<&GetPublicAdsParams::sURL, "sURL">(kXsdString, kInString),
    Field<&GetPublicAdsParams::GetPublicAdsResult, "GetPublicAdsResult">(-1, kOutArray,
                                                                         &kAdItemResult, 8),
    ArrayCount<"__GetPublicAdsResult_nSizeIs">(kFieldOut),
    kEndOfFields};
inline constexpr OperationDescriptor kGetPublicAdsBody =
    Operation<GetPublicAdsParams, "GetPublicAds", kTestNamespace>(kGetPublicAdsFields);
inline constexpr OperationDescriptor kGetPublicAdsHeaders =
    HeaderSet<"GetPublicAds", kTestNamespace>();
inline constexpr SoapOperation kGetPublicAds{&kGetPublicAdsBody, &kGetPublicAdsHeaders};

// ---- GetBlockedTermsList: no in-fields, an array of strings -------------

struct GetBlockedTermsListParams {
  std::vector<SoapString> GetBlockedTermsListResult;
};

inline constexpr FieldDescriptor kGetBlockedTermsListFields[] = {
    Field<&GetBlockedTermsListParams::GetBlockedTermsListResult, "GetBlockedTermsListResult">(
        kXsdString, kOutArray, nullptr, 1),
    ArrayCount<"__GetBlockedTermsListResult_nSizeIs">(kFieldOut), kEndOfFields};
inline constexpr OperationDescriptor kGetBlockedTermsListBody =
    Operation<GetBlockedTermsListParams, "GetBlockedTermsList", kTestNamespace>(
        kGetBlockedTermsListFields);
inline constexpr OperationDescriptor kGetBlockedTermsListHeaders =
    HeaderSet<"GetBlockedTermsList", kTestNamespace>();
inline constexpr SoapOperation kGetBlockedTermsList{&kGetBlockedTermsListBody,
                                                    &kGetBlockedTermsListHeaders};

// ---- QxFeedType, AdItem, ArrayOfAdItem, AdTestItem ------------------------

inline constexpr FieldDescriptor kQxFeedTypeValues[] = {EnumValue<"Unknown">(0),
                                                        EnumValue<"Pulse360">(1),
                                                        EnumValue<"Mamma">(2),
                                                        EnumValue<"Admanage">(3),
                                                        EnumValue<"AdsByQxGeneric">(4),
                                                        EnumValue<"AdsByQxExact">(5),
                                                        EnumValue<"AdSonar">(6),
                                                        EnumValue<"Nami">(7),
                                                        EnumValue<"AdKnowledge">(8),
                                                        EnumValue<"Oridian">(9),
                                                        EnumValue<"AdExchange">(10),
                                                        EnumValue<"Clicksor">(11),
                                                        kEndOfFields};
inline constexpr OperationDescriptor kQxFeedType =
    Enumeration<"QxFeedType", kTestNamespace>(kQxFeedTypeValues);

struct AdItem {
  int FeedType = 0;
  SoapString Title, Url, Description, DescriptionLine1, DescriptionLine2, ClickUrl, Referer;
  double BidPrice = 0;
  bool DisplayAd = false;
  SoapString ImageUrl, Keyword;
};

inline constexpr FieldDescriptor kAdItemFields[] = {
    Field<&AdItem::FeedType, "FeedType">(-1, kFieldRecord, &kQxFeedType),
    Field<&AdItem::Title, "Title">(kXsdString, kRecordString),
    Field<&AdItem::Url, "Url">(kXsdString, kRecordString),
    Field<&AdItem::Description, "Description">(kXsdString, kRecordString),
    Field<&AdItem::DescriptionLine1, "DescriptionLine1">(kXsdString, kRecordString),
    Field<&AdItem::DescriptionLine2, "DescriptionLine2">(kXsdString, kRecordString),
    Field<&AdItem::ClickUrl, "ClickUrl">(kXsdString, kRecordString),
    Field<&AdItem::Referer, "Referer">(kXsdString, kRecordString),
    Field<&AdItem::BidPrice, "BidPrice">(kXsdDecimal, kFieldRecord),
    Field<&AdItem::DisplayAd, "DisplayAd">(kXsdBoolean, kFieldRecord),
    Field<&AdItem::ImageUrl, "ImageUrl">(kXsdString, kRecordString),
    Field<&AdItem::Keyword, "Keyword">(kXsdString, kRecordString),
    kEndOfFields};
inline constexpr OperationDescriptor kAdItem =
    Record<AdItem, "AdItem", kTestNamespace>(kAdItemFields);

struct ArrayOfAdItem {
  std::vector<AdItem> items;
};

inline constexpr FieldDescriptor kArrayOfAdItemFields[] = {
    Field<&ArrayOfAdItem::items, "AdItem">(
        -1, kFieldRecord | kFieldDynamicArray | kFieldArrayWrapper | kFieldNullable, &kAdItem, 1),
    ArrayCount<"__AdItem_nSizeIs">(kFieldRecord), kEndOfFields};
inline constexpr OperationDescriptor kArrayOfAdItem =
    Record<ArrayOfAdItem, "ArrayOfAdItem", kTestNamespace>(kArrayOfAdItemFields);

struct AdTestItem {
  int FeedType = 0;
  bool FeedEnabled = false;
  ArrayOfAdItem AdItems;
  std::int32_t AdsCount = 0;
};

inline constexpr FieldDescriptor kAdTestItemFields[] = {
    Field<&AdTestItem::FeedType, "FeedType">(-1, kFieldRecord, &kQxFeedType),
    Field<&AdTestItem::FeedEnabled, "FeedEnabled">(kXsdBoolean, kFieldRecord),
    Field<&AdTestItem::AdItems, "AdItems">(-1, kFieldRecord, &kArrayOfAdItem),
    Field<&AdTestItem::AdsCount, "AdsCount">(kXsdInt, kFieldRecord), kEndOfFields};
inline constexpr OperationDescriptor kAdTestItem =
    Record<AdTestItem, "AdTestItem", kTestNamespace>(kAdTestItemFields);

// ---- Echo: one field of every native form, both ways ----------------------

struct EchoParams {
  SoapString text;
  std::int32_t number = 0;
  bool flag = false;
  double price = 0;
  double ratio = 0;
  SoapBytes blob;
  SoapBytes hex;
  int feed = 0;
  AdTestItem test;
  std::vector<SoapString> words;
  std::vector<AdItemResult> ads;
  std::vector<AdTestItem> EchoResult;
  SoapString note;
};

inline constexpr FieldDescriptor kEchoFields[] = {
    Field<&EchoParams::text, "text">(kXsdString, kFieldIn | kFieldOut | kFieldNullable),
    Field<&EchoParams::number, "number">(kXsdInt, kFieldIn | kFieldOut),
    Field<&EchoParams::flag, "flag">(kXsdBoolean, kFieldIn | kFieldOut),
    Field<&EchoParams::price, "price">(kXsdDecimal, kFieldIn | kFieldOut),
    Field<&EchoParams::ratio, "ratio">(kXsdDouble, kFieldIn | kFieldOut),
    Field<&EchoParams::blob, "blob">(kXsdBase64Binary, kFieldIn | kFieldOut | kFieldNullable),
    Field<&EchoParams::hex, "hex">(kXsdHexBinary, kFieldIn | kFieldOut | kFieldNullable),
    Field<&EchoParams::feed, "feed">(-1, kFieldIn | kFieldOut, &kQxFeedType),
    Field<&EchoParams::test, "test">(-1, kFieldIn | kFieldOut, &kAdTestItem),
    Field<&EchoParams::words, "words">(
        kXsdString, kFieldIn | kFieldOut | kFieldDynamicArray | kFieldNullable, nullptr, 10),
    ArrayCount<"__words_nSizeIs">(kFieldIn | kFieldOut),
    Field<&EchoParams::ads, "ads">(-1, kFieldIn | kFieldOut | kFieldDynamicArray | kFieldNullable,
                                   &kAdItemResult, 12),
    ArrayCount<"__ads_nSizeIs">(kFieldIn | kFieldOut),
    Field<&EchoParams::EchoResult, "EchoResult">(-1, kOutArray, &kAdTestItem, 14),
    ArrayCount<"__EchoResult_nSizeIs">(kFieldOut),
    Field<&EchoParams::note, "note">(kXsdString, kFieldOut | kFieldNullable),
    kEndOfFields};
inline constexpr OperationDescriptor kEchoBody =
    Operation<EchoParams, "Echo", kTestNamespace>(kEchoFields);
inline constexpr OperationDescriptor kEchoHeaders = HeaderSet<"Echo", kTestNamespace>();
inline constexpr SoapOperation kEcho{&kEchoBody, &kEchoHeaders};

// ---- VersionInfo: a single record result with a required boolean ---------

struct VersionInfo {
  SoapString Version;
  bool UpgradeRequired = false;
  SoapString DownloadURL;
};

inline constexpr FieldDescriptor kVersionInfoFields[] = {
    Field<&VersionInfo::Version, "Version">(kXsdString, kRecordString),
    Field<&VersionInfo::UpgradeRequired, "UpgradeRequired">(kXsdBoolean, kFieldRecord),
    Field<&VersionInfo::DownloadURL, "DownloadURL">(kXsdString, kRecordString), kEndOfFields};
inline constexpr OperationDescriptor kVersionInfo =
    Record<VersionInfo, "VersionInfo", kTestNamespace>(kVersionInfoFields);

struct GetVersionInfoParams {
  SoapString product;
  VersionInfo GetVersionInfoResult;
};

inline constexpr FieldDescriptor kGetVersionInfoFields[] = {
    Field<&GetVersionInfoParams::product, "product">(kXsdString, kInString),
    Field<&GetVersionInfoParams::GetVersionInfoResult, "GetVersionInfoResult">(-1, kFieldOut,
                                                                               &kVersionInfo),
    kEndOfFields};
inline constexpr OperationDescriptor kGetVersionInfoBody =
    Operation<GetVersionInfoParams, "GetVersionInfo", kTestNamespace>(kGetVersionInfoFields);
inline constexpr OperationDescriptor kGetVersionInfoHeaders =
    HeaderSet<"GetVersionInfo", kTestNamespace>();
inline constexpr SoapOperation kGetVersionInfo{&kGetVersionInfoBody, &kGetVersionInfoHeaders};

}  // namespace soap::testing
