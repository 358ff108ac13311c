// The endpoint URL as the transport uses it: escaped once, then split into
// the pieces the request line, the Host header and the connect need. Redirect
// targets are resolved against the URL currently in use.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace soap {

struct UrlParts {
  std::string scheme;  // always "http": the transport speaks no TLS
  std::string host;    // a name or numeric address, IPv6 without brackets
  std::uint16_t port = 80;
  std::string path;   // starts with "/"; "/" when the URL has none
  std::string query;  // with its leading "?", or empty

  // What the request line carries: path plus query.
  std::string PathAndQuery() const { return path + query; }
  // What the Host header carries: the host, and ":port" unless it is 80.
  std::string HostHeaderValue() const;

  friend bool operator==(const UrlParts&, const UrlParts&) = default;
};

// Escapes and splits an endpoint URL: "[http://][user@]host[:port][/path][?query][#fragment]".
// Without a scheme "http" is assumed; without a port, 80. Characters a URL
// may not carry raw (controls, space, bytes above 0x7E and `"<>\^`{|}`) are
// %-escaped in the path and query; an existing "%XX" is left alone. Fails for
// an empty host, a bad port, a scheme other than http, or a URL longer than
// kMaxUrlLength before or after escaping.
std::optional<UrlParts> SplitUrl(std::string_view url);

// Why SplitUrl refuses `url`, in words for the person debugging a call
// ("the scheme 'https' is not supported: ..."); empty when it accepts it.
std::string DescribeUrlProblem(std::string_view url);

// Resolves a redirect's Location against `current`: absolute
// ("http://host/..."), scheme-relative ("//host/..."), absolute-path
// ("/path") or relative to the current path's directory ("other?x").
// Fails where SplitUrl would, and for an empty Location.
std::optional<UrlParts> ResolveLocation(const UrlParts& current, std::string_view location);

}  // namespace soap
