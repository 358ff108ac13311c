// The escapes that let outside text into the sidebar's fragment as nothing
// but characters. The fragment lands in a page of the module's own
// resources, a more trusted zone than any web site, and the ads arrive over
// plain HTTP: text of an ad that became markup or script there would run
// with the page's rights.
#pragma once

#include <string>
#include <string_view>

namespace session {

// For HTML content and for an attribute value in either quote: & < > " '
// become &amp; &lt; &gt; &quot; &#39;. A NUL becomes U+FFFD, as an HTML
// parser reads it, so that a reader that takes the fragment for a
// terminated string does not lose the rest of it.
std::u16string EscapeHtml(std::u16string_view text);

// For a JavaScript string literal in either quote: the backslash, both
// quotes, < and >, the controls (U+0000..U+001F, U+007F) and the line
// separators U+2028 and U+2029 become \uXXXX, so the literal can neither
// end early nor run over a line, and never spells "</script>".
std::u16string EscapeScriptString(std::u16string_view text);

}  // namespace session
