// The browser's automation interface, as the toolbar holds it, and the
// event interface the browser raises (DWebBrowserEvents2, dispatch ids in
// platform/automation/WebBrowserEventIds.h). Interface ids are the real
// ones; the members are the ones the product calls (the real interface has
// many more). The stand-in browser (BrowserObject.h) implements them.
#pragma once

#include "platform/automation/Dispatch.h"
#include "platform/ui/WinTypes.h"

#if defined(_WIN32)
#include <exdisp.h>
#include <ocidl.h>

template <>
struct platform::BaseInterfaceOf<DWebBrowserEvents2> {
  using Type = IDispatch;
};
#else
#include "platform/browser/WebBrowser_linux.h"
#endif
