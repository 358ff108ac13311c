// One blocking HTTP(S) request with libcurl, for pages the browser loads:
// redirects followed (at most 10), connect and total time-outs of 10 s, only
// the http and https protocols, the process's user agent.
#pragma once

#include "platform/browser/PageSource.h"

namespace platform::browser {

PageContent FetchHttp(const PageRequest& request);

}  // namespace platform::browser
