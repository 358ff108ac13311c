// Turns one HTTP request on a service's path into that service's answer:
// the body's wrapper element names the operation, its namespace must be the
// service's, and the SOAPAction header must name the same operation. Every
// refusal is a SOAP Fault with HTTP status 500, as an ASP.NET service sends.
#pragma once

#include <string>
#include <string_view>

#include "tools/refservice/HttpMessage.h"
#include "tools/refservice/RequestLog.h"
#include "tools/refservice/SoapService.h"

namespace refservice {

class SoapDispatcher {
 public:
  SoapDispatcher(SoapService& service, std::string serviceNamespace)
      : service_(service), namespace_(std::move(serviceNamespace)) {}

  // Fills the record's operation and parameters as far as the body could be read.
  HttpAnswer Dispatch(const HttpRequest& request, std::string_view site,
                      RecordedRequest& record) const;

 private:
  SoapService& service_;
  const std::string namespace_;
};

}  // namespace refservice
