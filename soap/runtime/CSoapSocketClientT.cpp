#include "soap/runtime/CSoapSocketClientT.h"

#include "platform/text/CodePage.h"
#include "platform/trace/Trace.h"
#include "soap/runtime/SoapClientErrorText.h"
#include "soap/runtime/SoapResponsePump.h"

namespace soap {

std::string SoapActionLine(const OperationDescriptor& operation) {
  std::string line = "SOAPAction: \"";
  line.append(operation.Namespace()).append(operation.Name()).append("\"\r\n");
  return line;
}

template <typename TSocket>
CSoapSocketClientT<TSocket>::CSoapSocketClientT(std::string_view url) {
  SetUrl(url);
}

template <typename TSocket>
void CSoapSocketClientT<TSocket>::SetUrl(std::string_view url) {
  endpoint_ = SplitUrl(url);
  endpointProblem_ = endpoint_ ? std::string() : DescribeUrlProblem(url);
}

template <typename TSocket>
std::string CSoapSocketClientT<TSocket>::GetFailureCause() const {
  if (error_ == SoapClientError::kSuccess) return {};
  if (!transportCause_.empty()) return transportCause_;
  std::string cause(SoapClientErrorMeaning(error_));
  // The service's own words say more than that it faulted.
  if (error_ == SoapClientError::kSoapFault && !fault_.faultString.empty()) {
    cause.append(": ").append(platform::WideToUtf8(fault_.faultString));
  }
  return cause;
}

template <typename TSocket>
HRESULT CSoapSocketClientT<TSocket>::Failure(SoapClientError error) {
  error_ = error;
  return error == SoapClientError::kOutOfMemory ? E_OUTOFMEMORY : E_FAIL;
}

template <typename TSocket>
bool CSoapSocketClientT<TSocket>::EnsureReader() {
  try {
    if (!reader_) reader_ = std::make_unique<platform::SaxXmlReader>();
    reader_->SetContentHandler(&rootHandler_);
    return true;
  } catch (const std::bad_alloc&) {
    Failure(SoapClientError::kInitializeError);
    return false;
  }
}

template <typename TSocket>
HRESULT CSoapSocketClientT<TSocket>::SendRequest(std::string_view soapActionLine) {
  platform::TraceScope trace("CSoapSocketClientT::SendRequest");
  if (!endpoint_) {
    transportCause_ = endpointProblem_;
    return Failure(SoapClientError::kSendError);
  }
  std::string headers(soapActionLine);
  headers += "Accept: text/xml\r\n";
  const HttpRequest request{"POST", kSoapContentType, headers, requestBody_};
  if (http_.Navigate(*endpoint_, request)) {
    const int status = http_.GetStatus();
    if (status == 200) return S_OK;
    // Accepted: the service took the request and answers nothing, so there
    // is no document to parse and the result stays empty.
    if (status == 202) return S_FALSE;
    transportCause_ = "the server answered HTTP status " + std::to_string(status);
    return Failure(SoapClientError::kServerError);
  }
  if (http_.GetStatus() == 500) return ReadFault();
  transportCause_ = http_.DescribeFailure();
  return Failure(SoapClientError::kSendError);
}

template <typename TSocket>
HRESULT CSoapSocketClientT<TSocket>::ReadFault() {
  CSoapFaultParser faultParser;
  reader_->SetContentHandler(&faultParser);
  const bool opened = responseStream_.Init(&http_);
  const bool parsed = opened && PumpResponse(responseStream_, *reader_) == PumpOutcome::kParsed &&
                      faultParser.Succeeded();
  reader_->SetContentHandler(&rootHandler_);
  if (!parsed) {
    // The server failed without saying how; the fault reads as a made-up
    // server fault so that whoever looks finds something meaningful.
    fault_ = SoapFault{SoapFaultCode::kServer, kApplicationFaultString, {}, {}};
    return Failure(SoapClientError::kFaultParseError);
  }
  fault_ = faultParser.Fault();
  return Failure(SoapClientError::kSoapFault);
}

template <typename TSocket>
HRESULT CSoapSocketClientT<TSocket>::ParseResponse(const SoapOperation& operation, void* block) {
  if (!responseStream_.Init(&http_)) return Failure(SoapClientError::kReadError);
  rootHandler_.BeginParse(*operation.body, block);
  switch (PumpResponse(responseStream_, *reader_)) {
    case PumpOutcome::kStreamFailed:
      transportCause_ = http_.DescribeFailure();
      return Failure(SoapClientError::kSendError);
    case PumpOutcome::kParseFailed:
      return Failure(rootHandler_.OutOfMemory() ? SoapClientError::kOutOfMemory
                                                : SoapClientError::kParseError);
    case PumpOutcome::kParsed:
      break;
  }
  return rootHandler_.Succeeded() ? S_OK : Failure(SoapClientError::kParseError);
}

template <typename TSocket>
HRESULT CSoapSocketClientT<TSocket>::InvokePrepared(const SoapOperation& operation, void* block) {
  platform::TraceScope trace("CSoapSocketClientT::InvokeOperation");
  HRESULT hr = S_OK;
  requestBody_.clear();
  if (!CSoapRootHandler::GenerateRequest(requestBody_, operation, block)) {
    hr = Failure(SoapClientError::kGenerateError);
  } else {
    try {
      hr = SendRequest(SoapActionLine(*operation.body));
      if (hr == S_OK) hr = ParseResponse(operation, block);
    } catch (const std::bad_alloc&) {
      hr = Failure(SoapClientError::kOutOfMemory);
    }
  }
  if (hr == S_FALSE) hr = S_OK;
  if (FAILED(hr)) ResetFields(*operation.body, block, true);
  rootHandler_.Reset();
  requestBody_.clear();
  requestBody_.shrink_to_fit();
  http_.ResetConnection();
  return hr;
}

template class CSoapSocketClientT<ZEvtSyncSocket>;

}  // namespace soap
