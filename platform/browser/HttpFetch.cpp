#include "platform/browser/HttpFetch.h"

#include <memory>

#include "platform/browser/UserAgent.h"
#include "platform/curl/CurlHandles.h"
#include "platform/html/PageDecoding.h"

namespace platform::browser {
namespace {

constexpr long kTimeoutMs = 10000;
constexpr long kMaxRedirects = 10;

std::size_t AppendBody(char* data, std::size_t size, std::size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

}  // namespace

PageContent FetchHttp(const PageRequest& request) {
  curl::InitialiseOnce();
  PageContent content;
  const curl::EasyHandle easy(curl_easy_init());
  if (!easy) {
    content.error = "cannot start a transfer";
    return content;
  }
  curl::HeaderList headers;
  std::string_view rest = request.headers;
  while (!rest.empty()) {
    const auto end = rest.find("\r\n");
    const std::string line(rest.substr(0, end));
    // A line libcurl cannot take is left out; the rest still go.
    if (!line.empty()) (void)curl::Append(headers, line);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
  }
  const std::string userAgent = UserAgent();
  CURL* handle = easy.get();
  curl_easy_setopt(handle, CURLOPT_URL, request.url.c_str());
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle, CURLOPT_MAXREDIRS, kMaxRedirects);
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, kTimeoutMs);
  curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, kTimeoutMs);
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_USERAGENT, userAgent.c_str());
  curl_easy_setopt(handle, CURLOPT_ACCEPT_ENCODING, "");
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &AppendBody);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &content.bytes);
  if (headers) curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
  if (!request.postData.empty()) {
    curl_easy_setopt(handle, CURLOPT_POSTFIELDS, request.postData.data());
    curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE, static_cast<long>(request.postData.size()));
  }
  const CURLcode result = curl_easy_perform(handle);
  if (result != CURLE_OK) {
    content.error = curl_easy_strerror(result);
    content.bytes.clear();
    return content;
  }
  curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &content.status);
  char* contentType = nullptr;
  if (curl_easy_getinfo(handle, CURLINFO_CONTENT_TYPE, &contentType) == CURLE_OK &&
      contentType != nullptr) {
    content.charset = html::CharsetOfContentType(contentType);
  }
  char* finalUrl = nullptr;
  curl_easy_getinfo(handle, CURLINFO_EFFECTIVE_URL, &finalUrl);
  content.finalUrl = finalUrl != nullptr ? finalUrl : request.url;
  // Error statuses still show the server's page, as a browser shows it.
  content.loaded = true;
  return content;
}

}  // namespace platform::browser
