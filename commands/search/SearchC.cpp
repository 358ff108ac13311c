#include "commands/search/SearchC.h"

#include <algorithm>
#include <vector>

#include "commands/search/SearchEngines.h"
#include "commands/search/SearchHistoryFile.h"
#include "commands/search/SearchTerm.h"
#include "platform/trace/Contain.h"

namespace commands {

SearchC::SearchC(session::ContextC& context) : CommandC(kSearchCommand), context_(context) {
  SetEnabled(true);
  SetText(kSearchPlaceholder);
  platform::Contain("SearchC::LoadHistory", 0, [&] {
    for (const std::string& entry : LoadSearchHistory(SearchHistoryPath())) InsertItem(entry);
    return 0;
  });
}

SearchC::~SearchC() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  platform::Contain("SearchC::SaveHistory", 0, [&] {
    (void)SaveSearchHistory(SearchHistoryPath(), Items());
    return 0;
  });
}

void SearchC::Execute(framework::ControlI*) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  platform::Contain("SearchC::Execute", 0, [&] {
    framework::CommandI* box = context_.FindCommand(kSearchCommand);
    if (box == nullptr) return 0;
    const std::string text = box->Text();
    if (!text.empty()) Apply(text);
    return 0;
  });
}

void SearchC::Apply(std::string_view term) {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  platform::Contain("SearchC::Apply", 0, [&] {
    const SearchEngine* engine = FindSearchEngine(context_.SearchEngineId());
    if (engine == nullptr) return 0;
    if (term.empty() || term == kSearchPlaceholder) {
      context_.Navigate2(SearchEngineHomePage(*engine), false);
      return 0;
    }
    const std::string page = SearchEngineResultsPage(*engine, term);
    Record(std::string(term));
    context_.Navigate2(page, false);
    return 0;
  });
}

void SearchC::Record(const std::string& term) {
  const std::vector<std::string>& history = Items();
  if (history.size() >= kSearchHistoryLimit) return;
  // Byte for byte: "Java" and "java" are two entries.
  const auto known = std::find(history.begin(), history.end(), term);
  if (known != history.end()) return;
  InsertItem(term);
  // The box rebuilds its drop-down on this notice.
  SetSelectedIndex(static_cast<int>(Items().size()) - 1);
}

}  // namespace commands
