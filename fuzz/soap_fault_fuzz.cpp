// Arbitrary bytes as the body of a 500 answer, read by the fault parser the
// client switches to for it. The first byte picks the block size the body
// is fed in. Whatever the bytes, reading ends with a fault or none, and the
// blocks must not change which: the body fed whole gives the same fault
// code, string, actor and detail.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "soap/runtime/CSoapFaultParser.h"
#include "soap/runtime/SoapTestSupport.h"

namespace {

std::optional<soap::SoapFault> ReadFault(std::string_view body, std::size_t pieceSize) {
  platform::SaxXmlReader reader;
  soap::CSoapFaultParser parser;
  reader.SetContentHandler(&parser);
  soap::testing::MemoryStream stream(body, pieceSize);
  if (soap::PumpResponse(stream, reader) != soap::PumpOutcome::kParsed || !parser.Succeeded()) {
    return std::nullopt;
  }
  return parser.Fault();
}

bool SameFault(const std::optional<soap::SoapFault>& a, const std::optional<soap::SoapFault>& b) {
  if (a.has_value() != b.has_value()) return false;
  return !a || (a->code == b->code && a->faultString == b->faultString &&
                a->faultActor == b->faultActor && a->detail == b->detail);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t pieceSize = 1 + data[0] % 64 * (data[0] >= 128 ? 97 : 1);
  const std::string_view body(reinterpret_cast<const char*>(data + 1), size - 1);
  FUZZ_CHECK(SameFault(ReadFault(body, pieceSize), ReadFault(body, body.size() + 1)));
  return 0;
}
