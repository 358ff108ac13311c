// The browser half of the demo: a sample page of the reference web site
// (with a frame) opened in the stand-in browser, with a demo toolbar hosted
// in its rebar through the framework's hook, as the browser hosts toolbars.
// A word is typed into the toolbar's text box as a user types it, and the
// buttons that use it through "##Demo.SearchText##" are clicked: find next
// (twice, so the match moves on), highlight on and off, a script run in
// every frame, and an HTML dialog. Prints what the browser and the page
// went through at each step.
#pragma once

#include <ostream>

#include "tools/refservice/ReferenceService.h"

namespace demo {

// Returns false when the demo toolbar could not be built or the page not opened.
bool PlayBrowserTour(std::ostream& out, const refservice::ReferenceService& service);

}  // namespace demo
