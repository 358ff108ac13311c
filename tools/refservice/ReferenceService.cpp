#include "tools/refservice/ReferenceService.h"

#include <stdexcept>

#include "tools/refservice/AdsService.h"
#include "tools/refservice/HttpServer.h"
#include "tools/refservice/SoapDispatcher.h"
#include "tools/refservice/UtilsService.h"
#include "tools/refservice/WebSite.h"

namespace refservice {

namespace {

// Requests are routed by their exact path, so a path without its leading
// slash could never be asked for, and two services at one path would hide
// one of them.
ReferenceServiceOptions CheckedServicePaths(ReferenceServiceOptions options) {
  for (const std::string* path : {&options.adsPath, &options.utilsPath}) {
    if (path->empty() || path->front() != '/') {
      throw std::invalid_argument("service path '" + *path + "' must start with '/'");
    }
  }
  if (options.adsPath == options.utilsPath) {
    throw std::invalid_argument("the ads and utils services need paths of their own, not both '" +
                                options.adsPath + "'");
  }
  return options;
}

ServiceData LoadData(const ReferenceServiceOptions& options) {
  ServiceData data = LoadServiceData(options.dataDirectory);
  if (options.version) data.version = *options.version;
  return data;
}

}  // namespace

class ReferenceService::Impl {
 public:
  explicit Impl(ReferenceServiceOptions options)
      : options_(CheckedServicePaths(std::move(options))),
        data_(LoadData(options_)),
        ads_(data_),
        utils_(data_),
        adsDispatcher_(ads_, options_.adsNamespace),
        utilsDispatcher_(utils_, options_.utilsNamespace),
        site_(data_, options_.downloads),
        server_(HttpServerOptions{options_.port, options_.workerThreads, 64, options_.idleTimeout},
                [this](const HttpRequest& request) { return Handle(request); }) {}

  // Derived from the port each time: the port is set before the server's
  // threads start, so reading it from them needs no lock.
  std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(server_.port()); }

  HttpAnswer Handle(const HttpRequest& request) {
    RecordedRequest record;
    record.http = request;
    HttpAnswer answer;
    if (request.path == options_.adsPath) {
      answer = adsDispatcher_.Dispatch(request, BaseUrl(), record);
    } else if (request.path == options_.utilsPath) {
      answer = utilsDispatcher_.Dispatch(request, BaseUrl(), record);
    } else {
      answer = site_.Serve(request, record);
    }
    answer.headers.emplace_back("Server", "vimaru-refservice");
    if (auto misbehaviour = misbehaviours_.Take(record.operation, request.path)) {
      ApplyMisbehaviour(*misbehaviour, answer);
    }
    // Recorded before the answer goes out, so a client that has read its
    // answer always finds its request in the log.
    log_.Append(std::move(record));
    return answer;
  }

  ReferenceServiceOptions options_;
  ServiceData data_;
  AdsService ads_;
  UtilsService utils_;
  SoapDispatcher adsDispatcher_;
  SoapDispatcher utilsDispatcher_;
  WebSite site_;
  RequestLog log_;
  MisbehaviourTable misbehaviours_;
  HttpServer server_;  // last: its threads call Handle, which uses everything above
};

ReferenceService::ReferenceService(ReferenceServiceOptions options)
    : impl_(std::make_unique<Impl>(std::move(options))) {}

ReferenceService::~ReferenceService() { Stop(); }

std::uint16_t ReferenceService::Port() const { return impl_->server_.port(); }
std::string ReferenceService::BaseUrl() const { return impl_->BaseUrl(); }
std::string ReferenceService::AdsEndpoint() const {
  return impl_->BaseUrl() + impl_->options_.adsPath;
}
std::string ReferenceService::UtilsEndpoint() const {
  return impl_->BaseUrl() + impl_->options_.utilsPath;
}
const ServiceData& ReferenceService::Data() const { return impl_->data_; }
const ReferenceServiceOptions& ReferenceService::Options() const { return impl_->options_; }

std::vector<RecordedRequest> ReferenceService::Requests() const { return impl_->log_.Snapshot(); }
std::size_t ReferenceService::RequestCount() const { return impl_->log_.Size(); }
void ReferenceService::ClearRequests() { impl_->log_.Clear(); }

void ReferenceService::Misbehave(std::string operationOrPath, Misbehaviour misbehaviour) {
  impl_->misbehaviours_.Set(std::move(operationOrPath), std::move(misbehaviour));
}

void ReferenceService::ClearMisbehaviours() { impl_->misbehaviours_.Clear(); }

void ReferenceService::Stop() { impl_->server_.Stop(); }

}  // namespace refservice
