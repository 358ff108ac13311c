// A small real HTTP/1.1 server on 127.0.0.1. One thread accepts, a fixed
// pool of workers serves connections (keep-alive until the client asks for
// "Connection: close" or stays idle too long). Every blocking wait also
// watches a wake pipe, so Stop() returns promptly even with idle or
// half-sent connections open.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "tools/refservice/HttpMessage.h"
#include "tools/refservice/UniqueFd.h"

namespace refservice {

struct HttpServerOptions {
  std::uint16_t port = 0;  // 0: the system picks a free port
  std::size_t workerThreads = 8;
  std::size_t maxQueuedConnections = 64;
  std::chrono::milliseconds idleTimeout{10000};
};

class HttpServer {
 public:
  // Called on a worker thread, possibly on several at once.
  using Handler = std::function<HttpAnswer(const HttpRequest&)>;

  // Binds and starts listening; throws std::system_error on failure.
  HttpServer(HttpServerOptions options, Handler handler);
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  std::uint16_t port() const { return port_; }

  // Closes the listener and every connection, joins all threads. Idempotent.
  void Stop();

 private:
  enum class Wait { kReady, kTimeout, kStopping };

  void AcceptLoop();
  void WorkerLoop();
  void ServeConnection(UniqueFd connection, std::size_t connectionId);
  bool WriteAnswer(int fd, const HttpRequest& request, const HttpAnswer& answer, bool close);
  bool SendAll(int fd, std::string_view bytes);
  Wait WaitFor(int fd, short events, std::chrono::milliseconds timeout);

  const HttpServerOptions options_;
  const Handler handler_;
  UniqueFd listener_;
  UniqueFd wakeRead_;
  UniqueFd wakeWrite_;
  std::uint16_t port_ = 0;

  std::mutex mutex_;  // guards queue_, stopping_, nextConnectionId_
  std::condition_variable queueChanged_;
  std::deque<std::pair<UniqueFd, std::size_t>> queue_;
  bool stopping_ = false;
  std::size_t nextConnectionId_ = 1;

  std::thread acceptor_;
  std::vector<std::thread> workers_;
};

}  // namespace refservice
