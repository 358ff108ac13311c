// The escapes that let outside text into HTML and script as nothing but
// characters: an ad in the sidebar's fragment (a page of the module's own
// resources, more trusted than any web site), a matched word in a page's
// highlight. Text that became markup or script there would run with the
// page's rights.
#pragma once

#include <string>
#include <string_view>

namespace platform {

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

}  // namespace platform
