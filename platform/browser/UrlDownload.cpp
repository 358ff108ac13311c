// URLDownloadToFileA on libcurl's multi interface, so that the wait for a
// silent peer is a wait on the product's clock (a VirtualClock in tests)
// rather than on libcurl's own timers, which read the host's.
#include <poll.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "platform/browser/UrlMon.h"
#include "platform/browser/UserAgent.h"
#include "platform/clock/Clock.h"
#include "platform/curl/CurlHandles.h"
#include "platform/files/FileSystem.h"
#include "platform/net/VirtualClockWake.h"
#include "platform/text/CodePage.h"
#include "platform/trace/Contain.h"

namespace platform::browser {
namespace {

constexpr long kMaxRedirects = 10;

// `lowerPrefix` in lower case; the text's ASCII letters in either.
bool StartsWithIgnoringCase(std::string_view text, std::string_view lowerPrefix) {
  return text.size() >= lowerPrefix.size() &&
         std::equal(lowerPrefix.begin(), lowerPrefix.end(), text.begin(), [](char lower, char c) {
           return lower == (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
         });
}

bool IsHttpUrl(std::string_view url) {
  return StartsWithIgnoringCase(url, "http://") || StartsWithIgnoringCase(url, "https://");
}

ULONG Saturated(std::uint64_t value) {
  return static_cast<ULONG>(std::min<std::uint64_t>(value, ULONG_MAX));
}

// The body's way to disk: a file beside the target that takes the target's
// place only once the body is complete, and is removed otherwise.
class PartialFile {
 public:
  explicit PartialFile(std::filesystem::path target)
      : target_(std::move(target)), partial_(PartialName(target_)) {
    stream_.open(partial_, std::ios::binary | std::ios::trunc);
  }
  ~PartialFile() {
    if (committed_) return;
    stream_.close();
    std::error_code ignored;
    std::filesystem::remove(partial_, ignored);
  }
  PartialFile(const PartialFile&) = delete;
  PartialFile& operator=(const PartialFile&) = delete;

  bool IsOpen() const { return stream_.is_open(); }
  bool Write(const char* data, std::size_t size) {
    stream_.write(data, static_cast<std::streamsize>(size));
    return stream_.good();
  }
  bool Commit() {
    stream_.close();
    if (stream_.fail()) return false;
    std::error_code error;
    std::filesystem::rename(partial_, target_, error);
    committed_ = !error;
    return committed_;
  }

 private:
  // Unique within the process, so two downloads to one file never share it.
  static std::filesystem::path PartialName(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    std::filesystem::path name = target;
    name += ".partial-" + std::to_string(counter.fetch_add(1));
    return name;
  }

  std::filesystem::path target_;
  std::filesystem::path partial_;
  std::ofstream stream_;
  bool committed_ = false;
};

// What the transfer's callbacks share with the call.
struct Transfer {
  CURL* easy = nullptr;
  IBindStatusCallback* callback = nullptr;
  std::u16string url;
  PartialFile* file = nullptr;
  std::uint64_t received = 0;
  ULONG announced = 0;
  bool begun = false;
  bool aborted = false;
  bool refusedStatus = false;
  bool writeFailed = false;
  std::uint64_t lastHeardMs = 0;

  // False when the callback asked to stop.
  bool Report(ULONG status, ULONG progress) {
    if (callback == nullptr) return true;
    aborted = FAILED(callback->OnProgress(progress, announced, status, url.c_str()));
    return !aborted;
  }

  // At the final answer's first body byte, or at its end when it has none:
  // only a 2xx answer is the file asked for.
  bool Begin() {
    begun = true;
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status > 299) {
      refusedStatus = true;
      return false;
    }
    curl_off_t length = -1;
    if (curl_easy_getinfo(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK &&
        length > 0) {
      announced = Saturated(static_cast<std::uint64_t>(length));
    }
    return Report(BINDSTATUS_BEGINDOWNLOADDATA, 0);
  }
};

std::size_t OnHeader(char*, std::size_t size, std::size_t count, void* target) {
  static_cast<Transfer*>(target)->lastHeardMs = TickCount64();
  return size * count;
}

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* target) {
  auto& transfer = *static_cast<Transfer*>(target);
  const std::size_t bytes = size * count;
  transfer.lastHeardMs = TickCount64();
  if (!transfer.begun && !transfer.Begin()) return 0;
  if (!transfer.file->Write(data, bytes)) {
    transfer.writeFailed = true;
    return 0;
  }
  transfer.received += bytes;
  if (!transfer.Report(BINDSTATUS_DOWNLOADINGDATA, Saturated(transfer.received))) return 0;
  return bytes;
}

CURLcode FinishedResult(CURLM* multi) {
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
    if (message->msg == CURLMSG_DONE) return message->data.result;
  }
  return CURLE_GOT_NOTHING;
}

// One wait for the transfer's sockets. Under a VirtualClock it has no limit
// of its own: it ends at socket activity, at libcurl's own timers, or when
// the clock is advanced, and the caller then reads the clock again.
CURLMcode WaitForActivity(CURLM* multi, std::optional<net::VirtualClockWake>& wake,
                          std::uint64_t millisecondsLeft) {
  if (!wake || !IsClockVirtual()) {
    return curl_multi_poll(multi, nullptr, 0,
                           static_cast<int>(std::min<std::uint64_t>(millisecondsLeft, INT_MAX)),
                           nullptr);
  }
  CURLMcode result = CURLM_OK;
  wake->WaitUntilAdvance([&](pollfd& entry) {
    curl_waitfd extra{entry.fd, CURL_WAIT_POLLIN, 0};
    int ready = 0;
    result = curl_multi_poll(multi, &extra, 1, INT_MAX, &ready);
    entry.revents = (extra.revents & CURL_WAIT_POLLIN) != 0 ? POLLIN : 0;
    return ready;
  });
  return result;
}

// libcurl's result, or nullopt when the peer fell silent for too long.
std::optional<CURLcode> RunTransfer(CURLM* multi, Transfer& transfer) {
  std::optional<net::VirtualClockWake> wake;
  if (IsClockVirtual()) wake.emplace();  // before the clock is first read
  if (wake && !wake->IsValid()) return CURLE_OUT_OF_MEMORY;
  transfer.lastHeardMs = TickCount64();
  for (;;) {
    int running = 0;
    if (curl_multi_perform(multi, &running) != CURLM_OK) return CURLE_OUT_OF_MEMORY;
    if (running == 0) return FinishedResult(multi);
    const std::uint64_t now = TickCount64();
    const std::uint64_t silentAt = transfer.lastHeardMs + kDownloadSilenceLimitMs;
    if (now >= silentAt) return std::nullopt;
    if (WaitForActivity(multi, wake, silentAt - now) != CURLM_OK) return CURLE_RECV_ERROR;
  }
}

HRESULT ResultOf(CURLcode code, CURL* easy) {
  switch (code) {
    case CURLE_UNSUPPORTED_PROTOCOL: {
      // Also what libcurl says of an answer without a status line; only a
      // redirect it would not follow is another scheme.
      long status = 0;
      curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
      return status >= 300 && status <= 399 ? INET_E_UNKNOWN_PROTOCOL : INET_E_DOWNLOAD_FAILURE;
    }
    case CURLE_COULDNT_RESOLVE_HOST:
      return INET_E_RESOURCE_NOT_FOUND;
    case CURLE_COULDNT_CONNECT:
      return INET_E_CANNOT_CONNECT;
    case CURLE_OUT_OF_MEMORY:
      return E_OUTOFMEMORY;
    default:
      return INET_E_DOWNLOAD_FAILURE;
  }
}

HRESULT DownloadToFile(std::string_view url, std::string_view fileName,
                       IBindStatusCallback* callback) {
  if (!IsHttpUrl(url)) return INET_E_UNKNOWN_PROTOCOL;
  const std::optional<std::string> hostPath = ToHostPath(fileName);
  if (!hostPath) return INET_E_DOWNLOAD_FAILURE;
  PartialFile file(*hostPath);
  if (!file.IsOpen()) return INET_E_DOWNLOAD_FAILURE;

  curl::InitialiseOnce();
  const curl::EasyHandle easy(curl_easy_init());
  const curl::MultiHandle multi(curl_multi_init());
  if (!easy || !multi) return E_OUTOFMEMORY;
  Transfer transfer;
  transfer.easy = easy.get();
  transfer.callback = callback;
  transfer.url = AnsiToWide(url);
  transfer.file = &file;

  const std::string urlText(url);
  const std::string userAgent = UserAgent();
  CURL* handle = easy.get();
  curl_easy_setopt(handle, CURLOPT_URL, urlText.c_str());
  curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(handle, CURLOPT_MAXREDIRS, kMaxRedirects);
  curl_easy_setopt(handle, CURLOPT_HTTP09_ALLOWED, 0L);
  curl_easy_setopt(handle, CURLOPT_PROXY, "");
  curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(handle, CURLOPT_USERAGENT, userAgent.c_str());
  curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &OnHeader);
  curl_easy_setopt(handle, CURLOPT_HEADERDATA, &transfer);
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &OnBody);
  curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);

  const curl::MultiMembership membership(multi.get(), handle);
  if (!membership.IsAdded()) return E_OUTOFMEMORY;
  const std::optional<CURLcode> result = RunTransfer(multi.get(), transfer);
  if (transfer.aborted) return E_ABORT;
  if (!result) return INET_E_CONNECTION_TIMEOUT;
  if (transfer.refusedStatus || transfer.writeFailed) return INET_E_DOWNLOAD_FAILURE;
  if (*result != CURLE_OK) return ResultOf(*result, handle);
  if (!transfer.begun && !transfer.Begin()) {
    return transfer.aborted ? E_ABORT : INET_E_DOWNLOAD_FAILURE;
  }
  if (!transfer.Report(BINDSTATUS_ENDDOWNLOADDATA, Saturated(transfer.received))) return E_ABORT;
  return file.Commit() ? S_OK : INET_E_DOWNLOAD_FAILURE;
}

}  // namespace
}  // namespace platform::browser

HRESULT STDAPICALLTYPE URLDownloadToFileA(LPUNKNOWN caller, LPCSTR url, LPCSTR fileName,
                                          DWORD reserved, LPBINDSTATUSCALLBACK callback) {
  if (caller != nullptr || url == nullptr || fileName == nullptr || reserved != 0) {
    return E_INVALIDARG;
  }
  return platform::Contain("URLDownloadToFileA", INET_E_DOWNLOAD_FAILURE, E_OUTOFMEMORY, [&] {
    return platform::browser::DownloadToFile(url, fileName, callback);
  });
}
