#include "platform/internet/ConnectRedirect.h"

#include <mutex>

namespace platform::internet {
namespace {

std::mutex gMutex;                     // guards gRedirect
std::optional<std::string> gRedirect;  // the CURLOPT_CONNECT_TO entry

}  // namespace

ScopedConnectRedirect::ScopedConnectRedirect(std::string serverName, INTERNET_PORT port,
                                             std::string targetAddress, INTERNET_PORT targetPort) {
  std::string entry = serverName + ":" + std::to_string(port) + ":" + targetAddress + ":" +
                      std::to_string(targetPort);
  std::lock_guard lock(gMutex);
  gRedirect = std::move(entry);
}

ScopedConnectRedirect::~ScopedConnectRedirect() {
  std::lock_guard lock(gMutex);
  gRedirect.reset();
}

std::optional<std::string> ConnectRedirectInForce() {
  std::lock_guard lock(gMutex);
  return gRedirect;
}

}  // namespace platform::internet
