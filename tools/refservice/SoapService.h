// What the two services have in common: a namespace, an endpoint path, a
// list of operations, and typed reading of the request's parameters the
// way the ASP.NET serializer reads them (a missing int is 0, a malformed
// one rejects the request).
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tools/refservice/HttpMessage.h"
#include "tools/refservice/SoapRequest.h"

namespace refservice {

// A parameter the service cannot read; answered with a "soap:Client" fault.
class ArgumentError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class SoapService {
 public:
  virtual ~SoapService() = default;
  virtual const std::vector<std::string>& OperationNames() const = 0;
  // The content of "<OpResponse>" for one of OperationNames(). `site` is the
  // service's base URL ("http://127.0.0.1:PORT").
  virtual std::string Answer(const SoapCall& call, const HttpRequest& request,
                             std::string_view site) = 0;

  bool Knows(std::string_view operation) const;
};

// Null when the element is missing or xsi:nil.
std::optional<std::string> StringArgument(const SoapCall& call, std::string_view name);
int IntArgument(const SoapCall& call, std::string_view name);
bool BoolArgument(const SoapCall& call, std::string_view name);

// Replaces every "{site}" in data texts with the service's base URL.
std::string ExpandSite(std::string_view text, std::string_view site);

}  // namespace refservice
