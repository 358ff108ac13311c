// The response body of a CAtlHttpClient as a read stream, the form in which
// the SOAP layer feeds its XML reader block by block.
#pragma once

#include <cstddef>
#include <span>

#include "soap/http/CAtlHttpClientT.h"

namespace soap {

class CReadStreamOnSocket {
 public:
  // False when the client has no response whose body could be read (no
  // status line was received); the SOAP layer reports that as error 9.
  bool Init(CAtlHttpClient* client);

  // > 0 bytes of decoded body, 0 at its proper end, < 0 when the exchange
  // failed while reading (see CAtlHttpClientT.h) or the stream was not opened.
  std::ptrdiff_t Read(std::span<char> buffer);

 private:
  CAtlHttpClient* client_ = nullptr;
};

}  // namespace soap
