#include "platform/browser/UrlMon.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/browser/UserAgent.h"

namespace {

// Restores the default user agent whatever the test set.
class UrlMonSessionOption : public ::testing::Test {
 protected:
  void TearDown() override { platform::SetUserAgent(platform::kDefaultUserAgent); }
};

TEST_F(UrlMonSessionOption, AnswersTheSizeFirstThenTheTextInABufferOneByteLonger) {
  platform::SetUserAgent("Agent/2.5 (test)");
  DWORD size = 12345;
  ASSERT_EQ(UrlMkGetSessionOption(URLMON_OPTION_USERAGENT, nullptr, 0, &size, 0), E_OUTOFMEMORY);
  ASSERT_EQ(size, 16u);

  std::string buffer(size + 1, 'x');
  DWORD written = 0;
  ASSERT_EQ(UrlMkGetSessionOption(URLMON_OPTION_USERAGENT, buffer.data(), size + 1, &written, 0),
            S_OK);
  EXPECT_EQ(buffer, std::string("Agent/2.5 (test)") + '\0');
  EXPECT_EQ(written, 17u);
}

TEST_F(UrlMonSessionOption, ABufferJustTheStringsLengthIsTooShortAndLeftUntouched) {
  platform::SetUserAgent("Agent/2.5");
  std::string buffer(9, 'x');  // no room for the terminator
  DWORD size = 0;
  EXPECT_EQ(UrlMkGetSessionOption(URLMON_OPTION_USERAGENT, buffer.data(), 9, &size, 0),
            E_OUTOFMEMORY);
  EXPECT_EQ(size, 9u);
  EXPECT_EQ(buffer, std::string(9, 'x'));
}

TEST_F(UrlMonSessionOption, AnEmptyUserAgentNeedsOneByte) {
  platform::SetUserAgent("");
  DWORD size = 7;
  ASSERT_EQ(UrlMkGetSessionOption(URLMON_OPTION_USERAGENT, nullptr, 0, &size, 0), E_OUTOFMEMORY);
  EXPECT_EQ(size, 0u);
  char terminator = 'x';
  ASSERT_EQ(UrlMkGetSessionOption(URLMON_OPTION_USERAGENT, &terminator, 1, &size, 0), S_OK);
  EXPECT_EQ(terminator, '\0');
}

TEST_F(UrlMonSessionOption, OtherOptionsAndAMissingLengthAreRefused) {
  DWORD size = 0;
  EXPECT_EQ(UrlMkGetSessionOption(0x1234, nullptr, 0, &size, 0), E_INVALIDARG);
  EXPECT_EQ(UrlMkGetSessionOption(URLMON_OPTION_USERAGENT, nullptr, 0, nullptr, 0), E_POINTER);
}

}  // namespace
