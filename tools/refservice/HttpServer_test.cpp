// Connection handling of the reference service's server: ports, keep-alive,
// pipelining, interim answers, bad input, concurrency and prompt shutdown.
#include "tools/refservice/HttpServer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <system_error>
#include <thread>

#include "tools/refservice/LoopbackClient.h"

namespace refservice {
namespace {

using testing::LoopbackClient;

HttpAnswer Echo(const HttpRequest& request) {
  HttpAnswer answer;
  answer.headers.emplace_back("X-Connection", std::to_string(request.connectionId));
  answer.body = request.method + " " + request.path + " " + request.body;
  return answer;
}

TEST(HttpServer, ListensOnAFreeLoopbackPortAndRefusesABusyOne) {
  HttpServer first({}, Echo);
  HttpServer second({}, Echo);
  EXPECT_NE(first.port(), 0);
  EXPECT_NE(first.port(), second.port());
  HttpServerOptions taken;
  taken.port = first.port();
  EXPECT_THROW(HttpServer(taken, Echo), std::system_error);
}

TEST(HttpServer, KeepsTheConnectionAliveUntilAskedToClose) {
  HttpServer server({}, Echo);
  LoopbackClient client(server.port());
  client.Send("GET /one HTTP/1.1\r\n\r\n");
  const auto first = client.ReadAnswer();
  client.Send("POST /two HTTP/1.1\r\nContent-Length: 2\r\nConnection: close\r\n\r\nhi");
  const auto second = client.ReadAnswer();
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->raw, "HTTP/1.1 200 OK\r\nX-Connection: 1\r\nContent-Length: 9\r\n\r\nGET /one ");
  EXPECT_EQ(second->body, "POST /two hi");
  EXPECT_EQ(FindHeader(second->headers, "X-Connection"), "1");
  EXPECT_EQ(FindHeader(second->headers, "Connection"), "close");
  EXPECT_EQ(client.ReadUntilClose(), "");
}

TEST(HttpServer, Http10ClosesUnlessKeepAliveIsAsked) {
  HttpServer server({}, Echo);
  LoopbackClient client(server.port());
  client.Send("GET /old HTTP/1.0\r\n\r\n");
  const std::string raw = client.ReadUntilClose();
  EXPECT_NE(raw.find("Connection: close\r\n"), std::string::npos);
  EXPECT_TRUE(raw.ends_with("GET /old "));
}

TEST(HttpServer, PipelinedRequestsAreAnsweredInOrder) {
  HttpServer server({}, Echo);
  LoopbackClient client(server.port());
  client.Send(
      "GET /a HTTP/1.1\r\n\r\nPOST /b HTTP/1.1\r\nTransfer-Encoding: chunked\r\n\r\n"
      "3\r\nxyz\r\n0\r\n\r\nGET /c HTTP/1.1\r\nConnection: close\r\n\r\n");
  EXPECT_EQ(client.ReadAnswer()->body, "GET /a ");
  EXPECT_EQ(client.ReadAnswer()->body, "POST /b xyz");
  EXPECT_EQ(client.ReadAnswer()->body, "GET /c ");
}

TEST(HttpServer, ExpectContinueGetsAnInterimAnswer) {
  HttpServer server({}, Echo);
  LoopbackClient client(server.port());
  client.Send("POST /e HTTP/1.1\r\nExpect: 100-continue\r\nContent-Length: 4\r\n\r\n");
  const auto interim = client.ReadAnswer();
  ASSERT_TRUE(interim);
  EXPECT_EQ(interim->raw, "HTTP/1.1 100 Continue\r\n\r\n");
  client.Send("body");
  EXPECT_EQ(client.ReadAnswer()->body, "POST /e body");
}

TEST(HttpServer, BadRequestsAreAnsweredAndClosed) {
  const std::pair<const char*, const char*> cases[] = {
      {"NOT-HTTP\r\n\r\n", "HTTP/1.1 400 Bad Request\r\n"},
      {"POST / HTTP/1.1\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\n", "HTTP/1.1 400 "},
      {"POST / HTTP/1.1\r\nContent-Length: 999999999\r\n\r\n", "HTTP/1.1 413 "},
  };
  HttpServer server({}, Echo);
  for (const auto& [request, statusLine] : cases) {
    LoopbackClient client(server.port());
    client.Send(request);
    const std::string raw = client.ReadUntilClose();
    EXPECT_EQ(raw.rfind(statusLine, 0), 0u) << raw;
    EXPECT_NE(raw.find("Connection: close"), std::string::npos);
  }
}

TEST(HttpServer, HeadAnswersCarryNoBody) {
  HttpServer server({}, Echo);
  LoopbackClient client(server.port());
  client.Send("HEAD /h HTTP/1.1\r\nConnection: close\r\n\r\n");
  EXPECT_TRUE(client.ReadUntilClose().ends_with("Content-Length: 8\r\nConnection: close\r\n\r\n"));
}

TEST(HttpServer, ServesManyClientsAtOnce) {
  std::atomic<int> handled{0};
  HttpServerOptions options;
  options.workerThreads = 4;
  HttpServer server(options, [&](const HttpRequest& request) {
    ++handled;
    return Echo(request);
  });
  constexpr int kClients = 8;
  constexpr int kRequestsEach = 10;
  std::atomic<int> answered{0};
  std::vector<std::thread> clients;
  for (int c = 0; c < kClients; ++c) {
    clients.emplace_back([&, c] {
      for (int r = 0; r < kRequestsEach; ++r) {
        LoopbackClient client(server.port());
        const std::string path = "/" + std::to_string(c) + "/" + std::to_string(r);
        client.Send("GET " + path + " HTTP/1.1\r\nConnection: close\r\n\r\n");
        const auto answer = client.ReadAnswer();
        if (answer && answer->body == "GET " + path + " ") ++answered;
      }
    });
  }
  for (auto& thread : clients) thread.join();
  EXPECT_EQ(answered.load(), kClients * kRequestsEach);
  EXPECT_EQ(handled.load(), kClients * kRequestsEach);
}

TEST(HttpServer, StopsPromptlyWithIdleHalfSentAndQueuedConnections) {
  HttpServerOptions options;
  options.workerThreads = 1;
  options.idleTimeout = std::chrono::minutes(10);  // only Stop can end these waits
  HttpServer server(options, Echo);
  LoopbackClient idle(server.port());
  idle.Send("GET /first HTTP/1.1\r\n\r\n");
  ASSERT_TRUE(idle.ReadAnswer());  // the only worker now waits on this connection
  LoopbackClient halfSent(server.port());
  halfSent.Send("POST /x HTTP/1.1\r\nContent-Length: 100\r\n\r\npartial");
  server.Stop();
  EXPECT_EQ(idle.ReadUntilClose(), "");
  EXPECT_EQ(halfSent.ReadUntilClose(), "");
  server.Stop();  // idempotent
}

TEST(HttpServer, StopInterruptsADelayedAnswer) {
  std::atomic<bool> inHandler{false};
  HttpServer server({}, [&](const HttpRequest& request) {
    HttpAnswer answer = Echo(request);
    answer.delay = std::chrono::minutes(10);
    inHandler = true;
    return answer;
  });
  LoopbackClient client(server.port());
  client.Send("GET /slow HTTP/1.1\r\n\r\n");
  // Bounded wait until the worker has the request; no sleeping.
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!inHandler && std::chrono::steady_clock::now() < giveUp) std::this_thread::yield();
  ASSERT_TRUE(inHandler);
  server.Stop();
  EXPECT_EQ(client.ReadUntilClose(), "");
}

}  // namespace
}  // namespace refservice
