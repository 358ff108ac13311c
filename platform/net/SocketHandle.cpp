#include "platform/net/SocketHandle.h"

#include <unistd.h>

namespace platform::net {

void SocketHandle::Reset(int descriptor) {
  if (descriptor_ >= 0) ::close(descriptor_);
  descriptor_ = descriptor;
}

}  // namespace platform::net
