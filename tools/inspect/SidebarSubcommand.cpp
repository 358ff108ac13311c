#include "tools/inspect/SidebarSubcommand.h"

#include <map>
#include <optional>
#include <string>

#include "platform/registry/RegistryKey.h"
#include "platform/text/CodePage.h"
#include "session/ads/AdsRequest.h"
#include "session/ads/SessionUserAgent.h"
#include "session/sidebar/ReferralValues.h"
#include "tools/inspect/JsonWriter.h"
#include "tools/inspect/ToolDiagnostics.h"

namespace tools {
namespace {

constexpr std::string_view kOptions[] = {"--member",     "--category",    "--url",
                                         "--user-agent", "--referral-id", "--referral-subdomain"};

std::optional<std::map<std::string_view, std::string>> ParseOptions(SubcommandArguments arguments,
                                                                    std::string& problem) {
  std::map<std::string_view, std::string> options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    bool known = false;
    for (const std::string_view option : kOptions) known = known || option == argument;
    if (!known) {
      problem = "unknown argument '" + std::string(argument) + "'";
      return std::nullopt;
    }
    if (i + 1 >= arguments.size() || options.contains(argument)) {
      problem = std::string(argument) + " takes one value";
      return std::nullopt;
    }
    options.emplace(argument, std::string(arguments[++i]));
  }
  return options;
}

bool StoreReferral(const char* name, const std::string& value) {
  platform::RegistryKey key;
  return key.Create(HKEY_LOCAL_MACHINE, session::kReferralKey) == ERROR_SUCCESS &&
         key.SetValue(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1)) ==
             ERROR_SUCCESS;
}

void WideField(JsonWriter& json, std::string_view name, const std::u16string& value) {
  json.Key(name);
  json.Utf8String(platform::WideToUtf8(value));
}

}  // namespace

int RunSidebarSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err) {
  std::string problem;
  const auto options = ParseOptions(arguments, problem);
  if (!options) return UsageError(err, kSidebarUsage, problem);
  const auto option = [&](std::string_view name) -> std::optional<std::string> {
    const auto found = options->find(name);
    if (found == options->end()) return std::nullopt;
    return found->second;
  };
  for (const auto& [flag, value] : {std::pair{"--referral-id", "ReferalId"},
                                    std::pair{"--referral-subdomain", "ReferalSubDomain"}}) {
    if (const auto text = option(flag); text && !StoreReferral(value, *text)) {
      return Failure(err, kSidebarUsage, "cannot store " + std::string(value));
    }
  }
  const std::string memberId = option("--member").value_or("");
  const auto userAgent = option("--user-agent");
  const soap::AdRequest request = session::MakeAdRequest(
      memberId, platform::Utf8ToWide(option("--category").value_or("")),
      userAgent ? platform::Utf8ToWide(*userAgent) : session::ReadSessionUserAgent(),
      platform::Utf8ToWide(option("--url").value_or("")));
  const session::SidebarFetch fetch = session::FetchSidebarContent(request, !memberId.empty());
  // What the window receives: the record keeps the fragment as ANSI text.
  const std::string stored = platform::WideToAnsi(fetch.html);

  JsonWriter json(out);
  json.BeginObject();
  json.Key("request");
  json.BeginObject();
  WideField(json, "memberId", request.encryptedMemberId);
  WideField(json, "offerId", request.offerId);
  WideField(json, "memberAddress", request.memberIp);
  WideField(json, "category", request.categoryGroup);
  WideField(json, "keyword", request.keyword);
  WideField(json, "mostAds", request.maxAds);
  WideField(json, "userAgent", request.userAgent);
  WideField(json, "pageUrl", request.pageUrl);
  json.EndObject();
  json.Key("count");
  json.Integer(fetch.count);
  json.Key("html");
  json.AnsiString(stored);
  json.EndObject();
  return kExitSuccess;
}

}  // namespace tools
