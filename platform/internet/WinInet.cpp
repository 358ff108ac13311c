#include "platform/internet/WinInet.h"

#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/internet/HttpExchange.h"
#include "platform/internet/InternetHandles.h"
#include "platform/internet/RequestText.h"

namespace {

using platform::internet::HandleKind;
using platform::internet::HandleRecord;
using platform::internet::HandleTable;
using platform::internet::RequestTarget;
using platform::internet::Timeouts;

constexpr DWORD kKnownRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
constexpr DWORD kNulTerminated = static_cast<DWORD>(-1);

HINTERNET NullWith(DWORD error) {
  ::SetLastError(error);
  return nullptr;
}

BOOL FalseWith(DWORD error) {
  ::SetLastError(error);
  return FALSE;
}

// These are C entry points: nothing may leave them. The stand-in throws
// only when memory runs out, which reads as WinINet's internal error.
template <class Result, class Body>
Result Guarded(Result failed, Body&& body) noexcept {
  try {
    return body();
  } catch (...) {
    ::SetLastError(ERROR_INTERNET_INTERNAL_ERROR);
    return failed;
  }
}

HINTERNET OpenChildOrFail(HINTERNET parent, HandleKind parentKind,
                          const std::function<void(RequestTarget&)>& fill) {
  DWORD error = 0;
  HINTERNET child = HandleTable::Instance().OpenChild(parent, parentKind, fill, error);
  return child != nullptr ? child : NullWith(error);
}

std::optional<DWORD Timeouts::*> TimeoutOf(DWORD option) {
  switch (option) {
    case INTERNET_OPTION_CONNECT_TIMEOUT:
      return &Timeouts::connectMs;
    case INTERNET_OPTION_SEND_TIMEOUT:
      return &Timeouts::sendMs;
    case INTERNET_OPTION_RECEIVE_TIMEOUT:
      return &Timeouts::receiveMs;
    default:
      return std::nullopt;
  }
}

}  // namespace

HINTERNET WINAPI InternetOpenA(LPCSTR agent, DWORD accessType, LPCSTR /*proxy*/,
                               LPCSTR /*proxyBypass*/, DWORD flags) {
  return Guarded<HINTERNET>(nullptr, [&]() -> HINTERNET {
    if (accessType != INTERNET_OPEN_TYPE_PRECONFIG || flags != 0) {
      return NullWith(ERROR_INVALID_PARAMETER);
    }
    RequestTarget request;
    if (agent != nullptr) {
      if (!platform::internet::IsHeaderText(agent)) return NullWith(ERROR_INVALID_PARAMETER);
      request.userAgent = agent;
    }
    return HandleTable::Instance().OpenSession(std::move(request));
  });
}

HINTERNET WINAPI InternetConnectA(HINTERNET session, LPCSTR serverName, INTERNET_PORT serverPort,
                                  LPCSTR userName, LPCSTR password, DWORD service, DWORD /*flags*/,
                                  DWORD_PTR /*context*/) {
  return Guarded<HINTERNET>(nullptr, [&]() -> HINTERNET {
    if (serverName == nullptr || !platform::internet::IsPlainServerName(serverName) ||
        userName != nullptr || password != nullptr || service != INTERNET_SERVICE_HTTP) {
      return NullWith(ERROR_INVALID_PARAMETER);
    }
    const INTERNET_PORT port =
        serverPort == INTERNET_INVALID_PORT_NUMBER ? INTERNET_DEFAULT_HTTP_PORT : serverPort;
    return OpenChildOrFail(session, HandleKind::kSession, [&](RequestTarget& request) {
      request.serverName = serverName;
      request.port = port;
    });
  });
}

HINTERNET WINAPI HttpOpenRequestA(HINTERNET connection, LPCSTR verb, LPCSTR objectName,
                                  LPCSTR version, LPCSTR referrer, LPCSTR* acceptTypes, DWORD flags,
                                  DWORD_PTR /*context*/) {
  return Guarded<HINTERNET>(nullptr, [&]() -> HINTERNET {
    const std::string_view verbText = verb != nullptr ? verb : "GET";
    if ((flags & ~kKnownRequestFlags) != 0 || referrer != nullptr ||
        (acceptTypes != nullptr && acceptTypes[0] != nullptr) ||
        (version != nullptr && std::string_view(version) != "HTTP/1.1") ||
        !platform::internet::IsToken(verbText)) {
      return NullWith(ERROR_INVALID_PARAMETER);
    }
    std::optional<std::string> target =
        platform::internet::RequestTargetOf(objectName != nullptr ? objectName : "");
    if (!target) return NullWith(ERROR_INTERNET_INVALID_URL);
    return OpenChildOrFail(connection, HandleKind::kConnection, [&](RequestTarget& request) {
      request.verb = verbText;
      request.target = std::move(*target);
    });
  });
}

BOOL WINAPI HttpSendRequestA(HINTERNET request, LPCSTR headers, DWORD headersLength,
                             LPVOID optional, DWORD optionalLength) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    DWORD error = 0;
    const std::optional<HandleRecord> record =
        HandleTable::Instance().Find(request, HandleKind::kRequest, error);
    if (!record) return FalseWith(error);
    std::string_view headerText;
    if (headers != nullptr) {
      headerText = headersLength == kNulTerminated ? std::string_view(headers)
                                                   : std::string_view(headers, headersLength);
    }
    const auto lines = platform::internet::SplitHeaderLines(headerText);
    if (!lines) return FalseWith(ERROR_HTTP_INVALID_HEADER);
    std::string_view body;
    if (optional != nullptr)
      body = std::string_view(static_cast<const char*>(optional), optionalLength);
    const DWORD failure =
        platform::internet::ExchangeHead(record->request, record->timeouts, *lines, body);
    return failure == 0 ? TRUE : FalseWith(failure);
  });
}

BOOL WINAPI InternetSetOptionA(HINTERNET handle, DWORD option, LPVOID buffer, DWORD bufferLength) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    const std::optional<DWORD Timeouts::*> timeout = TimeoutOf(option);
    if (!timeout) return FalseWith(ERROR_INTERNET_INVALID_OPTION);
    if (buffer == nullptr) return FalseWith(ERROR_INVALID_PARAMETER);
    if (bufferLength != sizeof(DWORD)) return FalseWith(ERROR_INTERNET_BAD_OPTION_LENGTH);
    DWORD milliseconds = 0;
    std::memcpy(&milliseconds, buffer, sizeof milliseconds);
    if (milliseconds == 0) return FalseWith(ERROR_INVALID_PARAMETER);
    const DWORD error = HandleTable::Instance().SetTimeout(handle, *timeout, milliseconds);
    return error == 0 ? TRUE : FalseWith(error);
  });
}

BOOL WINAPI InternetCloseHandle(HINTERNET handle) {
  return Guarded<BOOL>(FALSE, [&]() -> BOOL {
    return HandleTable::Instance().Close(handle) ? TRUE : FalseWith(ERROR_INVALID_HANDLE);
  });
}
