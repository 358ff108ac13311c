// Why an HTTP exchange failed, for diagnostics and tests. The SOAP layer only
// distinguishes "exchange failed" from "exchange succeeded"; this tells a
// person (or a test) which rule ended the call.
#pragma once

namespace soap {

enum class HttpFailure {
  kNone,
  kInvalidUrl,           // endpoint URL too long, unparsable or not http
  kLookupFailed,         // host name has no address
  kConnectFailed,        // refused, unreachable or timed out connecting
  kSendFailed,           // connection broke or timed out while sending
  kReceiveFailed,        // connection broke or a receive timed out
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

}  // namespace soap
