// Where a page's bytes come from: "about:blank", mapped files (file:// URLs
// and plain Windows paths), the module's resources (res://) and the web
// (http and https, fetched for real with the process's user agent). Also
// resolves the relative addresses frames name against their page.
#pragma once

#include <string>
#include <string_view>

namespace platform::browser {

struct PageRequest {
  std::string url;
  std::string postData;  // POST when not empty
  std::string headers;   // extra request headers, CRLF-separated
};

struct PageContent {
  bool loaded = false;
  std::string bytes;
  std::string charset;   // declared by the server, else empty
  std::string finalUrl;  // after redirects
  long status = 0;       // HTTP status, 0 for other sources
  std::string error;     // why nothing was loaded
};

// The page behind a request. A URL of a scheme nothing here reads (ftp:,
// mailto:, ...) is refused by name, never taken for a file path.
PageContent LoadPage(const PageRequest& request);

// Whether LoadPage reads addresses of `scheme` (any case): http, https,
// file, res and about (of which only about:blank).
bool IsSupportedPageScheme(std::string_view scheme);

// `reference` against the page at `base`: absolute addresses stay as they
// are; otherwise it joins the base's directory (a leading "/" the base's
// host or drive).
std::string ResolveAddress(std::string_view base, std::string_view reference);

}  // namespace platform::browser
