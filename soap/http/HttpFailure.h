// Why an HTTP exchange failed, for diagnostics and tests. The SOAP layer only
// distinguishes "exchange failed" from "exchange succeeded"; this tells a
// person (or a test) which rule ended the call.
#pragma once

#include <chrono>
#include <string>

#include "soap/http/UrlParts.h"

namespace soap {

enum class HttpFailure {
  kNone,
  kInvalidUrl,           // endpoint URL too long, unparsable or not http
  kLookupFailed,         // host name has no address
  kConnectRefused,       // the peer answered the connect with a reset
  kConnectFailed,        // unreachable, or no socket to connect with
  kConnectTimedOut,      // the connect did not complete within the socket time-out
  kSendFailed,           // connection broke while sending
  kSendTimedOut,         // the peer took no more of the request within the time-out
  kReceiveFailed,        // connection broke while receiving
  kReceiveTimedOut,      // the peer sent nothing within the time-out
  kDeadlinePassed,       // the whole-exchange deadline passed
  kPrematureClose,       // peer closed before the head or body was complete
  kMalformedStatusLine,  // status line unreadable
  kMalformedHeader,      // header or trailer line unreadable
  kLimitExceeded,        // a line, header count, interim count or body size limit
  kBadChunk,             // chunk size not hex, overflowing, or data not ended by CR LF
  kBadContentLength,     // Content-Length not a plain decimal number
  kUnsupportedEncoding,  // a transfer coding other than chunked
  kTooManyRedirects,     // more redirects than kMaxRedirects
  kBadRedirect,          // redirect without a usable Location
  kStatus,               // the head was read; the status code is not a success
};

const char* HttpFailureName(HttpFailure failure);

// What a description of a failure draws on: the URL of the request that
// failed (after redirects), the status when a head was read, and the time-out.
struct HttpFailureContext {
  const UrlParts& url;
  int status;
  std::chrono::milliseconds socketTimeout;
};

// The failure in words for the person debugging a call, naming the server
// and the status or limit involved, e.g. "127.0.0.1:8080 refused the
// connection". Empty for kNone.
std::string DescribeHttpFailure(HttpFailure failure, const HttpFailureContext& context);

}  // namespace soap
