#include "session/autologin/AutoLoginRequest.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/internet/WinInet.h"
#include "platform/threading/WorkerThread.h"
#include "platform/trace/Contain.h"
#include "session/autologin/AutoLoginObjectName.h"
#include "soap/ServiceConfig.h"
#include "soap/http/HttpLimits.h"
#include "soap/http/UrlParts.h"

namespace session {
namespace {

constexpr char kOperation[] = "AutoLogin::Send";
constexpr char kUserAgent[] = "VimaruIEToolbar";
constexpr char kFormContentType[] = "Content-Type: application/x-www-form-urlencoded";
// As the SOAP client's socket time-out: a dead host releases the worker
// after at most a connect, a send and a receive time-out.
constexpr DWORD kTimeoutMs = 10000;

struct AutoLoginTarget {
  std::string host;
  INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
  std::string objectName;
};

bool TraceFailure(std::string_view call) {
  platform::TraceStep(kOperation, std::string(call) + " failed " + std::to_string(GetLastError()));
  return false;
}

// Read on the caller's thread, so the worker touches no process state.
std::optional<AutoLoginTarget> TargetOf(std::string_view ssoToken, bool autoLogin) {
  const std::optional<soap::UrlParts> site = soap::SplitUrl(soap::DefaultWebSite());
  if (!site) {
    platform::TraceStep(kOperation, "malformed web site");
    return std::nullopt;
  }
  std::string objectName = AutoLoginObjectName(ssoToken, autoLogin);
  if (objectName.size() > soap::kMaxUrlLength) {
    platform::TraceStep(kOperation, "token too long");
    return std::nullopt;
  }
  return AutoLoginTarget{site->host, site->port, std::move(objectName)};
}

// Closes the session as soon as the answer's head is in; no body is read.
bool Send(const AutoLoginTarget& target) {
  platform::InternetHandle session(
      InternetOpenA(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) return TraceFailure("InternetOpenA");
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                       INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    DWORD timeout = kTimeoutMs;
    // Without it the request still ends, at WinINet's longer defaults.
    if (!InternetSetOptionA(session.get(), option, &timeout, sizeof timeout)) {
      TraceFailure("InternetSetOptionA");
    }
  }
  platform::InternetHandle connection(InternetConnectA(session.get(), target.host.c_str(),
                                                       target.port, nullptr, nullptr,
                                                       INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return TraceFailure("InternetConnectA");
  // The site must see every login: never answer it from the cache.
  platform::InternetHandle request(
      HttpOpenRequestA(connection.get(), "GET", target.objectName.c_str(), nullptr, nullptr,
                       nullptr, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
  if (!request) return TraceFailure("HttpOpenRequestA");
  if (!HttpSendRequestA(request.get(), kFormContentType, sizeof kFormContentType - 1, nullptr, 0)) {
    return TraceFailure("HttpSendRequestA");
  }
  return true;
}

}  // namespace

void SendAutoLoginRequest(std::string ssoToken, bool autoLogin) {
  platform::Contain(kOperation, false, [&] {
    std::optional<AutoLoginTarget> target = TargetOf(ssoToken, autoLogin);
    if (!target) return false;
    const bool started = platform::StartWorkerThread(kOperation, [target = std::move(*target)] {
      platform::ContainTraced(kOperation, false, [&] { return Send(target); });
    });
    if (!started) platform::TraceStep(kOperation, "no worker thread");
    return started;
  });
}

}  // namespace session
