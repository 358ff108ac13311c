// The product's toolbar object: the framework's browser-site hook with the
// product's tab context (ContextC) inside. Navigation starts, completed
// documents and the browser's quitting first hide the tab's ads sidebar;
// every event then goes on to the framework's hook unchanged.
//
// The ads button's page handling lives here too (DocumentComplete): the
// page's body text is scanned by the session, which shows the sidebar and
// asks for the tab's ads. The browser's own DocumentComplete event does not
// run it: a page only gets ads when the user asks for them.
//
// Lives on the browser window's thread.
#pragma once

#include <memory>

#include "framework/hook/ToolBandHookC.h"
#include "platform/com/Guid.h"
#include "platform/module/ModuleLifetime.h"
#include "session/tab/ContextC.h"
#include "session/tab/ProductCommandClass.h"

namespace session {

// The toolbar's class (coclass IEHook); its text is the band class id the
// tab context answers.
inline constexpr CLSID CLSID_IEHook = platform::MakeGuid("736FA7B4-0557-11DB-95BA-00C09F713765");

// Each toolbar keeps the module loaded while it lives.
class HookC final : public framework::ToolBandHookC, platform::ModuleObject {
 public:
  explicit HookC(ProductCommandTable commandClasses) : commandClasses_(commandClasses) {}

  // Scans the page `browser` shows for ads. False when the page holds a
  // blocked term; true otherwise, also when it has no text to scan.
  bool DocumentComplete(IWebBrowser2* browser);

  // The tab's context between SetSite(site) and SetSite(nullptr).
  ContextC* TabContext() const { return static_cast<ContextC*>(Context()); }

 protected:
  std::unique_ptr<framework::ToolBandContextC> CreateContext(platform::ComPtr<IWebBrowser2> browser,
                                                             framework::HostData hostData) override;
  void OnBrowserEvent(DISPID id, DISPPARAMS* params) override;

 private:
  const ProductCommandTable commandClasses_;
};

}  // namespace session
