// Decodes arbitrary bytes as the category lists' cache file, which anyone who
// can write beside the browser controls. A file that decodes must encode
// back to the bytes it was read from, up to what the reader ignores after the
// blocked terms, so reading never invents or loses an entry.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "session/categories/CategoryCacheFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto lists = session::DecodeCategoryCache(bytes);
  if (!lists) return 0;
  const std::string encoded = session::EncodeCategoryCache(*lists);
  if (encoded.size() > bytes.size() || bytes.substr(0, encoded.size()) != encoded) std::abort();
  return 0;
}
