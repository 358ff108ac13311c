#include "tools/refservice/SoapDispatcher.h"

#include "tools/refservice/SoapEnvelope.h"

namespace refservice {

namespace {

HttpAnswer XmlAnswer(int status, std::string body) {
  HttpAnswer answer;
  answer.status = status;
  answer.headers.emplace_back("Cache-Control", "private, max-age=0");
  answer.headers.emplace_back("Content-Type", "text/xml; charset=utf-8");
  answer.body = std::move(body);
  return answer;
}

HttpAnswer Fault(std::string code, std::string text) {
  SoapFault fault;
  fault.code = std::move(code);
  fault.string = std::move(text);
  return XmlAnswer(500, SoapFaultEnvelope(fault));
}

HttpAnswer ClientFault(std::string text) { return Fault("soap:Client", std::move(text)); }

std::string_view Unquote(std::string_view text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    text = text.substr(1, text.size() - 2);
  }
  return text;
}

}  // namespace

HttpAnswer SoapDispatcher::Dispatch(const HttpRequest& request, std::string_view site,
                                    RecordedRequest& record) const {
  if (request.method != "POST") {
    HttpAnswer answer;
    answer.status = 405;
    answer.headers.emplace_back("Allow", "POST");
    answer.headers.emplace_back("Content-Type", "text/plain; charset=utf-8");
    answer.body = "Only SOAP 1.1 POST requests are served here.\n";
    return answer;
  }
  SoapParseResult parsed = ParseSoapCall(request.body);
  if (!parsed.call) {
    return Fault(parsed.versionMismatch ? "soap:VersionMismatch" : "soap:Client", parsed.error);
  }
  const SoapCall& call = *parsed.call;
  record.operation = call.operation;
  record.parameters = call.parameters;

  if (call.namespaceUri != namespace_ || !service_.Knows(call.operation)) {
    return ClientFault("Server did not recognize the request element {" + call.namespaceUri + "}" +
                       call.operation + ".");
  }
  const auto action = FindHeader(request.headers, "SOAPAction");
  if (!action) {
    return ClientFault(
        "Unable to handle request without a valid action parameter. Please supply a valid soap "
        "action.");
  }
  if (Unquote(*action) != namespace_ + call.operation) {
    return ClientFault("Server did not recognize the value of HTTP Header SOAPAction: " +
                       std::string(Unquote(*action)) + ".");
  }
  try {
    const std::string content = service_.Answer(call, request, site);
    return XmlAnswer(200, SoapResponseEnvelope(namespace_, call.operation, content));
  } catch (const ArgumentError& error) {
    return ClientFault(std::string("Server was unable to read request. ---> ") + error.what());
  } catch (const std::exception& error) {
    return Fault("soap:Server",
                 std::string("Server was unable to process request. ---> ") + error.what());
  }
}

}  // namespace refservice
