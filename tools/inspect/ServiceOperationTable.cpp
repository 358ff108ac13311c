#include "tools/inspect/ServiceOperationTable.h"

#include <array>

#include "platform/com/ComInit.h"
#include "platform/text/CodePage.h"
#include "soap/ads/QxAdsExTables.h"
#include "soap/runtime/CSoapSocketClientT.h"
#include "soap/utils/UtilsTables.h"
#include "tools/inspect/DescriptorArguments.h"
#include "tools/inspect/DescriptorJson.h"

namespace tools {
namespace {

std::string_view FaultCodeName(soap::SoapFaultCode code) {
  switch (code) {
    case soap::SoapFaultCode::kVersionMismatch:
      return "VersionMismatch";
    case soap::SoapFaultCode::kMustUnderstand:
      return "MustUnderstand";
    case soap::SoapFaultCode::kClient:
      return "Client";
    case soap::SoapFaultCode::kServer:
      return "Server";
    case soap::SoapFaultCode::kUnknown:
      break;
  }
  return "Unknown";
}

void WriteFault(JsonWriter& json, const soap::SoapFault& fault) {
  json.Key("fault");
  json.BeginObject();
  json.Key("code");
  json.Utf8String(FaultCodeName(fault.code));
  json.Key("string");
  json.Utf8String(platform::WideToUtf8(fault.faultString));
  json.Key("actor");
  json.Utf8String(platform::WideToUtf8(fault.faultActor));
  json.Key("detail");
  json.Utf8String(platform::WideToUtf8(fault.detail));
  json.EndObject();
}

// The same steps a proxy method takes, with the block filled from the
// command line instead of native arguments.
template <typename Params>
CallRun Run(const soap::SoapOperation& operation, std::string_view endpoint,
            const std::vector<std::string_view>& assignments, JsonWriter& json) {
  Params prepared;
  CallRun run;
  run.problem = FillInParameters(*operation.body, &prepared, assignments);
  if (!run.problem.empty()) {
    run.argumentsValid = false;
    return run;
  }
  soap::CSoapSocketClient client(endpoint);
  Params params;
  HRESULT hr = E_FAIL;
  {
    const platform::ScopedComInit com;
    hr = client.InvokeOperation(operation, params, [&](Params& block) { block = prepared; });
  }
  run.succeeded = SUCCEEDED(hr);
  if (!run.succeeded) run.problem = client.GetFailureCause();

  json.BeginObject();
  json.Key("status");
  json.Integer(hr);
  json.Key("error");
  json.Integer(static_cast<int>(client.GetClientError()));
  json.Key("message");
  if (run.succeeded) {
    json.Null();
  } else {
    json.Utf8String(run.problem);
  }
  json.Key("result");
  if (run.succeeded) {
    WriteOutValues(json, *operation.body, &params);
  } else {
    json.Null();
  }
  if (client.GetClientError() == soap::SoapClientError::kSoapFault)
    WriteFault(json, client.GetFault());
  json.EndObject();
  return run;
}

template <typename Params>
constexpr ServiceOperation Entry(std::string_view service, const soap::SoapOperation& operation) {
  return ServiceOperation{operation.body->Name(), service, &operation, &Run<Params>};
}

constexpr std::array kOperations = {
    Entry<QxAdsEx::GetPublicAdsExParams>("ads", QxAdsEx::kGetPublicAdsEx),
    Entry<QxAdsEx::GetRandomKeywordParams>("ads", QxAdsEx::kGetRandomKeyword),
    Entry<QxAdsEx::GetRandomCategoryParams>("ads", QxAdsEx::kGetRandomCategory),
    Entry<QxAdsEx::GetMemberAdsExParams>("ads", QxAdsEx::kGetMemberAdsEx),
    Entry<QxAdsEx::GetMemberAdsParams>("ads", QxAdsEx::kGetMemberAds),
    Entry<QxAdsEx::testAdsParams>("ads", QxAdsEx::ktestAds),
    Entry<QxAdsEx::GetBlockedTermsListParams>("ads", QxAdsEx::kGetBlockedTermsList),
    Entry<QxAdsEx::GetKeywordListParams>("ads", QxAdsEx::kGetKeywordList),
    Entry<QxAdsEx::GetPublicAdsParams>("ads", QxAdsEx::kGetPublicAds),
    Entry<QxAdsEx::TestPublicAdsParams>("ads", QxAdsEx::kTestPublicAds),
    Entry<QxAdsEx::GetCategoryListParams>("ads", QxAdsEx::kGetCategoryList),
    Entry<Utils::StatisticsParams>("utils", Utils::kStatistics),
    Entry<Utils::StatisticsExParams>("utils", Utils::kStatisticsEx),
    Entry<Utils::EnrollParams>("utils", Utils::kEnroll),
    Entry<Utils::LoginParams>("utils", Utils::kLogin),
    Entry<Utils::VersionInfo2Params>("utils", Utils::kVersionInfo2),
    Entry<Utils::GetEncryptedUserIDFromLoginParams>("utils", Utils::kGetEncryptedUserIDFromLogin),
    Entry<Utils::VersionInfoParams>("utils", Utils::kVersionInfo),
    Entry<Utils::SSOParams>("utils", Utils::kSSO),
    Entry<Utils::StatisticsExCheckCookieParams>("utils", Utils::kStatisticsExCheckCookie),
    Entry<Utils::LogErrorParams>("utils", Utils::kLogError),
};

}  // namespace

std::span<const ServiceOperation> ServiceOperations() { return kOperations; }

const ServiceOperation* FindServiceOperation(std::string_view name) {
  for (const ServiceOperation& operation : kOperations) {
    if (operation.name == name) return &operation;
  }
  return nullptr;
}

}  // namespace tools
