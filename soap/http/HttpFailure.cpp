#include "soap/http/HttpFailure.h"

#include "soap/http/HttpLimits.h"

namespace soap {
namespace {

// "host:port" with the port always written, as a person reading a failure
// wants to see which port was tried; IPv6 hosts in brackets.
std::string Peer(const UrlParts& url) {
  const bool ipv6 = url.host.find(':') != std::string::npos;
  return (ipv6 ? "[" + url.host + "]" : url.host) + ":" + std::to_string(url.port);
}

std::string Milliseconds(std::chrono::milliseconds duration) {
  return std::to_string(duration.count()) + " ms";
}

}  // namespace

const char* HttpFailureName(HttpFailure failure) {
  switch (failure) {
    case HttpFailure::kNone:
      return "none";
    case HttpFailure::kInvalidUrl:
      return "invalid URL";
    case HttpFailure::kLookupFailed:
      return "host name lookup failed";
    case HttpFailure::kConnectRefused:
      return "connection refused";
    case HttpFailure::kConnectFailed:
      return "connect failed";
    case HttpFailure::kConnectTimedOut:
      return "connect timed out";
    case HttpFailure::kSendFailed:
      return "send failed";
    case HttpFailure::kSendTimedOut:
      return "send timed out";
    case HttpFailure::kReceiveFailed:
      return "receive failed";
    case HttpFailure::kReceiveTimedOut:
      return "receive timed out";
    case HttpFailure::kDeadlinePassed:
      return "exchange deadline passed";
    case HttpFailure::kPrematureClose:
      return "connection closed early";
    case HttpFailure::kMalformedStatusLine:
      return "malformed status line";
    case HttpFailure::kMalformedHeader:
      return "malformed header";
    case HttpFailure::kLimitExceeded:
      return "response limit exceeded";
    case HttpFailure::kBadChunk:
      return "bad chunk";
    case HttpFailure::kBadContentLength:
      return "bad Content-Length";
    case HttpFailure::kUnsupportedEncoding:
      return "unsupported transfer coding";
    case HttpFailure::kTooManyRedirects:
      return "too many redirects";
    case HttpFailure::kBadRedirect:
      return "bad redirect";
    case HttpFailure::kStatus:
      return "unsuccessful status";
  }
  return "unknown";
}

std::string DescribeHttpFailure(HttpFailure failure, const HttpFailureContext& context) {
  const std::string peer = Peer(context.url);
  const std::string timeout = "the socket time-out of " + Milliseconds(context.socketTimeout);
  switch (failure) {
    case HttpFailure::kNone:
      return {};
    case HttpFailure::kInvalidUrl:
      return "the URL is not one the client can use";
    case HttpFailure::kLookupFailed:
      return "the host name '" + context.url.host + "' has no address";
    case HttpFailure::kConnectRefused:
      return peer + " refused the connection";
    case HttpFailure::kConnectFailed:
      return peer + " cannot be reached";
    case HttpFailure::kConnectTimedOut:
      return peer + " did not accept the connection within " + timeout;
    case HttpFailure::kSendFailed:
      return "the connection to " + peer + " broke while the request was sent";
    case HttpFailure::kSendTimedOut:
      return peer + " took none of the request within " + timeout;
    case HttpFailure::kReceiveFailed:
      return "the connection to " + peer + " broke while the answer was read";
    case HttpFailure::kReceiveTimedOut:
      return peer + " sent nothing within " + timeout;
    case HttpFailure::kDeadlinePassed:
      return "the exchange with " + peer + " took longer than its deadline of " +
             Milliseconds(context.socketTimeout * kExchangeDeadlineTimeouts);
    case HttpFailure::kPrematureClose:
      return peer + " closed the connection before the answer was complete";
    case HttpFailure::kMalformedStatusLine:
      return "the answer from " + peer + " has an unreadable status line";
    case HttpFailure::kMalformedHeader:
      return "the answer from " + peer + " has an unreadable header line";
    case HttpFailure::kLimitExceeded:
      return "the answer from " + peer + " exceeds a limit on its lines, headers or body";
    case HttpFailure::kBadChunk:
      return "the answer from " + peer + " has a malformed chunk";
    case HttpFailure::kBadContentLength:
      return "the answer from " + peer + " has an unreadable Content-Length";
    case HttpFailure::kUnsupportedEncoding:
      return "the answer from " + peer + " uses a transfer coding other than chunked";
    case HttpFailure::kTooManyRedirects:
      return "more than " + std::to_string(kMaxRedirects) + " redirects in a row, the last from " +
             context.url.scheme + "://" + peer + context.url.PathAndQuery();
    case HttpFailure::kBadRedirect:
      return peer + " redirected without a usable Location";
    case HttpFailure::kStatus:
      return peer + " answered HTTP status " + std::to_string(context.status);
  }
  return HttpFailureName(failure);
}

}  // namespace soap
