#include "commands/search/ClearSearchHistoryC.h"

#include "commands/search/SearchC.h"
#include "commands/search/SearchHistoryFile.h"
#include "commands/search/SearchTerm.h"
#include "platform/trace/Contain.h"

namespace commands {

ClearSearchHistoryC::ClearSearchHistoryC(session::ContextC& context)
    : CommandC(kClearSearchHistoryCommand), context_(context) {
  SetEnabled(true);
}

void ClearSearchHistoryC::Execute(framework::ControlI*) {
  platform::Contain("ClearSearchHistoryC::Execute", 0, [&] {
    auto* box = dynamic_cast<framework::CommandC*>(context_.FindCommand(kSearchCommand));
    if (box == nullptr) return 0;
    box->SetText(kSearchPlaceholder);
    box->ClearItems();
    // ClearItems tells the box before the items go; tell it again once they
    // have, so its drop-down empties too.
    box->SetSelectedIndex(-1);
    (void)SaveSearchHistory(SearchHistoryPath(), {});
    return 0;
  });
}

}  // namespace commands
