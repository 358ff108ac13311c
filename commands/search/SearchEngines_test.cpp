#include "commands/search/SearchEngines.h"

#include <gtest/gtest.h>

#include "session/testing/SessionTestSupport.h"
#include "soap/ServiceConfig.h"

namespace commands {
namespace {

using Env = session::testing::ScopedEnvironment;

TEST(SearchEngines, EachEngineHasItsHomeAndItsResultsAddress) {
  Env msn{"VIMARU_SEARCH_MSN", "http://msn.test"};
  Env ask{"VIMARU_SEARCH_ASK", "http://ask.test"};
  Env google{"VIMARU_SEARCH_GOOGLE", "http://google.test"};
  Env lycos{"VIMARU_SEARCH_LYCOS", "http://lycos.test"};
  Env yahoo{"VIMARU_SEARCH_YAHOO", "http://yahoo.test"};
  struct Case {
    int id;
    const char* home;
    const char* results;
  };
  const Case cases[] = {
      {1, "http://msn.test", "http://msn.test/results.aspx?q=AT%26T+labs"},
      {3, "http://ask.test", "http://ask.test/web?q=AT%26T+labs"},
      {5, "http://google.test", "http://google.test/search?q=AT%26T+labs"},
      {6, "http://lycos.test", "http://lycos.test/?query=AT%26T+labs&x=0&y=0"},
      {7, "http://yahoo.test", "http://yahoo.test/search?p=AT%26T+labs"},
  };
  for (const Case& item : cases) {
    const SearchEngine* engine = FindSearchEngine(item.id);
    ASSERT_NE(engine, nullptr) << item.id;
    EXPECT_EQ(SearchEngineHomePage(*engine), item.home);
    EXPECT_EQ(SearchEngineResultsPage(*engine, "AT&T labs"), item.results);
  }
}

TEST(SearchEngines, IdsNoEngineHasFindNothing) {
  for (const int id : {0, 2, 4, 8, -1}) EXPECT_EQ(FindSearchEngine(id), nullptr) << id;
}

TEST(SearchEngines, WithoutOverridesTheBuiltOriginsAreUsed) {
  Env msn{"VIMARU_SEARCH_MSN", ""};
  EXPECT_EQ(SearchEngineHomePage(*FindSearchEngine(kMsnLiveEngine)), soap::kBuiltInMsnSearch);
}

}  // namespace
}  // namespace commands
