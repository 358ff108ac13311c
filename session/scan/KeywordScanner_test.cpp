#include "session/scan/KeywordScanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace session {
namespace {

using Keywords = std::vector<std::u16string>;

PageScanResult Scan(const Keywords& labels, const Keywords& blockedTerms,
                    std::u16string_view page) {
  return KeywordScanner(labels, blockedTerms).ScanPage(page);
}

std::vector<int> Counts(const Keywords& labels, std::u16string_view page) {
  return Scan(labels, {}, page).counts;
}

bool Blocks(std::u16string_view term, std::u16string_view page) {
  return Scan({u"label"}, {std::u16string(term)}, page).blocked;
}

TEST(KeywordScanner, CountsEveryOccurrenceOfEachLabel) {
  EXPECT_EQ(Counts({u"cars", u"boats"}, u"cars, boats and more cars"), (std::vector<int>{2, 1}));
}

TEST(KeywordScanner, CountsOverlappingOccurrences) {
  EXPECT_EQ(Counts({u"aa"}, u"aaaa"), std::vector<int>{3});
}

TEST(KeywordScanner, MatchesMixedCaseTextAfterLowering) {
  EXPECT_EQ(Counts({u"caf\u00E9"}, u"CAF\u00C9 Caf\u00E9 cAf\u00C9"), std::vector<int>{3});
}

TEST(KeywordScanner, TieGoesToTheLaterCategory) {
  const PageScanResult result = Scan({u"cat", u"dog", u"owl"}, {}, u"dog cat owl dog cat");
  EXPECT_EQ(result.counts, (std::vector<int>{2, 2, 1}));
  EXPECT_EQ(result.chosen, 1);
}

TEST(KeywordScanner, NoMatchChoosesTheLastCategory) {
  const PageScanResult result = Scan({u"cat", u"dog", u"owl"}, {}, u"nothing here");
  EXPECT_EQ(result.counts, (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(result.chosen, 2);
}

TEST(KeywordScanner, GreatestCountWins) {
  EXPECT_EQ(Scan({u"cat", u"dog", u"owl"}, {}, u"cat cat dog owl").chosen, 0);
}

TEST(KeywordScanner, UpperCaseKeywordsNeverMatch) {
  EXPECT_EQ(Counts({u"Cat", u"\u00C9t\u00E9"}, u"Cat cat CAT \u00C9t\u00E9 \u00E9t\u00E9"),
            (std::vector<int>{0, 0}));
  EXPECT_FALSE(Blocks(u"ABC", u"ABC abc"));
}

TEST(KeywordScanner, BlockedTermCountsOnlyAsAWholeWord) {
  struct Case {
    std::u16string_view page;
    bool blocked;
  };
  const Case cases[] = {
      {u"abc", true},
      {u"abc def", true},
      {u"def abc", true},
      {u"x abc y", true},
      {u"1abc2", true},
      {u".abc,", true},
      {u"\u00E9abc\u00E9", true},
      {u"xabcx", false},
      {u"xabc", false},
      {u"abcx", false},
      {u"Xabc", false},
      {u"abcZ", false},
      {u"xabc abcx", false},
      {u"xabc abc", true},
      {u"", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Blocks(u"abc", c.page), c.blocked) << std::string(c.page.begin(), c.page.end());
  }
}

TEST(KeywordScanner, ShorterBlockedTermInsideALongerWordStillChecksItsOwnEdges) {
  // "bc" ends where "-bc" does; "-bc" follows a letter there but "bc" does not.
  EXPECT_TRUE(Scan({u"label"}, {u"-bc", u"bc"}, u"x-bc").blocked);
  EXPECT_FALSE(Scan({u"label"}, {u"abc", u"bc"}, u"xabc").blocked);
  EXPECT_TRUE(Scan({u"label"}, {u"xabc", u"bc"}, u"xxabc bc").blocked);
}

TEST(KeywordScanner, LongestKeywordMatchesAtTheVeryEndOfTheText) {
  const std::u16string label = u"the quick brown fox jumps over the lazy";
  ASSERT_EQ(label.size(), 39u);
  const KeywordScanner scanner({u"fox", label}, {});
  EXPECT_EQ(scanner.LongestKeyword(), 39);
  EXPECT_EQ(scanner.ScanPage(u"so: " + label).counts, (std::vector<int>{1, 1}));
  EXPECT_EQ(scanner.ScanPage(label.substr(0, 38)).counts, (std::vector<int>{1, 0}));
}

TEST(KeywordScanner, ThirtyTwoUnitLabelMatchesItsFirstThirtyOneUnits) {
  const std::u16string label = u"discount travel insurance quotes";
  ASSERT_EQ(label.size(), 32u);
  // The whole label is two windows that match: its 31-unit prefix and itself.
  EXPECT_EQ(Counts({label}, label.substr(0, 31) + u" "), std::vector<int>{1});
  EXPECT_EQ(Counts({label}, label), std::vector<int>{2});
  EXPECT_EQ(Counts({label}, label.substr(0, 30)), std::vector<int>{0});
}

TEST(KeywordScanner, LabelMatchesThroughAnUnmatchableWeightlessLastUnit) {
  // Unit 31 weighs nothing, so a capital there never stops the 31-unit prefix.
  const std::u16string label = std::u16string(u"discount travel insurance quote") + u"S";
  EXPECT_EQ(Counts({label}, u"Discount travel insurance quotes"), std::vector<int>{1});
}

TEST(KeywordScanner, ThirtyOneUnitLabelWithEvenLastUnitMatchesItsFirstThirty) {
  const std::u16string even =
      u"discount travel insurance plus"
      u"d";
  const std::u16string odd =
      u"discount travel insurance plus"
      u"s";
  ASSERT_EQ(even.size(), 31u);
  EXPECT_EQ(Counts({even, odd}, u"discount travel insurance plus!"), (std::vector<int>{1, 0}));
}

TEST(KeywordScanner, WindowSharedByTwoCategoriesCountsForTheEarlierOne) {
  const std::u16string longer = u"discount travel insurance quotes";
  const std::u16string prefix = longer.substr(0, 31);
  EXPECT_EQ(Counts({longer, prefix}, prefix), (std::vector<int>{1, 0}));
  EXPECT_EQ(Counts({prefix, longer}, prefix), (std::vector<int>{1, 0}));
  EXPECT_EQ(Counts({u"cars", u"cars"}, u"cars"), (std::vector<int>{1, 0}));
}

TEST(KeywordScanner, LabelThatIsAPrefixOfAnotherCountsSeparately) {
  EXPECT_EQ(Counts({u"car", u"cars"}, u"cars car"), (std::vector<int>{2, 1}));
}

TEST(KeywordScanner, EmptyLabelsNeverMatch) {
  const KeywordScanner scanner({u"", u""}, {u""});
  EXPECT_EQ(scanner.LongestKeyword(), 0);
  const PageScanResult result = scanner.ScanPage(u"anything");
  EXPECT_EQ(result.counts, (std::vector<int>{0, 0}));
  EXPECT_EQ(result.chosen, 1);
  EXPECT_FALSE(result.blocked);
}

TEST(KeywordScanner, LongestKeywordCountsBlockedTerms) {
  EXPECT_EQ(KeywordScanner({u"ab"}, {u"abcdef"}).LongestKeyword(), 6);
}

TEST(KeywordScanner, TextEndsAtItsFirstNul) {
  EXPECT_EQ(Counts({u"cars"}, std::u16string(u"cars\0cars", 9)), std::vector<int>{1});
}

TEST(KeywordScanner, QuestionMarkInALabelMatchesCharactersOutsideTheCodePage) {
  EXPECT_EQ(Counts({u"a?b"}, u"a\u4E2Db a\U0001F600b a?b a\u00E9b"), std::vector<int>{3});
}

TEST(KeywordScanner, SurrogatePairReadsAsOneCharacterBesideABlockedTerm) {
  struct Case {
    std::u16string_view page;
    bool blocked;
  };
  const Case cases[] = {
      {u" a\U0001F600b", true},          {u"xa\U0001F600b", false},
      {u"a\U0001F600bx", false},         {u"a\U0001F600b\U0001F600", true},
      {u"\U0001F600a\U0001F600b", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Blocks(u"a?b", c.page), c.blocked) << c.page.size();
  }
  EXPECT_TRUE(Blocks(u"abc", u"\U0001F600abc\U0001F600"));
}

TEST(KeywordScanner, LoneSurrogatesReadAsOneQuestionMarkEach) {
  const std::u16string loneHigh = {u'a', 0xD83D, u'b'};
  const std::u16string loneLow = {u'a', 0xDE00, u'b'};
  const std::u16string highThenPair = {u'a', 0xD83D, 0xD83D, 0xDE00, u'b'};
  EXPECT_EQ(Counts({u"a?b", u"a??b"}, loneHigh + u" " + loneLow + u" " + highThenPair),
            (std::vector<int>{2, 1}));
}

TEST(KeywordScanner, LongRunOfSurrogatePairsCountsEveryWindow) {
  std::u16string page;
  for (int pair = 0; pair < 400; ++pair) page += u"\U0001F600";
  EXPECT_EQ(Counts({std::u16string(30, u'?')}, page), std::vector<int>{371});
}

TEST(KeywordScanner, DeepStatesGiveTheSameCountsAsDenseOnes) {
  const Keywords labels = {u"insurance", u"surance quote", u"ance", u"quotes"};
  const std::u16string page = u"insurance quotes; travel insurance quote";
  const PageScanResult dense = KeywordScanner(labels, {u"quote"}).ScanPage(page);
  const PageScanResult deep = KeywordScanner(labels, {u"quote"}, 0).ScanPage(page);
  EXPECT_EQ(dense.counts, (std::vector<int>{2, 2, 2, 1}));
  EXPECT_EQ(deep.counts, dense.counts);
  EXPECT_TRUE(deep.blocked);
}

}  // namespace
}  // namespace session
