// Owners of libcurl's handles, and its one-time initialisation, for the
// platform facilities that run on libcurl (page fetches, the WinINet-style
// session). Linux side only.
#pragma once

#include <curl/curl.h>

#include <memory>
#include <string>

namespace platform::curl {

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct HeaderListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;
using HeaderList = std::unique_ptr<curl_slist, HeaderListDeleter>;

// curl_global_init, once per process, before the first easy handle.
void InitialiseOnce();

// Appends one line; false when libcurl could not, and the list so far then
// stays valid and owned.
[[nodiscard]] bool Append(HeaderList& list, const std::string& line);

}  // namespace platform::curl
