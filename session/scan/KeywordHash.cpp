#include "session/scan/KeywordHash.h"

#include <algorithm>

namespace session {
namespace {

std::uint32_t PositionWeight(std::size_t position) { return std::uint32_t{2} << (position % 32); }

}  // namespace

std::int32_t KeywordHash(std::u16string_view keyword) {
  std::uint32_t hash = 0;
  for (std::size_t k = 0; k < keyword.size(); ++k) hash += keyword[k] * PositionWeight(k);
  return static_cast<std::int32_t>(hash);
}

std::vector<std::size_t> MatchingPrefixLengths(std::u16string_view keyword) {
  std::vector<std::size_t> lengths;
  if (keyword.empty()) return lengths;
  lengths.push_back(keyword.size());
  // A prefix hashes like the whole keyword exactly when the units after it
  // contribute 0, so one pass from the end finds them all.
  std::uint32_t suffixContribution = 0;
  for (std::size_t length = keyword.size() - 1; length > 0; --length) {
    suffixContribution += keyword[length] * PositionWeight(length);
    if (suffixContribution == 0) lengths.push_back(length);
  }
  std::reverse(lengths.begin(), lengths.end());
  return lengths;
}

}  // namespace session
