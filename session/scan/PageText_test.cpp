#include "session/scan/PageText.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "platform/text/CodePage.h"

namespace session {
namespace {

std::u16string PlatformRoundTrip(std::u16string_view text) {
  return platform::AnsiToWide(platform::AnsiToLower(platform::WideToAnsi(text)));
}

TEST(PreparePageText, EveryUnitAloneMatchesThePlatformRoundTrip) {
  for (int unit = 1; unit < 0x10000; ++unit) {
    const std::u16string text(1, static_cast<char16_t>(unit));
    ASSERT_EQ(PreparePageText(text), PlatformRoundTrip(text)) << "unit " << unit;
  }
}

TEST(LowerThroughAnsi, EveryUnitMatchesThePlatformRoundTrip) {
  EXPECT_EQ(LowerThroughAnsi(0), 0);
  for (int unit = 1; unit < 0x10000; ++unit) {
    const std::u16string text(1, static_cast<char16_t>(unit));
    ASSERT_EQ(std::u16string(1, LowerThroughAnsi(text[0])), PlatformRoundTrip(text))
        << "unit " << unit;
  }
}

TEST(PreparePageText, LowersCapitalsOfTheCodePage) {
  EXPECT_EQ(PreparePageText(u"Cheap \u00C0\u00DE\u00D7 \u0160\u0178 \u00DF"),
            u"cheap \u00E0\u00FE\u00D7 \u0161\u00FF \u00DF");
}

TEST(PreparePageText, EndsAtTheFirstNul) {
  EXPECT_EQ(PreparePageText(std::u16string(u"ab\0CD", 5)), u"ab");
  EXPECT_EQ(PreparePageText(std::u16string(u"\0ab", 3)), u"");
}

TEST(PreparePageText, SurrogatePairBecomesOneQuestionMark) {
  EXPECT_EQ(PreparePageText(u"a\U0001F600b"), u"a?b");
  EXPECT_EQ(PreparePageText(u"\U0001F600\U0001F600"), u"??");
}

TEST(PreparePageText, LoneOrReversedSurrogatesEachBecomeAQuestionMark) {
  const std::u16string lone = {u'a', 0xD800};
  EXPECT_EQ(PreparePageText(lone), u"a?");
  const std::u16string reversed = {0xDE00, 0xD83D, u'x'};
  EXPECT_EQ(PreparePageText(reversed), u"??x");
}

TEST(PreparePageText, MixedTextMatchesThePlatformRoundTrip) {
  // Pairs, halves of pairs, NULs and Latin-1 capitals next to one another.
  const char16_t units[] = {u'a',   u'Z',   0x00C0, 0x00DE, 0x00E9, 0x20AC, 0x0160, 0x4E2D,
                            0xD83D, 0xDE00, 0xDBFF, 0xDC00, 0xFFFF, u'?',   0x0000};
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    std::u16string text(random() % 40, u'x');
    for (char16_t& unit : text) unit = units[random() % std::size(units)];
    const std::u16string_view cString = std::u16string_view(text).substr(0, text.find(u'\0'));
    ASSERT_EQ(PreparePageText(text), PlatformRoundTrip(cString)) << "round " << round;
  }
}

TEST(CanOccurInPreparedText, IsExactlyWhatPreparedTextsHold) {
  std::set<char16_t> produced;
  for (int unit = 1; unit < 0x10000; ++unit) {
    const std::u16string prepared = PreparePageText(std::u16string(1, static_cast<char16_t>(unit)));
    produced.insert(prepared.begin(), prepared.end());
  }
  for (int unit = 0; unit < 0x10000; ++unit) {
    ASSERT_EQ(CanOccurInPreparedText(static_cast<char16_t>(unit)),
              produced.count(static_cast<char16_t>(unit)) == 1)
        << "unit " << unit;
  }
}

TEST(CanOccurInPreparedText, KnownUnits) {
  EXPECT_TRUE(CanOccurInPreparedText(u'a'));
  EXPECT_TRUE(CanOccurInPreparedText(u'?'));
  EXPECT_TRUE(CanOccurInPreparedText(0x00E0));
  EXPECT_TRUE(CanOccurInPreparedText(0x20AC));
  EXPECT_FALSE(CanOccurInPreparedText(u'A'));
  EXPECT_FALSE(CanOccurInPreparedText(0x00C0));
  EXPECT_FALSE(CanOccurInPreparedText(0x0160));
  EXPECT_FALSE(CanOccurInPreparedText(0x4E2D));
  EXPECT_FALSE(CanOccurInPreparedText(0x0000));
}

}  // namespace
}  // namespace session
