#include "soap/http/HttpFailure.h"

namespace soap {

const char* HttpFailureName(HttpFailure failure) {
  switch (failure) {
    case HttpFailure::kNone:
      return "none";
    case HttpFailure::kInvalidUrl:
      return "invalid URL";
    case HttpFailure::kLookupFailed:
      return "host name lookup failed";
    case HttpFailure::kConnectFailed:
      return "connect failed";
    case HttpFailure::kSendFailed:
      return "send failed";
    case HttpFailure::kReceiveFailed:
      return "receive failed";
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

}  // namespace soap
