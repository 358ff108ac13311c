// A browser window with the toolbar of a layout in its rebar, for the tools
// that drive a page through the toolbar (the page subcommand, the demo):
// the stand-in browser, the toolband built by a tab context that knows the
// browser (so the built-in commands act on its pages), and a log of the
// browser's events from before the first navigation.
//
// Lives on the browser window's thread.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "framework/context/StandaloneTabContextC.h"
#include "platform/browser/BrowserObject.h"
#include "platform/com/ComPtr.h"
#include "tools/inspect/BrowserEventLog.h"
#include "tools/inspect/StandInRebar.h"

namespace tools {

class BrowserWithToolbar {
 public:
  explicit BrowserWithToolbar(std::string layoutLocation);
  // The browser quits, as when its window closes.
  ~BrowserWithToolbar();
  BrowserWithToolbar(const BrowserWithToolbar&) = delete;
  BrowserWithToolbar& operator=(const BrowserWithToolbar&) = delete;

  // Null when the layout gave no toolbar.
  framework::ToolBandC* ToolBand() const { return context_.ToolBand(); }
  framework::StandaloneTabContextC& Context() { return context_; }
  platform::BrowserObject& Browser() const { return *browser_.Get(); }
  const BrowserEventLog& Events() const { return events_; }

  // Navigates the top browser; returns after the page and its frames loaded.
  HRESULT Navigate(std::u16string_view url);

 private:
  platform::ComPtr<platform::BrowserObject> browser_;
  StandInRebar rebar_;
  BrowserEventLog events_;
  framework::StandaloneTabContextC context_;
};

}  // namespace tools
