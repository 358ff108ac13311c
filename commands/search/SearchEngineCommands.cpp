#include "commands/search/SearchEngineCommands.h"

#include "commands/search/SearchBtnC.h"
#include "commands/search/SearchEngines.h"
#include "platform/trace/Contain.h"

namespace commands {

SearchEngineC::SearchEngineC(session::ContextC& context, const char* progId, int engineId)
    : CommandC(progId), context_(context), engineId_(engineId) {
  SetEnabled(true);
}

void SearchEngineC::Execute(framework::ControlI*) {
  platform::Contain("SearchEngineC::Execute", 0, [&] {
    context_.SetSearchEngineId(engineId_);
    // Only a command the tab answers for searches; one made outside the
    // tab's table chooses the engine and stops there.
    if (context_.FindCommand(Name()) == nullptr) return 0;
    auto* button = dynamic_cast<framework::CommandC*>(context_.FindCommand(kSearchButtonCommand));
    if (button != nullptr) button->Execute(nullptr);
    return 0;
  });
}

WebC::WebC(session::ContextC& context) : SearchEngineC(context, kWebCommand, kMsnLiveEngine) {}

YahooC::YahooC(session::ContextC& context) : SearchEngineC(context, kYahooCommand, kYahooEngine) {}

AskC::AskC(session::ContextC& context) : SearchEngineC(context, kAskCommand, kAskEngine) {}

GoogleC::GoogleC(session::ContextC& context)
    : SearchEngineC(context, kGoogleCommand, kGoogleEngine) {}

LycosC::LycosC(session::ContextC& context) : SearchEngineC(context, kLycosCommand, kLycosEngine) {}

}  // namespace commands
