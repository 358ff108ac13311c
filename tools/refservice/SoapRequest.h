// Reading a SOAP 1.1 document/literal request: the envelope and body are
// checked, the body's first element names the operation (with its
// namespace), and each child of it becomes one parameter. A parameter whose
// children are elements (the string arrays of LogError) keeps them as items.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace refservice {

struct SoapParameter {
  std::string name;
  bool nil = false;                               // xsi:nil="true" or "1"
  std::string text;                               // all character data, UTF-8
  std::vector<std::optional<std::string>> items;  // child elements; nullopt for a nil item
};

struct SoapCall {
  std::string namespaceUri;
  std::string operation;
  std::vector<SoapParameter> parameters;

  const SoapParameter* Find(std::string_view name) const;
};

struct SoapParseResult {
  std::optional<SoapCall> call;
  std::string error;             // set when call is empty
  bool versionMismatch = false;  // the envelope is not SOAP 1.1
};

SoapParseResult ParseSoapCall(std::string_view body);

}  // namespace refservice
