// The handle tree and the arguments the stand-in refuses; nothing here
// reaches the network (a send that got that far would fail to connect to
// the unused port instead of failing as checked).
#include <gtest/gtest.h>

#include "platform/internet/InternetTestSupport.h"
#include "platform/internet/WinInet.h"
#include "tests/support/ScriptedPeer.h"

namespace {

using platform::internet::testing::kFormContentType;
using platform::internet::testing::kTestAgent;
using platform::internet::testing::OpenRequest;
using platform::internet::testing::OpenRequestTo;

HINTERNET OpenSession() {
  return InternetOpenA(kTestAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
}

HINTERNET Connect(HINTERNET session) {
  return InternetConnectA(session, "127.0.0.1", test_support::UnusedLoopbackPort(), nullptr,
                          nullptr, INTERNET_SERVICE_HTTP, 0, 0);
}

HINTERNET OpenGet(HINTERNET connection, const char* objectName = "/") {
  return HttpOpenRequestA(connection, "GET", objectName, nullptr, nullptr, nullptr, 0, 0);
}

TEST(InternetCloseHandle, RefusesANullOrClosedHandle) {
  EXPECT_FALSE(InternetCloseHandle(nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);

  HINTERNET session = OpenSession();
  ASSERT_NE(session, nullptr);
  EXPECT_TRUE(InternetCloseHandle(session));
  EXPECT_FALSE(InternetCloseHandle(session));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(InternetCloseHandle, ClosingAParentLeavesItsChildrenUnusable) {
  HINTERNET session = OpenSession();
  HINTERNET connection = Connect(session);
  HINTERNET request = OpenGet(connection);
  ASSERT_NE(request, nullptr);

  ASSERT_TRUE(InternetCloseHandle(session));
  EXPECT_FALSE(HttpSendRequestA(request, nullptr, 0, nullptr, 0));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(OpenGet(connection), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  DWORD timeout = 1000;
  EXPECT_FALSE(
      InternetSetOptionA(connection, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(InternetCloseHandle(request));
  EXPECT_FALSE(InternetCloseHandle(connection));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(InternetCloseHandle, ClosingAConnectionLeavesItsSessionAndSiblingsOpen) {
  platform::InternetHandle session(OpenSession());
  HINTERNET closed = Connect(session.get());
  platform::InternetHandle sibling(Connect(session.get()));
  HINTERNET orphan = OpenGet(closed);
  ASSERT_NE(orphan, nullptr);
  ASSERT_TRUE(sibling);

  ASSERT_TRUE(InternetCloseHandle(closed));
  EXPECT_FALSE(InternetCloseHandle(orphan));
  platform::InternetHandle request(OpenGet(sibling.get()));
  EXPECT_TRUE(request) << GetLastError();
  platform::InternetHandle another(Connect(session.get()));
  EXPECT_TRUE(another) << GetLastError();
  // A new handle never takes a closed one's value, so a stale copy cannot
  // reach it.
  EXPECT_NE(another.get(), closed);
  EXPECT_NE(request.get(), orphan);
}

TEST(WinInetHandles, RefuseAHandleOfTheWrongKind) {
  OpenRequest opened = OpenRequestTo("127.0.0.1", test_support::UnusedLoopbackPort(), "/");
  ASSERT_TRUE(opened.request);

  EXPECT_EQ(OpenGet(opened.session.get()), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
  EXPECT_EQ(Connect(opened.connection.get()), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
  EXPECT_EQ(Connect(opened.request.get()), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
  EXPECT_FALSE(HttpSendRequestA(opened.connection.get(), nullptr, 0, nullptr, 0));
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_INCORRECT_HANDLE_TYPE);
}

TEST(HttpOpenRequestA, RefusesControlCharactersInTheObjectName) {
  platform::InternetHandle session(OpenSession());
  platform::InternetHandle connection(Connect(session.get()));
  for (const char* objectName :
       {"/a\r\nX-Injected: 1", "/a\nb", "/a\rb", "/a\tb", "/a\x7F", "/a\x01"}) {
    SCOPED_TRACE(objectName);
    EXPECT_EQ(OpenGet(connection.get(), objectName), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INTERNET_INVALID_URL);
  }
}

TEST(HttpSendRequestA, RefusesHeadersThatWouldBreakTheirLines) {
  OpenRequest opened = OpenRequestTo("127.0.0.1", test_support::UnusedLoopbackPort(), "/");
  ASSERT_TRUE(opened.request);
  for (const char* headers :
       {"Content-Type: text/plain\nX-Injected: 1", "Content-Type: text/plain\rX-Injected: 1",
        "Content-Type: text/plain\r\n\nX-Injected: 1", "Not a header line",
        "Content-Type: text/plain\r\nX-Injected 1"}) {
    SCOPED_TRACE(headers);
    EXPECT_FALSE(
        HttpSendRequestA(opened.request.get(), headers, static_cast<DWORD>(-1), nullptr, 0));
    EXPECT_EQ(GetLastError(), ERROR_HTTP_INVALID_HEADER);
  }
  // The same request with acceptable headers does go out, and fails to connect.
  EXPECT_FALSE(
      HttpSendRequestA(opened.request.get(), kFormContentType, static_cast<DWORD>(-1), nullptr, 0));
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_CANNOT_CONNECT);
}

TEST(WinInetArguments, RefuseWhatTheStandInDoesNotDo) {
  EXPECT_EQ(InternetOpenA("agent", 3 /* INTERNET_OPEN_TYPE_PROXY */, "proxy", nullptr, 0), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(InternetOpenA("agent", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr,
                          0x10000000 /* INTERNET_FLAG_ASYNC */),
            nullptr);
  EXPECT_EQ(
      InternetOpenA("agent\r\nX-Injected: 1", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0),
      nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

  platform::InternetHandle session(OpenSession());
  for (const char* serverName : {"", "evil.example/x", "a b", "host\r\nX: y", "user@host"}) {
    SCOPED_TRACE(serverName);
    EXPECT_EQ(InternetConnectA(session.get(), serverName, 80, nullptr, nullptr,
                               INTERNET_SERVICE_HTTP, 0, 0),
              nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  }
  EXPECT_EQ(
      InternetConnectA(session.get(), nullptr, 80, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0),
      nullptr);
  EXPECT_EQ(
      InternetConnectA(session.get(), "host", 80, "user", "secret", INTERNET_SERVICE_HTTP, 0, 0),
      nullptr);
  EXPECT_EQ(InternetConnectA(session.get(), "host", 21, nullptr, nullptr, 1 /* FTP */, 0, 0),
            nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

  platform::InternetHandle connection(Connect(session.get()));
  LPCSTR acceptTypes[] = {"text/html", nullptr};
  EXPECT_EQ(HttpOpenRequestA(connection.get(), "GE T", "/", nullptr, nullptr, nullptr, 0, 0),
            nullptr);
  EXPECT_EQ(HttpOpenRequestA(connection.get(), "GET", "/", "HTTP/1.0", nullptr, nullptr, 0, 0),
            nullptr);
  EXPECT_EQ(
      HttpOpenRequestA(connection.get(), "GET", "/", nullptr, "http://referrer/", nullptr, 0, 0),
      nullptr);
  EXPECT_EQ(HttpOpenRequestA(connection.get(), "GET", "/", nullptr, nullptr, acceptTypes, 0, 0),
            nullptr);
  EXPECT_EQ(HttpOpenRequestA(connection.get(), "GET", "/", nullptr, nullptr, nullptr,
                             0x00800000 /* INTERNET_FLAG_SECURE */, 0),
            nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  // What the product passes is taken.
  platform::InternetHandle request(
      HttpOpenRequestA(connection.get(), nullptr, "/", "HTTP/1.1", nullptr, acceptTypes + 1,
                       INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
  EXPECT_TRUE(request) << GetLastError();
}

TEST(InternetSetOptionA, TakesTheThreeTimeOutsAsADwordOfMilliseconds) {
  platform::InternetHandle session(OpenSession());
  DWORD timeout = 5000;
  EXPECT_TRUE(
      InternetSetOptionA(session.get(), INTERNET_OPTION_CONNECT_TIMEOUT, &timeout, sizeof timeout));
  EXPECT_FALSE(InternetSetOptionA(session.get(), 31 /* INTERNET_OPTION_SECURITY_FLAGS */, &timeout,
                                  sizeof timeout));
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_INVALID_OPTION);
  EXPECT_FALSE(InternetSetOptionA(session.get(), INTERNET_OPTION_SEND_TIMEOUT, &timeout, 2));
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_BAD_OPTION_LENGTH);
  EXPECT_FALSE(
      InternetSetOptionA(session.get(), INTERNET_OPTION_SEND_TIMEOUT, nullptr, sizeof timeout));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  DWORD never = 0;
  EXPECT_FALSE(
      InternetSetOptionA(session.get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &never, sizeof never));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_FALSE(
      InternetSetOptionA(nullptr, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof timeout));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

}  // namespace
