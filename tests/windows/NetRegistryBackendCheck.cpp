// The registry and socket backends on the real advapi32 and ws2_32: the
// results RegistryKey.h and TcpConnection.h promise, which the Linux
// stand-ins meet in their unit tests, met by the Windows side. Registry
// cases work below HKEY_CURRENT_USER\Software\VimaruBackendCheck, deleted
// before and after each; socket cases talk to a peer on 127.0.0.1.
#include <winsock2.h>

#include <chrono>
#include <cstdint>
#include <future>
#include <string>
#include <vector>

#include "platform/net/TcpConnection.h"
#include "platform/registry/RegistryKey.h"
#include "tests/windows/Check.h"
#include "tests/windows/LoopbackPeer.h"

namespace {

using platform::DeleteRegistryTree;
using platform::RegistryKey;
using platform::TickClock;
using platform::net::NetError;
using platform::net::TcpConnection;
using platform::net::WaitUntil;
using std::chrono::milliseconds;
using windows_check::LoopbackPeer;

constexpr std::string_view kCheckKey = "Software\\VimaruBackendCheck";

std::string Below(std::string_view path) {
  return std::string(kCheckKey) + "\\" + std::string(path);
}

// The check's key, absent before the case and removed after it whatever
// the case left there.
struct ScopedCheckKey {
  ScopedCheckKey() { (void)DeleteRegistryTree(HKEY_CURRENT_USER, kCheckKey); }
  ~ScopedCheckKey() { (void)DeleteRegistryTree(HKEY_CURRENT_USER, kCheckKey); }
  ScopedCheckKey(const ScopedCheckKey&) = delete;
  ScopedCheckKey& operator=(const ScopedCheckKey&) = delete;
};

WaitUntil In(milliseconds wait) { return TickClock::now() + wait; }

// Everything the connection receives until the peer closes, within a
// bounded number of reads; "<failed>" when a read fails.
std::string ReceiveUntilClosed(TcpConnection& connection) {
  std::string received;
  char buffer[4096];
  for (int reads = 0; reads < 1000; ++reads) {
    auto read = connection.Receive(buffer, In(milliseconds(2000)));
    if (!read) return "<failed>";
    if (read.value() == 0) return received;
    received.append(buffer, read.value());
  }
  return "<never closed>";
}

WINDOWS_CASE(RegistryOpenFindsOnlyWhatCreateMade) {
  ScopedCheckKey scope;
  RegistryKey key;
  CHECK_EQ(key.Open(HKEY_CURRENT_USER, Below("Product")), ERROR_FILE_NOT_FOUND);
  CHECK_TRUE(!key.IsOpen());
  bool created = false;
  CHECK_EQ(key.Create(HKEY_CURRENT_USER, Below("Product"), KEY_ALL_ACCESS, &created),
           ERROR_SUCCESS);
  CHECK_TRUE(created);
  CHECK_EQ(key.Create(HKEY_CURRENT_USER, Below("Product"), KEY_ALL_ACCESS, &created),
           ERROR_SUCCESS);
  CHECK_TRUE(!created);
  CHECK_EQ(key.Open(HKEY_CURRENT_USER, kCheckKey), ERROR_SUCCESS);
  CHECK_EQ(key.Open(HKEY_CURRENT_USER, "\\Software\\\\VimaruBackendCheck\\Product\\"),
           ERROR_SUCCESS);
  CHECK_EQ(key.Open(reinterpret_cast<HKEY>(std::uintptr_t{0x1234}), ""), ERROR_INVALID_HANDLE);
  RegistryKey closed;
  CHECK_EQ(key.Open(closed, "x"), ERROR_INVALID_HANDLE);
  CHECK_EQ(key.Create(closed, "x"), ERROR_INVALID_HANDLE);
  CHECK_TRUE(!key.IsOpen());

  // An empty path hands back the predefined root itself; letting go of it
  // must leave the root usable.
  {
    RegistryKey root;
    CHECK_EQ(root.Open(HKEY_CURRENT_USER, ""), ERROR_SUCCESS);
    RegistryKey software;
    CHECK_EQ(software.Open(root, "Software"), ERROR_SUCCESS);
  }
  CHECK_EQ(key.Open(HKEY_CURRENT_USER, Below("Product")), ERROR_SUCCESS);
}

WINDOWS_CASE(RegistryNamesMatchWithoutCaseAndEnumerate) {
  ScopedCheckKey scope;
  RegistryKey key;
  CHECK_EQ(key.Create(HKEY_CURRENT_USER, Below("Names")), ERROR_SUCCESS);
  CHECK_EQ(key.SetStringValue("MemberId", "42"), ERROR_SUCCESS);
  CHECK_EQ(key.SetStringValue("MEMBERID", "43"), ERROR_SUCCESS);
  const std::string longName(300, 'v');
  CHECK_EQ(key.SetDWORDValue(longName, 7), ERROR_SUCCESS);
  for (const char* child : {"beta", "Alpha", "gamma"}) {
    RegistryKey sub;
    CHECK_EQ(sub.Create(key, child), ERROR_SUCCESS);
  }
  const std::string longKey(255, 'k');
  RegistryKey longSub;
  CHECK_EQ(longSub.Create(key, longKey), ERROR_SUCCESS);

  RegistryKey other;
  CHECK_EQ(other.Open(HKEY_CURRENT_USER, "SOFTWARE\\vimarubackendcheck\\NAMES"), ERROR_SUCCESS);
  std::string text;
  CHECK_EQ(other.QueryStringValue("memberid", text), ERROR_SUCCESS);
  CHECK_EQ(text, "43");
  std::string name;
  DWORD type = 0;
  CHECK_EQ(other.EnumValue(0, name, &type), ERROR_SUCCESS);
  CHECK_EQ(name, "MemberId");
  CHECK_EQ(type, DWORD{REG_SZ});
  CHECK_EQ(other.EnumValue(1, name, &type), ERROR_SUCCESS);
  CHECK_EQ(name, longName);
  CHECK_EQ(type, DWORD{REG_DWORD});
  CHECK_EQ(other.EnumValue(2, name), ERROR_NO_MORE_ITEMS);

  std::vector<std::string> children;
  for (DWORD index = 0; other.EnumKey(index, name) == ERROR_SUCCESS && index < 8; ++index) {
    children.push_back(name);
  }
  CHECK_EQ(children, (std::vector<std::string>{"Alpha", "beta", "gamma", longKey}));
  CHECK_EQ(other.EnumKey(4, name), ERROR_NO_MORE_ITEMS);
}

WINDOWS_CASE(RegistryQueryValueFollowsRegQueryValueExSizing) {
  ScopedCheckKey scope;
  RegistryKey key;
  CHECK_EQ(key.Create(HKEY_CURRENT_USER, Below("Sizes")), ERROR_SUCCESS);
  CHECK_EQ(key.SetStringValue("ReferalId", "abc"), ERROR_SUCCESS);

  DWORD type = 0;
  DWORD size = 0;
  CHECK_EQ(key.QueryValue("ReferalId", &type, nullptr, &size), ERROR_SUCCESS);
  CHECK_EQ(type, DWORD{REG_SZ});
  CHECK_EQ(size, 4u);

  char small[3] = {'x', 'x', 'x'};
  size = sizeof small;
  CHECK_EQ(key.QueryValue("ReferalId", nullptr, small, &size), ERROR_MORE_DATA);
  CHECK_EQ(size, 4u);
  size = 0;
  CHECK_EQ(key.QueryValue("ReferalId", nullptr, small, &size), ERROR_MORE_DATA);
  CHECK_EQ(size, 4u);

  char exact[4];
  size = sizeof exact;
  CHECK_EQ(key.QueryValue("ReferalId", nullptr, exact, &size), ERROR_SUCCESS);
  CHECK_EQ(std::string(exact, 4), std::string("abc\0", 4));

  CHECK_EQ(key.QueryValue("ReferalId", nullptr, exact, nullptr), ERROR_INVALID_PARAMETER);
  CHECK_EQ(key.QueryValue("ReferalId", &type, nullptr, nullptr), ERROR_SUCCESS);
  CHECK_EQ(key.QueryValue("Missing", &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
  std::string text;
  CHECK_EQ(key.QueryStringValue("Missing", text), ERROR_FILE_NOT_FOUND);
}

WINDOWS_CASE(RegistryStringsAreStoredExactlyAsWritten) {
  ScopedCheckKey scope;
  RegistryKey key;
  CHECK_EQ(key.Create(HKEY_CURRENT_USER, Below("Strings")), ERROR_SUCCESS);
  // "abc" is followed by its literal's NUL, which RegSetValueExA alone
  // would count in.
  CHECK_EQ(key.SetValue("Raw", REG_SZ, "abc", 3), ERROR_SUCCESS);
  CHECK_EQ(key.SetValue("Terminated", REG_SZ, "abc", 4), ERROR_SUCCESS);
  CHECK_EQ(key.SetValue("Empty", REG_EXPAND_SZ, nullptr, 0), ERROR_SUCCESS);
  CHECK_EQ(key.SetValue("Inner", REG_SZ, "ab\0cd", 5), ERROR_SUCCESS);
  const std::string longText(1000, 'L');
  CHECK_EQ(key.SetValue("Long", REG_SZ, longText.data(), 1000), ERROR_SUCCESS);
  CHECK_EQ(key.SetStringValue("Path", "%SystemRoot%\\Temp", REG_EXPAND_SZ), ERROR_SUCCESS);

  std::vector<std::uint8_t> bytes;
  CHECK_EQ(key.QueryBinaryValue("Raw", bytes), ERROR_SUCCESS);
  CHECK_EQ(bytes, (std::vector<std::uint8_t>{'a', 'b', 'c'}));
  CHECK_EQ(key.QueryBinaryValue("Terminated", bytes), ERROR_SUCCESS);
  CHECK_EQ(bytes, (std::vector<std::uint8_t>{'a', 'b', 'c', 0}));
  CHECK_EQ(key.QueryBinaryValue("Empty", bytes), ERROR_SUCCESS);
  CHECK_TRUE(bytes.empty());
  CHECK_EQ(key.QueryBinaryValue("Long", bytes), ERROR_SUCCESS);
  CHECK_EQ(bytes.size(), 1000u);

  std::string text;
  CHECK_EQ(key.QueryStringValue("Raw", text), ERROR_SUCCESS);
  CHECK_EQ(text, "abc");
  char buffer[8] = {'x', 'x', 'x', 'x', 'x', 'x', 'x', 'x'};
  DWORD size = sizeof buffer;
  CHECK_EQ(key.QueryValue("Raw", nullptr, buffer, &size), ERROR_SUCCESS);
  CHECK_EQ(size, 3u);
  CHECK_EQ(buffer[3], 'x');
  CHECK_EQ(key.QueryStringValue("Inner", text), ERROR_SUCCESS);
  CHECK_EQ(text, "ab");
  CHECK_EQ(key.QueryStringValue("Empty", text), ERROR_SUCCESS);
  CHECK_EQ(text, "");
  CHECK_EQ(key.QueryStringValue("Long", text), ERROR_SUCCESS);
  CHECK_EQ(text, longText);

  DWORD type = 0;
  CHECK_EQ(key.QueryValue("Path", &type, nullptr, nullptr), ERROR_SUCCESS);
  CHECK_EQ(type, DWORD{REG_EXPAND_SZ});
  CHECK_EQ(key.QueryStringValue("Path", text), ERROR_SUCCESS);
  CHECK_EQ(text, "%SystemRoot%\\Temp");

  CHECK_EQ(key.SetValue("Bad", REG_BINARY, nullptr, 4), ERROR_INVALID_PARAMETER);
  CHECK_EQ(key.SetStringValue("Bad", "x", REG_DWORD), ERROR_INVALID_PARAMETER);
  CHECK_EQ(key.QueryBinaryValue("Bad", bytes), ERROR_FILE_NOT_FOUND);
}

WINDOWS_CASE(RegistryTypedGettersCheckTheType) {
  ScopedCheckKey scope;
  RegistryKey key;
  CHECK_EQ(key.Create(HKEY_CURRENT_USER, Below("Types")), ERROR_SUCCESS);
  CHECK_EQ(key.SetDWORDValue("Count", 0xA1B2C3D4), ERROR_SUCCESS);
  CHECK_EQ(key.SetValue("Short", REG_DWORD, "\x01\x02", 2), ERROR_SUCCESS);
  const std::uint8_t barSize[] = {0x23, 0x01, 0, 0, 0, 0, 0, 0};
  CHECK_EQ(key.SetBinaryValue("BarSize", barSize), ERROR_SUCCESS);
  CHECK_EQ(key.SetStringValue("", "default"), ERROR_SUCCESS);

  DWORD number = 0;
  CHECK_EQ(key.QueryDWORDValue("count", number), ERROR_SUCCESS);
  CHECK_EQ(number, 0xA1B2C3D4u);
  std::vector<std::uint8_t> bytes;
  CHECK_EQ(key.QueryBinaryValue("Count", bytes), ERROR_SUCCESS);
  CHECK_EQ(bytes, (std::vector<std::uint8_t>{0xD4, 0xC3, 0xB2, 0xA1}));
  CHECK_EQ(key.QueryDWORDValue("Short", number), ERROR_INVALID_DATA);
  CHECK_EQ(key.QueryDWORDValue("BarSize", number), ERROR_UNSUPPORTED_TYPE);
  std::string text;
  CHECK_EQ(key.QueryStringValue("Count", text), ERROR_UNSUPPORTED_TYPE);
  CHECK_EQ(key.QueryStringValue("", text), ERROR_SUCCESS);
  CHECK_EQ(text, "default");
  CHECK_EQ(key.QueryBinaryValue("barsize", bytes), ERROR_SUCCESS);
  CHECK_EQ(bytes, std::vector<std::uint8_t>(std::begin(barSize), std::end(barSize)));
}

WINDOWS_CASE(RegistryHandlesOnlyDoWhatTheirAccessAllows) {
  ScopedCheckKey scope;
  RegistryKey writer;
  CHECK_EQ(writer.Create(HKEY_CURRENT_USER, Below("Access\\Existing")), ERROR_SUCCESS);
  CHECK_EQ(writer.Open(HKEY_CURRENT_USER, Below("Access"), KEY_ALL_ACCESS), ERROR_SUCCESS);
  CHECK_EQ(writer.SetStringValue("v", "1"), ERROR_SUCCESS);

  RegistryKey reader;
  CHECK_EQ(reader.Open(HKEY_CURRENT_USER, Below("Access"), KEY_READ), ERROR_SUCCESS);
  std::string text;
  CHECK_EQ(reader.QueryStringValue("v", text), ERROR_SUCCESS);
  CHECK_EQ(text, "1");
  CHECK_EQ(reader.SetStringValue("v", "2"), ERROR_ACCESS_DENIED);
  CHECK_EQ(reader.DeleteValue("v"), ERROR_ACCESS_DENIED);
  CHECK_EQ(reader.DeleteSubKeyTree("Existing"), ERROR_ACCESS_DENIED);
  RegistryKey sub;
  CHECK_EQ(sub.Create(reader, "New"), ERROR_ACCESS_DENIED);
  CHECK_EQ(sub.Open(HKEY_CURRENT_USER, Below("Access\\New")), ERROR_FILE_NOT_FOUND);
  bool created = true;
  CHECK_EQ(sub.Create(reader, "Existing", KEY_READ, &created), ERROR_SUCCESS);
  CHECK_TRUE(!created);
  CHECK_EQ(reader.QueryStringValue("v", text), ERROR_SUCCESS);
  CHECK_EQ(text, "1");

  RegistryKey setOnly;
  CHECK_EQ(setOnly.Open(HKEY_CURRENT_USER, Below("Access"), KEY_SET_VALUE), ERROR_SUCCESS);
  CHECK_EQ(setOnly.QueryStringValue("v", text), ERROR_ACCESS_DENIED);
  std::string name;
  CHECK_EQ(setOnly.EnumKey(0, name), ERROR_ACCESS_DENIED);
  CHECK_EQ(setOnly.SetStringValue("v", "3"), ERROR_SUCCESS);
  CHECK_EQ(writer.QueryStringValue("v", text), ERROR_SUCCESS);
  CHECK_EQ(text, "3");
}

WINDOWS_CASE(RegistryDeleteValueAndTree) {
  ScopedCheckKey scope;
  RegistryKey key;
  CHECK_EQ(key.Create(HKEY_CURRENT_USER, Below("CLSID\\{736FA7B4}\\InprocServer32")),
           ERROR_SUCCESS);
  CHECK_EQ(key.SetStringValue("", "module.dll"), ERROR_SUCCESS);
  CHECK_EQ(key.SetStringValue("ThreadingModel", "Apartment"), ERROR_SUCCESS);
  CHECK_EQ(key.DeleteValue("threadingmodel"), ERROR_SUCCESS);
  CHECK_EQ(key.DeleteValue("ThreadingModel"), ERROR_FILE_NOT_FOUND);
  std::string name;
  CHECK_EQ(key.EnumValue(0, name), ERROR_SUCCESS);
  CHECK_EQ(name, "");
  CHECK_EQ(key.EnumValue(1, name), ERROR_NO_MORE_ITEMS);

  RegistryKey clsid;
  CHECK_EQ(clsid.Create(HKEY_CURRENT_USER, Below("CLSID\\{Other}")), ERROR_SUCCESS);
  CHECK_EQ(clsid.Open(HKEY_CURRENT_USER, Below("CLSID"), KEY_ALL_ACCESS), ERROR_SUCCESS);
  CHECK_EQ(clsid.DeleteSubKeyTree("{736fa7b4}"), ERROR_SUCCESS);
  CHECK_EQ(clsid.DeleteSubKeyTree("{736fa7b4}"), ERROR_FILE_NOT_FOUND);
  CHECK_EQ(clsid.DeleteSubKeyTree(""), ERROR_INVALID_PARAMETER);
  CHECK_EQ(clsid.DeleteSubKeyTree("\\"), ERROR_INVALID_PARAMETER);
  CHECK_EQ(clsid.EnumKey(0, name), ERROR_SUCCESS);
  CHECK_EQ(name, "{Other}");
  CHECK_EQ(clsid.EnumKey(1, name), ERROR_NO_MORE_ITEMS);

  RegistryKey gone;
  CHECK_EQ(gone.Open(HKEY_CURRENT_USER, Below("CLSID\\{736FA7B4}\\InprocServer32")),
           ERROR_FILE_NOT_FOUND);
  CHECK_EQ(DeleteRegistryTree(HKEY_CURRENT_USER, Below("clsid")), ERROR_SUCCESS);
  CHECK_EQ(gone.Open(HKEY_CURRENT_USER, Below("CLSID")), ERROR_FILE_NOT_FOUND);
  CHECK_EQ(DeleteRegistryTree(HKEY_CURRENT_USER, Below("clsid")), ERROR_FILE_NOT_FOUND);
  CHECK_EQ(DeleteRegistryTree(HKEY_CURRENT_USER, ""), ERROR_INVALID_PARAMETER);
  CHECK_EQ(gone.Open(HKEY_CURRENT_USER, "Software"), ERROR_SUCCESS);
}

WINDOWS_CASE(RegistryHandleOfADeletedKeyAnswersKeyDeleted) {
  ScopedCheckKey scope;
  RegistryKey key;
  CHECK_EQ(key.Create(HKEY_CURRENT_USER, Below("Doomed\\Child")), ERROR_SUCCESS);
  RegistryKey child;
  CHECK_EQ(child.Create(key, "Grandchild"), ERROR_SUCCESS);
  CHECK_EQ(DeleteRegistryTree(HKEY_CURRENT_USER, Below("Doomed")), ERROR_SUCCESS);

  std::string text;
  std::string name;
  DWORD size = 0;
  for (RegistryKey* handle : {&key, &child}) {
    CHECK_EQ(handle->QueryValue("", nullptr, nullptr, &size), ERROR_KEY_DELETED);
    CHECK_EQ(handle->QueryStringValue("", text), ERROR_KEY_DELETED);
    CHECK_EQ(handle->SetStringValue("x", "y"), ERROR_KEY_DELETED);
    CHECK_EQ(handle->EnumKey(0, name), ERROR_KEY_DELETED);
    CHECK_EQ(handle->EnumValue(0, name), ERROR_KEY_DELETED);
  }
  RegistryKey again;
  CHECK_EQ(again.Create(HKEY_CURRENT_USER, Below("Doomed\\Child")), ERROR_SUCCESS);
  CHECK_EQ(key.SetStringValue("x", "y"), ERROR_KEY_DELETED);
}

WINDOWS_CASE(RegistryReopeningThroughItselfAndMoving) {
  ScopedCheckKey scope;
  RegistryKey key;
  CHECK_EQ(key.Create(HKEY_CURRENT_USER, Below("A\\B")), ERROR_SUCCESS);
  CHECK_EQ(key.Open(HKEY_CURRENT_USER, Below("A")), ERROR_SUCCESS);
  CHECK_EQ(key.Open(key, "B"), ERROR_SUCCESS);
  CHECK_EQ(key.Open(key, "Missing"), ERROR_FILE_NOT_FOUND);
  CHECK_TRUE(!key.IsOpen());

  CHECK_EQ(key.Open(HKEY_CURRENT_USER, Below("A"), KEY_ALL_ACCESS), ERROR_SUCCESS);
  RegistryKey moved = std::move(key);
  CHECK_TRUE(!key.IsOpen());  // NOLINT(bugprone-use-after-move): a moved-from handle is closed
  CHECK_EQ(moved.SetDWORDValue("n", 1), ERROR_SUCCESS);
  CHECK_EQ(key.SetDWORDValue("n", 2), ERROR_INVALID_HANDLE);
  DWORD number = 0;
  CHECK_EQ(moved.QueryDWORDValue("n", number), ERROR_SUCCESS);
  CHECK_EQ(number, 1u);
}

WINDOWS_CASE(SocketSendsAndReceivesUntilThePeerCloses) {
  const std::string request = "GET / HTTP/1.1\r\n\r\n";
  std::string seen;
  {
    LoopbackPeer peer([&](SOCKET accepted) {
      seen = windows_check::ReadBytes(accepted, request.size());
      windows_check::SendBytes(accepted, "reply to " + seen);
    });
    auto connection = TcpConnection::Connect("127.0.0.1", peer.Port(), In(milliseconds(2000)));
    CHECK_TRUE(connection.ok());
    if (!connection) return;
    CHECK_TRUE(connection.value().SendAll(request, In(milliseconds(2000))).ok());
    CHECK_EQ(ReceiveUntilClosed(connection.value()), "reply to " + request);
    char buffer[8];
    auto afterEnd = connection.value().Receive(buffer, In(milliseconds(2000)));
    CHECK_TRUE(afterEnd.ok() && afterEnd.value() == 0);
  }
  CHECK_EQ(seen, request);
}

// By name: Windows lists ::1 first for "localhost", and the peer listens on
// IPv4 alone.
WINDOWS_CASE(SocketSendsMoreThanTheBuffersHold) {
  const std::string block(4 << 20, 'b');
  LoopbackPeer peer([&](SOCKET accepted) {
    const std::string received = windows_check::ReadBytes(accepted, block.size());
    windows_check::SendBytes(accepted, received == block ? "whole" : "short");
  });
  auto connection = TcpConnection::Connect("localhost", peer.Port(), In(milliseconds(2000)));
  CHECK_TRUE(connection.ok());
  if (!connection) return;
  CHECK_TRUE(connection.value().SendAll(block, In(milliseconds(5000))).ok());
  CHECK_EQ(ReceiveUntilClosed(connection.value()), "whole");
}

WINDOWS_CASE(SocketReceiveWaitsNoLongerThanAsked) {
  LoopbackPeer peer([](SOCKET accepted) { windows_check::AwaitClientClose(accepted); });
  auto connection = TcpConnection::Connect("127.0.0.1", peer.Port(), In(milliseconds(2000)));
  CHECK_TRUE(connection.ok());
  if (!connection) return;
  char buffer[8];
  auto read = connection.value().Receive(buffer, In(milliseconds(200)));
  CHECK_TRUE(!read.ok() && read.error() == NetError::kTimedOut);
  auto passed = connection.value().Receive(buffer, TickClock::now());
  CHECK_TRUE(!passed.ok() && passed.error() == NetError::kTimedOut);
  connection.value().Close();
}

WINDOWS_CASE(SocketSendWaitsNoLongerThanAsked) {
  // The peer neither reads nor closes until the check is done, so the socket
  // buffers fill and a send must wait for room that never comes. How much
  // the two systems buffer is theirs to choose, so the check sends block
  // after block until one fails.
  std::promise<void> done;
  LoopbackPeer peer([finished = done.get_future().share()](SOCKET) {
    finished.wait_for(windows_check::kPeerWait);
  });
  auto connection = TcpConnection::Connect("127.0.0.1", peer.Port(), In(milliseconds(2000)));
  CHECK_TRUE(connection.ok());
  if (connection) {
    const std::string block(1 << 20, 'f');
    const WaitUntil limit = In(milliseconds(200));
    platform::net::NetStatus sent = platform::net::Done{};
    for (int blocks = 0; blocks < 512 && sent.ok(); ++blocks) {
      sent = connection.value().SendAll(block, limit);
    }
    CHECK_TRUE(!sent.ok() && sent.error() == NetError::kTimedOut);
    connection.value().Close();
  }
  done.set_value();
}

WINDOWS_CASE(SocketSendToAPeerThatHasGoneFails) {
  // The peer closes at once. The first bytes after that still leave; the
  // peer's system answers them with a reset, and a later send reports it.
  LoopbackPeer peer([](SOCKET) {});
  auto connection = TcpConnection::Connect("127.0.0.1", peer.Port(), In(milliseconds(2000)));
  CHECK_TRUE(connection.ok());
  if (!connection) return;
  CHECK_EQ(ReceiveUntilClosed(connection.value()), "");
  platform::net::NetStatus sent = platform::net::Done{};
  for (int sends = 0; sends < 1000 && sent.ok(); ++sends) {
    sent = connection.value().SendAll("more", In(milliseconds(2000)));
  }
  CHECK_TRUE(!sent.ok() && sent.error() == NetError::kSendFailed);
}

WINDOWS_CASE(SocketReportsRefusedAndUnknownHosts) {
  std::uint16_t closedPort = 0;
  {
    const platform::net::SocketHandle listener = windows_check::ListenOnLoopback();
    closedPort = windows_check::PortOf(listener);
  }
  CHECK_TRUE(closedPort != 0);
  auto refused = TcpConnection::Connect("127.0.0.1", closedPort, In(milliseconds(5000)));
  CHECK_TRUE(!refused.ok() && refused.error() == NetError::kRefused);
  auto unknown = TcpConnection::Connect("nonexistent.invalid", 80, In(milliseconds(2000)));
  CHECK_TRUE(!unknown.ok() && unknown.error() == NetError::kLookupFailed);
  auto empty = TcpConnection::Connect("", 80, In(milliseconds(2000)));
  CHECK_TRUE(!empty.ok() && empty.error() == NetError::kLookupFailed);
}

WINDOWS_CASE(SocketClosedConnectionRefusesToWork) {
  TcpConnection connection;
  char buffer[8];
  CHECK_TRUE(connection.SendAll("x", In(milliseconds(10))).error() == NetError::kNotConnected);
  CHECK_TRUE(connection.Receive(buffer, In(milliseconds(10))).error() == NetError::kNotConnected);
}

}  // namespace
