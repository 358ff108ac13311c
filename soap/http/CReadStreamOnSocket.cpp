#include "soap/http/CReadStreamOnSocket.h"

namespace soap {

bool CReadStreamOnSocket::Init(CAtlHttpClient* client) {
  client_ = (client != nullptr && client->HasResponse()) ? client : nullptr;
  return client_ != nullptr;
}

std::ptrdiff_t CReadStreamOnSocket::Read(std::span<char> buffer) {
  return client_ != nullptr ? client_->ReadBody(buffer) : -1;
}

}  // namespace soap
