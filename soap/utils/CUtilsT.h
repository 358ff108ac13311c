// The utils service proxy: one method per operation, each a thin front for
// the runtime's generic call with that operation's tables. In-parameters are
// native values (a null SoapString goes out as xsi:nil); the single result
// comes back through a pointer. Each method returns a status (negative on
// failure) and leaves GetClientError() set; the out-pointer is written only
// on success.
//
//   Utils::CUtils proxy;   // on the default utils endpoint
//   Utils::LoginInfo info;
//   if (SUCCEEDED(proxy.Login(email, password, question, answer, 60, &info))) ...
#pragma once

#include <string_view>
#include <vector>

#include "platform/com/HResult.h"
#include "soap/ServiceConfig.h"
#include "soap/runtime/CSoapSocketClientT.h"
#include "soap/utils/UtilsTypes.h"

namespace Utils {

template <typename TClient = soap::CSoapSocketClient>
class CUtilsT : public TClient {
 public:
  // Starts on the default endpoint (the build's, or the environment's
  // override); SetUrl may replace it.
  CUtilsT() : TClient(soap::DefaultUtilsEndpoint()) {}
  explicit CUtilsT(std::string_view url) : TClient(url) {}

  HRESULT Statistics(const SoapString& EncMemberID, SoapString* result);
  HRESULT StatisticsEx(const SoapString& EncMemberID, const SoapString& EncSessionID,
                       SoapString* result);
  HRESULT Enroll(const SoapString& OfferID, const SoapString& EncMemberID, bool* result);
  HRESULT Login(const SoapString& Email, const SoapString& Password, int SecurityQuestionId,
                const SoapString& SecurityQuestionAnswer, int OfferID, LoginInfo* result);
  HRESULT VersionInfo2(const SoapString& OfferID, DesktopVersion2* result);
  HRESULT GetEncryptedUserIDFromLogin(const SoapString& VimaruID, const SoapString& Password,
                                      SoapString* result);
  HRESULT VersionInfo(int OfferID, DesktopVersion* result);
  HRESULT SSO(const SoapString& OfferID, const SoapString& EncMemberID, SoapString* result);
  HRESULT StatisticsExCheckCookie(SoapString* result);
  HRESULT LogError(const std::vector<SoapString>& Param1, const std::vector<SoapString>& Param2,
                   const std::vector<SoapString>& Param3, const std::vector<SoapString>& Param4,
                   const std::vector<SoapString>& Param5, const SoapBytes& Param6);
};

extern template class CUtilsT<soap::CSoapSocketClient>;
using CUtils = CUtilsT<>;

}  // namespace Utils
