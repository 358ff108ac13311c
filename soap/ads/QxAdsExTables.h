// The wire schema of the ads service: one descriptor per record and
// enumeration, and per operation its parameter block, field table and
// `SoapOperation`. The runtime writes requests and reads responses from
// these alone, so the element names, their order, case, types and
// nullability here are the contract with the service.
//
// Every string parameter is nullable (a null goes out as xsi:nil); ints and
// booleans are always sent. Each result array is followed by its hidden
// count entry, which never appears on the wire.
#pragma once

#include <cstdint>
#include <vector>

#include "soap/ServiceConfig.h"
#include "soap/ads/QxAdsExTypes.h"
#include "soap/ads/ServiceOperation.h"
#include "soap/runtime/SoapDescriptors.h"

namespace QxAdsEx {

using soap::ArrayCount;
using soap::EnumValue;
using soap::Field;
using soap::FieldDescriptor;
using soap::kEndOfFields;
using soap::OperationDescriptor;

// ---- Records and enumeration -------------------------------------------

inline constexpr FieldDescriptor kQxFeedTypeValues[] = {EnumValue<"Unknown">(Unknown),
                                                        EnumValue<"Pulse360">(Pulse360),
                                                        EnumValue<"Mamma">(Mamma),
                                                        EnumValue<"Admanage">(Admanage),
                                                        EnumValue<"AdsByQxGeneric">(AdsByQxGeneric),
                                                        EnumValue<"AdsByQxExact">(AdsByQxExact),
                                                        EnumValue<"AdSonar">(AdSonar),
                                                        EnumValue<"Nami">(Nami),
                                                        EnumValue<"AdKnowledge">(AdKnowledge),
                                                        EnumValue<"Oridian">(Oridian),
                                                        EnumValue<"AdExchange">(AdExchange),
                                                        EnumValue<"Clicksor">(Clicksor),
                                                        kEndOfFields};
inline constexpr OperationDescriptor kQxFeedType =
    soap::Enumeration<"QxFeedType", soap::AdsServiceNamespace>(kQxFeedTypeValues);

inline constexpr FieldDescriptor kAdItemResultFields[] = {
    Field<&AdItemResult::Keyword, "Keyword">(soap::kXsdString, soap::kRecordString),
    Field<&AdItemResult::Referer, "Referer">(soap::kXsdString, soap::kRecordString),
    Field<&AdItemResult::Description, "Description">(soap::kXsdString, soap::kRecordString),
    Field<&AdItemResult::Title, "Title">(soap::kXsdString, soap::kRecordString),
    Field<&AdItemResult::ClickUrl, "ClickUrl">(soap::kXsdString, soap::kRecordString),
    Field<&AdItemResult::Url, "Url">(soap::kXsdString, soap::kRecordString),
    kEndOfFields};
inline constexpr OperationDescriptor kAdItemResult =
    soap::Record<AdItemResult, "AdItemResult", soap::AdsServiceNamespace>(kAdItemResultFields);

inline constexpr FieldDescriptor kCategoryItemFields[] = {
    Field<&CategoryItem::Label, "Label">(soap::kXsdString, soap::kRecordString),
    Field<&CategoryItem::Name, "Name">(soap::kXsdString, soap::kRecordString), kEndOfFields};
inline constexpr OperationDescriptor kCategoryItem =
    soap::Record<CategoryItem, "CategoryItem", soap::AdsServiceNamespace>(kCategoryItemFields);

inline constexpr FieldDescriptor kAdItemFields[] = {
    Field<&AdItem::FeedType, "FeedType">(-1, soap::kRecordValue, &kQxFeedType),
    Field<&AdItem::Title, "Title">(soap::kXsdString, soap::kRecordString),
    Field<&AdItem::Url, "Url">(soap::kXsdString, soap::kRecordString),
    Field<&AdItem::Description, "Description">(soap::kXsdString, soap::kRecordString),
    Field<&AdItem::DescriptionLine1, "DescriptionLine1">(soap::kXsdString, soap::kRecordString),
    Field<&AdItem::DescriptionLine2, "DescriptionLine2">(soap::kXsdString, soap::kRecordString),
    Field<&AdItem::ClickUrl, "ClickUrl">(soap::kXsdString, soap::kRecordString),
    Field<&AdItem::Referer, "Referer">(soap::kXsdString, soap::kRecordString),
    Field<&AdItem::BidPrice, "BidPrice">(soap::kXsdDecimal, soap::kRecordValue),
    Field<&AdItem::DisplayAd, "DisplayAd">(soap::kXsdBoolean, soap::kRecordValue),
    Field<&AdItem::ImageUrl, "ImageUrl">(soap::kXsdString, soap::kRecordString),
    Field<&AdItem::Keyword, "Keyword">(soap::kXsdString, soap::kRecordString),
    kEndOfFields};
inline constexpr OperationDescriptor kAdItem =
    soap::Record<AdItem, "AdItem", soap::AdsServiceNamespace>(kAdItemFields);

inline constexpr FieldDescriptor kArrayOfAdItemFields[] = {
    Field<&ArrayOfAdItem::AdItem, "AdItem">(-1,
                                            soap::kFieldRecord | soap::kFieldDynamicArray |
                                                soap::kFieldArrayWrapper | soap::kFieldNullable,
                                            &kAdItem, 1),
    ArrayCount<"__AdItem_nSizeIs">(soap::kFieldRecord), kEndOfFields};
inline constexpr OperationDescriptor kArrayOfAdItem =
    soap::Record<ArrayOfAdItem, "ArrayOfAdItem", soap::AdsServiceNamespace>(kArrayOfAdItemFields);

inline constexpr FieldDescriptor kAdTestItemFields[] = {
    Field<&AdTestItem::FeedType, "FeedType">(-1, soap::kRecordValue, &kQxFeedType),
    Field<&AdTestItem::FeedEnabled, "FeedEnabled">(soap::kXsdBoolean, soap::kRecordValue),
    Field<&AdTestItem::AdItems, "AdItems">(-1, soap::kRecordValue, &kArrayOfAdItem),
    Field<&AdTestItem::AdsCount, "AdsCount">(soap::kXsdInt, soap::kRecordValue), kEndOfFields};
inline constexpr OperationDescriptor kAdTestItem =
    soap::Record<AdTestItem, "AdTestItem", soap::AdsServiceNamespace>(kAdTestItemFields);

template <typename Params, soap::ElementName Name, const auto& Fields>
inline constexpr const soap::SoapOperation& kAdsOperation =
    soap::ServiceOperation<Params, Name, soap::AdsServiceNamespace, Fields>::operation;

// ---- Operations, in the proxy's table order ----------------------------

struct GetPublicAdsExParams {
  std::int32_t offerId = 0;
  SoapString memberIp;
  SoapString cgroup;
  SoapString keyword;
  std::int32_t maxAds = 0;
  SoapString ua;
  SoapString sURL;
  bool bFix = false;
  std::vector<AdItemResult> GetPublicAdsExResult;
};
inline constexpr FieldDescriptor kGetPublicAdsExFields[] = {
    Field<&GetPublicAdsExParams::offerId, "offerId">(soap::kXsdInt, soap::kInValue),
    Field<&GetPublicAdsExParams::memberIp, "memberIp">(soap::kXsdString, soap::kInString),
    Field<&GetPublicAdsExParams::cgroup, "cgroup">(soap::kXsdString, soap::kInString),
    Field<&GetPublicAdsExParams::keyword, "keyword">(soap::kXsdString, soap::kInString),
    Field<&GetPublicAdsExParams::maxAds, "maxAds">(soap::kXsdInt, soap::kInValue),
    Field<&GetPublicAdsExParams::ua, "ua">(soap::kXsdString, soap::kInString),
    Field<&GetPublicAdsExParams::sURL, "sURL">(soap::kXsdString, soap::kInString),
    Field<&GetPublicAdsExParams::bFix, "bFix">(soap::kXsdBoolean, soap::kInValue),
    Field<&GetPublicAdsExParams::GetPublicAdsExResult, "GetPublicAdsExResult">(-1, soap::kOutArray,
                                                                               &kAdItemResult, 9),
    ArrayCount<"__GetPublicAdsExResult_nSizeIs">(soap::kFieldOut),
    kEndOfFields};
inline constexpr const soap::SoapOperation& kGetPublicAdsEx =
    kAdsOperation<GetPublicAdsExParams, "GetPublicAdsEx", kGetPublicAdsExFields>;

struct GetRandomKeywordParams {
  SoapString GetRandomKeywordResult;
};
inline constexpr FieldDescriptor kGetRandomKeywordFields[] = {
    Field<&GetRandomKeywordParams::GetRandomKeywordResult, "GetRandomKeywordResult">(
        soap::kXsdString, soap::kOutString),
    kEndOfFields};
inline constexpr const soap::SoapOperation& kGetRandomKeyword =
    kAdsOperation<GetRandomKeywordParams, "GetRandomKeyword", kGetRandomKeywordFields>;

struct GetRandomCategoryParams {
  SoapString GetRandomCategoryResult;
};
inline constexpr FieldDescriptor kGetRandomCategoryFields[] = {
    Field<&GetRandomCategoryParams::GetRandomCategoryResult, "GetRandomCategoryResult">(
        soap::kXsdString, soap::kOutString),
    kEndOfFields};
inline constexpr const soap::SoapOperation& kGetRandomCategory =
    kAdsOperation<GetRandomCategoryParams, "GetRandomCategory", kGetRandomCategoryFields>;

struct GetMemberAdsExParams {
  SoapString encryptedMemberId;
  std::int32_t offerId = 0;
  SoapString memberIp;
  SoapString cgroup;
  SoapString keyword;
  std::int32_t maxAds = 0;
  SoapString ua;
  bool isChargable = false;
  SoapString sURL;
  bool bFix = false;
  std::vector<AdItemResult> GetMemberAdsExResult;
};
inline constexpr FieldDescriptor kGetMemberAdsExFields[] = {
    Field<&GetMemberAdsExParams::encryptedMemberId, "encryptedMemberId">(soap::kXsdString,
                                                                         soap::kInString),
    Field<&GetMemberAdsExParams::offerId, "offerId">(soap::kXsdInt, soap::kInValue),
    Field<&GetMemberAdsExParams::memberIp, "memberIp">(soap::kXsdString, soap::kInString),
    Field<&GetMemberAdsExParams::cgroup, "cgroup">(soap::kXsdString, soap::kInString),
    Field<&GetMemberAdsExParams::keyword, "keyword">(soap::kXsdString, soap::kInString),
    Field<&GetMemberAdsExParams::maxAds, "maxAds">(soap::kXsdInt, soap::kInValue),
    Field<&GetMemberAdsExParams::ua, "ua">(soap::kXsdString, soap::kInString),
    Field<&GetMemberAdsExParams::isChargable, "isChargable">(soap::kXsdBoolean, soap::kInValue),
    Field<&GetMemberAdsExParams::sURL, "sURL">(soap::kXsdString, soap::kInString),
    Field<&GetMemberAdsExParams::bFix, "bFix">(soap::kXsdBoolean, soap::kInValue),
    Field<&GetMemberAdsExParams::GetMemberAdsExResult, "GetMemberAdsExResult">(-1, soap::kOutArray,
                                                                               &kAdItemResult, 11),
    ArrayCount<"__GetMemberAdsExResult_nSizeIs">(soap::kFieldOut),
    kEndOfFields};
inline constexpr const soap::SoapOperation& kGetMemberAdsEx =
    kAdsOperation<GetMemberAdsExParams, "GetMemberAdsEx", kGetMemberAdsExFields>;

struct GetMemberAdsParams {
  SoapString encryptedMemberId;
  std::int32_t offerId = 0;
  SoapString memberIp;
  SoapString cgroup;
  SoapString keyword;
  std::int32_t maxAds = 0;
  SoapString ua;
  bool isChargable = false;
  SoapString sURL;
  std::vector<AdItemResult> GetMemberAdsResult;
};
inline constexpr FieldDescriptor kGetMemberAdsFields[] = {
    Field<&GetMemberAdsParams::encryptedMemberId, "encryptedMemberId">(soap::kXsdString,
                                                                       soap::kInString),
    Field<&GetMemberAdsParams::offerId, "offerId">(soap::kXsdInt, soap::kInValue),
    Field<&GetMemberAdsParams::memberIp, "memberIp">(soap::kXsdString, soap::kInString),
    Field<&GetMemberAdsParams::cgroup, "cgroup">(soap::kXsdString, soap::kInString),
    Field<&GetMemberAdsParams::keyword, "keyword">(soap::kXsdString, soap::kInString),
    Field<&GetMemberAdsParams::maxAds, "maxAds">(soap::kXsdInt, soap::kInValue),
    Field<&GetMemberAdsParams::ua, "ua">(soap::kXsdString, soap::kInString),
    Field<&GetMemberAdsParams::isChargable, "isChargable">(soap::kXsdBoolean, soap::kInValue),
    Field<&GetMemberAdsParams::sURL, "sURL">(soap::kXsdString, soap::kInString),
    Field<&GetMemberAdsParams::GetMemberAdsResult, "GetMemberAdsResult">(-1, soap::kOutArray,
                                                                         &kAdItemResult, 10),
    ArrayCount<"__GetMemberAdsResult_nSizeIs">(soap::kFieldOut),
    kEndOfFields};
inline constexpr const soap::SoapOperation& kGetMemberAds =
    kAdsOperation<GetMemberAdsParams, "GetMemberAds", kGetMemberAdsFields>;

struct testAdsParams {
  std::int32_t offerId = 0;
  SoapString memberIp;
  SoapString cgroup;
  SoapString keyword;
  std::int32_t maxAds = 0;
  SoapString ua;
  SoapString sURL;
  bool testPulse360 = false;
  bool testMamma = false;
  bool testAdmanage = false;
  bool testAdSonar = false;
  bool testNami = false;
  bool testAdKnowledge = false;
  bool testOridian = false;
  bool testAdExchange = false;
  std::vector<AdTestItem> testAdsResult;
};
inline constexpr FieldDescriptor ktestAdsFields[] = {
    Field<&testAdsParams::offerId, "offerId">(soap::kXsdInt, soap::kInValue),
    Field<&testAdsParams::memberIp, "memberIp">(soap::kXsdString, soap::kInString),
    Field<&testAdsParams::cgroup, "cgroup">(soap::kXsdString, soap::kInString),
    Field<&testAdsParams::keyword, "keyword">(soap::kXsdString, soap::kInString),
    Field<&testAdsParams::maxAds, "maxAds">(soap::kXsdInt, soap::kInValue),
    Field<&testAdsParams::ua, "ua">(soap::kXsdString, soap::kInString),
    Field<&testAdsParams::sURL, "sURL">(soap::kXsdString, soap::kInString),
    Field<&testAdsParams::testPulse360, "testPulse360">(soap::kXsdBoolean, soap::kInValue),
    Field<&testAdsParams::testMamma, "testMamma">(soap::kXsdBoolean, soap::kInValue),
    Field<&testAdsParams::testAdmanage, "testAdmanage">(soap::kXsdBoolean, soap::kInValue),
    Field<&testAdsParams::testAdSonar, "testAdSonar">(soap::kXsdBoolean, soap::kInValue),
    Field<&testAdsParams::testNami, "testNami">(soap::kXsdBoolean, soap::kInValue),
    Field<&testAdsParams::testAdKnowledge, "testAdKnowledge">(soap::kXsdBoolean, soap::kInValue),
    Field<&testAdsParams::testOridian, "testOridian">(soap::kXsdBoolean, soap::kInValue),
    Field<&testAdsParams::testAdExchange, "testAdExchange">(soap::kXsdBoolean, soap::kInValue),
    Field<&testAdsParams::testAdsResult, "testAdsResult">(-1, soap::kOutArray, &kAdTestItem, 16),
    ArrayCount<"__testAdsResult_nSizeIs">(soap::kFieldOut),
    kEndOfFields};
inline constexpr const soap::SoapOperation& ktestAds =
    kAdsOperation<testAdsParams, "testAds", ktestAdsFields>;

struct GetBlockedTermsListParams {
  std::vector<SoapString> GetBlockedTermsListResult;
};
inline constexpr FieldDescriptor kGetBlockedTermsListFields[] = {
    Field<&GetBlockedTermsListParams::GetBlockedTermsListResult, "GetBlockedTermsListResult">(
        soap::kXsdString, soap::kOutArray, nullptr, 1),
    ArrayCount<"__GetBlockedTermsListResult_nSizeIs">(soap::kFieldOut), kEndOfFields};
inline constexpr const soap::SoapOperation& kGetBlockedTermsList =
    kAdsOperation<GetBlockedTermsListParams, "GetBlockedTermsList", kGetBlockedTermsListFields>;

struct GetKeywordListParams {
  std::vector<SoapString> GetKeywordListResult;
};
inline constexpr FieldDescriptor kGetKeywordListFields[] = {
    Field<&GetKeywordListParams::GetKeywordListResult, "GetKeywordListResult">(
        soap::kXsdString, soap::kOutArray, nullptr, 1),
    ArrayCount<"__GetKeywordListResult_nSizeIs">(soap::kFieldOut), kEndOfFields};
inline constexpr const soap::SoapOperation& kGetKeywordList =
    kAdsOperation<GetKeywordListParams, "GetKeywordList", kGetKeywordListFields>;

struct GetPublicAdsParams {
  std::int32_t offerId = 0;
  SoapString memberIp;
  SoapString cgroup;
  SoapString keyword;
  std::int32_t maxAds = 0;
  SoapString ua;
  SoapString sURL;
  std::vector<AdItemResult> GetPublicAdsResult;
};
inline constexpr FieldDescriptor kGetPublicAdsFields[] = {
    Field<&GetPublicAdsParams::offerId, "offerId">(soap::kXsdInt, soap::kInValue),
    Field<&GetPublicAdsParams::memberIp, "memberIp">(soap::kXsdString, soap::kInString),
    Field<&GetPublicAdsParams::cgroup, "cgroup">(soap::kXsdString, soap::kInString),
    Field<&GetPublicAdsParams::keyword, "keyword">(soap::kXsdString, soap::kInString),
    Field<&GetPublicAdsParams::maxAds, "maxAds">(soap::kXsdInt, soap::kInValue),
    Field<&GetPublicAdsParams::ua, "ua">(soap::kXsdString, soap::kInString),
    Field<&GetPublicAdsParams::sURL, "sURL">(soap::kXsdString, soap::kInString),
    Field<&GetPublicAdsParams::GetPublicAdsResult, "GetPublicAdsResult">(-1, soap::kOutArray,
                                                                         &kAdItemResult, 8),
    ArrayCount<"__GetPublicAdsResult_nSizeIs">(soap::kFieldOut),
    kEndOfFields};
inline constexpr const soap::SoapOperation& kGetPublicAds =
    kAdsOperation<GetPublicAdsParams, "GetPublicAds", kGetPublicAdsFields>;

struct TestPublicAdsParams {
  std::vector<AdItemResult> TestPublicAdsResult;
};
inline constexpr FieldDescriptor kTestPublicAdsFields[] = {
    Field<&TestPublicAdsParams::TestPublicAdsResult, "TestPublicAdsResult">(-1, soap::kOutArray,
                                                                            &kAdItemResult, 1),
    ArrayCount<"__TestPublicAdsResult_nSizeIs">(soap::kFieldOut), kEndOfFields};
inline constexpr const soap::SoapOperation& kTestPublicAds =
    kAdsOperation<TestPublicAdsParams, "TestPublicAds", kTestPublicAdsFields>;

struct GetCategoryListParams {
  std::vector<CategoryItem> GetCategoryListResult;
};
inline constexpr FieldDescriptor kGetCategoryListFields[] = {
    Field<&GetCategoryListParams::GetCategoryListResult, "GetCategoryListResult">(
        -1, soap::kOutArray, &kCategoryItem, 1),
    ArrayCount<"__GetCategoryListResult_nSizeIs">(soap::kFieldOut), kEndOfFields};
inline constexpr const soap::SoapOperation& kGetCategoryList =
    kAdsOperation<GetCategoryListParams, "GetCategoryList", kGetCategoryListFields>;

}  // namespace QxAdsEx
