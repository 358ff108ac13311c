// Feeds arbitrary bytes to the HTTP response reader as a hostile server
// would send them. The first two input bytes choose how the bytes are split
// into receives and how large the caller's reads are, so framing code is
// exercised across every kind of piece boundary.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "soap/http/HttpResponseReader.h"

namespace {

class FuzzSource : public soap::HttpByteSource {
 public:
  FuzzSource(const std::uint8_t* data, std::size_t size, std::size_t pieceSize)
      : data_(data), size_(size), pieceSize_(pieceSize) {}
  std::ptrdiff_t ReadSome(std::span<char> buffer) override {
    std::size_t count = std::min({pieceSize_, buffer.size(), size_ - at_});
    std::memcpy(buffer.data(), data_ + at_, count);
    at_ += count;
    return static_cast<std::ptrdiff_t>(count);
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pieceSize_;
  std::size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  std::size_t pieceSize = std::size_t{data[0]} % 64 + 1;
  std::size_t readSize = std::size_t{data[1]} * 17 % 4096 + 1;
  FuzzSource source(data + 2, size - 2, pieceSize);
  soap::HttpResponseReader reader(source);
  // A reused connection reads several responses in turn.
  std::vector<char> buffer(readSize);
  for (int response = 0; response < 3 && reader.ReadHead(); ++response) {
    std::ptrdiff_t read;
    while ((read = reader.ReadBody(buffer)) > 0) {
      if (static_cast<std::size_t>(read) > buffer.size()) __builtin_trap();
    }
    if (read < 0) break;
  }
  return 0;
}
