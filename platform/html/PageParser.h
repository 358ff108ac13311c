// Pages and fragments as libxml2's HTML parser reads them (network off,
// errors silenced, recovering from bad markup; nothing external is ever
// loaded), held to a depth that keeps every character of the page.
//
// libxml2 gives up on a document nested deeper than 256 elements and drops
// the rest of it; told not to, it walks its stack of open elements for every
// end tag that matches none of them, so a page of deep nesting and stray end
// tags costs the square of its length. So the parser runs without its own
// bound but is stopped when kMaximumOpenElements elements are open, and
// what follows is parsed afresh and added at the end of the body, as often
// as the page needs: all text stays, in page order, and no element is more
// than kMaximumOpenElements deep. Elements past the bound lose their
// nesting, as browsers also flatten what they will not nest; the content
// of a script or style element open at that moment reads as markup.
//
// Text comes in nodes of at most kMaximumTextPieceBytes, cut between
// characters that are not both blanks, so every run of blanks stays in one
// node and renders as before: an edit in a long text (highlighting each of
// its matches) then copies only the node it changes, not the rest of it.
#pragma once

#include <cstddef>
#include <string_view>

struct _xmlDoc;

namespace platform::html {

inline constexpr int kMaximumOpenElements = 512;
inline constexpr std::size_t kMaximumTextPieceBytes = 1024;

// The parsed page (UTF-8), or null when libxml2 could not read it at all.
// The caller owns the document (xmlFreeDoc).
_xmlDoc* ParseHtml(std::string_view utf8);

}  // namespace platform::html
