#include "platform/net/SocketHandle.h"

#include <unistd.h>

namespace platform::net {

void SocketHandle::Reset(NativeSocket socket) {
  if (IsValid()) ::close(socket_);
  socket_ = socket;
}

}  // namespace platform::net
