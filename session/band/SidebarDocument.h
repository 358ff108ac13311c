// Puts the ads into the sidebar's page. The fragment replaces whatever the
// page's body holds (the waiting text, or the ads before); a page still
// loading has no body yet, and the fragment is then written into the
// document, which makes it the start of the page's source.
#pragma once

#include <string_view>

#include "platform/browser/WebBrowser.h"

namespace session {

// The document's or the body's failure as it came, E_POINTER without a
// control and E_NOINTERFACE when the control shows no HTML document.
HRESULT PutSidebarContent(IWebBrowser2* control, std::u16string_view content);

}  // namespace session
