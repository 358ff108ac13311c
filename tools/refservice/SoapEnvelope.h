// Writing SOAP 1.1 document/literal answers the way an ASP.NET service
// writes them: an XML declaration, an envelope declaring the soap, xsi and
// xsd prefixes, and either "<OpResponse xmlns=ns>...</OpResponse>" or a
// soap:Fault. XmlBuilder produces the result content; null strings are
// simply left out, as the service's serializer does for optional elements.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace refservice {

inline constexpr std::string_view kSoapEnvelopeNamespace =
    "http://schemas.xmlsoap.org/soap/envelope/";
inline constexpr std::string_view kXsiNamespace = "http://www.w3.org/2001/XMLSchema-instance";
inline constexpr std::string_view kXsdNamespace = "http://www.w3.org/2001/XMLSchema";

struct SoapFault {
  std::string code = "soap:Server";  // qualified with the envelope's prefix
  std::string string;
  std::optional<std::string> actor;
  std::string detailXml;  // raw content of <detail>, written unescaped
};

// Escapes element content: "&", "<", ">" and CR as character references;
// characters XML 1.0 cannot carry at all become U+FFFD.
std::string EscapeXml(std::string_view utf8);

class XmlBuilder {
 public:
  XmlBuilder& Open(std::string_view name);
  XmlBuilder& Close(std::string_view name);
  XmlBuilder& Element(std::string_view name, std::string_view text);
  // Left out entirely when the text is null.
  XmlBuilder& OptionalElement(std::string_view name, const std::optional<std::string>& text);
  XmlBuilder& Raw(std::string_view xml);
  const std::string& str() const { return xml_; }

 private:
  std::string xml_;
};

std::string SoapResponseEnvelope(std::string_view serviceNamespace, std::string_view operation,
                                 std::string_view responseContent);
std::string SoapFaultEnvelope(const SoapFault& fault);

}  // namespace refservice
