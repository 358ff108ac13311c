// What the web-browser control draws of its page when its host window is
// asked to print itself (WM_PRINTCLIENT), so pictures of a window that hosts
// a page show the page. Only what small fixed pages (a dialog's) use is
// drawn, from the elements' inline styles: the body's background colour and
// its solid border, and the text of every absolutely placed element at its
// left and top, in its colour. Colours are #rrggbb, "white" or "black".
//
// Lives on the browser window's thread, like the document.
#pragma once

#include "platform/html/HtmlDocument.h"
#include "platform/ui/Gdi.h"

namespace platform {

void PaintPage(html::HtmlDocument& document, HDC dc, const RECT& client);

}  // namespace platform
