#include "soap/http/ZEvtSyncSocket.h"

#include "platform/clock/TickClock.h"

namespace soap {

using platform::net::NetError;

bool ZEvtSyncSocket::Connect(const std::string& host, std::uint16_t port) {
  Close();
  lastFailure_ = HttpFailure::kNone;
  auto [waitUntil, deadlineBinds] = NextWaitLimit();
  auto connection = platform::net::TcpConnection::Connect(host, port, waitUntil);
  if (!connection) {
    lastFailure_ = FailureFor(connection.error(), deadlineBinds,
                              {HttpFailure::kConnectFailed, HttpFailure::kConnectTimedOut});
    return false;
  }
  connection_ = std::move(connection.value());
  return true;
}

bool ZEvtSyncSocket::Write(std::string_view bytes) {
  lastFailure_ = HttpFailure::kNone;
  auto [waitUntil, deadlineBinds] = NextWaitLimit();
  auto sent = connection_.SendAll(bytes, waitUntil);
  if (!sent) {
    lastFailure_ = FailureFor(sent.error(), deadlineBinds,
                              {HttpFailure::kSendFailed, HttpFailure::kSendTimedOut});
  }
  return sent.ok();
}

std::ptrdiff_t ZEvtSyncSocket::ReadSome(std::span<char> buffer) {
  std::lock_guard lock(receiveLock_);
  lastFailure_ = HttpFailure::kNone;
  if (buffer.empty()) return -1;
  auto [waitUntil, deadlineBinds] = NextWaitLimit();
  auto received = connection_.Receive(buffer, waitUntil);
  if (!received) {
    lastFailure_ = FailureFor(received.error(), deadlineBinds,
                              {HttpFailure::kReceiveFailed, HttpFailure::kReceiveTimedOut});
    return -1;
  }
  return static_cast<std::ptrdiff_t>(received.value());
}

void ZEvtSyncSocket::Close() { connection_.Close(); }

void ZEvtSyncSocket::SetSocketTimeout(std::chrono::milliseconds timeout) {
  timeout_ = timeout.count() > 0 ? timeout : kDefaultSocketTimeout;
}

std::pair<ZEvtSyncSocket::Deadline, bool> ZEvtSyncSocket::NextWaitLimit() const {
  Deadline byTimeout = platform::TickClock::now() + timeout_;
  if (deadline_ && *deadline_ <= byTimeout) return {*deadline_, true};
  return {byTimeout, false};
}

HttpFailure ZEvtSyncSocket::FailureFor(NetError error, bool deadlineBinds,
                                       OperationFailures operation) const {
  switch (error) {
    case NetError::kLookupFailed:
      return HttpFailure::kLookupFailed;
    case NetError::kRefused:
      return HttpFailure::kConnectRefused;
    case NetError::kConnectFailed:
      return HttpFailure::kConnectFailed;
    case NetError::kTimedOut:
      return deadlineBinds ? HttpFailure::kDeadlinePassed : operation.timedOut;
    case NetError::kSendFailed:
    case NetError::kReceiveFailed:
    case NetError::kNotConnected:
      return operation.broken;
  }
  return operation.broken;
}

}  // namespace soap
