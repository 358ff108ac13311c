#include "soap/connector/StatisticsText.h"

#include <gtest/gtest.h>

#include <climits>

#include "soap/connector/CrtNumbers.h"

namespace soap {
namespace {

TEST(StatisticsText, ReadsFourFieldsTheWayAtofAndAtoiDo) {
  const struct {
    std::u16string_view text;
    double money;
    int mailCount;
    int friends;
    int mailFlag;
  } kCases[] = {
      {u"12.5,3,7,1", 12.5, 3, 7, 1},
      {u"0,0,0,0", 0, 0, 0, 0},
      {u" 1.25e1 , +4,-2 ,1", 12.5, 4, -2, 1},
      {u"n/a,x,7abc,yes", 0, 0, 7, 0},
      {u",,,", 0, 0, 0, 0},
      {u"3.5,1,2,1,99", 3.5, 1, 2, 1},  // the rest after the third comma is the flag's text
      {u"1,2,3,99999999999", 1, 2, 3, INT_MAX},
  };
  for (const auto& test : kCases) {
    SCOPED_TRACE(std::string(test.text.begin(), test.text.end()));
    const std::optional<MemberTotals> totals = ParseStatisticsText(test.text);
    ASSERT_TRUE(totals.has_value());
    EXPECT_EQ(totals->valid, 1);
    EXPECT_DOUBLE_EQ(totals->money, test.money);
    EXPECT_EQ(totals->mailCount, test.mailCount);
    EXPECT_EQ(totals->friends, test.friends);
    EXPECT_EQ(totals->mailFlag, test.mailFlag);
  }
}

TEST(StatisticsText, FewerThanFourFieldsIsNoTotals) {
  for (const std::u16string_view text : {u"", u"12.5", u"12.5,3", u"12.5,3,7", u"unknown member"}) {
    EXPECT_FALSE(ParseStatisticsText(text).has_value());
  }
}

TEST(CrtNumbers, AtoiReadsThePrefixAndSaturates) {
  const struct {
    std::u16string_view text;
    int value;
  } kCases[] = {
      {u"60", 60},
      {u"  5", 5},
      {u"\t-7x", -7},
      {u"+3", 3},
      {u"", 0},
      {u"abc", 0},
      {u"- 1", 0},
      {u"12\u00E934", 12},
      {u"2147483647", INT_MAX},
      {u"2147483648", INT_MAX},
      {u"-2147483649", INT_MIN},
  };
  for (const auto& test : kCases) EXPECT_EQ(AtoiText(test.text), test.value);
  EXPECT_DOUBLE_EQ(AtofText(u" 2.5abc"), 2.5);
  EXPECT_DOUBLE_EQ(AtofText(u"x"), 0);
}

}  // namespace
}  // namespace soap
