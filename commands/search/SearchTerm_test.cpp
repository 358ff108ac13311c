#include "commands/search/SearchTerm.h"

#include <gtest/gtest.h>

namespace commands {
namespace {

TEST(EncodeSearchTerm, KeepsWhatAQueryValueMayHoldAndEncodesTheRestAsUtf8) {
  struct Case {
    const char* ansi;
    const char* encoded;
  };
  const Case cases[] = {
      {"AT&T", "AT%26T"},          {"c++", "c%2B%2B"},
      {"100%", "100%25"},          {"new york", "new+york"},
      {"  two  ", "++two++"},      {"a-b.c_d~e09AZ", "a-b.c_d~e09AZ"},
      {"q=1#top", "q%3D1%23top"},  {"/?:@!$'()*,;", "%2F%3F%3A%40%21%24%27%28%29%2A%2C%3B"},
      {"caf\xE9", "caf%C3%A9"},  // Windows-1252 e acute
      {"\x80", "%E2%82%AC"},     // the euro sign
      {"tab\there", "tab%09here"}, {"", ""},
  };
  for (const Case& item : cases) {
    EXPECT_EQ(EncodeSearchTerm(item.ansi), item.encoded) << item.ansi;
  }
}

}  // namespace
}  // namespace commands
