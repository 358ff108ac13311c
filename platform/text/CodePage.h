// Conversions between the product's narrow strings (the ANSI code page,
// Windows-1252), UTF-8 (files, the wire) and UTF-16 (COM, HTML and SOAP
// boundaries). Wide strings are std::u16string so they hold exactly what a
// Windows WCHAR string holds.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// Windows-1252 bytes to UTF-16. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the same-valued code
// units, as MultiByteToWideChar does.
std::u16string AnsiToWide(std::string_view ansi);

// UTF-16 to Windows-1252; characters the code page cannot hold become '?'.
std::string WideToAnsi(std::u16string_view wide);

// UTF-8 to UTF-16; malformed sequences become U+FFFD.
std::u16string Utf8ToWide(std::string_view utf8);

// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string WideToUtf8(std::u16string_view wide);

// Lower-casing in the ANSI code page (CharLowerA): ASCII letters and the
// Latin-1 capitals 0xC0..0xDE except 0xD7, plus 0x8A, 0x8C, 0x8E and 0x9F.
char AnsiToLower(char c);
std::string AnsiToLower(std::string_view ansi);

}  // namespace platform
