#include "platform/browser/HttpFetch.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

#include "platform/browser/UserAgent.h"
#include "platform/html/PageDecoding.h"

namespace platform::browser {
namespace {

constexpr long kTimeoutMs = 10000;
constexpr long kMaxRedirects = 10;

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct ListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

void InitialiseOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::size_t AppendBody(char* data, std::size_t size, std::size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

}  // namespace

PageContent FetchHttp(const PageRequest& request) {
  InitialiseOnce();
  PageContent content;
  std::unique_ptr<CURL, EasyDeleter> easy(curl_easy_init());
  if (!easy) {
    content.error = "cannot start a transfer";
    return content;
  }
  curl_slist* headerList = nullptr;
  std::string_view rest = request.headers;
  while (!rest.empty()) {
    const auto end = rest.find("\r\n");
    const std::string line(rest.substr(0, end));
    if (!line.empty()) {
      // On failure the list so far stays valid and owned by headerList.
      if (curl_slist* appended = curl_slist_append(headerList, line.c_str())) headerList = appended;
    }
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 2);
  }
  const std::unique_ptr<curl_slist, ListDeleter> headers(headerList);
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
