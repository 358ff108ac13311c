#include "platform/browser/PageSource.h"

#include <algorithm>
#include <optional>
#include <string>

#include "platform/browser/HttpFetch.h"
#include "platform/files/FileSystem.h"
#include "platform/files/WindowsPath.h"
#include "platform/resources/ModuleResources.h"
#include "platform/text/UrlScheme.h"

namespace platform::browser {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return Lower(text.substr(0, prefix.size())) == prefix;
}

// "scheme:" before any "/", "?" or "#", and longer than a drive letter.
bool HasScheme(std::string_view address) {
  const auto colon = address.find(':');
  if (colon == std::string_view::npos || colon < 2) return false;
  return address.substr(0, colon).find_first_of("/?#\\") == std::string_view::npos;
}

bool IsDrivePath(std::string_view address) {
  return address.size() >= 2 && std::isalpha(static_cast<unsigned char>(address[0])) &&
         address[1] == ':';
}

PageContent Failed(std::string error) {
  PageContent content;
  content.error = std::move(error);
  return content;
}

}  // namespace

PageContent LoadPage(const PageRequest& request) {
  const std::string& url = request.url;
  if (Lower(url) == "about:blank") {
    PageContent blank;
    blank.loaded = true;
    blank.finalUrl = "about:blank";
    return blank;
  }
  if (StartsWith(url, "http://") || StartsWith(url, "https://")) return FetchHttp(request);
  if (StartsWith(url, "res://")) {
    const auto bytes = LoadResUrl(url);
    if (!bytes) return Failed("no such resource");
    PageContent content;
    content.loaded = true;
    content.bytes = std::string(*bytes);
    content.finalUrl = url;
    return content;
  }
  const std::optional<std::string_view> scheme = UrlSchemeOf(url);
  if (scheme && !IsSupportedPageScheme(*scheme)) {
    return Failed("the scheme '" + std::string(*scheme) + "' is not supported");
  }
  if (StartsWith(url, "file:") || IsDrivePath(url)) {
    const auto path = FileUrlToWindowsPath(url);
    if (!path) return Failed("not a file path");
    auto bytes = ReadWholeFile(*path);
    if (!bytes) return Failed("the file " + *path + " does not exist or cannot be read");
    PageContent content;
    content.loaded = true;
    content.bytes = std::move(*bytes);
    content.finalUrl = url;
    return content;
  }
  if (scheme) return Failed("only about:blank is supported of the about: addresses");
  return Failed("neither a URL nor a Windows path");
}

bool IsSupportedPageScheme(std::string_view scheme) {
  const std::string lower = Lower(scheme);
  return lower == "http" || lower == "https" || lower == "file" || lower == "res" ||
         lower == "about";
}

std::string ResolveAddress(std::string_view base, std::string_view reference) {
  if (reference.empty()) return std::string(base);
  if (HasScheme(reference) || IsDrivePath(reference)) return std::string(reference);
  const bool windowsPath = IsDrivePath(base) || StartsWith(base, "file:");
  if (windowsPath) {
    const auto path = FileUrlToWindowsPath(base);
    if (!path) return std::string(reference);
    std::string relative(reference);
    std::replace(relative.begin(), relative.end(), '/', '\\');
    const std::string root = relative.front() == '\\' ? path->substr(0, 2) : ParentDirectory(*path);
    const std::string joined =
        root.back() == '\\' || relative.front() == '\\' ? root + relative : root + "\\" + relative;
    return NormalizeWindowsPath(joined).value_or(joined);
  }
  const auto schemeEnd = base.find("://");
  const std::size_t hostStart = schemeEnd == std::string_view::npos ? 0 : schemeEnd + 3;
  if (reference.front() == '/') {
    const auto pathStart = base.find('/', hostStart);
    return std::string(base.substr(0, pathStart)) + std::string(reference);
  }
  const std::string_view withoutQuery = base.substr(0, base.find_first_of("?#"));
  const auto lastSlash = withoutQuery.rfind('/');
  if (lastSlash == std::string_view::npos || lastSlash < hostStart) {
    return std::string(withoutQuery) + "/" + std::string(reference);
  }
  return std::string(withoutQuery.substr(0, lastSlash + 1)) + std::string(reference);
}

}  // namespace platform::browser
