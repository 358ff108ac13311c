#include "soap/runtime/WideTextBuilder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text/CodePage.h"

namespace soap {
namespace {

struct TextCase {
  const char* name;
  std::vector<std::string> pieces;
};

// Every piece pattern must give what the full decoder makes of the joined
// text, whatever mix of ASCII and other text and wherever the pieces split.
TEST(WideTextBuilder, GivesWhatTheFullDecoderGivesForTheWholeText) {
  std::vector<TextCase> cases = {
      {"no pieces", {}},
      {"one empty piece", {""}},
      {"ASCII then other", {"caf", "\xC3\xA9", " au lait"}},
      {"other first", {"\xC3\xA9t\xC3\xA9", "abc"}},
      {"sequence split across pieces", {"x\xE2", "\x82", "\xAC", "y"}},
      {"four-byte sequence", {"a\xF0\x9F\x98\x80", "b"}},
      {"invalid byte", {"abc\xFF", "def"}},
      {"non-ASCII at the end of a long block", {std::string(31, 'a') + "\xC3\xA9"}},
      {"non-ASCII at the start of a long block", {"\xC3\xA9" + std::string(40, 'b')}},
      {"growth past the first buffer", {std::string(300, 'g'), std::string(5000, 'h'), "end"}},
  };
  // Every length through the block sizes, once all ASCII and once with one
  // byte that is not, at each position.
  for (std::size_t length = 1; length <= 40; ++length) {
    std::string ascii;
    for (std::size_t i = 0; i < length; ++i) ascii.push_back(static_cast<char>('!' + i % 90));
    cases.push_back({"ASCII of one length", {ascii}});
    for (std::size_t at = 0; at < length; ++at) {
      std::string mixed = ascii;
      mixed[at] = '\x80';
      cases.push_back({"one byte that is not ASCII", {mixed}});
    }
  }
  WideTextBuilder builder;
  for (const TextCase& c : cases) {
    std::string joined;
    builder.Clear();
    for (const std::string& piece : c.pieces) {
      ASSERT_TRUE(builder.Characters(piece)) << c.name;
      joined += piece;
    }
    SoapString result;
    builder.AssignTo(result);
    ASSERT_TRUE(result.has_value()) << c.name;  // present, even when empty
    EXPECT_EQ(*result, platform::Utf8ToWide(joined)) << c.name << ": " << joined;
  }
}

TEST(WideTextBuilder, RefusesTextBeyondTheLimitInBytes) {
  WideTextBuilder builder(4);
  EXPECT_TRUE(builder.Characters("ab"));
  EXPECT_TRUE(builder.Characters("cd"));
  EXPECT_FALSE(builder.Characters("e"));
  builder.Clear();
  EXPECT_TRUE(builder.Characters("\xC3\xA9"));  // one unit, but two of the four bytes
  EXPECT_TRUE(builder.Characters("\xC3\xA9"));
  EXPECT_FALSE(builder.Characters("x"));
  builder.Clear();
  EXPECT_FALSE(builder.Characters("abcde"));
}

TEST(WideTextBuilder, StartsAfreshAfterClear) {
  WideTextBuilder builder;
  ASSERT_TRUE(builder.Characters("\xC3\xA9l\xC3\xA8ve"));
  builder.Clear();
  ASSERT_TRUE(builder.Characters("plain"));
  SoapString result;
  builder.AssignTo(result);
  EXPECT_EQ(result, u"plain");
}

}  // namespace
}  // namespace soap
