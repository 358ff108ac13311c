// The SOAP transport's socket: a TCP connection whose connect, each send and
// each receive wait at most the socket time-out (10000 ms unless set; setting
// 0 restores the default). The HTTP client additionally sets a deadline for
// the whole exchange; every wait also ends there. Both are measured on the
// product's clock (platform::TickClock).
//
// A client object is used by one thread at a time; the receive is still
// guarded by the socket's own lock, as the overlapped receive of the Windows
// socket is by its critical section.
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/net/TcpConnection.h"
#include "soap/http/HttpByteSource.h"
#include "soap/http/HttpFailure.h"
#include "soap/http/HttpLimits.h"

namespace soap {

class ZEvtSyncSocket final : public HttpByteSource {
 public:
  using Deadline = platform::net::WaitUntil;

  // Closes any open connection and connects anew.
  bool Connect(const std::string& host, std::uint16_t port);
  // Sends all of `bytes` within one time-out.
  bool Write(std::string_view bytes);
  // HttpByteSource: > 0 bytes, 0 when the peer closed, < 0 on failure.
  std::ptrdiff_t ReadSome(std::span<char> buffer) override;
  void Close();
  bool IsOpen() const { return connection_.IsOpen(); }

  void SetSocketTimeout(std::chrono::milliseconds timeout);
  std::chrono::milliseconds GetSocketTimeout() const { return timeout_; }
  void SetExchangeDeadline(std::optional<Deadline> deadline) { deadline_ = deadline; }

  // Why the last failed Connect, Write or ReadSome failed.
  HttpFailure LastFailure() const { return lastFailure_; }

 private:
  // The earlier of one time-out from now and the exchange deadline, and
  // whether the deadline is the one that binds.
  std::pair<Deadline, bool> NextWaitLimit() const;
  // How one kind of operation (connect, send, receive) reports a broken
  // connection and a wait that ran out.
  struct OperationFailures {
    HttpFailure broken;
    HttpFailure timedOut;
  };
  HttpFailure FailureFor(platform::net::NetError error, bool deadlineBinds,
                         OperationFailures operation) const;

  platform::net::TcpConnection connection_;
  std::chrono::milliseconds timeout_ = kDefaultSocketTimeout;
  std::optional<Deadline> deadline_;
  HttpFailure lastFailure_ = HttpFailure::kNone;
  std::mutex receiveLock_;
};

}  // namespace soap
