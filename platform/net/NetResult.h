// Outcome of a socket operation. The socket stand-in reports failures as
// values, never as exceptions, because its callers (the SOAP transport) turn
// every network failure into one error code of their own and must never be
// unwound through by a surprise.
#pragma once

#include <cstddef>
#include <utility>
#include <variant>

namespace platform::net {

enum class NetError {
  kLookupFailed,   // the host name has no address
  kRefused,        // the peer answered the connect with a reset
  kConnectFailed,  // any other connect failure (unreachable, no socket)
  kTimedOut,       // the wait limit passed before the operation could proceed
  kSendFailed,     // the connection broke while sending
  kReceiveFailed,  // the connection broke while receiving
  kNotConnected,   // the operation needs an open connection
};

const char* NetErrorName(NetError error);

// Either a value or a NetError; [[nodiscard]] so no failure is dropped silently.
template <typename T>
class [[nodiscard]] NetResult {
 public:
  NetResult(T value) : state_(std::move(value)) {}
  NetResult(NetError error) : state_(error) {}

  bool ok() const { return std::holds_alternative<T>(state_); }
  explicit operator bool() const { return ok(); }
  NetError error() const { return std::get<NetError>(state_); }
  T& value() { return std::get<T>(state_); }
  const T& value() const { return std::get<T>(state_); }

 private:
  std::variant<T, NetError> state_;
};

// For operations that deliver nothing but success.
struct Done {};
using NetStatus = NetResult<Done>;

}  // namespace platform::net
