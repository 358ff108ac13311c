// A browser window with the toolbar of a layout, for the tools that drive a
// page through the toolbar (the page subcommand, the demo). The toolbar is
// hosted as the browser hosts it: a hook object of the framework, sited in
// the browser window's rebar, whose tab context builds the toolband and
// knows the browser (so the built-in commands act on its pages). A log of
// the browser's events runs from before the first navigation.
//
// Lives on the browser window's thread.
#pragma once

#include <string>
#include <string_view>

#include "framework/context/ToolBandContextC.h"
#include "platform/browser/BrowserFrame.h"
#include "platform/com/ComPtr.h"
#include "tools/inspect/BrowserEventLog.h"

namespace tools {

// The class id the tools' toolbar band carries in the rebar.
extern const CLSID kToolToolbarClassId;

class ToolToolbarHook;

class BrowserWithToolbar {
 public:
  explicit BrowserWithToolbar(std::string layoutLocation);
  // The browser quits, as when its window closes: the toolbar hears OnQuit
  // and its band is closed.
  ~BrowserWithToolbar();
  BrowserWithToolbar(const BrowserWithToolbar&) = delete;
  BrowserWithToolbar& operator=(const BrowserWithToolbar&) = delete;

  // Null when the layout gave no toolbar (the browser then shows none).
  framework::ToolBandC* ToolBand() const;
  // Null when the layout gave no toolbar.
  framework::ToolBandContextC* Context() const;
  platform::BrowserObject& Browser() { return frame_.Browser(); }
  const BrowserEventLog& Events() const { return events_; }

  // Navigates the top browser; returns after the page and its frames loaded.
  HRESULT Navigate(std::u16string_view url);
  // Whether the toolbar's rebar band starts a row of its own.
  bool ToolbarHasOwnRow() const;

 private:
  platform::BrowserFrame frame_;
  BrowserEventLog events_;
  platform::ComPtr<ToolToolbarHook> hook_;
  bool hosted_ = false;
};

}  // namespace tools
