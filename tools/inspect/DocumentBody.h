// What the body of the document a browser shows holds, as its markup
// (innerHTML) or as the text a reader sees (innerText), read through the
// browser's own interfaces: for the tools, tests and benchmarks that look at
// a sidebar's or a page's content. Empty when the browser has no document
// or body.
#pragma once

#include <string>

#include "platform/browser/WebBrowser.h"

namespace tools {

enum class BodyContent { kMarkup, kText };

std::u16string DocumentBody(IWebBrowser2* browser, BodyContent content);

}  // namespace tools
