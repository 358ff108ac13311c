#include "commands/search/SearchBtnC.h"

#include "commands/search/SearchC.h"
#include "platform/trace/Contain.h"

namespace commands {

SearchBtnC::SearchBtnC(session::ContextC& context)
    : CommandC(kSearchButtonCommand), context_(context) {
  SetEnabled(true);
}

void SearchBtnC::Execute(framework::ControlI*) {
  platform::Contain("SearchBtnC::Execute", 0, [&] {
    auto* box = dynamic_cast<SearchC*>(context_.FindCommand(kSearchCommand));
    if (box != nullptr) box->Apply(box->Text());
    return 0;
  });
}

}  // namespace commands
