#include "soap/runtime/SoapClientErrorText.h"

namespace soap {

std::string_view SoapClientErrorMeaning(SoapClientError error) {
  switch (error) {
    case SoapClientError::kSuccess:
      return "";
    case SoapClientError::kInitializeError:
      return "the XML reader cannot be created";
    case SoapClientError::kOutOfMemory:
      return "memory ran out";
    case SoapClientError::kGenerateError:
      return "the request envelope cannot be written from the parameters";
    case SoapClientError::kConnectError:
      return "the connection failed";
    case SoapClientError::kSendError:
      return "the HTTP exchange failed";
    case SoapClientError::kServerError:
      return "the server answered with a status other than 200, 202 or 500";
    case SoapClientError::kSoapFault:
      return "the service answered with a SOAP fault";
    case SoapClientError::kFaultParseError:
      return "the server answered 500 without a readable SOAP fault";
    case SoapClientError::kReadError:
      return "the response body cannot be read";
    case SoapClientError::kParseError:
      return "the response is not the operation's response document";
  }
  return "unknown client error";
}

}  // namespace soap
