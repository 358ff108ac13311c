// Holds the scanner against the documented scan on generated pages and lists
// built to reach the cases a fast scan can get wrong: keywords that match a
// shorter prefix because the rest of them hashes to nothing, keywords that
// overlap, repeat or are prefixes of one another, capitals that can never
// match, blocked terms at every kind of word edge, and text the code page
// turns into '?' or ends early.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "platform/text/CodePage.h"
#include "session/scan/KeywordScanner.h"
#include "session/scan/testing/DocumentedScan.h"

namespace session {
namespace {

using Keywords = std::vector<std::u16string>;

struct ScanCase {
  Keywords labels;
  Keywords blockedTerms;
  std::u16string page;
};

// Capitals of the code page by their lower-case letter, from the platform's
// own lowering, so that planted keywords can be written in mixed case.
std::map<char16_t, char16_t> CapitalsByLowerCase() {
  std::map<char16_t, char16_t> capitals;
  for (int byte = 1; byte < 256; ++byte) {
    const char capital = static_cast<char>(byte);
    const char lower = platform::AnsiToLower(capital);
    if (lower == capital) continue;
    capitals[platform::AnsiToWide({&lower, 1})[0]] = platform::AnsiToWide({&capital, 1})[0];
  }
  return capitals;
}

// Units that keep their value through the code page but are no letters a-z,
// so a blocked term next to one of them stands as a word.
constexpr std::u16string_view kWordEdges = u" 1.,-\u00E9";
// Units the code page turns into '?' or lowers: surrogate pairs and a low
// surrogate of its own among them; a high one of its own comes separately,
// as it and U+0000 are the two a scan cannot read one unit at a time.
const std::u16string kSpecials[] = {u"\u4E2D", u"\U0001F600", u"\U0001F600\U00010000",
                                    {0xDE00},  u"?",          u"\u00C0",
                                    u"\u00DE", u"\u0160",     u"\u0178",
                                    u"\u00D7", u"Q"};
const std::u16string kLoneHighSurrogate = {0xD83D};

// Whether a page may hold U+0000 and lone high surrogates.
enum class PageUnits { kAny, kReadableOneByOne };

class CaseGenerator {
 public:
  CaseGenerator(std::uint32_t seed, std::u16string letters, PageUnits units = PageUnits::kAny)
      : random_(seed), letters_(std::move(letters)), units_(units) {}

  ScanCase Generate(std::size_t categoryCount, std::size_t blockedCount, std::size_t pageLength) {
    ScanCase scanCase;
    for (std::size_t i = 0; i < categoryCount; ++i)
      scanCase.labels.push_back(Label(scanCase.labels));
    for (std::size_t i = 0; i < blockedCount; ++i) {
      scanCase.blockedTerms.push_back(BlockedTerm(scanCase.labels, scanCase.blockedTerms));
    }
    while (scanCase.page.size() < pageLength) AppendPiece(scanCase);
    return scanCase;
  }

 private:
  std::size_t Below(std::size_t bound) { return random_() % bound; }
  bool OneIn(std::size_t chances) { return Below(chances) == 0; }
  char16_t Letter() { return letters_[Below(letters_.size())]; }
  std::size_t LongLength() { return 26 + Below(15); }

  std::u16string Letters(std::size_t length) {
    std::u16string text(length, u'\0');
    for (char16_t& unit : text) unit = Letter();
    return text;
  }

  // Every alphabet here has letters of both parities.
  char16_t LetterOfOtherParity(char16_t unit) {
    std::u16string others;
    for (char16_t letter : letters_) {
      if ((letter ^ unit) & 1) others.push_back(letter);
    }
    return others[Below(others.size())];
  }

  // A keyword of `length` units whose units from `matchLength` on add nothing
  // to its hash, so it also matches its first `matchLength` units. Working up
  // from the lowest weight, each set bit of the sum is cleared by changing the
  // parity of a unit of that weight; where the suffix has no unit of that
  // weight, another try starts.
  std::u16string VanishingSuffixKeyword(std::size_t length, std::size_t matchLength) {
    for (int attempt = 0; attempt < 200; ++attempt) {
      std::u16string keyword = Letters(length);
      std::uint32_t suffixSum = 0;
      for (std::size_t k = matchLength; k < length; ++k) suffixSum += keyword[k] * Weight(k);
      for (std::uint32_t exponent = 1; exponent < 32 && suffixSum != 0; ++exponent) {
        if ((suffixSum >> exponent & 1) == 0) continue;
        const std::size_t position = PositionOfExponent(matchLength, length, exponent);
        if (position == length) break;
        const char16_t changed = LetterOfOtherParity(keyword[position]);
        suffixSum += (changed - keyword[position]) * Weight(position);
        keyword[position] = changed;
      }
      if (suffixSum == 0) return keyword;
    }
    return Letters(length);
  }

  static std::uint32_t Weight(std::size_t position) { return std::uint32_t{2} << (position % 32); }

  static std::size_t PositionOfExponent(std::size_t from, std::size_t to, std::uint32_t exponent) {
    for (std::size_t k = from; k < to; ++k) {
      if (k % 32 != 31 && k % 32 + 1 == exponent) return k;
    }
    return to;
  }

  std::u16string VanishingSuffixKeyword() {
    const std::size_t length = LongLength();
    // Past 32 units the low weights come back, so a short prefix can match.
    const std::size_t matchLength = length > 32
                                        ? 1 + Below(length - 32)
                                        : length - 1 - Below(std::min<std::size_t>(6, length - 1));
    return VanishingSuffixKeyword(length, matchLength);
  }

  std::u16string Capitalized(std::u16string keyword) {
    for (char16_t& unit : keyword) {
      if (const auto capital = capitals_.find(unit); capital != capitals_.end() && OneIn(3)) {
        unit = capital->second;
      }
    }
    return keyword;
  }

  const std::u16string& AnyOf(const Keywords& keywords) { return keywords[Below(keywords.size())]; }

  std::u16string Label(const Keywords& earlier) {
    const std::size_t kind = Below(earlier.empty() ? 3 : 10);
    switch (kind) {
      case 0:
        return Letters(LongLength());
      case 1:
        return VanishingSuffixKeyword();
      case 2: {
        const std::u16string period = Letters(1 + Below(3));
        std::u16string periodic;
        for (const std::size_t length = LongLength(); periodic.size() < length;) {
          periodic.push_back(period[periodic.size() % period.size()]);
        }
        return periodic;
      }
      case 3:
        return AnyOf(earlier);
      case 4: {
        const std::u16string& longer = AnyOf(earlier);
        return longer.substr(0, Below(longer.size() + 1));
      }
      case 5: {
        std::u16string diverging = AnyOf(earlier);
        return diverging.substr(0, Below(diverging.size() + 1)) + Letters(1 + Below(8));
      }
      case 6:
        return WithCapitals(AnyOf(earlier));
      case 7:
        return Letters(1 + Below(5));
      case 8: {
        // A unit no prepared text holds, somewhere (weightless at unit 31).
        std::u16string unmatchable = OneIn(2) ? VanishingSuffixKeyword() : AnyOf(earlier);
        if (unmatchable.empty()) return unmatchable;
        unmatchable[Below(unmatchable.size())] = OneIn(2) ? u'\u4E2D' : u'\u00C9';
        return unmatchable;
      }
      default:
        return u"";
    }
  }

  // Capitals anywhere, or for a 32-unit keyword only at its weightless end.
  std::u16string WithCapitals(std::u16string keyword) {
    if (keyword.size() == 32 && OneIn(2)) {
      if (const auto capital = capitals_.find(keyword[31]); capital != capitals_.end()) {
        keyword[31] = capital->second;
      }
      return keyword;
    }
    return Capitalized(keyword);
  }

  std::u16string BlockedTerm(const Keywords& labels, const Keywords& earlier) {
    // An earlier term behind a word edge: where the longer one follows a
    // letter, the earlier one still stands as a word.
    if (!earlier.empty() && OneIn(4)) return kWordEdges[Below(kWordEdges.size())] + AnyOf(earlier);
    switch (Below(6)) {
      case 0:
      case 1:
        return Letters(1 + Below(4));
      case 2:
        return labels.empty() ? Letters(3) : AnyOf(labels).substr(0, 1 + Below(6));
      case 3:
        return VanishingSuffixKeyword();
      case 4:
        return Capitalized(Letters(1 + Below(4)));
      default:
        return OneIn(2) ? u"" : Letters(1 + Below(2));
    }
  }

  // A keyword, or a prefix of one, written in mixed case.
  std::u16string PlantedKeyword(const ScanCase& scanCase) {
    const bool blocked = !scanCase.blockedTerms.empty() && OneIn(3);
    const std::u16string& keyword = AnyOf(blocked ? scanCase.blockedTerms : scanCase.labels);
    const std::u16string planted =
        OneIn(2) ? keyword : keyword.substr(0, Below(keyword.size() + 1));
    return Capitalized(planted);
  }

  void AppendPiece(ScanCase& scanCase) {
    std::u16string& page = scanCase.page;
    switch (Below(12)) {
      case 0:
      case 1:
      case 2:
        page += Letters(1 + Below(8));
        break;
      case 3:
      case 4:
      case 5:
        page += PlantedKeyword(scanCase);
        break;
      case 6:
      case 7:
        if (!scanCase.blockedTerms.empty()) {
          // A blocked term between word edges, letters, or capitals.
          const auto edge = [&] {
            const std::size_t choice = Below(4);
            if (choice == 0) return std::u16string(1, u'x');
            if (choice == 1) return std::u16string(1, u'X');
            return std::u16string(1, kWordEdges[Below(kWordEdges.size())]);
          };
          page += edge() + Capitalized(AnyOf(scanCase.blockedTerms)) + edge();
        }
        break;
      case 8:
        page += kWordEdges[Below(kWordEdges.size())];
        break;
      case 9:
      case 10:
        page += kSpecials[Below(std::size(kSpecials))];
        break;
      default:
        if (units_ == PageUnits::kAny && OneIn(8)) page += OneIn(5) ? u"\0" : kLoneHighSurrogate;
        break;
    }
  }

  std::mt19937 random_;
  std::u16string letters_;
  PageUnits units_;
  std::map<char16_t, char16_t> capitals_ = CapitalsByLowerCase();
};

// Alphabets of a few letters, so that windows repeat and keywords match
// often; each has odd and even units for the vanishing-suffix keywords.
const std::u16string kAlphabets[] = {u"ab", u"abc ", u"ab\u00E0\u00E91-", u"xy .\u00E9?"};

// Room for the root's row only, for a few rows, and for every row.
constexpr std::size_t kDenseBudgets[] = {0, 2048, kDefaultDenseTableBytes};

void ExpectSameAsDocumented(const ScanCase& scanCase, std::span<const std::size_t> denseBudgets,
                            const std::string& where) {
  const PageScanResult expected =
      testing::DocumentedScan(scanCase.labels, scanCase.blockedTerms, scanCase.page);
  for (std::size_t budget : denseBudgets) {
    const KeywordScanner scanner(scanCase.labels, scanCase.blockedTerms, budget);
    const PageScanResult actual = scanner.ScanPage(scanCase.page);
    ASSERT_EQ(actual.counts, expected.counts) << where << ", dense budget " << budget;
    ASSERT_EQ(actual.chosen, expected.chosen) << where << ", dense budget " << budget;
    ASSERT_EQ(actual.blocked, expected.blocked) << where << ", dense budget " << budget;
  }
}

// For the many small cases one budget each, taken in turn.
std::span<const std::size_t> OneBudget(std::size_t turn) {
  return std::span(kDenseBudgets).subspan(turn % std::size(kDenseBudgets), 1);
}

TEST(KeywordScannerEquivalence, ManyCategoriesAndBlockedTerms) {
  for (std::uint32_t seed = 1; seed <= 400; ++seed) {
    CaseGenerator generator(seed, kAlphabets[seed % std::size(kAlphabets)]);
    const ScanCase scanCase = generator.Generate(2 + seed % 14, seed % 6, 60 + seed % 7 * 70);
    ExpectSameAsDocumented(scanCase, OneBudget(seed / 7), "seed " + std::to_string(seed));
  }
}

TEST(KeywordScannerEquivalence, SingleCategoryWithoutBlockedTerms) {
  for (std::uint32_t seed = 1; seed <= 150; ++seed) {
    CaseGenerator generator(seed * 7919, kAlphabets[seed % std::size(kAlphabets)]);
    const ScanCase scanCase = generator.Generate(1, 0, 40 + seed % 5 * 60);
    ExpectSameAsDocumented(scanCase, OneBudget(seed / 7), "seed " + std::to_string(seed));
  }
}

TEST(KeywordScannerEquivalence, LongPagesWithSurrogatePairs) {
  const std::u16string alphabets[] = {u"a?b", u"ab? ", u"?x"};
  for (std::uint32_t seed = 1; seed <= 45; ++seed) {
    CaseGenerator generator(seed * 31337, alphabets[seed % std::size(alphabets)],
                            PageUnits::kReadableOneByOne);
    const ScanCase scanCase = generator.Generate(2 + seed % 10, seed % 4, 400 + seed % 5 * 300);
    ExpectSameAsDocumented(scanCase, kDenseBudgets, "seed " + std::to_string(seed));
  }
}

TEST(KeywordScannerEquivalence, LoneHighSurrogateAmongPairs) {
  // Pairs nearly everywhere and pages of several lengths, so that whatever
  // reads the page's far parts meets a pair while the lone high surrogate is
  // being dealt with.
  for (std::size_t length = 1200; length < 1207; ++length) {
    std::u16string pairs;
    while (pairs.size() < length) pairs += u"\U0001F600\U0001F600\U0001F600b";
    pairs.resize(length, u'b');
    for (std::size_t lonePosition = 0; lonePosition < 20; ++lonePosition) {
      std::u16string page = pairs;
      page.insert(lonePosition, 1, char16_t{0xD83D});
      const ScanCase scanCase{{u"b", u"?b", u"b?"}, {u"b?"}, page};
      ExpectSameAsDocumented(scanCase, OneBudget(length + lonePosition),
                             "lone high surrogate at " + std::to_string(lonePosition) + " of " +
                                 std::to_string(page.size()));
    }
  }
}

TEST(KeywordScannerEquivalence, LongListsOnLongerPages) {
  for (std::uint32_t seed = 1; seed <= 6; ++seed) {
    CaseGenerator generator(seed * 104729, kAlphabets[seed % std::size(kAlphabets)]);
    const ScanCase scanCase = generator.Generate(120, 8, 3000);
    ExpectSameAsDocumented(scanCase, kDenseBudgets, "seed " + std::to_string(seed));
  }
}

}  // namespace
}  // namespace session
