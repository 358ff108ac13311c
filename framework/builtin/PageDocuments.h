// Reaching the documents of the page a browser shows: its own document, the
// topmost document of the window it lives in, and the documents of a
// document's frames (through the frames' own browsers, as toolbars walk
// frames on Windows).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/com/ComPtr.h"
#include "platform/html/HtmlInterfaces.h"

struct IWebBrowser2;

namespace framework {

platform::ComPtr<IHTMLDocument2> BrowserDocument(IWebBrowser2* browser);
// The document of the window's top; the document itself when it has no
// window to climb.
platform::ComPtr<IHTMLDocument2> TopDocument(IHTMLDocument2* document);
// The documents of the frames embedded in `document`, in enumeration order.
std::vector<platform::ComPtr<IHTMLDocument2>> FrameDocuments(IHTMLDocument2* document);
// `document` and every document of its frames, depth first: each frame's
// documents (its own frames first, in enumeration order) come before the
// document that holds them, so `document` itself is last. The order in
// which commands visit a page made of frames.
std::vector<platform::ComPtr<IHTMLDocument2>> DocumentsDepthFirst(IHTMLDocument2* document);
// A range over the whole text of the document's body; null without a body.
// From the range collapsed to either end, findText with a count of
// kWholeBody (forwards) or -kWholeBody (backwards) searches the rest of the
// body.
inline constexpr LONG kWholeBody = 0x3FFFFFFF;
platform::ComPtr<IHTMLTxtRange> BodyRange(IHTMLDocument2* document);

// Commands keep their texts as UTF-8; the page's interfaces are wide.
std::u16string Wide(std::string_view utf8);

}  // namespace framework
