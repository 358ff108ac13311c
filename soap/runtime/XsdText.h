// Values to XML text and back, for the types the runtime has native forms
// for. The writers append to a request body that is UTF-8; the readers take
// the UTF-8 text of one element and fail on anything the type's rules do
// not allow, so a malformed response never turns into a made-up value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "soap/runtime/SoapTypes.h"

namespace soap {

// Escapes a wide string for element content: & < > as entities, CR and the
// other C0 controls and every character above U+007F as "&#xHHHH;" (four
// upper-case hex digits), a surrogate pair as one "&#xHHHHHH;" (six digits).
// A surrogate without its partner, high or low, is written as the four-digit
// reference of itself.
void AppendEscapedText(std::string& out, std::u16string_view text);

void AppendInt(std::string& out, std::int32_t value);
void AppendBoolean(std::string& out, bool value);  // "true" / "false"
// "INF", "-INF", "NaN", or the shortest text that reads back as the same
// double: plain decimal notation for xsd:decimal, which has no exponent;
// exponent notation where shorter for xsd:double and xsd:float.
void AppendDouble(std::string& out, double value, bool allowExponent);
void AppendBase64(std::string& out, const SoapBytes& bytes);     // CR LF after every 76 characters
void AppendHexBinary(std::string& out, const SoapBytes& bytes);  // upper-case

// Optional white space around an optional sign and decimal digits, within
// the signed 32-bit range.
std::optional<std::int32_t> ReadInt(std::string_view text);
// Exactly "true", "1", "false" or "0".
std::optional<bool> ReadBoolean(std::string_view text);
// "INF", "-INF", "NaN" or a decimal number (optional exponent) that does not
// overflow; white space around it is allowed.
std::optional<double> ReadDouble(std::string_view text);
// White space between characters is skipped; anything else not base64 fails.
std::optional<SoapBytes> ReadBase64(std::string_view text);
std::optional<SoapBytes> ReadHexBinary(std::string_view text);

}  // namespace soap
