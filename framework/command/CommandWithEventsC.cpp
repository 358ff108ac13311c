#include "framework/command/CommandWithEventsC.h"

#include <utility>

namespace framework {

// The sink calls back through the virtual so that each command decides what
// a page event means for it; the sink goes with this base, after every
// derived part is gone, and is detached then.
CommandWithEventsC::CommandWithEventsC(std::string name)
    : CommandC(std::move(name)), sink_([this](DISPID id) { OnBrowserEvent(id); }) {}

void CommandWithEventsC::OnTextNotice(const std::string&) { ConnectBrowserEvents(); }

void CommandWithEventsC::ConnectBrowserEvents() { sink_.Connect(Browser()); }

void CommandWithEventsC::OnBrowserEvent(DISPID) {}

}  // namespace framework
