#include "tools/refservice/SoapEnvelope.h"

namespace refservice {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

std::string EnvelopeStart() {
  return std::string("<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope xmlns:soap=\"") +
         std::string(kSoapEnvelopeNamespace) + "\" xmlns:xsi=\"" + std::string(kXsiNamespace) +
         "\" xmlns:xsd=\"" + std::string(kXsdNamespace) + "\"><soap:Body>";
}

constexpr std::string_view kEnvelopeEnd = "</soap:Body></soap:Envelope>";

}  // namespace

std::string EscapeXml(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (const char c : utf8) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '\r':
        out += "&#xD;";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') {
          out += kReplacementCharacter;
        } else {
          out += c;
        }
    }
  }
  return out;
}

XmlBuilder& XmlBuilder::Open(std::string_view name) {
  xml_ += '<';
  xml_ += name;
  xml_ += '>';
  return *this;
}

XmlBuilder& XmlBuilder::Close(std::string_view name) {
  xml_ += "</";
  xml_ += name;
  xml_ += '>';
  return *this;
}

XmlBuilder& XmlBuilder::Element(std::string_view name, std::string_view text) {
  Open(name);
  xml_ += EscapeXml(text);
  return Close(name);
}

XmlBuilder& XmlBuilder::OptionalElement(std::string_view name,
                                        const std::optional<std::string>& text) {
  if (text) Element(name, std::string_view(*text));
  return *this;
}

XmlBuilder& XmlBuilder::Raw(std::string_view xml) {
  xml_ += xml;
  return *this;
}

std::string SoapResponseEnvelope(std::string_view serviceNamespace, std::string_view operation,
                                 std::string_view responseContent) {
  std::string xml = EnvelopeStart();
  xml += '<';
  xml += operation;
  xml += "Response xmlns=\"";
  xml += EscapeXml(serviceNamespace);
  if (responseContent.empty()) {
    xml += "\" />";
  } else {
    xml += "\">";
    xml += responseContent;
    xml += "</";
    xml += operation;
    xml += "Response>";
  }
  return xml + std::string(kEnvelopeEnd);
}

std::string SoapFaultEnvelope(const SoapFault& fault) {
  XmlBuilder body;
  body.Open("soap:Fault").Element("faultcode", fault.code).Element("faultstring", fault.string);
  body.OptionalElement("faultactor", fault.actor);
  if (fault.detailXml.empty()) {
    body.Raw("<detail />");
  } else {
    body.Open("detail").Raw(fault.detailXml).Close("detail");
  }
  body.Close("soap:Fault");
  return EnvelopeStart() + body.str() + std::string(kEnvelopeEnd);
}

}  // namespace refservice
