#include "tools/refservice/SitePages.h"

#include <array>
#include <string>
#include <string_view>

#include "tools/refservice/SoapEnvelope.h"

namespace refservice {
namespace {

struct Engine {
  std::string_view name;
  std::string_view title;
  std::string_view resultsPath;  // below the engine's folder
  std::string_view termName;
};

constexpr std::array kEngines = {
    Engine{"msn", "MSN Live", "/results.aspx", "q"}, Engine{"ask", "Ask", "/web", "q"},
    Engine{"google", "Google", "/search", "q"},      Engine{"lycos", "Lycos", "/", "query"},
    Engine{"yahoo", "Yahoo", "/search", "p"},
};

std::string Value(const RecordedRequest& record, std::string_view name) {
  for (const SoapParameter& parameter : record.parameters) {
    if (parameter.name == name) return parameter.text;
  }
  return {};
}

bool Has(const RecordedRequest& record, std::string_view name) {
  for (const SoapParameter& parameter : record.parameters) {
    if (parameter.name == name) return true;
  }
  return false;
}

HttpAnswer Page(RecordedRequest& record, std::string operation, const std::string& title,
                const std::string& body) {
  record.operation = std::move(operation);
  HttpAnswer answer;
  answer.headers.emplace_back("Content-Type", "text/html; charset=utf-8");
  answer.body = "<html><head><title>" + EscapeXml(title) + "</title></head><body><h1>" +
                EscapeXml(title) + "</h1>" + body + "</body></html>";
  return answer;
}

HttpAnswer ProductDefaultPage(RecordedRequest& record) {
  const std::string page = Value(record, "is");
  const std::string referrer = Value(record, "mrid");
  const std::string credit =
      Has(record, "mrid") ? "<p>Referred by member " + EscapeXml(referrer) + ".</p>" : "";
  if (page == "mymoney") return Page(record, "member-page", "Vimaru: My Money", credit);
  if (page == "friends") return Page(record, "member-page", "Vimaru: Tell Friends", credit);
  if (page == "joinfree") return Page(record, "join-free", "Vimaru: Join for free", credit);
  if (Has(record, "mrid")) return Page(record, "join-referred", "Vimaru: Join", credit);
  return Page(record, "home", "Vimaru", "<p>Welcome.</p>");
}

std::optional<HttpAnswer> EnginePage(std::string_view rest, RecordedRequest& record) {
  for (const Engine& engine : kEngines) {
    if (!rest.starts_with(engine.name)) continue;
    const std::string_view below = rest.substr(engine.name.size());
    if (below.empty() || (below == "/" && !Has(record, engine.termName))) {
      return Page(record, "search-home", std::string(engine.title), "<form><input></form>");
    }
    if (below == engine.resultsPath && Has(record, engine.termName)) {
      const std::string term = Value(record, engine.termName);
      return Page(record, "search-results", std::string(engine.title) + ": " + term,
                  "<p>Results for " + EscapeXml(term) + ".</p>");
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<HttpAnswer> ServeSitePage(const HttpRequest& request, RecordedRequest& record) {
  const std::string_view path = request.path;
  if (EqualsIgnoringCase(path, "/default.aspx")) return ProductDefaultPage(record);
  if (EqualsIgnoringCase(path, "/public/Help.aspx")) {
    return Page(record, "help", "Vimaru: Help", "<p>How the toolbar works.</p>");
  }
  if (EqualsIgnoringCase(path, "/Docs/terms.aspx")) {
    return Page(record, "terms", "Vimaru: Terms of use",
                "<h2 id=\"pp\">Privacy policy</h2><p>What we keep.</p>");
  }
  if (path == kMailFolder) return Page(record, "mail-home", "Vmail", "<p>Sign in.</p>");
  if (path == std::string(kMailFolder) + "/enrollment.php") {
    return Page(record, "mail-enrollment", "Vmail: Enrolment", "<p>Choose an address.</p>");
  }
  if (path == std::string(kClassifiedsFolder) + "/search" &&
      Value(record, "type") == "classifieds") {
    const std::string category = Value(record, "cat");
    return Page(record, "classifieds", "Classifieds: " + category,
                "<p>Ads in " + EscapeXml(category) + ".</p>");
  }
  const std::string enginesPrefix = std::string(kEnginesFolder) + "/";
  if (path.starts_with(enginesPrefix)) return EnginePage(path.substr(enginesPrefix.size()), record);
  return std::nullopt;
}

}  // namespace refservice
