#include "session/ads/SessionUserAgent.h"

#include <cstring>
#include <string_view>

#include "platform/browser/UrlMon.h"
#include "platform/text/CodePage.h"

namespace session {

std::u16string ReadSessionUserAgent() {
  DWORD size = 0;
  // The size query answers E_OUTOFMEMORY by design: only `size` matters.
  (void)UrlMkGetSessionOption(URLMON_OPTION_USERAGENT, nullptr, 0, &size, 0);
  if (size == 0) return {};
  std::string buffer(size + 1, '\0');
  DWORD written = 0;
  if (FAILED(UrlMkGetSessionOption(URLMON_OPTION_USERAGENT, buffer.data(), size + 1, &written, 0)))
    return {};
  // Never trusted to stop at the buffer's end: the last byte stays NUL.
  return platform::AnsiToWide(std::string_view(buffer.c_str(), std::strlen(buffer.c_str())));
}

}  // namespace session
