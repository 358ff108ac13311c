// Where the response reader gets its bytes: the socket in the product, a
// memory buffer in the fuzzer and in parser tests.
#pragma once

#include <cstddef>
#include <span>

namespace soap {

class HttpByteSource {
 public:
  virtual ~HttpByteSource() = default;

  // Reads what is available into `buffer` (never empty): the number of bytes
  // read (> 0), 0 when the peer ended the stream in order, < 0 on failure.
  virtual std::ptrdiff_t ReadSome(std::span<char> buffer) = 0;
};

}  // namespace soap
