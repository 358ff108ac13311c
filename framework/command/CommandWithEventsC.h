// Base of the built-in commands that follow the page (find, highlight): a
// command with a browser event sink, connected to the tab's browser on the
// first text notice.
#pragma once

#include <string>

#include "framework/command/CommandC.h"
#include "framework/command/WebBrowserEventsC.h"

namespace framework {

class CommandWithEventsC : public CommandC {
 public:
  using CommandC::CommandC;

  void OnTextNotice(const std::string& text) override;

  bool IsSinkConnected() const { return sink_.IsConnected(); }

 private:
  WebBrowserEventsC sink_;
};

}  // namespace framework
