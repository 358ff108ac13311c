#include "tools/inspect/ConnectorSubcommands.h"

#include <algorithm>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>

#include "platform/text/CodePage.h"
#include "soap/connector/VimaruConnector.h"
#include "tools/inspect/JsonWriter.h"
#include "tools/inspect/ToolDiagnostics.h"

namespace tools {
namespace {

// The user-agent the ads thread would pass on for the browser.
constexpr char16_t kUserAgent[] = u"Mozilla/4.0 (compatible; MSIE 7.0; Windows NT 5.1)";

// Reads "--name value" options, each at most once, all of them known.
std::optional<std::map<std::string_view, std::string_view>> ReadOptions(
    SubcommandArguments arguments, std::initializer_list<std::string_view> known,
    std::string& problem) {
  std::map<std::string_view, std::string_view> options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view name = arguments[i];
    if (std::find(known.begin(), known.end(), name) == known.end()) {
      problem = "unknown argument '" + std::string(name) + "'";
      return std::nullopt;
    }
    if (i + 1 == arguments.size()) {
      problem = std::string(name) + " needs a value";
      return std::nullopt;
    }
    if (!options.emplace(name, arguments[++i]).second) {
      problem = std::string(name) + " given twice";
      return std::nullopt;
    }
  }
  return options;
}

void WriteOutcome(JsonWriter& json, const soap::CallOutcome& outcome) {
  json.Key("status");
  json.Integer(outcome.status);
  json.Key("error");
  json.Integer(static_cast<int>(outcome.error));
  json.Key("message");
  if (SUCCEEDED(outcome.status)) {
    json.Null();
  } else {
    json.Utf8String(outcome.cause);
  }
}

// The exit of a subcommand whose JSON is out: a failed call is a failure.
int Finish(std::ostream& err, std::string_view usage, const soap::CallOutcome& outcome) {
  if (SUCCEEDED(outcome.status)) return kExitSuccess;
  return Failure(err, usage, "the call failed: " + outcome.cause);
}

void WriteText(JsonWriter& json, const soap::SoapString& text) {
  if (text) {
    json.Utf8String(platform::WideToUtf8(*text));
  } else {
    json.Null();
  }
}

}  // namespace

int RunTotalsSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err) {
  std::string problem;
  const auto options = ReadOptions(arguments, {"--member"}, problem);
  if (!options) return UsageError(err, kTotalsUsage, problem);
  // Without a member the connector makes no call, so there is nothing to show.
  if (!options->contains("--member") || options->at("--member").empty()) {
    return UsageError(err, kTotalsUsage, "--member ID is required");
  }

  soap::MemberTotals totals;
  soap::CallOutcome outcome;
  soap::VimaruConnector().bxTotals(platform::Utf8ToWide(options->at("--member")), totals, &outcome);
  JsonWriter json(out);
  json.BeginObject();
  WriteOutcome(json, outcome);
  json.Key("valid");
  json.Integer(totals.valid);
  json.Key("money");
  json.Number(totals.money);
  json.Key("mailCount");
  json.Integer(totals.mailCount);
  json.Key("friends");
  json.Integer(totals.friends);
  json.Key("mailFlag");
  json.Integer(totals.mailFlag);
  json.EndObject();
  return Finish(err, kTotalsUsage, outcome);
}

int RunCategoriesSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err) {
  if (!arguments.empty()) return UsageError(err, kCategoriesUsage, "takes no arguments");
  soap::ResultArray<soap::CategoryEntry> categories;
  soap::CallOutcome outcome;
  const int count = soap::VimaruConnector().bxGetCategoryList(categories, &outcome);
  JsonWriter json(out);
  json.BeginObject();
  WriteOutcome(json, outcome);
  json.Key("count");
  json.Integer(count);
  json.Key("categories");
  json.BeginArray();
  for (const soap::CategoryEntry& category : categories) {
    json.BeginObject();
    json.Key("Label");
    WriteText(json, category.Label);
    json.Key("Name");
    WriteText(json, category.Name);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  return Finish(err, kCategoriesUsage, outcome);
}

int RunBlockedSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err) {
  if (!arguments.empty()) return UsageError(err, kBlockedUsage, "takes no arguments");
  soap::ResultArray<soap::CategoryEntry> terms;
  soap::CallOutcome outcome;
  const int count = soap::VimaruConnector().bxGetBlockedCategoryList(terms, &outcome);
  JsonWriter json(out);
  json.BeginObject();
  WriteOutcome(json, outcome);
  json.Key("count");
  json.Integer(count);
  json.Key("terms");
  json.BeginArray();
  for (const soap::CategoryEntry& term : terms) WriteText(json, term.Label);
  json.EndArray();
  json.EndObject();
  return Finish(err, kBlockedUsage, outcome);
}

int RunAdsSubcommand(SubcommandArguments arguments, std::ostream& out, std::ostream& err) {
  std::string problem;
  const auto options = ReadOptions(arguments, {"--member", "--category", "--url"}, problem);
  if (!options) return UsageError(err, kAdsUsage, problem);
  const auto option = [&](std::string_view name) {
    const auto found = options->find(name);
    return found == options->end() ? std::u16string() : platform::Utf8ToWide(found->second);
  };

  soap::AdRequest request;
  request.encryptedMemberId = option("--member");
  request.offerId = u"60";
  request.categoryGroup = option("--category");
  request.maxAds = u"5";
  request.userAgent = kUserAgent;
  request.pageUrl = option("--url");
  soap::ResultArray<soap::AdEntry> ads;
  soap::CallOutcome outcome;
  const soap::VimaruConnector connector;
  const int count = request.encryptedMemberId.empty()
                        ? connector.bxGetPublicAds(request, ads, &outcome)
                        : connector.bxGetMemberAds(request, ads, &outcome);
  JsonWriter json(out);
  json.BeginObject();
  WriteOutcome(json, outcome);
  json.Key("count");
  json.Integer(count);
  json.Key("ads");
  json.BeginArray();
  for (const soap::AdEntry& ad : ads) {
    json.BeginObject();
    json.Key("Title");
    WriteText(json, ad.Title);
    json.Key("Url");
    WriteText(json, ad.Url);
    json.Key("Description");
    WriteText(json, ad.Description);
    json.Key("ClickUrl");
    WriteText(json, ad.ClickUrl);
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  return Finish(err, kAdsUsage, outcome);
}

}  // namespace tools
