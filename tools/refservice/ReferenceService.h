// The reference service: a real HTTP/1.1 server on 127.0.0.1 that answers
// the ads and utils SOAP services and the web site's direct paths from the
// data files, records every request, and misbehaves on demand. Used
// in-process by integration tests and the demo, and by vimaru-refservice.
//
//   refservice::ReferenceService service;              // listens on a free port
//   service.Misbehave("GetPublicAds", Misbehaviour::Status(503));
//   ... point the client at service.AdsEndpoint() ...
//   auto requests = service.Requests();
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/refservice/Misbehaviour.h"
#include "tools/refservice/RequestLog.h"
#include "tools/refservice/ServiceData.h"

namespace refservice {

struct ReferenceServiceOptions {
  std::filesystem::path dataDirectory = DefaultDataDirectory();
  std::uint16_t port = 0;  // 0: a free port chosen by the system
  std::string adsNamespace = "http://ads.vimaru.com/";
  std::string utilsNamespace = "http://www.vimaru.com/Utils/";
  std::string adsPath = "/qxadsex.asmx";
  std::string utilsPath = "/utils/utils.asmx";
  std::size_t workerThreads = 8;
  std::chrono::milliseconds idleTimeout{10000};  // keep-alive and slow-client limit
  // What VersionInfo announces instead of data/version.txt, so an update
  // test chooses the version and the download address ("{site}" allowed).
  std::optional<VersionData> version;
  // Files served under /download/<name> besides those of data/download, and
  // before them: name to exact bytes (installers of any name and size).
  std::map<std::string, std::string, std::less<>> downloads;
};

class ReferenceService {
 public:
  // Loads the data files and starts listening. Throws std::invalid_argument
  // (a service path without its leading '/', or both services at one path),
  // std::runtime_error (bad data) or std::system_error (socket) on failure.
  explicit ReferenceService(ReferenceServiceOptions options = {});
  ~ReferenceService();
  ReferenceService(const ReferenceService&) = delete;
  ReferenceService& operator=(const ReferenceService&) = delete;

  std::uint16_t Port() const;
  std::string BaseUrl() const;      // "http://127.0.0.1:PORT"
  std::string AdsEndpoint() const;  // BaseUrl() + ads path
  std::string UtilsEndpoint() const;
  const ServiceData& Data() const;
  const ReferenceServiceOptions& Options() const;

  std::vector<RecordedRequest> Requests() const;
  std::size_t RequestCount() const;
  void ClearRequests();

  void Misbehave(std::string operationOrPath, Misbehaviour misbehaviour);
  void ClearMisbehaviours();

  // Stops accepting, closes every connection and joins all threads; the
  // destructor does it too.
  void Stop();

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace refservice
