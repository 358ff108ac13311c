// Feeds arbitrary bytes to the HTTP response reader as a hostile server
// would send them. The first two input bytes choose how the bytes are split
// into receives and how large the caller's reads are, so framing code is
// exercised across every kind of piece boundary. How the bytes arrive must
// not change what they mean: the same bytes read in whole blocks give the
// same statuses, headers, bodies and failure.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzCheck.h"
#include "soap/http/HttpResponseReader.h"

namespace {

class FuzzSource : public soap::HttpByteSource {
 public:
  FuzzSource(std::string_view bytes, std::size_t pieceSize)
      : bytes_(bytes), pieceSize_(pieceSize) {}
  std::ptrdiff_t ReadSome(std::span<char> buffer) override {
    const std::size_t count = std::min({pieceSize_, buffer.size(), bytes_.size()});
    std::memcpy(buffer.data(), bytes_.data(), count);
    bytes_.remove_prefix(count);
    return static_cast<std::ptrdiff_t>(count);
  }

 private:
  std::string_view bytes_;
  std::size_t pieceSize_;
};

struct Response {
  int status = soap::kInvalidStatus;
  std::size_t headerCount = 0;
  std::string body;
  bool bodyComplete = false;
  bool willClose = false;
  friend bool operator==(const Response&, const Response&) = default;
};

struct Exchange {
  std::vector<Response> responses;
  soap::HttpFailure failure = soap::HttpFailure::kNone;
  friend bool operator==(const Exchange&, const Exchange&) = default;
};

// A reused connection reads several responses in turn.
Exchange ReadResponses(std::string_view bytes, std::size_t pieceSize, std::size_t readSize) {
  FuzzSource source(bytes, pieceSize);
  soap::HttpResponseReader reader(source);
  std::vector<char> buffer(readSize);
  Exchange exchange;
  for (int response = 0; response < 3; ++response) {
    const bool headRead = reader.ReadHead();
    Response& read = exchange.responses.emplace_back();
    read.status = reader.Status();
    read.headerCount = reader.Headers().Count();
    if (!headRead) break;
    FUZZ_CHECK(read.status != soap::kInvalidStatus);
    std::ptrdiff_t count;
    while ((count = reader.ReadBody(buffer)) > 0) {
      FUZZ_CHECK(static_cast<std::size_t>(count) <= buffer.size());
      read.body.append(buffer.data(), static_cast<std::size_t>(count));
    }
    read.bodyComplete = reader.BodyComplete();
    read.willClose = reader.ConnectionWillClose();
    FUZZ_CHECK(read.bodyComplete == (count == 0));
    if (count < 0) break;
  }
  exchange.failure = reader.Failure();
  return exchange;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t pieceSize = std::size_t{data[0]} % 64 + 1;
  const std::size_t readSize = std::size_t{data[1]} * 17 % 4096 + 1;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 2), size - 2);
  const Exchange split = ReadResponses(bytes, pieceSize, readSize);
  const Exchange whole = ReadResponses(bytes, soap::kHttpBlockSize, soap::kHttpBlockSize);
  FUZZ_CHECK(split == whole);
  return 0;
}
