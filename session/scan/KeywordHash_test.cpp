#include "session/scan/KeywordHash.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace session {
namespace {

TEST(KeywordHash, WeighsEachUnitByTwiceAPowerOfTwo) {
  EXPECT_EQ(KeywordHash(u""), 0);
  EXPECT_EQ(KeywordHash(u"a"), 97 * 2);
  EXPECT_EQ(KeywordHash(u"ab"), 97 * 2 + 98 * 4);
  EXPECT_EQ(KeywordHash(u"abc"), 97 * 2 + 98 * 4 + 99 * 8);
}

TEST(KeywordHash, WrapsAtThirtyTwoBits) {
  // An odd unit at position 30 weighs 2^31, the sign bit.
  std::u16string keyword(30, u'\0');
  keyword.push_back(u'a');
  EXPECT_EQ(KeywordHash(keyword), std::numeric_limits<std::int32_t>::min());
  keyword.back() = u'b';
  EXPECT_EQ(KeywordHash(keyword), 0);
}

TEST(KeywordHash, PositionThirtyOneWeighsNothingAndThirtyTwoStartsAgain) {
  const std::u16string base(31, u'q');
  EXPECT_EQ(KeywordHash(base + u'x'), KeywordHash(base + u'y'));
  EXPECT_EQ(KeywordHash(base + u'x'), KeywordHash(base));
  std::u16string longer = base + u"xz";
  EXPECT_EQ(KeywordHash(longer), KeywordHash(base) + 2 * u'z');
}

TEST(MatchingPrefixLengths, EmptyKeywordHasNone) {
  EXPECT_TRUE(MatchingPrefixLengths(u"").empty());
}

TEST(MatchingPrefixLengths, ShortKeywordMatchesOnlyWhole) {
  EXPECT_EQ(MatchingPrefixLengths(u"cheap flights"), std::vector<std::size_t>{13});
}

TEST(MatchingPrefixLengths, ThirtyTwoUnitKeywordAlsoMatchesItsFirstThirtyOne) {
  EXPECT_EQ(MatchingPrefixLengths(std::u16string(31, u'a') + u'c'),
            (std::vector<std::size_t>{31, 32}));
}

TEST(MatchingPrefixLengths, EvenUnitAtPositionThirtyVanishes) {
  EXPECT_EQ(MatchingPrefixLengths(std::u16string(30, u'a') + u'b'),
            (std::vector<std::size_t>{30, 31}));
  EXPECT_EQ(MatchingPrefixLengths(std::u16string(30, u'a') + u'c'), std::vector<std::size_t>{31});
  // Position 30 even and 31 weightless: the keyword matches at 30, 31 and 32.
  EXPECT_EQ(MatchingPrefixLengths(std::u16string(30, u'a') + u"bz"),
            (std::vector<std::size_t>{30, 31, 32}));
}

TEST(MatchingPrefixLengths, AgreesWithComparingHashesOfEveryPrefix) {
  // Units with many low zero bits make vanishing sums common at every length.
  const char16_t units[] = {0x0002, 0x0004, 0x0040, 0x0100, 0x8000, 0xC000, 0x4000, 0x0061};
  std::mt19937 random(20240611);
  for (int round = 0; round < 3000; ++round) {
    std::u16string keyword(1 + random() % 45, u'\0');
    for (char16_t& unit : keyword) unit = units[random() % std::size(units)];
    std::vector<std::size_t> expected;
    for (std::size_t length = 1; length <= keyword.size(); ++length) {
      if (KeywordHash(keyword.substr(0, length)) == KeywordHash(keyword))
        expected.push_back(length);
    }
    ASSERT_EQ(MatchingPrefixLengths(keyword), expected) << "round " << round;
  }
}

}  // namespace
}  // namespace session
