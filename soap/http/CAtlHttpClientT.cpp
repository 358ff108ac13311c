#include "soap/http/CAtlHttpClientT.h"

#include <algorithm>

#include "platform/clock/TickClock.h"

namespace soap {
namespace {

bool IsRedirect(int status) { return status == 301 || status == 302 || status == 303; }

// 401 and 407 would start authentication, but the client holds no
// credentials, so they fail like every other status not listed here.
bool IsSuccess(int status) {
  return (status >= 200 && status <= 206) || status == 304 || status == 305;
}

bool SameServer(const UrlParts& a, const UrlParts& b) {
  return a.host == b.host && a.port == b.port;
}

}  // namespace

std::string BuildRequestHead(const UrlParts& url, const HttpRequest& request) {
  std::string head;
  head.reserve(256 + url.path.size() + url.query.size() + request.extraHeaders.size());
  head.append(request.method).append(" ").append(url.PathAndQuery()).append(" HTTP/1.1\r\n");
  if (!request.body.empty()) {
    head.append("Content-Length: ").append(std::to_string(request.body.size())).append("\r\n");
  }
  if (!request.contentType.empty()) {
    head.append("Content-Type: ").append(request.contentType).append("\r\n");
  }
  head.append(request.extraHeaders);
  head.append("Host: ").append(url.HostHeaderValue()).append("\r\n");
  head.append("User-Agent: ").append(kHttpUserAgent).append("\r\n");
  head.append("\r\n");
  return head;
}

template <typename TSocket>
bool CAtlHttpClientT<TSocket>::Navigate(const UrlParts& url, const HttpRequest& request) {
  ResetConnection();
  current_ = url;
  socket_.SetExchangeDeadline(platform::TickClock::now() +
                              socket_.GetSocketTimeout() * kExchangeDeadlineTimeouts);
  for (int redirects = 0;; ++redirects) {
    if (!EnsureConnected() || !SendRequest(request)) return false;
    if (!response_->ReadHead()) return Fail(ResponseFailure());

    int status = response_->Status();
    if (!IsRedirect(status)) {
      if (IsSuccess(status)) return true;
      failure_ = HttpFailure::kStatus;
      return false;
    }
    if (redirects == kMaxRedirects) return Fail(HttpFailure::kTooManyRedirects);
    auto location = response_->Headers().Find("Location");
    auto next = location ? ResolveLocation(current_, *location) : std::nullopt;
    if (!next) return Fail(HttpFailure::kBadRedirect);

    // The same connection carries the next request only when it goes to the
    // same server and the redirect's body ended cleanly; otherwise start over.
    bool reuse = SameServer(*next, current_) && !response_->ConnectionWillClose() &&
                 response_->DiscardBody();
    if (!reuse) CloseConnection();
    current_ = *std::move(next);
  }
}

template <typename TSocket>
bool CAtlHttpClientT<TSocket>::Navigate(std::string_view url, const HttpRequest& request) {
  auto parts = SplitUrl(url);
  if (!parts) {
    ResetConnection();
    return Fail(HttpFailure::kInvalidUrl);
  }
  return Navigate(*parts, request);
}

template <typename TSocket>
std::optional<std::string> CAtlHttpClientT<TSocket>::GetHeaderValue(std::string_view name) const {
  if (!HasResponse()) return std::nullopt;
  return response_->Headers().Find(name);
}

template <typename TSocket>
std::ptrdiff_t CAtlHttpClientT<TSocket>::ReadBody(std::span<char> buffer) {
  if (!HasResponse()) return -1;
  std::ptrdiff_t read = response_->ReadBody(buffer);
  if (read < 0) {
    if (failure_ == HttpFailure::kNone || failure_ == HttpFailure::kStatus) {
      failure_ = ResponseFailure();
    }
    CloseConnection();
  } else if (read == 0 && response_->ConnectionWillClose()) {
    CloseConnection();
  }
  return read;
}

template <typename TSocket>
void CAtlHttpClientT<TSocket>::ResetConnection() {
  CloseConnection();
  response_.reset();
  failure_ = HttpFailure::kNone;
  current_ = UrlParts{};
  socket_.SetExchangeDeadline(std::nullopt);
}

template <typename TSocket>
bool CAtlHttpClientT<TSocket>::EnsureConnected() {
  if (socket_.IsOpen() && connectedTo_ && SameServer(*connectedTo_, current_)) return true;
  CloseConnection();
  if (!socket_.Connect(current_.host, current_.port)) return Fail(socket_.LastFailure());
  connectedTo_ = current_;
  // A new connection starts with nothing buffered from the old one.
  response_.emplace(socket_);
  return true;
}

template <typename TSocket>
bool CAtlHttpClientT<TSocket>::SendRequest(const HttpRequest& request) {
  return SendInBlocks(BuildRequestHead(current_, request)) && SendInBlocks(request.body);
}

template <typename TSocket>
bool CAtlHttpClientT<TSocket>::SendInBlocks(std::string_view bytes) {
  while (!bytes.empty()) {
    std::size_t size = std::min(bytes.size(), kHttpBlockSize);
    if (!socket_.Write(bytes.substr(0, size))) return Fail(socket_.LastFailure());
    bytes.remove_prefix(size);
  }
  return true;
}

template <typename TSocket>
void CAtlHttpClientT<TSocket>::CloseConnection() {
  socket_.Close();
  connectedTo_.reset();
}

template <typename TSocket>
HttpFailure CAtlHttpClientT<TSocket>::ResponseFailure() const {
  // The reader only knows that the receive failed; the socket knows whether
  // it was a time-out, the deadline or a broken connection.
  HttpFailure failure = response_->Failure();
  if (failure == HttpFailure::kReceiveFailed && socket_.LastFailure() != HttpFailure::kNone) {
    return socket_.LastFailure();
  }
  return failure;
}

template <typename TSocket>
bool CAtlHttpClientT<TSocket>::Fail(HttpFailure failure) {
  failure_ = failure;
  return false;
}

template class CAtlHttpClientT<ZEvtSyncSocket>;

}  // namespace soap
