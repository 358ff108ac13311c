// Arbitrary bytes as a SOAP response body, parsed against a descriptor table
// with nested records, an enumeration, wrapped and plain arrays and every
// native value form (the Echo table). The first byte picks the block size
// the body is fed in, so block boundaries land everywhere. Whatever the
// bytes, the parse must end with success or an error, never crash or leak;
// a failed parse must leave the out-fields empty; and the blocks must not
// change the outcome: the body fed whole parses to the same error and
// the same values.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "soap/runtime/SoapTestSupport.h"

namespace {

using soap::testing::AdTestItem;
using soap::testing::EchoParams;

bool SameBits(double a, double b) {
  return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool SameItem(const AdTestItem& a, const AdTestItem& b) {
  if (a.FeedType != b.FeedType || a.FeedEnabled != b.FeedEnabled || a.AdsCount != b.AdsCount ||
      a.AdItems.items.size() != b.AdItems.items.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.AdItems.items.size(); ++i) {
    const auto& x = a.AdItems.items[i];
    const auto& y = b.AdItems.items[i];
    if (x.FeedType != y.FeedType || x.Title != y.Title || x.Url != y.Url ||
        x.Description != y.Description || x.ClickUrl != y.ClickUrl || x.Keyword != y.Keyword ||
        !SameBits(x.BidPrice, y.BidPrice) || x.DisplayAd != y.DisplayAd) {
      return false;
    }
  }
  return true;
}

bool SameParams(const EchoParams& a, const EchoParams& b) {
  if (a.text != b.text || a.number != b.number || a.flag != b.flag || !SameBits(a.price, b.price) ||
      !SameBits(a.ratio, b.ratio) || a.blob != b.blob || a.hex != b.hex || a.feed != b.feed ||
      !SameItem(a.test, b.test) || a.words != b.words || a.ads.size() != b.ads.size() ||
      a.EchoResult.size() != b.EchoResult.size() || a.note != b.note) {
    return false;
  }
  for (std::size_t i = 0; i < a.EchoResult.size(); ++i) {
    if (!SameItem(a.EchoResult[i], b.EchoResult[i])) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t pieceSize = 1 + data[0] % 64 * (data[0] >= 128 ? 97 : 1);
  const std::string_view body(reinterpret_cast<const char*>(data + 1), size - 1);

  EchoParams split;
  const soap::SoapClientError error =
      soap::testing::ParseBody(soap::testing::kEchoBody, &split, body, pieceSize);
  if (error != soap::SoapClientError::kSuccess) {
    FUZZ_CHECK(split.EchoResult.empty() && !split.text && split.words.empty());
  }

  EchoParams whole;
  FUZZ_CHECK(soap::testing::ParseBody(soap::testing::kEchoBody, &whole, body, body.size() + 1) ==
             error);
  FUZZ_CHECK(SameParams(split, whole));
  return 0;
}
