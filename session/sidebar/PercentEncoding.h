// Percent-encoding of wide text for the URLs the sidebar's fragment holds.
// The text is taken as UTF-8 (an unpaired surrogate as U+FFFD) and each byte
// that may not stand as itself becomes %XX with upper-case hex digits.
#pragma once

#include <string>
#include <string_view>

namespace session {

// For a whole URL that is then put into a script string and an HTML
// attribute: encodes the controls and the space (up to 0x20), 0x7F and
// above, and " ' < > \ ` { | } ^. What gives a URL its shape
// (: / ? # & = % and the rest) stays, so an address that arrives already
// percent-encoded keeps its meaning.
std::u16string PercentEncodeUrl(std::u16string_view url);

// For one value of a query: everything but RFC 3986's unreserved
// characters (letters, digits, - . _ ~) is encoded, so the value can add no
// parameter, fragment or path of its own.
std::u16string PercentEncodeQueryValue(std::u16string_view value);

}  // namespace session
