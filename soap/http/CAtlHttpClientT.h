// The SOAP runtime's HTTP/1.1 client: sends one request over its own socket
// and reads the answer as a stream.
//
// Contract with the SOAP layer (the response is never held whole):
//  1. `Navigate` connects, sends the request and reads the status line and
//     headers, following 301/302/303 (at most kMaxRedirects; each redirect's
//     body is read and dropped, or its connection closed). It returns with
//     the final response's body unread: true when the status is a success
//     (200-206, 304, 305), false otherwise.
//  2. `GetStatus` tells the final status even when Navigate returned false
//     (a 500 still reads 500), and kInvalidStatus when no status line was
//     read (connect, send or receive failure, malformed head).
//  3. Whenever a head was read (`HasResponse`), the body is readable through
//     `ReadBody` or a `CReadStreamOnSocket`, whether or not the status
//     succeeded, so the caller can parse a SOAP Fault from a 500. ReadBody
//     delivers the decoded body piece by piece as it arrives: > 0 bytes,
//     0 at the proper end of the body, < 0 on failure (premature close, body
//     shorter than Content-Length, bad chunk, a limit of HttpLimits.h, a
//     time-out or the exchange deadline). The SOAP layer maps a body
//     failure to "the exchange failed" (error 5) and a parse failure of
//     well-delivered bytes to error 10.
//  4. `ResetConnection` closes the socket and clears the response so the
//     object can make its next call (the product makes one call per client).
//
// The request on the wire, each line ending in CR LF:
//     <method> <path+query> HTTP/1.1
//     Content-Length: <n>            (only for a non-empty body)
//     Content-Type: <content type>
//     <extra headers, given complete with their own CR LF>
//     Host: <host>[:<port> when not 80]
//     User-Agent: Microsoft-ATL-Native/8.00
//     <empty line>
// then the body; everything goes out in blocks of at most kHttpBlockSize.
// The Host header names the port when it is not 80 because HTTP/1.1 requires
// it, and a server with several sites behind one address needs it to route.
//
// Time: every connect, send and receive waits at most the socket time-out;
// the whole call (redirects included, through the last body byte) ends at
// kExchangeDeadlineTimeouts socket time-outs after Navigate began.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "soap/http/HttpFailure.h"
#include "soap/http/HttpHeaders.h"
#include "soap/http/HttpResponseReader.h"
#include "soap/http/UrlParts.h"
#include "soap/http/ZEvtSyncSocket.h"

namespace soap {

struct HttpRequest {
  std::string_view method = "POST";
  std::string_view contentType;   // e.g. "text/xml; charset=utf-8"
  std::string_view extraHeaders;  // complete header lines, each with its CR LF
  std::string_view body;
};

inline constexpr std::string_view kHttpUserAgent = "Microsoft-ATL-Native/8.00";

template <typename TSocket>
class CAtlHttpClientT {
 public:
  CAtlHttpClientT() = default;
  CAtlHttpClientT(const CAtlHttpClientT&) = delete;
  CAtlHttpClientT& operator=(const CAtlHttpClientT&) = delete;

  bool Navigate(const UrlParts& url, const HttpRequest& request);
  // Splits `url` first; an unusable URL fails with kInvalidUrl.
  bool Navigate(std::string_view url, const HttpRequest& request);

  int GetStatus() const { return response_ ? response_->Status() : kInvalidStatus; }
  HttpFailure GetFailure() const { return failure_; }
  // GetFailure in words, naming the server of the request that failed and
  // the status or limit involved; empty when nothing failed. Read it before
  // ResetConnection, which forgets the failure.
  std::string DescribeFailure() const {
    return DescribeHttpFailure(failure_, {current_, GetStatus(), GetSocketTimeout()});
  }
  bool HasResponse() const { return response_ && response_->Status() != kInvalidStatus; }
  // Header of the final response, by name without regard to case.
  std::optional<std::string> GetHeaderValue(std::string_view name) const;
  // The URL the final response came from (differs after redirects).
  const UrlParts& GetCurrentUrl() const { return current_; }

  // See the contract above. Closes the socket after the body when the peer
  // asked for that.
  std::ptrdiff_t ReadBody(std::span<char> buffer);

  void ResetConnection();

  // 0 restores the default of 10000 ms.
  void SetSocketTimeout(std::chrono::milliseconds timeout) { socket_.SetSocketTimeout(timeout); }
  std::chrono::milliseconds GetSocketTimeout() const { return socket_.GetSocketTimeout(); }
  TSocket& GetSocket() { return socket_; }

 private:
  bool EnsureConnected();
  void CloseConnection();
  HttpFailure ResponseFailure() const;
  bool SendRequest(const HttpRequest& request);
  bool SendInBlocks(std::string_view bytes);
  bool Fail(HttpFailure failure);

  TSocket socket_;
  UrlParts current_;
  std::optional<UrlParts> connectedTo_;
  std::optional<HttpResponseReader> response_;
  HttpFailure failure_ = HttpFailure::kNone;
};

extern template class CAtlHttpClientT<ZEvtSyncSocket>;
using CAtlHttpClient = CAtlHttpClientT<ZEvtSyncSocket>;

// Builds the request head exactly as described above (without the body).
std::string BuildRequestHead(const UrlParts& url, const HttpRequest& request);

}  // namespace soap
