// The wire schema of the utils service: the record descriptors and, per
// operation, its parameter block, field table and `SoapOperation`. The
// element names here are the contract with the service, including their
// inconsistencies: `EncMemberID` as a parameter but `EncMemberId` in
// `LoginInfo`, and `OfferID` an int in `Login` and `VersionInfo` but a
// string in `Enroll`, `VersionInfo2` and `SSO`.
#pragma once

#include <cstdint>
#include <vector>

#include "soap/ServiceConfig.h"
#include "soap/ads/ServiceOperation.h"
#include "soap/runtime/SoapDescriptors.h"
#include "soap/utils/UtilsTypes.h"

namespace Utils {

using soap::ArrayCount;
using soap::Field;
using soap::FieldDescriptor;
using soap::kEndOfFields;
using soap::OperationDescriptor;

// ---- Records -----------------------------------------------------------

inline constexpr FieldDescriptor kLoginInfoFields[] = {
    Field<&LoginInfo::LoginStatus, "LoginStatus">(soap::kXsdString, soap::kRecordString),
    Field<&LoginInfo::OfferStatus, "OfferStatus">(soap::kXsdString, soap::kRecordString),
    Field<&LoginInfo::UserName, "UserName">(soap::kXsdString, soap::kRecordString),
    Field<&LoginInfo::EncMemberId, "EncMemberId">(soap::kXsdString, soap::kRecordString),
    Field<&LoginInfo::SSO, "SSO">(soap::kXsdString, soap::kRecordString),
    kEndOfFields};
inline constexpr OperationDescriptor kLoginInfo =
    soap::Record<LoginInfo, "LoginInfo", soap::UtilsServiceNamespace>(kLoginInfoFields);

inline constexpr FieldDescriptor kDesktopVersionFields[] = {
    Field<&DesktopVersion::DesktopVersionId, "DesktopVersionId">(soap::kXsdInt, soap::kRecordValue),
    Field<&DesktopVersion::DownloadURL, "DownloadURL">(soap::kXsdString, soap::kRecordString),
    Field<&DesktopVersion::OfferId, "OfferId">(soap::kXsdInt, soap::kRecordValue),
    Field<&DesktopVersion::pFrequency, "pFrequency">(soap::kXsdInt, soap::kRecordValue),
    Field<&DesktopVersion::UpgradeRequired, "UpgradeRequired">(soap::kXsdBoolean,
                                                               soap::kRecordValue),
    Field<&DesktopVersion::VersionNumber, "VersionNumber">(soap::kXsdString, soap::kRecordString),
    kEndOfFields};
inline constexpr OperationDescriptor kDesktopVersion =
    soap::Record<DesktopVersion, "DesktopVersion", soap::UtilsServiceNamespace>(
        kDesktopVersionFields);

inline constexpr FieldDescriptor kDesktopVersion2Fields[] = {
    Field<&DesktopVersion2::DesktopVersionId, "DesktopVersionId">(soap::kXsdString,
                                                                  soap::kRecordString),
    Field<&DesktopVersion2::DownloadURL, "DownloadURL">(soap::kXsdString, soap::kRecordString),
    Field<&DesktopVersion2::OfferId, "OfferId">(soap::kXsdString, soap::kRecordString),
    Field<&DesktopVersion2::pFrequency, "pFrequency">(soap::kXsdString, soap::kRecordString),
    Field<&DesktopVersion2::UpgradeRequired, "UpgradeRequired">(soap::kXsdString,
                                                                soap::kRecordString),
    Field<&DesktopVersion2::VersionNumber, "VersionNumber">(soap::kXsdString, soap::kRecordString),
    kEndOfFields};
inline constexpr OperationDescriptor kDesktopVersion2 =
    soap::Record<DesktopVersion2, "DesktopVersion2", soap::UtilsServiceNamespace>(
        kDesktopVersion2Fields);

template <typename Params, soap::ElementName Name, const auto& Fields>
inline constexpr const soap::SoapOperation& kUtilsOperation =
    soap::ServiceOperation<Params, Name, soap::UtilsServiceNamespace, Fields>::operation;

// ---- Operations, in the proxy's table order ----------------------------

struct StatisticsParams {
  SoapString EncMemberID;
  SoapString StatisticsResult;
};
inline constexpr FieldDescriptor kStatisticsFields[] = {
    Field<&StatisticsParams::EncMemberID, "EncMemberID">(soap::kXsdString, soap::kInString),
    Field<&StatisticsParams::StatisticsResult, "StatisticsResult">(soap::kXsdString,
                                                                   soap::kOutString),
    kEndOfFields};
inline constexpr const soap::SoapOperation& kStatistics =
    kUtilsOperation<StatisticsParams, "Statistics", kStatisticsFields>;

struct StatisticsExParams {
  SoapString EncMemberID;
  SoapString EncSessionID;
  SoapString StatisticsExResult;
};
inline constexpr FieldDescriptor kStatisticsExFields[] = {
    Field<&StatisticsExParams::EncMemberID, "EncMemberID">(soap::kXsdString, soap::kInString),
    Field<&StatisticsExParams::EncSessionID, "EncSessionID">(soap::kXsdString, soap::kInString),
    Field<&StatisticsExParams::StatisticsExResult, "StatisticsExResult">(soap::kXsdString,
                                                                         soap::kOutString),
    kEndOfFields};
inline constexpr const soap::SoapOperation& kStatisticsEx =
    kUtilsOperation<StatisticsExParams, "StatisticsEx", kStatisticsExFields>;

struct EnrollParams {
  SoapString OfferID;
  SoapString EncMemberID;
  bool EnrollResult = false;
};
inline constexpr FieldDescriptor kEnrollFields[] = {
    Field<&EnrollParams::OfferID, "OfferID">(soap::kXsdString, soap::kInString),
    Field<&EnrollParams::EncMemberID, "EncMemberID">(soap::kXsdString, soap::kInString),
    // A boolean result is required: an answer without it fails the call.
    Field<&EnrollParams::EnrollResult, "EnrollResult">(soap::kXsdBoolean, soap::kOutValue),
    kEndOfFields};
inline constexpr const soap::SoapOperation& kEnroll =
    kUtilsOperation<EnrollParams, "Enroll", kEnrollFields>;

struct LoginParams {
  SoapString Email;
  SoapString Password;
  std::int32_t SecurityQuestionId = 0;
  SoapString SecurityQuestionAnswer;
  std::int32_t OfferID = 0;
  LoginInfo LoginResult;
};
inline constexpr FieldDescriptor kLoginFields[] = {
    Field<&LoginParams::Email, "Email">(soap::kXsdString, soap::kInString),
    Field<&LoginParams::Password, "Password">(soap::kXsdString, soap::kInString),
    Field<&LoginParams::SecurityQuestionId, "SecurityQuestionId">(soap::kXsdInt, soap::kInValue),
    Field<&LoginParams::SecurityQuestionAnswer, "SecurityQuestionAnswer">(soap::kXsdString,
                                                                          soap::kInString),
    Field<&LoginParams::OfferID, "OfferID">(soap::kXsdInt, soap::kInValue),
    Field<&LoginParams::LoginResult, "LoginResult">(-1, soap::kOutValue, &kLoginInfo),
    kEndOfFields};
inline constexpr const soap::SoapOperation& kLogin =
    kUtilsOperation<LoginParams, "Login", kLoginFields>;

struct VersionInfo2Params {
  SoapString OfferID;
  DesktopVersion2 VersionInfo2Result;
};
inline constexpr FieldDescriptor kVersionInfo2Fields[] = {
    Field<&VersionInfo2Params::OfferID, "OfferID">(soap::kXsdString, soap::kInString),
    Field<&VersionInfo2Params::VersionInfo2Result, "VersionInfo2Result">(-1, soap::kOutValue,
                                                                         &kDesktopVersion2),
    kEndOfFields};
inline constexpr const soap::SoapOperation& kVersionInfo2 =
    kUtilsOperation<VersionInfo2Params, "VersionInfo2", kVersionInfo2Fields>;

struct GetEncryptedUserIDFromLoginParams {
  SoapString VimaruID;
  SoapString Password;
  SoapString GetEncryptedUserIDFromLoginResult;
};
inline constexpr FieldDescriptor kGetEncryptedUserIDFromLoginFields[] = {
    Field<&GetEncryptedUserIDFromLoginParams::VimaruID, "VimaruID">(soap::kXsdString,
                                                                    soap::kInString),
    Field<&GetEncryptedUserIDFromLoginParams::Password, "Password">(soap::kXsdString,
                                                                    soap::kInString),
    Field<&GetEncryptedUserIDFromLoginParams::GetEncryptedUserIDFromLoginResult,
          "GetEncryptedUserIDFromLoginResult">(soap::kXsdString, soap::kOutString),
    kEndOfFields};
inline constexpr const soap::SoapOperation& kGetEncryptedUserIDFromLogin =
    kUtilsOperation<GetEncryptedUserIDFromLoginParams, "GetEncryptedUserIDFromLogin",
                    kGetEncryptedUserIDFromLoginFields>;

struct VersionInfoParams {
  std::int32_t OfferID = 0;
  DesktopVersion VersionInfoResult;
};
inline constexpr FieldDescriptor kVersionInfoFields[] = {
    Field<&VersionInfoParams::OfferID, "OfferID">(soap::kXsdInt, soap::kInValue),
    Field<&VersionInfoParams::VersionInfoResult, "VersionInfoResult">(-1, soap::kOutValue,
                                                                      &kDesktopVersion),
    kEndOfFields};
inline constexpr const soap::SoapOperation& kVersionInfo =
    kUtilsOperation<VersionInfoParams, "VersionInfo", kVersionInfoFields>;

struct SSOParams {
  SoapString OfferID;
  SoapString EncMemberID;
  SoapString SSOResult;
};
inline constexpr FieldDescriptor kSSOFields[] = {
    Field<&SSOParams::OfferID, "OfferID">(soap::kXsdString, soap::kInString),
    Field<&SSOParams::EncMemberID, "EncMemberID">(soap::kXsdString, soap::kInString),
    Field<&SSOParams::SSOResult, "SSOResult">(soap::kXsdString, soap::kOutString), kEndOfFields};
inline constexpr const soap::SoapOperation& kSSO = kUtilsOperation<SSOParams, "SSO", kSSOFields>;

struct StatisticsExCheckCookieParams {
  SoapString StatisticsExCheckCookieResult;
};
inline constexpr FieldDescriptor kStatisticsExCheckCookieFields[] = {
    Field<&StatisticsExCheckCookieParams::StatisticsExCheckCookieResult,
          "StatisticsExCheckCookieResult">(soap::kXsdString, soap::kOutString),
    kEndOfFields};
inline constexpr const soap::SoapOperation& kStatisticsExCheckCookie =
    kUtilsOperation<StatisticsExCheckCookieParams, "StatisticsExCheckCookie",
                    kStatisticsExCheckCookieFields>;

// Five string arrays, each item written as "<string>...</string>", and one
// base64 block; the answer carries nothing.
struct LogErrorParams {
  std::vector<SoapString> Param1;
  std::vector<SoapString> Param2;
  std::vector<SoapString> Param3;
  std::vector<SoapString> Param4;
  std::vector<SoapString> Param5;
  SoapBytes Param6;
};
inline constexpr FieldDescriptor kLogErrorFields[] = {
    Field<&LogErrorParams::Param1, "Param1">(soap::kXsdString, soap::kInArray, nullptr, 1),
    ArrayCount<"__Param1_nSizeIs">(soap::kFieldIn),
    Field<&LogErrorParams::Param2, "Param2">(soap::kXsdString, soap::kInArray, nullptr, 3),
    ArrayCount<"__Param2_nSizeIs">(soap::kFieldIn),
    Field<&LogErrorParams::Param3, "Param3">(soap::kXsdString, soap::kInArray, nullptr, 5),
    ArrayCount<"__Param3_nSizeIs">(soap::kFieldIn),
    Field<&LogErrorParams::Param4, "Param4">(soap::kXsdString, soap::kInArray, nullptr, 7),
    ArrayCount<"__Param4_nSizeIs">(soap::kFieldIn),
    Field<&LogErrorParams::Param5, "Param5">(soap::kXsdString, soap::kInArray, nullptr, 9),
    ArrayCount<"__Param5_nSizeIs">(soap::kFieldIn),
    Field<&LogErrorParams::Param6, "Param6">(soap::kXsdBase64Binary, soap::kInValue),
    kEndOfFields};
inline constexpr const soap::SoapOperation& kLogError =
    kUtilsOperation<LogErrorParams, "LogError", kLogErrorFields>;

}  // namespace Utils
