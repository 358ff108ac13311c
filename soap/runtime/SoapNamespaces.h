// The fixed namespaces of SOAP 1.1 and XML Schema, and the envelope start
// tag every request begins with.
#pragma once

#include <string_view>

namespace soap {

inline constexpr std::string_view kSoapEnvelopeNamespace =
    "http://schemas.xmlsoap.org/soap/envelope/";
inline constexpr std::string_view kSoapEncodingNamespace =
    "http://schemas.xmlsoap.org/soap/encoding/";
inline constexpr std::string_view kXsiNamespace = "http://www.w3.org/2001/XMLSchema-instance";
inline constexpr std::string_view kXsdNamespace = "http://www.w3.org/2001/XMLSchema";

inline constexpr std::string_view kEnvelopeStartTag =
    "<soap:Envelope"
    " xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\""
    " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
    " xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\""
    " xmlns:soapenc=\"http://schemas.xmlsoap.org/soap/encoding/\">";
static_assert(kEnvelopeStartTag.size() == 227);

}  // namespace soap
