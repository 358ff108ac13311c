// Base of the built-in commands that follow the page (find, highlight): a
// command with a browser event sink, connected to the tab's browser on the
// first text notice, that hands every browser event to OnBrowserEvent.
#pragma once

#include <string>

#include "framework/command/CommandC.h"
#include "framework/command/WebBrowserEventsC.h"

namespace framework {

class CommandWithEventsC : public CommandC {
 public:
  explicit CommandWithEventsC(std::string name);

  // Slot 20: connects the sink unless it is connected already.
  void OnTextNotice(const std::string& text) override;

  bool IsSinkConnected() const { return sink_.IsConnected(); }

 protected:
  // For commands that must hear page changes even when no text notice came
  // before they acted; does nothing once connected or without a browser.
  void ConnectBrowserEvents();
  // Every event of the browser while the sink is connected; nothing here.
  virtual void OnBrowserEvent(DISPID id);

 private:
  WebBrowserEventsC sink_;
};

}  // namespace framework
