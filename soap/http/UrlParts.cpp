#include "soap/http/UrlParts.h"

#include <charconv>

#include "platform/text/PercentEncode.h"
#include "soap/http/AsciiCase.h"
#include "soap/http/HttpLimits.h"

namespace soap {
namespace {

enum class UrlProblem { kNone, kTooLong, kUnsupportedScheme, kBadHost, kBadPort };

constexpr std::string_view kHttpScheme = "http";
constexpr std::uint16_t kDefaultHttpPort = 80;

bool IsAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// The length of a scheme name ending in ':' at the start of `url`, or 0.
std::size_t SchemeLength(std::string_view url) {
  std::size_t colon = url.find(':');
  if (colon == std::string_view::npos || colon == 0 || !IsAsciiAlpha(url[0])) return 0;
  for (std::size_t i = 1; i < colon; ++i) {
    char c = url[i];
    if (!IsAsciiAlpha(c) && !IsAsciiDigit(c) && c != '+' && c != '-' && c != '.') return 0;
  }
  return colon;
}

bool MustEscape(unsigned char c) {
  if (c <= 0x20 || c >= 0x7F) return true;
  return std::string_view("\"<>\\^`{|}").find(static_cast<char>(c)) != std::string_view::npos;
}

std::string Escape(std::string_view text) { return platform::PercentEncode(text, MustEscape); }

// Host names end up in the Host header and in name lookup: anything that
// could break a header line or mean something else in a URL is refused.
bool IsAcceptableHost(std::string_view host) {
  if (host.empty()) return false;
  for (char c : host) {
    auto byte = static_cast<unsigned char>(c);
    if (byte <= 0x20 || byte >= 0x7F) return false;
    if (std::string_view("/?#@[]\\<>\"`{}|^").find(c) != std::string_view::npos) return false;
  }
  return true;
}

std::optional<std::uint16_t> ParsePort(std::string_view text) {
  if (text.empty()) return kDefaultHttpPort;
  if (text.size() > 5) return std::nullopt;
  unsigned value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value == 0 || value > 65535) {
    return std::nullopt;
  }
  return static_cast<std::uint16_t>(value);
}

UrlProblem SplitAuthority(std::string_view authority, UrlParts& parts) {
  std::size_t at = authority.rfind('@');
  if (at != std::string_view::npos) authority.remove_prefix(at + 1);
  std::string_view portText;
  if (!authority.empty() && authority.front() == '[') {
    std::size_t close = authority.find(']');
    if (close == std::string_view::npos) return UrlProblem::kBadHost;
    std::string_view rest = authority.substr(close + 1);
    if (!rest.empty() && rest.front() != ':') return UrlProblem::kBadHost;
    if (!rest.empty()) portText = rest.substr(1);
    authority = authority.substr(1, close - 1);
    if (authority.find_first_not_of("0123456789abcdefABCDEF:.") != std::string_view::npos) {
      return UrlProblem::kBadHost;
    }
  } else {
    std::size_t colon = authority.rfind(':');
    if (colon != std::string_view::npos) {
      portText = authority.substr(colon + 1);
      authority = authority.substr(0, colon);
    }
  }
  auto port = ParsePort(portText);
  if (!port) return UrlProblem::kBadPort;
  if (!IsAcceptableHost(authority)) return UrlProblem::kBadHost;
  parts.host = LowerAscii(authority);
  parts.port = *port;
  return UrlProblem::kNone;
}

std::string Authority(const UrlParts& url) {
  std::string authority = url.host.find(':') != std::string::npos ? "[" + url.host + "]" : url.host;
  if (url.port != kDefaultHttpPort) authority += ":" + std::to_string(url.port);
  return authority;
}

UrlProblem SplitUrlInto(std::string_view url, UrlParts& parts) {
  if (url.size() > kMaxUrlLength) return UrlProblem::kTooLong;
  url = url.substr(0, url.find('#'));

  parts.scheme = std::string(kHttpScheme);
  std::size_t schemeLength = SchemeLength(url);
  if (schemeLength != 0 && url.substr(schemeLength, 3) == "://") {
    if (LowerAscii(url.substr(0, schemeLength)) != kHttpScheme) {
      return UrlProblem::kUnsupportedScheme;
    }
    url.remove_prefix(schemeLength + 3);
  }

  std::size_t authorityEnd = url.find_first_of("/?");
  if (UrlProblem problem = SplitAuthority(url.substr(0, authorityEnd), parts);
      problem != UrlProblem::kNone) {
    return problem;
  }
  std::string_view rest = authorityEnd == std::string_view::npos ? "" : url.substr(authorityEnd);
  std::size_t queryStart = rest.find('?');
  std::string_view path = rest.substr(0, queryStart);
  parts.path = path.empty() ? "/" : Escape(path);
  if (queryStart != std::string_view::npos) parts.query = Escape(rest.substr(queryStart));

  std::size_t escapedLength =
      parts.scheme.size() + 3 + Authority(parts).size() + parts.path.size() + parts.query.size();
  if (escapedLength > kMaxUrlLength) return UrlProblem::kTooLong;
  return UrlProblem::kNone;
}

}  // namespace

std::string UrlParts::HostHeaderValue() const { return Authority(*this); }

std::optional<UrlParts> SplitUrl(std::string_view url) {
  UrlParts parts;
  if (SplitUrlInto(url, parts) != UrlProblem::kNone) return std::nullopt;
  return parts;
}

std::string DescribeUrlProblem(std::string_view url) {
  UrlParts parts;
  switch (SplitUrlInto(url, parts)) {
    case UrlProblem::kNone:
      return {};
    case UrlProblem::kTooLong:
      return "the URL is longer than " + std::to_string(kMaxUrlLength) + " characters";
    case UrlProblem::kUnsupportedScheme:
      return "the scheme '" + std::string(url.substr(0, SchemeLength(url))) +
             "' is not supported: the client speaks only http";
    case UrlProblem::kBadHost:
      return "the URL names no usable host";
    case UrlProblem::kBadPort:
      return "the URL's port is not a number from 1 to 65535";
  }
  return "the URL is not usable";
}

std::optional<UrlParts> ResolveLocation(const UrlParts& current, std::string_view location) {
  while (!location.empty() && (location.front() == ' ' || location.front() == '\t')) {
    location.remove_prefix(1);
  }
  while (!location.empty() && (location.back() == ' ' || location.back() == '\t')) {
    location.remove_suffix(1);
  }
  if (location.empty() || location.size() > kMaxUrlLength) return std::nullopt;

  if (location.substr(0, 2) == "//") return SplitUrl(current.scheme + ":" + std::string(location));
  if (SchemeLength(location) != 0) return SplitUrl(location);

  std::string origin = current.scheme + "://" + Authority(current);
  if (location.front() == '/') return SplitUrl(origin + std::string(location));
  if (location.front() == '?') return SplitUrl(origin + current.path + std::string(location));
  std::string directory = current.path.substr(0, current.path.rfind('/') + 1);
  return SplitUrl(origin + directory + std::string(location));
}

}  // namespace soap
