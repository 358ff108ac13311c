#include "platform/curl/CurlHandles.h"

#include <mutex>

namespace platform::curl {

void InitialiseOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool Append(HeaderList& list, const std::string& line) {
  curl_slist* appended = curl_slist_append(list.get(), line.c_str());
  if (appended == nullptr) return false;
  (void)list.release();
  list.reset(appended);
  return true;
}

}  // namespace platform::curl
