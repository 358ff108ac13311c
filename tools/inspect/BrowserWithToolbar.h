// A browser window with the toolbar of a layout, for the tools that drive a
// page through the toolbar (the page and toolbar subcommands, the demo). The
// toolbar is hosted as the browser hosts it: a hook object sited in the
// browser window's rebar, whose tab context builds the toolband and knows
// the browser (so the built-in commands act on its pages). The shipped
// layout is hosted by the product's own toolbar object with its tab context
// and every product command; any other layout by the framework's hook with
// the built-in commands alone. A log of the browser's events runs from
// before the first navigation.
//
// Lives on the browser window's thread.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "framework/context/ToolBandContextC.h"
#include "framework/hook/ToolBandHookC.h"
#include "platform/browser/BrowserFrame.h"
#include "platform/com/ComInit.h"
#include "platform/com/ComPtr.h"
#include "tools/inspect/BrowserEventLog.h"
#include "tools/inspect/ProductClasses.h"

namespace tools {

// The class id the tools' toolbar band carries in the rebar.
extern const CLSID kToolToolbarClassId;

// Where the product's tab finds its layout: the module's own resource.
std::string ShippedLayoutLocation();

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
  // The product's bands are created on this thread, which the browser makes
  // a COM apartment; the product's classes outlive the browser so that the
  // workers its toolbar started are waited for after it closed.
  platform::ScopedComInit com_;
  std::optional<ProductClasses> product_;
  platform::BrowserFrame frame_;
  BrowserEventLog events_;
  platform::ComPtr<framework::ToolBandHookC> hook_;
  CLSID toolbarClassId_;
  bool hosted_ = false;
};

}  // namespace tools
