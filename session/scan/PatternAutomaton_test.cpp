#include "session/scan/PatternAutomaton.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace session {
namespace {

using State = PatternAutomaton::State;

// Room for no row but the root's, and room for every row.
constexpr std::size_t kRootRowOnly = 0;
constexpr std::size_t kEveryRow = std::size_t{64} << 20;

std::set<std::u16string> DistinctPrefixes(const std::vector<std::u16string_view>& strings) {
  std::set<std::u16string> prefixes;
  for (std::u16string_view string : strings) {
    for (std::size_t length = 1; length <= string.size(); ++length) {
      prefixes.emplace(string.substr(0, length));
    }
  }
  return prefixes;
}

// The longest suffix of `read` that is a prefix of one of the strings.
std::u16string LongestKnownSuffix(std::u16string_view read, const std::set<std::u16string>& known) {
  for (std::size_t start = 0; start < read.size(); ++start) {
    if (known.count(std::u16string(read.substr(start))) == 1)
      return std::u16string(read.substr(start));
  }
  return u"";
}

TEST(PatternAutomaton, HasOneStatePerDistinctPrefixAndTheRoot) {
  const std::vector<std::u16string_view> strings = {u"he", u"she", u"his", u"hers", u"he", u""};
  const PatternAutomaton automaton(strings, kEveryRow);
  EXPECT_EQ(automaton.StateCount(), DistinctPrefixes(strings).size() + 1);
}

TEST(PatternAutomaton, NumbersStatesBreadthFirst) {
  const std::vector<std::u16string_view> strings = {u"banana", u"bandana", u"nab", u"an", u"a"};
  const PatternAutomaton automaton(strings, kEveryRow);
  std::vector<std::size_t> depth(automaton.StateCount(), 0);
  for (const std::u16string& prefix : DistinctPrefixes(strings)) {
    depth[automaton.StateOf(prefix)] = prefix.size();
  }
  for (State state = 1; state < automaton.StateCount(); ++state) {
    EXPECT_LE(depth[state - 1], depth[state]);
    EXPECT_LT(automaton.Failure(state), state);
  }
  EXPECT_EQ(automaton.Failure(automaton.StateOf(u"bana")), automaton.StateOf(u"na"));
  EXPECT_EQ(automaton.Failure(automaton.StateOf(u"banan")), automaton.StateOf(u"an"));
  EXPECT_EQ(automaton.Failure(automaton.StateOf(u"na")), automaton.StateOf(u"a"));
  EXPECT_EQ(automaton.Failure(automaton.StateOf(u"nab")), automaton.StateOf(u"b"));
}

TEST(PatternAutomaton, StepsToTheLongestSuffixThatIsAPrefix) {
  std::mt19937 random(99);
  const std::u16string alphabet = u"abc?";
  for (int round = 0; round < 60; ++round) {
    std::vector<std::u16string> owned(1 + random() % 12);
    for (std::u16string& string : owned) {
      string.resize(1 + random() % 7);
      for (char16_t& unit : string) unit = alphabet[random() % 3];
    }
    const std::vector<std::u16string_view> strings(owned.begin(), owned.end());
    const std::set<std::u16string> known = DistinctPrefixes(strings);
    std::u16string text(80, u'a');
    for (char16_t& unit : text) unit = alphabet[random() % alphabet.size()];

    for (std::size_t budget : {kRootRowOnly, std::size_t{700}, kEveryRow}) {
      const PatternAutomaton automaton(strings, budget);
      State state = PatternAutomaton::kRoot;
      for (std::size_t end = 1; end <= text.size(); ++end) {
        state = automaton.Next(state, automaton.SymbolOf(text[end - 1]));
        const std::u16string expected = LongestKnownSuffix(text.substr(0, end), known);
        ASSERT_EQ(state, automaton.StateOf(expected))
            << "round " << round << ", budget " << budget << ", end " << end;
      }
    }
  }
}

TEST(PatternAutomaton, UnitsTheStringsDoNotUseLeadBackToTheRoot) {
  const std::vector<std::u16string_view> strings = {u"abc"};
  for (std::size_t budget : {kRootRowOnly, kEveryRow}) {
    const PatternAutomaton automaton(strings, budget);
    EXPECT_EQ(automaton.SymbolOf(u'z'), PatternAutomaton::kOtherUnit);
    const State ab = automaton.StateOf(u"ab");
    EXPECT_EQ(automaton.Next(ab, automaton.SymbolOf(u'z')), PatternAutomaton::kRoot);
  }
}

// '#' stays, and capitals read as their lower-case letters.
const PatternAutomaton::UnitReading& TestReading() {
  static const PatternAutomaton::UnitReading reading = [] {
    PatternAutomaton::UnitReading test = PatternAutomaton::ReadingAsItself();
    for (char16_t capital = u'A'; capital <= u'Z'; ++capital) {
      test.readsAs[capital] = capital - u'A' + u'a';
    }
    test.staysOn = {u'#'};
    return test;
  }();
  return reading;
}

struct MarkedStep {
  State state;
  std::size_t end;
  bool operator<(const MarkedStep& other) const {
    return end != other.end ? end < other.end : state < other.state;
  }
  bool operator==(const MarkedStep&) const = default;
};

TEST(PatternAutomaton, ReadsUnitsAsTheReadingSays) {
  const std::vector<std::u16string_view> strings = {u"abc"};
  for (std::size_t budget : {kRootRowOnly, kEveryRow}) {
    const PatternAutomaton automaton(strings, budget, TestReading());
    State state = PatternAutomaton::kRoot;
    for (char16_t unit : std::u16string_view(u"aB#")) {
      state = automaton.Next(state, automaton.SymbolOf(unit));
    }
    EXPECT_EQ(state, automaton.StateOf(u"ab") | PatternAutomaton::kMarked);
    state = automaton.Next(state, automaton.SymbolOf(u'C'));
    EXPECT_EQ(state, automaton.StateOf(u"abc"));
  }
}

TEST(PatternAutomaton, ScanReportsWhatSteppingOneUnitAtATimeMeets) {
  std::mt19937 random(4711);
  const std::u16string alphabet = u"abAB#";
  for (int round = 0; round < 40; ++round) {
    std::vector<std::u16string> owned(1 + random() % 6);
    for (std::u16string& string : owned) {
      string.resize(1 + random() % 9);
      for (char16_t& unit : string) unit = alphabet[random() % 2];
    }
    const std::vector<std::u16string_view> strings(owned.begin(), owned.end());
    std::u16string text(random() % 400, u'a');
    for (char16_t& unit : text) unit = alphabet[random() % alphabet.size()];

    for (std::size_t budget : {kRootRowOnly, std::size_t{700}, kEveryRow}) {
      PatternAutomaton automaton(strings, budget, TestReading());
      std::vector<bool> marked(automaton.StateCount());
      for (std::u16string_view string : strings) marked[automaton.StateOf(string)] = true;
      automaton.Mark(marked);

      std::vector<MarkedStep> expected;
      State state = PatternAutomaton::kRoot;
      for (std::size_t at = 0; at < text.size(); ++at) {
        state = automaton.Next(state, automaton.SymbolOf(text[at]));
        if ((state & PatternAutomaton::kMarked) != 0) {
          expected.push_back({PatternAutomaton::Unmarked(state), at + 1});
        }
      }
      std::vector<MarkedStep> scanned;
      automaton.Scan(text, [&](State markedState, std::size_t end) {
        scanned.push_back({markedState, end});
        return true;
      });
      std::sort(scanned.begin(), scanned.end());
      ASSERT_EQ(scanned, expected) << "round " << round << ", budget " << budget;
    }
  }
}

TEST(PatternAutomaton, UnitsThatStayDoNotShortenWhatAScanRemembers) {
  const std::vector<std::u16string_view> strings = {u"aaaaaaaa"};
  PatternAutomaton automaton(strings, kEveryRow, TestReading());
  std::vector<bool> marked(automaton.StateCount());
  marked[automaton.StateOf(strings[0])] = true;
  automaton.Mark(marked);
  std::u16string text;
  for (int pair = 0; pair < 300; ++pair) text += u"a#";
  std::size_t matches = 0;
  automaton.Scan(text, [&](State, std::size_t end) {
    if (text[end - 1] == u'a') ++matches;
    return true;
  });
  EXPECT_EQ(matches, 293u);
}

TEST(PatternAutomaton, ScanStopsWhenTheCallerSaysSo) {
  const std::vector<std::u16string_view> strings = {u"a"};
  PatternAutomaton automaton(strings, kEveryRow);
  automaton.Mark({false, true});
  std::size_t calls = 0;
  automaton.Scan(std::u16string(1000, u'a'), [&](State, std::size_t) {
    ++calls;
    return false;
  });
  EXPECT_GE(calls, 1u);
  EXPECT_LT(calls, 10u);
}

TEST(PatternAutomaton, RefusesMoreThan255DistinctUnits) {
  std::u16string wide;
  for (char16_t unit = 1; unit <= 256; ++unit) wide.push_back(unit);
  const std::vector<std::u16string_view> tooMany = {wide};
  EXPECT_THROW(PatternAutomaton(tooMany, kEveryRow), std::invalid_argument);
  const std::vector<std::u16string_view> enough = {std::u16string_view(wide).substr(0, 255)};
  EXPECT_EQ(PatternAutomaton(enough, kEveryRow).StateCount(), 256u);
}

}  // namespace
}  // namespace session
