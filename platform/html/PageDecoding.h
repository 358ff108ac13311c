// Turns the bytes of a page into UTF-8 text for the parser, the way a
// browser picks the character set: a byte-order mark first, then the charset
// the server declared (Content-Type), then a <meta> charset in the first
// 1024 bytes, then a guess: bytes that are valid UTF-8 and hold at least one
// multi-byte sequence are UTF-8, everything else is windows-1252 (the ANSI
// code page, which covers ISO-8859-1 and US-ASCII pages too). Declared
// charsets other than UTF-8, UTF-16 and the Latin ones are read as
// windows-1252 rather than refused, so a page always shows.
#pragma once

#include <string>
#include <string_view>

namespace platform::html {

std::string DecodePageToUtf8(std::string_view bytes, std::string_view declaredCharset = {});

// The charset parameter of a Content-Type header value ("text/html;
// charset=UTF-8" -> "UTF-8"), empty when there is none.
std::string CharsetOfContentType(std::string_view contentType);

}  // namespace platform::html
