#include "platform/browser/UserAgent.h"

#include <cstring>
#include <mutex>

namespace {

std::mutex gMutex;  // guards gUserAgent
std::string gUserAgent(platform::kDefaultUserAgent);

}  // namespace

HRESULT STDAPICALLTYPE UrlMkGetSessionOption(DWORD option, void* buffer, DWORD bufferLength,
                                             DWORD* length, DWORD /*reserved*/) {
  if (option != URLMON_OPTION_USERAGENT) return E_INVALIDARG;
  if (length == nullptr) return E_POINTER;
  const std::string userAgent = platform::UserAgent();
  if (buffer == nullptr || bufferLength < userAgent.size() + 1) {
    *length = static_cast<DWORD>(userAgent.size());
    return E_OUTOFMEMORY;
  }
  std::memcpy(buffer, userAgent.c_str(), userAgent.size() + 1);
  *length = static_cast<DWORD>(userAgent.size() + 1);
  return S_OK;
}

HRESULT STDAPICALLTYPE UrlMkSetSessionOption(DWORD option, void* buffer, DWORD bufferLength,
                                             DWORD /*reserved*/) {
  if (option == URLMON_OPTION_USERAGENT_REFRESH) {
    platform::SetUserAgent(platform::kDefaultUserAgent);
    return S_OK;
  }
  if (option != URLMON_OPTION_USERAGENT || buffer == nullptr) return E_INVALIDARG;
  std::string_view text(static_cast<const char*>(buffer), bufferLength);
  if (const auto end = text.find('\0'); end != std::string_view::npos) text = text.substr(0, end);
  platform::SetUserAgent(text);
  return S_OK;
}

namespace platform {

std::string UserAgent() {
  std::lock_guard lock(gMutex);
  return gUserAgent;
}

void SetUserAgent(std::string_view userAgent) {
  std::lock_guard lock(gMutex);
  gUserAgent = userAgent;
}

}  // namespace platform
