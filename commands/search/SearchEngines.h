// The web search engines of the "Search" menu, by the engine id a tab keeps
// (ContextC::SearchEngineId; 1 in a new tab). Each engine's origin is the
// build's setting or its run-time override (soap/ServiceConfig.h).
#pragma once

#include <string>
#include <string_view>

namespace commands {

inline constexpr int kMsnLiveEngine = 1;
inline constexpr int kAskEngine = 3;
inline constexpr int kGoogleEngine = 5;
inline constexpr int kLycosEngine = 6;
inline constexpr int kYahooEngine = 7;

struct SearchEngine {
  int id;
  const char* originVariable;
  const char* builtInOrigin;
  const char* queryStart;  // the path and query before the term
  const char* queryEnd;    // what follows the term
};

// Null for an id no engine has.
const SearchEngine* FindSearchEngine(int id);

// The engine's home page: its origin alone.
std::string SearchEngineHomePage(const SearchEngine& engine);

// The engine's results for `ansiTerm` (not empty), encoded as
// EncodeSearchTerm does.
std::string SearchEngineResultsPage(const SearchEngine& engine, std::string_view ansiTerm);

}  // namespace commands
