#include "tools/refservice/HttpServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <system_error>

#include "tools/refservice/HttpRequestReader.h"

namespace refservice {

namespace {

[[noreturn]] void ThrowErrno(const char* what) {
  throw std::system_error(errno, std::generic_category(), what);
}

HttpAnswer PlainError(int status) {
  HttpAnswer answer;
  answer.status = status;
  answer.headers.emplace_back("Content-Type", "text/plain; charset=utf-8");
  answer.body = std::string(ReasonPhrase(status)) + "\n";
  return answer;
}

bool ClientWantsClose(const HttpRequest& request) {
  const auto connection = FindHeader(request.headers, "Connection");
  if (request.version == "HTTP/1.0") {
    return !connection || !EqualsIgnoringCase(*connection, "keep-alive");
  }
  return connection && EqualsIgnoringCase(*connection, "close");
}

std::string HexSize(std::size_t size) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[size % 16]);
    size /= 16;
  } while (size != 0);
  return text;
}

// Sends FIN before closing so the peer reads everything written so far.
void CloseGracefully(UniqueFd& fd) {
  ::shutdown(fd.Get(), SHUT_WR);
  fd.Reset();
}

}  // namespace

HttpServer::HttpServer(HttpServerOptions options, Handler handler)
    : options_(options), handler_(std::move(handler)) {
  int pipeEnds[2];
  if (::pipe2(pipeEnds, O_CLOEXEC) != 0) ThrowErrno("pipe");
  wakeRead_.Reset(pipeEnds[0]);
  wakeWrite_.Reset(pipeEnds[1]);

  listener_.Reset(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!listener_.Valid()) ThrowErrno("socket");
  const int yes = 1;
  ::setsockopt(listener_.Get(), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(options_.port);
  if (::bind(listener_.Get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    ThrowErrno("bind");
  }
  if (::listen(listener_.Get(), 64) != 0) ThrowErrno("listen");
  socklen_t length = sizeof address;
  if (::getsockname(listener_.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ThrowErrno("getsockname");
  }
  port_ = ntohs(address.sin_port);

  const std::size_t workerCount = options_.workerThreads == 0 ? 1 : options_.workerThreads;
  for (std::size_t i = 0; i < workerCount; ++i) workers_.emplace_back([this] { WorkerLoop(); });
  acceptor_ = std::thread([this] { AcceptLoop(); });
}

HttpServer::~HttpServer() { Stop(); }

void HttpServer::Stop() {
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return;
    stopping_ = true;
  }
  // The byte is never read, so the pipe stays readable and wakes every
  // present and future wait.
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(wakeWrite_.Get(), &byte, 1);
  queueChanged_.notify_all();
  if (acceptor_.joinable()) acceptor_.join();
  for (auto& worker : workers_) worker.join();
  workers_.clear();
  std::lock_guard lock(mutex_);
  queue_.clear();
  listener_.Reset();
}

HttpServer::Wait HttpServer::WaitFor(int fd, short events, std::chrono::milliseconds timeout) {
  pollfd fds[2] = {{wakeRead_.Get(), POLLIN, 0}, {fd, events, 0}};
  const nfds_t count = fd >= 0 ? 2 : 1;
  while (true) {
    const int ready = ::poll(fds, count, static_cast<int>(timeout.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0 || fds[0].revents != 0) return Wait::kStopping;
    if (ready == 0) return Wait::kTimeout;
    return Wait::kReady;
  }
}

void HttpServer::AcceptLoop() {
  while (true) {
    {
      std::unique_lock lock(mutex_);
      queueChanged_.wait(
          lock, [this] { return stopping_ || queue_.size() < options_.maxQueuedConnections; });
      if (stopping_) return;
    }
    const Wait wait = WaitFor(listener_.Get(), POLLIN, std::chrono::milliseconds(-1));
    if (wait == Wait::kStopping) return;
    UniqueFd connection(::accept4(listener_.Get(), nullptr, nullptr, SOCK_CLOEXEC));
    if (!connection.Valid()) continue;
    const int yes = 1;
    ::setsockopt(connection.Get(), IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    {
      std::lock_guard lock(mutex_);
      queue_.emplace_back(std::move(connection), nextConnectionId_++);
    }
    queueChanged_.notify_all();
  }
}

void HttpServer::WorkerLoop() {
  while (true) {
    std::pair<UniqueFd, std::size_t> next;
    {
      std::unique_lock lock(mutex_);
      queueChanged_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      next = std::move(queue_.front());
      queue_.pop_front();
    }
    queueChanged_.notify_all();
    ServeConnection(std::move(next.first), next.second);
  }
}

void HttpServer::ServeConnection(UniqueFd connection, std::size_t connectionId) {
  HttpRequestReader reader;
  char block[4096];
  while (true) {
    while (reader.state() == HttpRequestReader::State::kNeedMore) {
      if (WaitFor(connection.Get(), POLLIN, options_.idleTimeout) != Wait::kReady) return;
      const ssize_t received = ::recv(connection.Get(), block, sizeof block, 0);
      if (received < 0 && errno == EINTR) continue;
      if (received <= 0) return;
      reader.Feed(std::string_view(block, static_cast<std::size_t>(received)));
      if (reader.TakeContinueRequest() &&
          !SendAll(connection.Get(), "HTTP/1.1 100 Continue\r\n\r\n")) {
        return;
      }
    }
    switch (reader.state()) {
      case HttpRequestReader::State::kBadRequest:
        WriteAnswer(connection.Get(), HttpRequest(), PlainError(400), true);
        return CloseGracefully(connection);
      case HttpRequestReader::State::kHeadTooLarge:
        WriteAnswer(connection.Get(), HttpRequest(), PlainError(431), true);
        return CloseGracefully(connection);
      case HttpRequestReader::State::kBodyTooLarge:
        WriteAnswer(connection.Get(), HttpRequest(), PlainError(413), true);
        return CloseGracefully(connection);
      default:
        break;
    }
    HttpRequest request = reader.Take();
    request.connectionId = connectionId;
    const HttpAnswer answer = handler_(request);
    if (answer.delay.count() > 0 && WaitFor(-1, 0, answer.delay) == Wait::kStopping) return;
    if (answer.closeWithoutAnswer) return CloseGracefully(connection);
    const bool close = ClientWantsClose(request) || answer.closeAfterAnswer ||
                       answer.truncateBodyAfter.has_value();
    if (!WriteAnswer(connection.Get(), request, answer, close) || close) {
      return CloseGracefully(connection);
    }
  }
}

bool HttpServer::WriteAnswer(int fd, const HttpRequest& request, const HttpAnswer& answer,
                             bool close) {
  const bool chunked = answer.chunkSize > 0;
  std::string head = "HTTP/1.1 " + std::to_string(answer.status) + " " +
                     std::string(ReasonPhrase(answer.status)) + "\r\n";
  for (const auto& [name, value] : answer.headers) head += name + ": " + value + "\r\n";
  if (chunked) {
    head += "Transfer-Encoding: chunked\r\n";
  } else {
    head += "Content-Length: " + std::to_string(answer.body.size()) + "\r\n";
  }
  if (close) head += "Connection: close\r\n";
  head += "\r\n";

  const bool headOnly = request.method == "HEAD";
  const std::size_t bodyLimit = answer.truncateBodyAfter
                                    ? std::min(*answer.truncateBodyAfter, answer.body.size())
                                    : answer.body.size();
  if (!chunked) {
    if (headOnly) return SendAll(fd, head);
    return SendAll(fd, head + answer.body.substr(0, bodyLimit));
  }
  if (!SendAll(fd, head)) return false;
  if (headOnly) return true;
  // Truncation of a chunked body stops inside the chunk stream, before the
  // last chunk, so the client sees an unfinished body either way.
  std::size_t sent = 0;
  while (sent < bodyLimit) {
    const std::size_t size = std::min(answer.chunkSize, answer.body.size() - sent);
    const std::string chunk = HexSize(size) + "\r\n" + answer.body.substr(sent, size) + "\r\n";
    const std::size_t keep = std::min(size, bodyLimit - sent);
    if (keep < size) {
      return SendAll(fd, chunk.substr(0, HexSize(size).size() + 2 + keep));
    }
    if (!SendAll(fd, chunk)) return false;
    sent += size;
  }
  if (answer.truncateBodyAfter && *answer.truncateBodyAfter < answer.body.size()) return true;
  return SendAll(fd, "0\r\n\r\n");
}

bool HttpServer::SendAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(sent));
      continue;
    }
    if (sent < 0 && errno == EINTR) continue;
    if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (WaitFor(fd, POLLOUT, options_.idleTimeout) != Wait::kReady) return false;
      continue;
    }
    return false;
  }
  return true;
}

}  // namespace refservice
