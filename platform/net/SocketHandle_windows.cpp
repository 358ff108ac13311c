#ifdef _WIN32
#include <winsock2.h>

#include <type_traits>

#include "platform/net/SocketHandle.h"

namespace platform::net {

static_assert(std::is_same_v<NativeSocket, SOCKET>);
static_assert(kInvalidSocket == INVALID_SOCKET);

void SocketHandle::Reset(NativeSocket socket) {
  if (IsValid()) ::closesocket(socket_);
  socket_ = socket;
}

}  // namespace platform::net
#endif
