#include "platform/net/TcpConnection.h"

#include <gtest/gtest.h>

#include <optional>

#include "platform/clock/Clock.h"
#include "platform/net/VirtualClockWake.h"
#include "tests/support/BackgroundCall.h"
#include "tests/support/ScriptedPeer.h"

namespace platform::net {
namespace {

using std::chrono::milliseconds;
using test_support::BackgroundCall;
using test_support::ConnectionScript;
using test_support::kCallWait;
using test_support::ScriptedPeer;

WaitUntil In(milliseconds wait) { return TickClock::now() + wait; }

TEST(TcpConnection, SendsAndReceivesUntilThePeerCloses) {
  ScriptedPeer peer;
  peer.Serve({ConnectionScript().ReadRequest().Send("reply", 2)});
  auto connection = TcpConnection::Connect("127.0.0.1", peer.Port(), In(milliseconds(2000)));
  ASSERT_TRUE(connection);
  ASSERT_TRUE(connection.value().SendAll("GET / HTTP/1.1\r\n\r\n", In(milliseconds(2000))));
  std::string received;
  char buffer[64];
  for (;;) {
    auto read = connection.value().Receive(buffer, In(milliseconds(2000)));
    ASSERT_TRUE(read);
    if (read.value() == 0) break;
    received.append(buffer, read.value());
  }
  EXPECT_EQ(received, "reply");
  EXPECT_EQ(peer.Finish().connections.at(0).requests.at(0), "GET / HTTP/1.1\r\n\r\n");
}

TEST(TcpConnection, ReceiveWaitsNoLongerThanAsked) {
  VirtualClock clock;
  ScriptedPeer peer;
  peer.Serve({ConnectionScript().WaitForClientClose()});
  auto connection = TcpConnection::Connect("127.0.0.1", peer.Port(), In(milliseconds(2000)));
  ASSERT_TRUE(connection);
  std::optional<NetResult<std::size_t>> read;
  {
    char buffer[8];
    const WaitUntil limit = In(milliseconds(50));
    BackgroundCall call(clock, [&] { read = connection.value().Receive(buffer, limit); });
    ASSERT_TRUE(AwaitBlockedSocketWaits(1, kCallWait));
    // Short of the limit the wait looks at the clock and goes on waiting; a
    // wait that ended here would never block again and this would fail.
    clock.Advance(49);
    ASSERT_TRUE(AwaitBlockedSocketWaits(1, kCallWait));
    clock.Advance(1);
    ASSERT_TRUE(call.Join());
  }
  ASSERT_TRUE(read.has_value());
  ASSERT_FALSE(*read);
  EXPECT_EQ(read->error(), NetError::kTimedOut);
  connection.value().Close();
  EXPECT_EQ(peer.Finish().problem, "");
}

TEST(TcpConnection, ReceiveOnTheHostClockStillTimesOut) {
  ScriptedPeer peer;
  peer.Serve({ConnectionScript().WaitForClientClose()});
  auto connection = TcpConnection::Connect("127.0.0.1", peer.Port(), In(milliseconds(2000)));
  ASSERT_TRUE(connection);
  char buffer[8];
  auto read = connection.value().Receive(buffer, In(milliseconds(10)));
  ASSERT_FALSE(read);
  EXPECT_EQ(read.error(), NetError::kTimedOut);
  connection.value().Close();
  EXPECT_EQ(peer.Finish().problem, "");
}

TEST(TcpConnection, WaitsOnTheVirtualClockEndWhenTheSocketIsReady) {
  // Time never moves here: connect, send and every receive end because the
  // socket became ready, not because a limit passed.
  VirtualClock clock(1000);
  ScriptedPeer peer;
  peer.Serve({ConnectionScript().ReadRequest().Send("reply", 1)});
  auto connection = TcpConnection::Connect("127.0.0.1", peer.Port(), In(milliseconds(2000)));
  ASSERT_TRUE(connection);
  ASSERT_TRUE(connection.value().SendAll("GET / HTTP/1.1\r\n\r\n", In(milliseconds(2000))));
  std::string received;
  char buffer[64];
  for (int reads = 0; reads < 16; ++reads) {
    auto read = connection.value().Receive(buffer, In(milliseconds(2000)));
    ASSERT_TRUE(read);
    if (read.value() == 0) break;
    received.append(buffer, read.value());
  }
  EXPECT_EQ(received, "reply");
  EXPECT_EQ(TickCount64(), 1000u);
  EXPECT_EQ(peer.Finish().problem, "");
}

TEST(TcpConnection, ReportsRefusedAndUnknownHosts) {
  auto refused = TcpConnection::Connect("127.0.0.1", test_support::UnusedLoopbackPort(),
                                        In(milliseconds(2000)));
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error(), NetError::kRefused);
  auto unknown = TcpConnection::Connect("nonexistent.invalid", 80, In(milliseconds(2000)));
  ASSERT_FALSE(unknown);
  EXPECT_EQ(unknown.error(), NetError::kLookupFailed);
}

TEST(TcpConnection, ClosedConnectionRefusesToWork) {
  TcpConnection connection;
  char buffer[8];
  EXPECT_EQ(connection.SendAll("x", In(milliseconds(10))).error(), NetError::kNotConnected);
  EXPECT_EQ(connection.Receive(buffer, In(milliseconds(10))).error(), NetError::kNotConnected);
}

}  // namespace
}  // namespace platform::net
