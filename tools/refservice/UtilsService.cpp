#include "tools/refservice/UtilsService.h"

#include <cctype>

#include "tools/refservice/SoapEnvelope.h"

namespace refservice {

namespace {

// What Statistics answers for an id it does not know: a member with nothing.
constexpr std::string_view kNoStatistics = "0,0,0,0";

bool IsBase64(std::string_view text) {
  std::size_t digits = 0;
  std::size_t padding = 0;
  for (const char c : text) {
    if (c == '\r' || c == '\n' || c == ' ' || c == '\t') continue;
    if (c == '=') {
      ++padding;
      continue;
    }
    if (padding > 0) return false;  // data after padding
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '/') return false;
    ++digits;
  }
  return padding <= 2 && (digits + padding) % 4 == 0;
}

std::optional<std::string> CookieValue(const HttpRequest& request, std::string_view name) {
  const auto cookies = FindHeader(request.headers, "Cookie");
  if (!cookies) return std::nullopt;
  std::string_view rest = *cookies;
  while (!rest.empty()) {
    const std::size_t semicolon = rest.find(';');
    std::string_view pair = rest.substr(0, semicolon);
    while (!pair.empty() && pair.front() == ' ') pair.remove_prefix(1);
    if (pair.size() > name.size() && pair.substr(0, name.size()) == name &&
        pair[name.size()] == '=') {
      return std::string(pair.substr(name.size() + 1));
    }
    if (semicolon == std::string_view::npos) break;
    rest.remove_prefix(semicolon + 1);
  }
  return std::nullopt;
}

}  // namespace

const std::vector<std::string>& UtilsService::OperationNames() const {
  static const std::vector<std::string> kNames = {
      "Statistics",  "StatisticsEx", "Enroll",
      "Login",       "VersionInfo2", "GetEncryptedUserIDFromLogin",
      "VersionInfo", "SSO",          "StatisticsExCheckCookie",
      "LogError"};
  return kNames;
}

std::string UtilsService::Answer(const SoapCall& call, const HttpRequest& request,
                                 std::string_view site) {
  const std::string& op = call.operation;
  const std::string resultName = op + "Result";
  if (op == "Statistics") {
    return XmlBuilder()
        .Element(resultName, StatisticsOf(StringArgument(call, "EncMemberID")))
        .str();
  }
  if (op == "StatisticsEx") {
    return XmlBuilder()
        .Element(resultName, StatisticsOf(StringArgument(call, "EncMemberID")))
        .str();
  }
  if (op == "StatisticsExCheckCookie") {
    return XmlBuilder()
        .Element(resultName, StatisticsOf(CookieValue(request, "EncMemberID")))
        .str();
  }
  if (op == "Enroll") {
    const auto memberId = StringArgument(call, "EncMemberID");
    const bool known = memberId && data_.FindMemberById(*memberId);
    return XmlBuilder().Element(resultName, known ? "true" : "false").str();
  }
  if (op == "Login") return Login(call);
  if (op == "VersionInfo") {
    IntArgument(call, "OfferID");
    return DesktopVersion(resultName, site);
  }
  if (op == "VersionInfo2") return DesktopVersion(resultName, site);
  if (op == "GetEncryptedUserIDFromLogin") {
    const auto id = StringArgument(call, "VimaruID");
    const auto password = StringArgument(call, "Password");
    std::optional<std::string> encMemberId;
    for (const Member& member : data_.members) {
      const bool named = id && (*id == member.userName || EqualsIgnoringCase(*id, member.email));
      if (named && password == member.password) encMemberId = member.encMemberId;
    }
    return XmlBuilder().OptionalElement(resultName, encMemberId).str();
  }
  if (op == "SSO") {
    const auto memberId = StringArgument(call, "EncMemberID");
    const Member* member = memberId ? data_.FindMemberById(*memberId) : nullptr;
    return XmlBuilder()
        .OptionalElement(resultName, member ? std::optional(member->sso) : std::nullopt)
        .str();
  }
  if (op == "LogError") return LogError(call);
  throw ArgumentError("Unknown operation " + op);
}

std::string UtilsService::StatisticsOf(const std::optional<std::string>& encMemberId) const {
  const Member* member = encMemberId ? data_.FindMemberById(*encMemberId) : nullptr;
  return member ? member->statistics : std::string(kNoStatistics);
}

std::string UtilsService::Login(const SoapCall& call) const {
  const auto email = StringArgument(call, "Email");
  const auto password = StringArgument(call, "Password");
  const int questionId = IntArgument(call, "SecurityQuestionId");
  const auto answer = StringArgument(call, "SecurityQuestionAnswer");
  IntArgument(call, "OfferID");

  XmlBuilder xml;
  xml.Open("LoginResult");
  const Member* found = nullptr;
  for (const Member& member : data_.members) {
    if (email && EqualsIgnoringCase(*email, member.email)) found = &member;
  }
  if (!found || password != found->password) {
    xml.Element("LoginStatus", "InvalidLogin").Element("OfferStatus", "Unknown");
  } else if (questionId != found->securityQuestionId || !answer ||
             !EqualsIgnoringCase(*answer, found->securityAnswer)) {
    // A known member with the wrong security answer still gets no id.
    xml.Element("LoginStatus", "InvalidSecurityAnswer").Element("OfferStatus", "Active");
  } else {
    xml.Element("LoginStatus", "Success").Element("OfferStatus", "Active");
    xml.Element("UserName", found->userName).Element("EncMemberId", found->encMemberId);
    xml.Element("SSO", found->sso);
  }
  return xml.Close("LoginResult").str();
}

// VersionInfo's DesktopVersion and VersionInfo2's all-string DesktopVersion2
// carry the same texts on the wire; only the result element differs.
std::string UtilsService::DesktopVersion(const std::string& resultName,
                                         std::string_view site) const {
  const VersionData& version = data_.version;
  XmlBuilder xml;
  xml.Open(resultName);
  xml.Element("DesktopVersionId", std::to_string(version.desktopVersionId));
  xml.Element("DownloadURL", ExpandSite(version.downloadUrl, site));
  xml.Element("OfferId", std::to_string(version.offerId));
  xml.Element("pFrequency", std::to_string(version.frequency));
  xml.Element("UpgradeRequired", version.upgradeRequired ? "true" : "false");
  xml.Element("VersionNumber", version.versionNumber);
  return xml.Close(resultName).str();
}

std::string UtilsService::LogError(const SoapCall& call) const {
  const auto data = StringArgument(call, "Param6");
  if (data && !IsBase64(*data)) throw ArgumentError("Param6 is not valid base64Binary");
  // LogError returns nothing: the response element is empty.
  return std::string();
}

}  // namespace refservice
