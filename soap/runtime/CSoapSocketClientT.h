// The SOAP client under every service proxy: it owns the HTTP client and
// its socket, the request body, the response stream, the XML reader and the
// last error and fault. One generic call, `InvokeOperation`, runs an
// operation from its descriptors:
//   create the reader (error 1) -> fill the parameter block (error 2) ->
//   write the envelope (error 3) -> SendRequest (5, 6, 7, 8) -> open the
//   response stream (9) -> parse it into the block (10; 5 when the body
//   breaks off; 2 when memory runs out) -> on failure free what was built.
// In every case the request body, the parse state and the connection are
// discarded afterwards, so the object could make another call.
//
// A proxy derives from it and adds one method per operation, e.g.
//   HRESULT GetCategoryList(std::vector<CategoryItem>* items, int* count) {
//     if (items == nullptr || count == nullptr) return E_POINTER;
//     GetCategoryListParams params;
//     const HRESULT hr = InvokeOperation(kGetCategoryList, params, [](auto&) {});
//     if (SUCCEEDED(hr)) { *count = size; *items = std::move(params.result); }
//     return hr;
//   }
// A client object is used by one thread at a time.
#pragma once

#include <chrono>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "platform/com/HResult.h"
#include "platform/sax/SaxXmlReader.h"
#include "soap/http/CAtlHttpClientT.h"
#include "soap/http/CReadStreamOnSocket.h"
#include "soap/http/UrlParts.h"
#include "soap/http/ZEvtSyncSocket.h"
#include "soap/runtime/CSoapFaultParser.h"
#include "soap/runtime/CSoapRootHandler.h"
#include "soap/runtime/FieldStorage.h"
#include "soap/runtime/SoapDescriptors.h"
#include "soap/runtime/SoapTypes.h"

namespace soap {

inline constexpr std::string_view kSoapContentType = "text/xml; charset=utf-8";

template <typename TSocket = ZEvtSyncSocket>
class CSoapSocketClientT {
 public:
  // The URL is escaped and split once, here; an unusable URL makes every
  // call fail with the send error.
  explicit CSoapSocketClientT(std::string_view url);
  CSoapSocketClientT(const CSoapSocketClientT&) = delete;
  CSoapSocketClientT& operator=(const CSoapSocketClientT&) = delete;

  // Replaces the endpoint (the proxies' URL setter).
  void SetUrl(std::string_view url);

  SoapClientError GetClientError() const { return error_; }
  // Why the last call failed, in words for the person debugging it: for a
  // failed exchange what the transport saw ("127.0.0.1:8080 refused the
  // connection", "... answered HTTP status 404"), otherwise what the error
  // code means, for a SOAP fault with its fault string. Empty after a call
  // that succeeded. The product itself acts on GetClientError alone.
  std::string GetFailureCause() const;
  // 0 restores the default of 10000 ms.
  void SetTimeout(std::chrono::milliseconds timeout) { http_.SetSocketTimeout(timeout); }
  const SoapFault& GetFault() const { return fault_; }
  CAtlHttpClientT<TSocket>& GetHttpClient() { return http_; }

  // Posts the request body with `soapActionLine` (the complete
  // "SOAPAction: ..." line with its CR LF) and evaluates the status.
  // S_OK when a response document follows, S_FALSE for an accepted request
  // that answers none.
  HRESULT SendRequest(std::string_view soapActionLine);

  // Runs `operation` on `params`: `fillIn(params)` copies the in-parameters
  // into the cleared block. On success the out-fields of `params` hold the
  // result; on failure they are empty.
  template <typename Params, typename FillIn>
  HRESULT InvokeOperation(const SoapOperation& operation, Params& params, FillIn&& fillIn) {
    error_ = SoapClientError::kSuccess;
    fault_ = SoapFault();
    transportCause_.clear();
    if (!EnsureReader()) return E_FAIL;
    try {
      ResetFields(*operation.body, &params);
      fillIn(params);
    } catch (const std::bad_alloc&) {
      ResetFields(*operation.body, &params);
      error_ = SoapClientError::kOutOfMemory;
      return E_OUTOFMEMORY;
    }
    return InvokePrepared(operation, &params);
  }

 private:
  bool EnsureReader();
  HRESULT InvokePrepared(const SoapOperation& operation, void* block);
  HRESULT ParseResponse(const SoapOperation& operation, void* block);
  HRESULT ReadFault();
  HRESULT Failure(SoapClientError error);

  std::optional<UrlParts> endpoint_;
  std::string endpointProblem_;  // why endpoint_ is empty
  // What the transport said when the exchange failed, kept past the
  // connection's reset at the end of the call.
  std::string transportCause_;
  std::string requestBody_;
  CReadStreamOnSocket responseStream_;
  CAtlHttpClientT<TSocket> http_;
  SoapClientError error_ = SoapClientError::kSuccess;
  std::unique_ptr<platform::SaxXmlReader> reader_;
  CSoapRootHandler rootHandler_;
  SoapFault fault_;
};

extern template class CSoapSocketClientT<ZEvtSyncSocket>;
using CSoapSocketClient = CSoapSocketClientT<ZEvtSyncSocket>;

// "SOAPAction: \"<namespace><operation>\"\r\n"
std::string SoapActionLine(const OperationDescriptor& operation);

}  // namespace soap
