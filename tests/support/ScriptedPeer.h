// A scripted HTTP server on a loopback address for tests of the HTTP client
// and everything built on it. It listens on a port the system chooses,
// plays one script per accepted connection (in order), records the exact
// bytes of every request it reads, and answers with the bytes the test
// gives, split and paced as the test chooses.
//
//   test_support::ScriptedPeer peer;                     // 127.0.0.1, any port
//   peer.Serve({test_support::ConnectionScript()
//                   .ReadRequest()
//                   .Send("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok", 1)});
//   ... run the client against peer.Url("/path") ...
//   test_support::PeerRecord record = peer.Finish();
//   EXPECT_EQ(record.problem, "");
//   EXPECT_EQ(record.connections[0].requests[0], "POST /path HTTP/1.1\r\n...");
//
// Every wait of the peer is bounded (kPeerWait of real time), so a client
// that never connects or never sends, or a test that never advances its
// VirtualClock through a pause, makes Finish report a problem instead of
// hanging. A test whose client holds its connection open (a time-out test)
// must close or reset the client before calling Finish.
//
// Pauses run on the product's clock. With a VirtualClock installed a pause
// lasts until the test has advanced the clock by its length; AwaitPause tells
// the test when the peer has begun one, so that it advances neither too
// early nor while a piece is still unsent. AwaitRequests tells it that a
// request has arrived, so that the client has gone on to wait for the answer.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "tests/support/PosixFd.h"

namespace test_support {

inline constexpr std::chrono::milliseconds kPeerWait{5000};

// What the peer does on one connection, step by step. When the steps are
// done it closes the connection.
class ConnectionScript {
 public:
  // Reads one complete request (head up to the empty line, then
  // Content-Length bytes of body) and records it.
  ConnectionScript& ReadRequest();
  // Sends `bytes` in pieces of `pieceSize` bytes (0: in one piece), pausing
  // `pause` between pieces. Stops quietly if the client has gone.
  ConnectionScript& Send(std::string bytes, std::size_t pieceSize = 0,
                         std::chrono::milliseconds pause = std::chrono::milliseconds(0));
  // Sends the pieces exactly as split here, one send each.
  ConnectionScript& SendPieces(std::vector<std::string> pieces);
  // Waits `pause` on the product's clock (see above). Stops the script
  // quietly if the client closes meanwhile.
  ConnectionScript& Pause(std::chrono::milliseconds pause);
  // Answers nothing and keeps the connection open until the client closes it.
  ConnectionScript& WaitForClientClose();

 private:
  friend class ScriptedPeer;
  enum class Kind { kReadRequest, kSend, kPause, kWaitForClientClose };
  struct Step {
    Kind kind;
    std::vector<std::string> pieces;
    std::chrono::milliseconds pause{0};
  };
  std::vector<Step> steps_;
};

struct RecordedConnection {
  std::vector<std::string> requests;  // exact bytes, one entry per ReadRequest
  bool clientClosedEarly = false;     // the client went away before the script ended
};

struct PeerRecord {
  std::vector<RecordedConnection> connections;
  std::string problem;  // empty when every script played out within kPeerWait
};

class ScriptedPeer {
 public:
  // Listens at once on `address` (any address of 127.0.0.0/8).
  explicit ScriptedPeer(std::string address = "127.0.0.1");
  ~ScriptedPeer();
  ScriptedPeer(const ScriptedPeer&) = delete;
  ScriptedPeer& operator=(const ScriptedPeer&) = delete;

  std::uint16_t Port() const { return port_; }
  const std::string& Address() const { return address_; }
  // "http://<address>:<port>" followed by `pathAndQuery`.
  std::string Url(std::string_view pathAndQuery = "/") const;

  // Starts serving; the n-th accepted connection plays scripts[n]. Call once.
  void Serve(std::vector<ConnectionScript> scripts);
  // Waits until the scripts have played out and returns what was recorded.
  PeerRecord Finish();

  // Each blocks until the peer has read `count` complete requests, or begun
  // its `count`-th pause, counted over all connections; false when that did
  // not happen within kPeerWait.
  [[nodiscard]] bool AwaitRequests(std::size_t count);
  [[nodiscard]] bool AwaitPause(std::size_t count);

 private:
  enum class PauseEnd { kOver, kClientGone, kStopped, kNoVirtualAdvance, kFailed };

  void Run(std::vector<ConnectionScript> scripts);
  void Play(const ConnectionScript& script, PosixFd connection, RecordedConnection& record);
  PauseEnd PauseFor(std::chrono::milliseconds pause, int connection);
  PauseEnd PauseOnVirtualClock(std::chrono::milliseconds pause, int connection);
  // True when the script goes on after the pause; records why not otherwise.
  bool GoOnAfter(PauseEnd end, RecordedConnection& record);
  void CountProgress(std::size_t& counter);
  bool AwaitProgress(const std::size_t& counter, std::size_t count);

  std::string address_;
  std::uint16_t port_ = 0;
  PosixFd listener_;
  PosixFd stopRead_;
  PosixFd stopWrite_;
  std::thread thread_;
  PeerRecord record_;
  std::mutex progressMutex_;
  std::condition_variable progressMade_;
  std::size_t requestsRead_ = 0;  // guarded by progressMutex_
  std::size_t pausesBegun_ = 0;   // guarded by progressMutex_
};

// A loopback port that nothing listens on (bound once and released), for
// connection-refused tests.
std::uint16_t UnusedLoopbackPort();

}  // namespace test_support
