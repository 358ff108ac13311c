#include "platform/internet/HttpExchange.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/curl/CurlHandles.h"
#include "platform/internet/ConnectRedirect.h"

namespace platform::internet {
namespace {

using curl::Append;
using curl::HeaderList;

// libcurl reads "Name:" as "send no Name header at all" and writes a header
// with an empty value as "Name;". The caller's lines keep their meaning; the
// entries after them take out what libcurl would add of its own.
[[nodiscard]] bool BuildHeaderList(const std::vector<std::string>& headerLines, HeaderList& list) {
  for (const std::string& line : headerLines) {
    const std::size_t colon = line.find(':');
    const bool emptyValue = line.find_first_not_of(" \t", colon + 1) == std::string::npos;
    if (!Append(list, emptyValue ? line.substr(0, colon) + ";" : line)) return false;
  }
  for (const char* suppressed : {"Accept:", "Expect:", "Content-Type:"}) {
    if (!Append(list, suppressed)) return false;
  }
  return true;
}

// The most a peer may send before its head ends, interim answers included:
// libcurl keeps every header line, and a peer streaming them without end
// would otherwise grow the caller's memory until the exchange time-out.
constexpr std::size_t kMaxHeadBytes = 256 * 1024;

struct HeadProgress {
  CURL* easy = nullptr;
  std::size_t headBytes = 0;
  bool headComplete = false;
  bool headTooLarge = false;
};

// Stops the transfer at the empty line that ends the final response's head,
// so the call neither waits for nor reads a body.
std::size_t OnHeaderLine(char* data, std::size_t size, std::size_t count, void* target) {
  auto& progress = *static_cast<HeadProgress*>(target);
  const std::string_view line(data, size * count);
  progress.headBytes += line.size();
  if (progress.headBytes > kMaxHeadBytes) {
    progress.headTooLarge = true;
    return 0;
  }
  if (line != "\r\n" && line != "\n") return size * count;
  long status = 0;
  curl_easy_getinfo(progress.easy, CURLINFO_RESPONSE_CODE, &status);
  if (status < 200) return size * count;  // an interim answer; the real one follows
  progress.headComplete = true;
  return 0;
}

long AsCurlLong(std::uint64_t milliseconds) {
  return static_cast<long>(std::min<std::uint64_t>(milliseconds, LONG_MAX));
}

DWORD ErrorOf(CURLcode result) {
  switch (result) {
    case CURLE_COULDNT_CONNECT:
      return ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_COULDNT_RESOLVE_HOST:
      return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_OPERATION_TIMEDOUT:
      return ERROR_INTERNET_TIMEOUT;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
      return ERROR_INTERNET_CONNECTION_RESET;
    // Success without the head's end: libcurl takes a close in mid-head for
    // the end of the answer.
    case CURLE_OK:
    case CURLE_UNSUPPORTED_PROTOCOL:  // what libcurl says of an answer without a status line
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_GOT_NOTHING:
      return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    default:
      return ERROR_INTERNET_INTERNAL_ERROR;
  }
}

}  // namespace

DWORD ExchangeHead(const RequestTarget& request, const Timeouts& timeouts,
                   const std::vector<std::string>& headerLines, std::string_view body) {
  curl::InitialiseOnce();
  const curl::EasyHandle easy(curl_easy_init());
  HeaderList headers;
  HeaderList connectTo;
  if (!easy || !BuildHeaderList(headerLines, headers)) return ERROR_INTERNET_INTERNAL_ERROR;
  if (const std::optional<std::string> redirect = ConnectRedirectInForce()) {
    if (!Append(connectTo, *redirect)) return ERROR_INTERNET_INTERNAL_ERROR;
  }
  const std::string url = "http://" + request.serverName + ":" + std::to_string(request.port) + "/";
  // The whole exchange may take the three time-outs together; see WinInet_linux.h.
  const std::uint64_t exchangeMs =
      std::uint64_t{timeouts.connectMs} + timeouts.sendMs + timeouts.receiveMs;
  HeadProgress progress{easy.get()};
  CURL* handle = easy.get();
  curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
  curl_easy_setopt(handle, CURLOPT_REQUEST_TARGET, request.target.c_str());
  curl_easy_setopt(handle, CURLOPT_CUSTOMREQUEST, request.verb.c_str());
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http");
  curl_easy_setopt(handle, CURLOPT_HTTP09_ALLOWED, 0L);
  curl_easy_setopt(handle, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(handle, CURLOPT_PROXY, "");
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, AsCurlLong(timeouts.connectMs));
  curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, AsCurlLong(exchangeMs));
  curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
  if (connectTo) curl_easy_setopt(handle, CURLOPT_CONNECT_TO, connectTo.get());
  if (request.userAgent) curl_easy_setopt(handle, CURLOPT_USERAGENT, request.userAgent->c_str());
  if (!body.empty()) {
    curl_easy_setopt(handle, CURLOPT_POSTFIELDS, body.data());
    curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
  }
  curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &OnHeaderLine);
  curl_easy_setopt(handle, CURLOPT_HEADERDATA, &progress);
  const CURLcode result = curl_easy_perform(handle);
  if (progress.headComplete) return 0;
  if (progress.headTooLarge) return ERROR_HTTP_INVALID_SERVER_RESPONSE;
  return ErrorOf(result);
}

}  // namespace platform::internet
