#include "commands/search/SearchEngines.h"

#include <array>

#include "commands/search/SearchTerm.h"
#include "soap/ServiceConfig.h"

namespace commands {
namespace {

constexpr std::array kSearchEngines = {
    SearchEngine{kMsnLiveEngine, soap::kMsnSearchVariable, soap::kBuiltInMsnSearch,
                 "/results.aspx?q=", ""},
    SearchEngine{kAskEngine, soap::kAskSearchVariable, soap::kBuiltInAskSearch, "/web?q=", ""},
    SearchEngine{kGoogleEngine, soap::kGoogleSearchVariable, soap::kBuiltInGoogleSearch,
                 "/search?q=", ""},
    SearchEngine{kLycosEngine, soap::kLycosSearchVariable, soap::kBuiltInLycosSearch,
                 "/?query=", "&x=0&y=0"},
    SearchEngine{kYahooEngine, soap::kYahooSearchVariable, soap::kBuiltInYahooSearch,
                 "/search?p=", ""},
};

}  // namespace

const SearchEngine* FindSearchEngine(int id) {
  for (const SearchEngine& engine : kSearchEngines) {
    if (engine.id == id) return &engine;
  }
  return nullptr;
}

std::string SearchEngineHomePage(const SearchEngine& engine) {
  return soap::ServiceEndpointOrOverride(engine.originVariable, engine.builtInOrigin);
}

std::string SearchEngineResultsPage(const SearchEngine& engine, std::string_view ansiTerm) {
  return SearchEngineHomePage(engine) + engine.queryStart + EncodeSearchTerm(ansiTerm) +
         engine.queryEnd;
}

}  // namespace commands
