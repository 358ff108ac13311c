// Owners of libcurl's handles, and its one-time initialisation, for the
// platform facilities that run on libcurl (page fetches, the WinINet-style
// session, the URL-moniker download). Linux side only.
#pragma once

#include <curl/curl.h>

#include <memory>
#include <string>

namespace platform::curl {

struct EasyDeleter {
  void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
  void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct HeaderListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;
using MultiHandle = std::unique_ptr<CURLM, MultiDeleter>;
using HeaderList = std::unique_ptr<curl_slist, HeaderListDeleter>;

// An easy handle's place in a multi handle for one transfer: added on
// construction, removed before either handle may be cleaned up. Declare it
// after both handles.
class MultiMembership {
 public:
  MultiMembership(CURLM* multi, CURL* easy)
      : multi_(multi), easy_(easy), added_(curl_multi_add_handle(multi, easy) == CURLM_OK) {}
  ~MultiMembership() {
    if (added_) curl_multi_remove_handle(multi_, easy_);
  }
  MultiMembership(const MultiMembership&) = delete;
  MultiMembership& operator=(const MultiMembership&) = delete;

  bool IsAdded() const { return added_; }

 private:
  CURLM* multi_;
  CURL* easy_;
  bool added_;
};

// curl_global_init, once per process, before the first easy handle.
void InitialiseOnce();

// Appends one line; false when libcurl could not, and the list so far then
// stays valid and owned.
[[nodiscard]] bool Append(HeaderList& list, const std::string& line);

}  // namespace platform::curl
