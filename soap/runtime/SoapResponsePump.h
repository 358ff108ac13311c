// Feeds a response body, block by block as the stream delivers it, to the
// XML reader. A stream that fails part-way is a failed exchange even when
// the bytes so far parsed well: a truncated body never becomes a result.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "platform/sax/SaxXmlReader.h"
#include "soap/http/HttpLimits.h"

namespace soap {

enum class PumpOutcome { kParsed, kStreamFailed, kParseFailed };

// `Stream` reads like CReadStreamOnSocket: > 0 bytes, 0 at the proper end,
// < 0 on failure.
template <typename Stream>
PumpOutcome PumpResponse(Stream& stream, platform::SaxXmlReader& reader) {
  std::array<char, kHttpBlockSize> block;
  for (;;) {
    const std::ptrdiff_t received = stream.Read(std::span<char>(block));
    if (received < 0) {
      reader.Abandon();
      return PumpOutcome::kStreamFailed;
    }
    if (received == 0) break;
    if (reader.Feed(std::string_view(block.data(), static_cast<std::size_t>(received))) !=
        platform::SaxStatus::kOk) {
      return PumpOutcome::kParseFailed;
    }
  }
  return reader.Finish() == platform::SaxStatus::kOk ? PumpOutcome::kParsed
                                                     : PumpOutcome::kParseFailed;
}

}  // namespace soap
