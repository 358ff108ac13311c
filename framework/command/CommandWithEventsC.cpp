#include "framework/command/CommandWithEventsC.h"

namespace framework {

void CommandWithEventsC::OnTextNotice(const std::string&) {
  if (!sink_.IsConnected()) sink_.Connect(platform::ComPtr<IWebBrowser2>(Browser()));
}

}  // namespace framework
