// Test helpers shared by the proxy and connector tests: the exact request
// the HTTP client sends for a SOAP body, and well-formed answers a scripted
// peer can play back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "soap/runtime/SoapNamespaces.h"
#include "tests/support/ScriptedPeer.h"

namespace soap::testing {

// The request a proxy posts to `path` on `peer`. The Host line names the
// peer's port, as HTTP/1.1 asks for any port but 80.
inline std::string ExpectedSoapRequest(const test_support::ScriptedPeer& peer,
                                       std::string_view path, std::string_view soapAction,
                                       std::string_view body) {
  std::string request = "POST " + std::string(path) + " HTTP/1.1\r\n";
  request += "Content-Length: " + std::to_string(body.size()) + "\r\n";
  request += "Content-Type: text/xml; charset=utf-8\r\n";
  request += "SOAPAction: \"" + std::string(soapAction) + "\"\r\n";
  request += "Accept: text/xml\r\n";
  request += "Host: " + peer.Address() + ":" + std::to_string(peer.Port()) + "\r\n";
  request += "User-Agent: Microsoft-ATL-Native/8.00\r\n\r\n";
  request += body;
  return request;
}

// The request body of an operation: envelope, body, wrapper, `content`.
inline std::string ExpectedBody(std::string_view operation, std::string_view serviceNamespace,
                                std::string_view content) {
  std::string body(kEnvelopeStartTag);
  body +=
      "<soap:Body><" + std::string(operation) + " xmlns=\"" + std::string(serviceNamespace) + "\">";
  body += content;
  body += "</" + std::string(operation) + "></soap:Body></soap:Envelope>";
  return body;
}

// A document/literal answer as an ASP.NET service writes it.
inline std::string ResponseEnvelope(std::string_view operation, std::string_view serviceNamespace,
                                    std::string_view content) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";
  xml +=
      "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\""
      " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
      " xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\"><soap:Body>";
  xml += "<" + std::string(operation) + "Response xmlns=\"" + std::string(serviceNamespace) + "\">";
  xml += content;
  xml += "</" + std::string(operation) + "Response></soap:Body></soap:Envelope>";
  return xml;
}

inline std::string HttpAnswer(std::string_view status, std::string_view body) {
  std::string answer = "HTTP/1.1 " + std::string(status) + "\r\n";
  answer += "Content-Type: text/xml; charset=utf-8\r\n";
  answer += "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
  answer += body;
  return answer;
}

// One connection that reads the request and plays `answer` back.
inline test_support::ConnectionScript AnswerWith(std::string answer) {
  return test_support::ConnectionScript().ReadRequest().Send(std::move(answer));
}

}  // namespace soap::testing
