#include "session/scan/KeywordScanner.h"

#include <algorithm>

#include "session/scan/KeywordHash.h"
#include "session/scan/PageText.h"

namespace session {
namespace {

// The prefixes of a keyword that can match a prepared text: its matching
// prefix lengths, up to the first unit a prepared text cannot hold.
struct MatchablePrefixes {
  std::u16string_view longest;
  std::vector<std::size_t> lengths;
};

MatchablePrefixes MatchablePrefixesOf(std::u16string_view keyword) {
  const auto unmatchable = std::find_if_not(keyword.begin(), keyword.end(), CanOccurInPreparedText);
  const auto matchableLength = static_cast<std::size_t>(unmatchable - keyword.begin());
  MatchablePrefixes prefixes;
  prefixes.lengths = MatchingPrefixLengths(keyword);
  std::erase_if(prefixes.lengths, [&](std::size_t length) { return length > matchableLength; });
  if (!prefixes.lengths.empty()) prefixes.longest = keyword.substr(0, prefixes.lengths.back());
  return prefixes;
}

std::vector<std::u16string_view> LongestMatchablePrefixes(
    const std::vector<std::u16string>& labels, const std::vector<std::u16string>& blockedTerms) {
  std::vector<std::u16string_view> prefixes;
  prefixes.reserve(labels.size() + blockedTerms.size());
  for (const auto* list : {&labels, &blockedTerms}) {
    for (const std::u16string& keyword : *list) {
      prefixes.push_back(MatchablePrefixesOf(keyword).longest);
    }
  }
  return prefixes;
}

int LongestOf(const std::vector<std::u16string>& labels,
              const std::vector<std::u16string>& blockedTerms) {
  std::size_t longest = 0;
  for (const auto* list : {&labels, &blockedTerms}) {
    for (const std::u16string& keyword : *list) longest = std::max(longest, keyword.size());
  }
  return static_cast<int>(longest);
}

// The scan reads the page's own units, each as its round trip through the
// code page, but leaves two kinds to itself: U+0000, which ends the text, and
// a high surrogate, which with the low one after it makes one character (read
// as '?' at the low surrogate, which reads so on its own too).
const PatternAutomaton::UnitReading& ReadingThroughAnsi() {
  static const PatternAutomaton::UnitReading reading = [] {
    constexpr std::size_t kUnitCount = PatternAutomaton::kUnitCount;
    PatternAutomaton::UnitReading throughAnsi{std::vector<char16_t>(kUnitCount), {u'\0'}};
    for (std::size_t unit = 0; unit < kUnitCount; ++unit) {
      throughAnsi.readsAs[unit] = LowerThroughAnsi(static_cast<char16_t>(unit));
      if (IsHighSurrogate(static_cast<char16_t>(unit))) {
        throughAnsi.staysOn.push_back(static_cast<char16_t>(unit));
      }
    }
    return throughAnsi;
  }();
  return reading;
}

bool IsAsciiLowerLetter(char16_t unit) { return unit >= u'a' && unit <= u'z'; }

// Whether the unit at `at` reads as a lower-case ASCII letter. Raw or
// prepared, the text reads the same there: a unit of a pair reads as '?'.
bool ReadsAsAsciiLowerLetter(std::u16string_view text, std::size_t at) {
  return IsAsciiLowerLetter(LowerThroughAnsi(text[at]));
}

// Where the `length` characters before `end` begin, a pair counting as one.
std::size_t StartOfCharacters(std::u16string_view text, std::size_t end, std::size_t length) {
  std::size_t start = end;
  for (std::size_t read = 0; read < length; ++read) {
    --start;
    if (start > 0 && IsLowSurrogate(text[start]) && IsHighSurrogate(text[start - 1])) --start;
  }
  return start;
}

}  // namespace

KeywordScanner::KeywordScanner(const std::vector<std::u16string>& labels,
                               const std::vector<std::u16string>& blockedTerms,
                               std::size_t denseTableBytes)
    : categoryCount_(labels.size()),
      longestKeyword_(LongestOf(labels, blockedTerms)),
      automaton_(LongestMatchablePrefixes(labels, blockedTerms), denseTableBytes,
                 ReadingThroughAnsi()) {
  // A window spelling a prefix that several categories share counts for the
  // first of them only, as the original scan stops at the first match.
  std::vector<std::uint32_t> category(automaton_.StateCount(), kNoCategory);
  for (std::size_t index = 0; index < labels.size(); ++index) {
    const std::u16string_view label = labels[index];
    for (std::size_t length : MatchablePrefixesOf(label).lengths) {
      std::uint32_t& owner = category[automaton_.StateOf(label.substr(0, length))];
      if (owner == kNoCategory) owner = static_cast<std::uint32_t>(index);
    }
  }
  std::vector<std::size_t> blockedLength(automaton_.StateCount(), 0);
  for (std::u16string_view term : blockedTerms) {
    for (std::size_t length : MatchablePrefixesOf(term).lengths) {
      blockedLength[automaton_.StateOf(term.substr(0, length))] = length;
    }
  }

  // Breadth-first, a state's failure target has its outputs before the state.
  outputs_.push_back({kNoCategory, 0, 0});
  outputOf_.assign(automaton_.StateCount(), 0);
  for (State state = 1; state < outputOf_.size(); ++state) {
    const std::uint32_t shorter = outputOf_[automaton_.Failure(state)];
    if (category[state] == kNoCategory && blockedLength[state] == 0) {
      outputOf_[state] = shorter;
    } else {
      outputOf_[state] = static_cast<std::uint32_t>(outputs_.size());
      outputs_.push_back({category[state], blockedLength[state], shorter});
    }
  }
  std::vector<bool> matchesSomething(outputOf_.size());
  for (State state = 0; state < outputOf_.size(); ++state) {
    matchesSomething[state] = outputOf_[state] != 0;
  }
  automaton_.Mark(matchesSomething);
}

std::size_t KeywordScanner::TableBytes() const {
  return automaton_.TableBytes() + outputOf_.size() * sizeof(std::uint32_t) +
         outputs_.size() * sizeof(Output);
}

PageScanResult KeywordScanner::ScanPage(std::u16string_view pageText) const {
  PageScanResult result;
  if (!Scan(pageText, result)) {
    // Only the conversion itself says how a page with a U+0000 or a lone high
    // surrogate reads; the prepared text has neither.
    Scan(PreparePageText(pageText), result);
  }
  for (std::size_t category = 0; category < result.counts.size(); ++category) {
    if (result.counts[category] >= result.counts[result.chosen]) {
      result.chosen = static_cast<int>(category);
    }
  }
  return result;
}

bool KeywordScanner::Scan(std::u16string_view text, PageScanResult& result) const {
  result.counts.assign(categoryCount_, 0);
  result.blocked = false;
  bool readable = true;
  automaton_.Scan(text, [&](State state, std::size_t end) {
    const char16_t unit = text[end - 1];
    if (unit == 0 || IsHighSurrogate(unit)) {
      // The other stretches may still step on before the scan stops.
      if (unit == 0 || end == text.size() || !IsLowSurrogate(text[end])) readable = false;
      return readable;
    }
    Report(outputOf_[state], text, end, result);
    return true;
  });
  return readable;
}

// Counts every category prefix the window ending at `end` matches, and checks
// the blocked ones as whole words: the characters on either side must not be
// lower-case ASCII letters (the text reads lower-cased, so capitals are gone).
void KeywordScanner::Report(std::uint32_t output, std::u16string_view text, std::size_t end,
                            PageScanResult& result) const {
  const bool endsWord = end == text.size() || !ReadsAsAsciiLowerLetter(text, end);
  for (; output != 0; output = outputs_[output].shorter) {
    const Output& match = outputs_[output];
    if (match.category != kNoCategory) ++result.counts[match.category];
    if (match.blockedLength != 0 && endsWord && !result.blocked) {
      const std::size_t start = StartOfCharacters(text, end, match.blockedLength);
      result.blocked = start == 0 || !ReadsAsAsciiLowerLetter(text, start - 1);
    }
  }
}

}  // namespace session
