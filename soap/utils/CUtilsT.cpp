#include "soap/utils/CUtilsT.h"

#include <utility>

#include "soap/utils/UtilsTables.h"

namespace Utils {
namespace {

// The result passes to the caller only when the call succeeded.
template <typename Value>
HRESULT HandOver(HRESULT hr, Value& received, Value* result) {
  if (SUCCEEDED(hr)) *result = std::move(received);
  return hr;
}

}  // namespace

template <typename TClient>
HRESULT CUtilsT<TClient>::Statistics(const SoapString& EncMemberID, SoapString* result) {
  if (result == nullptr) return E_POINTER;
  StatisticsParams params;
  const HRESULT hr = this->InvokeOperation(
      kStatistics, params, [&](StatisticsParams& in) { in.EncMemberID = EncMemberID; });
  return HandOver(hr, params.StatisticsResult, result);
}

template <typename TClient>
HRESULT CUtilsT<TClient>::StatisticsEx(const SoapString& EncMemberID,
                                       const SoapString& EncSessionID, SoapString* result) {
  if (result == nullptr) return E_POINTER;
  StatisticsExParams params;
  const HRESULT hr = this->InvokeOperation(kStatisticsEx, params, [&](StatisticsExParams& in) {
    in.EncMemberID = EncMemberID;
    in.EncSessionID = EncSessionID;
  });
  return HandOver(hr, params.StatisticsExResult, result);
}

template <typename TClient>
HRESULT CUtilsT<TClient>::Enroll(const SoapString& OfferID, const SoapString& EncMemberID,
                                 bool* result) {
  if (result == nullptr) return E_POINTER;
  EnrollParams params;
  const HRESULT hr = this->InvokeOperation(kEnroll, params, [&](EnrollParams& in) {
    in.OfferID = OfferID;
    in.EncMemberID = EncMemberID;
  });
  return HandOver(hr, params.EnrollResult, result);
}

template <typename TClient>
HRESULT CUtilsT<TClient>::Login(const SoapString& Email, const SoapString& Password,
                                int SecurityQuestionId, const SoapString& SecurityQuestionAnswer,
                                int OfferID, LoginInfo* result) {
  if (result == nullptr) return E_POINTER;
  LoginParams params;
  const HRESULT hr = this->InvokeOperation(kLogin, params, [&](LoginParams& in) {
    in.Email = Email;
    in.Password = Password;
    in.SecurityQuestionId = SecurityQuestionId;
    in.SecurityQuestionAnswer = SecurityQuestionAnswer;
    in.OfferID = OfferID;
  });
  return HandOver(hr, params.LoginResult, result);
}

template <typename TClient>
HRESULT CUtilsT<TClient>::VersionInfo2(const SoapString& OfferID, DesktopVersion2* result) {
  if (result == nullptr) return E_POINTER;
  VersionInfo2Params params;
  const HRESULT hr = this->InvokeOperation(kVersionInfo2, params,
                                           [&](VersionInfo2Params& in) { in.OfferID = OfferID; });
  return HandOver(hr, params.VersionInfo2Result, result);
}

template <typename TClient>
HRESULT CUtilsT<TClient>::GetEncryptedUserIDFromLogin(const SoapString& VimaruID,
                                                      const SoapString& Password,
                                                      SoapString* result) {
  if (result == nullptr) return E_POINTER;
  GetEncryptedUserIDFromLoginParams params;
  const HRESULT hr = this->InvokeOperation(kGetEncryptedUserIDFromLogin, params,
                                           [&](GetEncryptedUserIDFromLoginParams& in) {
                                             in.VimaruID = VimaruID;
                                             in.Password = Password;
                                           });
  return HandOver(hr, params.GetEncryptedUserIDFromLoginResult, result);
}

template <typename TClient>
HRESULT CUtilsT<TClient>::VersionInfo(int OfferID, DesktopVersion* result) {
  if (result == nullptr) return E_POINTER;
  VersionInfoParams params;
  const HRESULT hr = this->InvokeOperation(kVersionInfo, params,
                                           [&](VersionInfoParams& in) { in.OfferID = OfferID; });
  return HandOver(hr, params.VersionInfoResult, result);
}

template <typename TClient>
HRESULT CUtilsT<TClient>::SSO(const SoapString& OfferID, const SoapString& EncMemberID,
                              SoapString* result) {
  if (result == nullptr) return E_POINTER;
  SSOParams params;
  const HRESULT hr = this->InvokeOperation(kSSO, params, [&](SSOParams& in) {
    in.OfferID = OfferID;
    in.EncMemberID = EncMemberID;
  });
  return HandOver(hr, params.SSOResult, result);
}

template <typename TClient>
HRESULT CUtilsT<TClient>::StatisticsExCheckCookie(SoapString* result) {
  if (result == nullptr) return E_POINTER;
  StatisticsExCheckCookieParams params;
  const HRESULT hr = this->InvokeOperation(kStatisticsExCheckCookie, params,
                                           [](StatisticsExCheckCookieParams&) {});
  return HandOver(hr, params.StatisticsExCheckCookieResult, result);
}

template <typename TClient>
HRESULT CUtilsT<TClient>::LogError(const std::vector<SoapString>& Param1,
                                   const std::vector<SoapString>& Param2,
                                   const std::vector<SoapString>& Param3,
                                   const std::vector<SoapString>& Param4,
                                   const std::vector<SoapString>& Param5, const SoapBytes& Param6) {
  LogErrorParams params;
  return this->InvokeOperation(kLogError, params, [&](LogErrorParams& in) {
    in.Param1 = Param1;
    in.Param2 = Param2;
    in.Param3 = Param3;
    in.Param4 = Param4;
    in.Param5 = Param5;
    in.Param6 = Param6;
  });
}

template class CUtilsT<soap::CSoapSocketClient>;

}  // namespace Utils
