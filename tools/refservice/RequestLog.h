// Every request the reference service received, in arrival order, with what
// the service made of it. Written by the server's workers, read by tests.
#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <vector>

#include "tools/refservice/HttpMessage.h"
#include "tools/refservice/SoapRequest.h"

namespace refservice {

struct RecordedRequest {
  std::size_t sequence = 0;  // 1 for the first request since start or the last Clear()
  HttpRequest http;
  // The SOAP operation ("GetPublicAds"), or for the web site one of
  // "autologin", "download", "click", "page", "index"; empty when neither.
  std::string operation;
  // SOAP in-parameters as received, or the query's name=value pairs.
  std::vector<SoapParameter> parameters;
};

class RequestLog {
 public:
  void Append(RecordedRequest request);
  std::vector<RecordedRequest> Snapshot() const;
  std::size_t Size() const;
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::vector<RecordedRequest> requests_;
};

}  // namespace refservice
