#include "session/scan/PageText.h"

#include <cstddef>
#include <vector>

#include "platform/text/CodePage.h"

namespace session {
namespace {

constexpr std::size_t kUnitCount = 0x10000;

// Every unit's round trip, taken from the platform's own conversions once,
// so the table cannot drift from them.
struct AnsiRoundTrip {
  std::vector<char16_t> lowered = std::vector<char16_t>(kUnitCount);
  std::vector<bool> producible = std::vector<bool>(kUnitCount);
};

void AppendUnits(std::u16string& units, std::size_t first, std::size_t end) {
  for (std::size_t unit = first; unit < end; ++unit) units.push_back(static_cast<char16_t>(unit));
}

// The units in one string, each converted on its own: the low surrogates are
// placed before the high ones so that no two neighbours form a pair.
std::u16string EveryUnitAsItsOwnCharacter() {
  std::u16string units;
  units.reserve(kUnitCount);
  AppendUnits(units, 0, 0xD800);
  AppendUnits(units, 0xDC00, 0xE000);
  AppendUnits(units, 0xD800, 0xDC00);
  AppendUnits(units, 0xE000, kUnitCount);
  return units;
}

AnsiRoundTrip BuildRoundTrip() {
  const std::u16string units = EveryUnitAsItsOwnCharacter();
  const std::u16string lowered =
      platform::AnsiToWide(platform::AnsiToLower(platform::WideToAnsi(units)));
  AnsiRoundTrip roundTrip;
  for (std::size_t i = 0; i < units.size(); ++i) {
    roundTrip.lowered[units[i]] = lowered[i];
    // U+0000 ends the text before it is converted, so it never reaches the scan.
    if (units[i] != 0) roundTrip.producible[lowered[i]] = true;
  }
  return roundTrip;
}

const AnsiRoundTrip& RoundTrip() {
  static const AnsiRoundTrip roundTrip = BuildRoundTrip();
  return roundTrip;
}

}  // namespace

std::u16string PreparePageText(std::u16string_view pageText) {
  const auto& lowered = RoundTrip().lowered;
  std::u16string prepared(pageText.size(), u'\0');
  std::size_t length = 0;
  for (std::size_t i = 0; i < pageText.size(); ++i) {
    if (pageText[i] == 0) break;
    // A pair converts as one character; both of its units convert to '?'.
    if (IsHighSurrogate(pageText[i]) && i + 1 < pageText.size() &&
        IsLowSurrogate(pageText[i + 1])) {
      ++i;
    }
    prepared[length++] = lowered[pageText[i]];
  }
  prepared.resize(length);
  return prepared;
}

char16_t LowerThroughAnsi(char16_t unit) { return RoundTrip().lowered[unit]; }

bool CanOccurInPreparedText(char16_t unit) { return RoundTrip().producible[unit]; }

}  // namespace session
