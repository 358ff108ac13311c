#include "platform/net/NetResult.h"

namespace platform::net {

const char* NetErrorName(NetError error) {
  switch (error) {
    case NetError::kLookupFailed:
      return "lookup failed";
    case NetError::kRefused:
      return "connection refused";
    case NetError::kConnectFailed:
      return "connect failed";
    case NetError::kTimedOut:
      return "timed out";
    case NetError::kSendFailed:
      return "send failed";
    case NetError::kReceiveFailed:
      return "receive failed";
    case NetError::kNotConnected:
      return "not connected";
  }
  return "unknown";
}

}  // namespace platform::net
