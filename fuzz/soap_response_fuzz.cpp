// Arbitrary bytes as a SOAP response body, parsed against a descriptor table
// with nested records, an enumeration, wrapped and plain arrays and every
// native value form (the Echo table). The first byte picks the block size
// the body is fed in, so block boundaries land everywhere. Whatever the
// bytes, the parse must end with success or an error, never crash or leak,
// and a failed parse must leave the out-fields empty.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "soap/runtime/SoapTestSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t pieceSize = 1 + data[0] % 64 * (data[0] >= 128 ? 97 : 1);
  const std::string_view body(reinterpret_cast<const char*>(data + 1), size - 1);
  soap::testing::EchoParams params;
  const soap::SoapClientError error =
      soap::testing::ParseBody(soap::testing::kEchoBody, &params, body, pieceSize);
  if (error != soap::SoapClientError::kSuccess &&
      (!params.EchoResult.empty() || params.text || !params.words.empty())) {
    std::abort();
  }
  return 0;
}
