#include "soap/connector/StatisticsText.h"

#include <array>

#include "soap/connector/CrtNumbers.h"

namespace soap {

std::optional<MemberTotals> ParseStatisticsText(std::u16string_view text) {
  std::array<std::u16string_view, 4> fields;
  std::size_t start = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    const std::size_t comma = text.find(u',', start);
    if (comma == std::u16string_view::npos) return std::nullopt;
    fields[i] = text.substr(start, comma - start);
    start = comma + 1;
  }
  fields[3] = text.substr(start);

  MemberTotals totals;
  totals.money = AtofText(fields[0]);
  totals.mailCount = AtoiText(fields[1]);
  totals.friends = AtoiText(fields[2]);
  totals.mailFlag = AtoiText(fields[3]);
  totals.valid = 1;
  return totals;
}

}  // namespace soap
