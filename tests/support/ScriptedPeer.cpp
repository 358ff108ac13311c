#include "tests/support/ScriptedPeer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <stdexcept>

#include "platform/clock/Clock.h"

namespace test_support {
namespace {

using Clock = std::chrono::steady_clock;

enum class Ready { kYes, kStopped, kTimedOut };

// Waits until `fd` has `events`, the stop pipe is written, or `limit` passes.
Ready WaitFor(int fd, short events, int stopFd, std::chrono::milliseconds limit) {
  Clock::time_point until = Clock::now() + limit;
  for (;;) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
    if (left.count() < 0) left = std::chrono::milliseconds(0);
    pollfd entries[2] = {{stopFd, POLLIN, 0}, {fd, events, 0}};
    int ready = ::poll(entries, fd >= 0 ? 2 : 1, static_cast<int>(left.count()));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0 || entries[0].revents != 0) return Ready::kStopped;
    if (ready > 0) return Ready::kYes;
    if (Clock::now() >= until) return Ready::kTimedOut;
  }
}

// Real time left until `until`, in whole milliseconds rounded up.
int MillisecondsLeft(Clock::time_point until) {
  auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
  return static_cast<int>(std::max<long long>(left.count(), 0));
}

sockaddr_in LoopbackAddress(const std::string& address, std::uint16_t port) {
  sockaddr_in socketAddress{};
  socketAddress.sin_family = AF_INET;
  socketAddress.sin_port = htons(port);
  if (::inet_pton(AF_INET, address.c_str(), &socketAddress.sin_addr) != 1) {
    throw std::invalid_argument("not an IPv4 address: " + address);
  }
  return socketAddress;
}

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

// The Content-Length a request head announces, 0 when it has none.
std::size_t ContentLengthOf(const std::string& head) {
  std::string lower = LowerAscii(head);
  std::size_t at = lower.find("\r\ncontent-length:");
  if (at == std::string::npos) return 0;
  return static_cast<std::size_t>(std::strtoull(lower.c_str() + at + 17, nullptr, 10));
}

}  // namespace

ConnectionScript& ConnectionScript::ReadRequest() {
  steps_.push_back({Kind::kReadRequest, {}, {}});
  return *this;
}

ConnectionScript& ConnectionScript::Send(std::string bytes, std::size_t pieceSize,
                                         std::chrono::milliseconds pause) {
  std::vector<std::string> pieces;
  if (pieceSize == 0) pieceSize = bytes.size() + 1;
  for (std::size_t at = 0; at < bytes.size(); at += pieceSize)
    pieces.push_back(bytes.substr(at, pieceSize));
  steps_.push_back({Kind::kSend, std::move(pieces), pause});
  return *this;
}

ConnectionScript& ConnectionScript::SendPieces(std::vector<std::string> pieces) {
  steps_.push_back({Kind::kSend, std::move(pieces), {}});
  return *this;
}

ConnectionScript& ConnectionScript::Pause(std::chrono::milliseconds pause) {
  steps_.push_back({Kind::kPause, {}, pause});
  return *this;
}

ConnectionScript& ConnectionScript::WaitForClientClose() {
  steps_.push_back({Kind::kWaitForClientClose, {}, {}});
  return *this;
}

ScriptedPeer::ScriptedPeer(std::string address) : address_(std::move(address)) {
  listener_ = PosixFd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  int pipeEnds[2];
  if (!listener_.IsValid() || ::pipe2(pipeEnds, O_CLOEXEC) != 0) {
    throw std::runtime_error("ScriptedPeer: no socket or pipe");
  }
  stopRead_ = PosixFd(pipeEnds[0]);
  stopWrite_ = PosixFd(pipeEnds[1]);
  sockaddr_in socketAddress = LoopbackAddress(address_, 0);
  socklen_t length = sizeof socketAddress;
  if (::bind(listener_.Get(), reinterpret_cast<sockaddr*>(&socketAddress), sizeof socketAddress) !=
          0 ||
      ::listen(listener_.Get(), 16) != 0 ||
      ::getsockname(listener_.Get(), reinterpret_cast<sockaddr*>(&socketAddress), &length) != 0) {
    throw std::runtime_error("ScriptedPeer: cannot listen on " + address_);
  }
  port_ = ntohs(socketAddress.sin_port);
}

ScriptedPeer::~ScriptedPeer() {
  if (thread_.joinable()) {
    char stop = 's';
    (void)!::write(stopWrite_.Get(), &stop, 1);
    thread_.join();
  }
}

std::string ScriptedPeer::Url(std::string_view pathAndQuery) const {
  return "http://" + address_ + ":" + std::to_string(port_) + std::string(pathAndQuery);
}

void ScriptedPeer::Serve(std::vector<ConnectionScript> scripts) {
  thread_ =
      std::thread([this, scripts = std::move(scripts)]() mutable { Run(std::move(scripts)); });
}

PeerRecord ScriptedPeer::Finish() {
  if (thread_.joinable()) thread_.join();
  return record_;
}

void ScriptedPeer::Run(std::vector<ConnectionScript> scripts) {
  for (const ConnectionScript& script : scripts) {
    Ready ready = WaitFor(listener_.Get(), POLLIN, stopRead_.Get(), kPeerWait);
    if (ready != Ready::kYes) {
      record_.problem = ready == Ready::kStopped ? "stopped before all connections were made"
                                                 : "client did not connect in time";
      return;
    }
    PosixFd connection(::accept4(listener_.Get(), nullptr, nullptr, SOCK_CLOEXEC));
    if (!connection.IsValid()) {
      record_.problem = "accept failed";
      return;
    }
    int noDelay = 1;
    ::setsockopt(connection.Get(), IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
    record_.connections.emplace_back();
    Play(script, std::move(connection), record_.connections.back());
    if (!record_.problem.empty()) return;
  }
}

void ScriptedPeer::Play(const ConnectionScript& script, PosixFd connection,
                        RecordedConnection& record) {
  // Bytes read past one request belong to the next (a redirect on the same
  // connection).
  std::string pending;
  auto receiveMore = [&]() -> int {  // 1 data, 0 client closed, -1 problem recorded
    Ready ready = WaitFor(connection.Get(), POLLIN, stopRead_.Get(), kPeerWait);
    if (ready != Ready::kYes) {
      record_.problem =
          ready == Ready::kStopped ? "stopped while reading" : "client sent nothing in time";
      return -1;
    }
    char buffer[4096];
    ssize_t received = ::recv(connection.Get(), buffer, sizeof buffer, 0);
    if (received <= 0) return 0;
    pending.append(buffer, static_cast<std::size_t>(received));
    return 1;
  };

  for (const ConnectionScript::Step& step : script.steps_) {
    switch (step.kind) {
      case ConnectionScript::Kind::kReadRequest: {
        std::size_t headEnd;
        while ((headEnd = pending.find("\r\n\r\n")) == std::string::npos) {
          int more = receiveMore();
          if (more < 0) return;
          if (more == 0) {
            record.clientClosedEarly = true;
            if (!pending.empty()) record.requests.push_back(pending);
            return;
          }
        }
        std::size_t total = headEnd + 4 + ContentLengthOf(pending.substr(0, headEnd + 2));
        while (pending.size() < total) {
          int more = receiveMore();
          if (more < 0) return;
          if (more == 0) {
            record.clientClosedEarly = true;
            record.requests.push_back(pending);
            return;
          }
        }
        record.requests.push_back(pending.substr(0, total));
        pending.erase(0, total);
        CountProgress(requestsRead_);
        break;
      }
      case ConnectionScript::Kind::kSend:
        for (std::size_t i = 0; i < step.pieces.size(); ++i) {
          if (i > 0 && step.pause.count() > 0 &&
              !GoOnAfter(PauseFor(step.pause, connection.Get()), record)) {
            return;
          }
          const std::string& piece = step.pieces[i];
          if (::send(connection.Get(), piece.data(), piece.size(), MSG_NOSIGNAL) !=
              static_cast<ssize_t>(piece.size())) {
            record.clientClosedEarly = true;
            return;
          }
        }
        break;
      case ConnectionScript::Kind::kPause:
        if (!GoOnAfter(PauseFor(step.pause, connection.Get()), record)) return;
        break;
      case ConnectionScript::Kind::kWaitForClientClose:
        for (;;) {
          int more = receiveMore();
          if (more < 0) return;
          if (more == 0) break;
        }
        break;
    }
  }
}

ScriptedPeer::PauseEnd ScriptedPeer::PauseFor(std::chrono::milliseconds pause, int connection) {
  if (platform::IsClockVirtual()) return PauseOnVirtualClock(pause, connection);
  CountProgress(pausesBegun_);
  // POLLRDHUP: the client closed; data it sends meanwhile waits for the
  // next ReadRequest.
  switch (WaitFor(connection, POLLRDHUP, stopRead_.Get(), pause)) {
    case Ready::kYes:
      return PauseEnd::kClientGone;
    case Ready::kStopped:
      return PauseEnd::kStopped;
    case Ready::kTimedOut:
      break;
  }
  return PauseEnd::kOver;
}

ScriptedPeer::PauseEnd ScriptedPeer::PauseOnVirtualClock(std::chrono::milliseconds pause,
                                                         int connection) {
  // The callback owns the event: Advance may call a copy of it after the
  // listener is gone.
  auto advanced = std::make_shared<PosixFd>(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
  if (!advanced->IsValid()) return PauseEnd::kFailed;
  platform::ClockAdvanceListener listener([advanced] {
    std::uint64_t one = 1;
    (void)!::write(advanced->Get(), &one, sizeof one);
  });
  // Read after listening, so every advance after this reading wakes the poll.
  const std::uint64_t end = platform::TickCount64() + static_cast<std::uint64_t>(pause.count());
  CountProgress(pausesBegun_);
  const Clock::time_point guard = Clock::now() + kPeerWait;
  while (platform::TickCount64() < end) {
    // A test that removed its clock has stopped driving the pause.
    if (!platform::IsClockVirtual()) return PauseEnd::kOver;
    if (Clock::now() >= guard) return PauseEnd::kNoVirtualAdvance;
    pollfd entries[3] = {
        {stopRead_.Get(), POLLIN, 0}, {connection, POLLRDHUP, 0}, {advanced->Get(), POLLIN, 0}};
    int ready = ::poll(entries, 3, MillisecondsLeft(guard));
    if (ready < 0 && errno == EINTR) continue;
    if (ready < 0) return PauseEnd::kFailed;
    if (entries[0].revents != 0) return PauseEnd::kStopped;
    if (entries[1].revents != 0) return PauseEnd::kClientGone;
    if (entries[2].revents != 0) {
      std::uint64_t count;
      (void)!::read(advanced->Get(), &count, sizeof count);
    }
  }
  return PauseEnd::kOver;
}

bool ScriptedPeer::GoOnAfter(PauseEnd end, RecordedConnection& record) {
  switch (end) {
    case PauseEnd::kOver:
      return true;
    case PauseEnd::kClientGone:
      record.clientClosedEarly = true;
      return false;
    case PauseEnd::kStopped:
      return false;
    case PauseEnd::kNoVirtualAdvance:
      record_.problem = "the virtual clock did not reach the end of a pause in time";
      return false;
    case PauseEnd::kFailed:
      record_.problem = "a pause could not wait";
      return false;
  }
  return false;
}

void ScriptedPeer::CountProgress(std::size_t& counter) {
  {
    std::lock_guard lock(progressMutex_);
    ++counter;
  }
  progressMade_.notify_all();
}

bool ScriptedPeer::AwaitProgress(const std::size_t& counter, std::size_t count) {
  std::unique_lock lock(progressMutex_);
  return progressMade_.wait_for(lock, kPeerWait, [&] { return counter >= count; });
}

bool ScriptedPeer::AwaitRequests(std::size_t count) { return AwaitProgress(requestsRead_, count); }

bool ScriptedPeer::AwaitPause(std::size_t count) { return AwaitProgress(pausesBegun_, count); }

std::uint16_t UnusedLoopbackPort() {
  PosixFd probe(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  sockaddr_in socketAddress = LoopbackAddress("127.0.0.1", 0);
  socklen_t length = sizeof socketAddress;
  if (!probe.IsValid() ||
      ::bind(probe.Get(), reinterpret_cast<sockaddr*>(&socketAddress), sizeof socketAddress) != 0 ||
      ::getsockname(probe.Get(), reinterpret_cast<sockaddr*>(&socketAddress), &length) != 0) {
    throw std::runtime_error("UnusedLoopbackPort: cannot bind");
  }
  return ntohs(socketAddress.sin_port);
}

}  // namespace test_support
