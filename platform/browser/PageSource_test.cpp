#include "platform/browser/PageSource.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/browser/BrowserObject.h"
#include "platform/browser/UserAgent.h"
#include "platform/com/ComInit.h"
#include "platform/files/FileSystem.h"
#include "platform/text/CodePage.h"
#include "tests/support/ScriptedPeer.h"

namespace platform {
namespace {

TEST(ResolveAddress, JoinsFrameSourcesToTheirPage) {
  struct Case {
    const char* base;
    const char* reference;
    const char* resolved;
  };
  const Case cases[] = {
      {"http://127.0.0.1:8080/dir/page.htm?q=1", "frame.htm",
       "http://127.0.0.1:8080/dir/frame.htm"},
      {"http://127.0.0.1:8080/dir/page.htm", "/top.htm", "http://127.0.0.1:8080/top.htm"},
      {"http://127.0.0.1:8080", "a.htm", "http://127.0.0.1:8080/a.htm"},
      {"http://127.0.0.1/", "https://127.0.0.2/x", "https://127.0.0.2/x"},
      {"file:///C:/Pages/top.htm", "sub/side.htm", "C:\\Pages\\sub\\side.htm"},
      {"C:\\Pages\\top.htm", "../up.htm", "C:\\up.htm"},
      {"C:\\Pages\\top.htm", "/root.htm", "C:\\root.htm"},
      {"C:\\Pages\\top.htm", "about:blank", "about:blank"},
      {"C:\\Pages\\top.htm", "", "C:\\Pages\\top.htm"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(browser::ResolveAddress(c.base, c.reference), c.resolved)
        << c.base << " + " << c.reference;
  }
}

// What cannot be loaded says why: a scheme nothing here reads by its name,
// never as a file path that happens to hold a colon.
TEST(LoadPage, RefusesWhatItCannotReadAndSaysWhy) {
  ScopedFileSystemRoot root;
  struct Case {
    const char* url;
    const char* error;
  };
  const Case cases[] = {
      {"ftp://x/", "the scheme 'ftp' is not supported"},
      {"MailTo:someone@example.com", "the scheme 'MailTo' is not supported"},
      {"javascript:alert(1)", "the scheme 'javascript' is not supported"},
      {"C:\\missing.html", "the file C:\\missing.html does not exist or cannot be read"},
      {"file:///C:/missing.html", "the file C:\\missing.html does not exist or cannot be read"},
      {"about:config", "only about:blank is supported of the about: addresses"},
      {"relative.html", "neither a URL nor a Windows path"},
  };
  for (const Case& c : cases) {
    const browser::PageContent content = browser::LoadPage({c.url, "", ""});
    EXPECT_FALSE(content.loaded) << c.url;
    EXPECT_EQ(content.error, c.error) << c.url;
  }
  for (const char* scheme : {"http", "HTTPS", "file", "res", "about"}) {
    EXPECT_TRUE(browser::IsSupportedPageScheme(scheme)) << scheme;
  }
  EXPECT_FALSE(browser::IsSupportedPageScheme("ftp"));
}

TEST(UserAgent, IsReadAsTheUrlMonikerSessionGivesIt) {
  DWORD length = 0;
  ASSERT_EQ(UrlMkGetSessionOption(URLMON_OPTION_USERAGENT, nullptr, 0, &length, 0), E_OUTOFMEMORY);
  ASSERT_EQ(length, kDefaultUserAgent.size());
  std::string buffer(length + 1, 'x');
  ASSERT_EQ(UrlMkGetSessionOption(URLMON_OPTION_USERAGENT, buffer.data(), length + 1, &length, 0),
            S_OK);
  EXPECT_EQ(buffer, std::string(kDefaultUserAgent) + '\0');

  char custom[] = "Custom/1.0";
  ASSERT_EQ(UrlMkSetSessionOption(URLMON_OPTION_USERAGENT, custom, sizeof custom - 1, 0), S_OK);
  EXPECT_EQ(UserAgent(), "Custom/1.0");
  ASSERT_EQ(UrlMkSetSessionOption(URLMON_OPTION_USERAGENT_REFRESH, nullptr, 0, 0), S_OK);
  EXPECT_EQ(UserAgent(), kDefaultUserAgent);
  EXPECT_EQ(UrlMkGetSessionOption(0x1234, nullptr, 0, &length, 0), E_INVALIDARG);
}

TEST(HttpPages, AreFetchedForRealWithTheUserAgentAndTheirCharset) {
  test_support::ScriptedPeer peer;
  const std::string body = "<html><body><p>Caf\xE9 page</p></body></html>";
  peer.Serve({test_support::ConnectionScript().ReadRequest().Send(
      "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=windows-1252\r\nContent-Length: " +
          std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body,
      7)});
  ScopedFileSystemRoot root;
  ScopedComInit com;
  auto browser = CreateBrowserWindow();
  const std::string url = peer.Url("/page.htm");
  ASSERT_EQ(browser->Navigate(Bstr(std::u16string(url.begin(), url.end())).Get(), nullptr, nullptr,
                              nullptr, nullptr),
            S_OK);
  const test_support::PeerRecord record = peer.Finish();
  EXPECT_EQ(record.problem, "");
  ASSERT_EQ(record.connections.size(), 1u);
  ASSERT_EQ(record.connections[0].requests.size(), 1u);
  const std::string& request = record.connections[0].requests[0];
  EXPECT_EQ(request.rfind("GET /page.htm HTTP/1.1\r\n", 0), 0u) << request;
  EXPECT_NE(request.find("User-Agent: " + std::string(kDefaultUserAgent) + "\r\n"),
            std::string::npos)
      << request;

  ComPtr<IHTMLElement> pageBody;
  ASSERT_EQ(browser->Document()->get_body(pageBody.ReleaseAndGetAddressOf()), S_OK);
  Bstr text;
  pageBody->get_innerText(text.Receive());
  EXPECT_EQ(text.View(), u"Caf\u00E9 page");
  browser->Quit();
}

TEST(HttpPages, PostDataAndHeadersOfANavigationGoOnTheWire) {
  test_support::ScriptedPeer peer;
  peer.Serve({test_support::ConnectionScript().ReadRequest().Send(
      "HTTP/1.1 200 OK\r\nContent-Length: 13\r\nConnection: close\r\n\r\n<p>posted</p>")});
  ScopedFileSystemRoot root;
  ScopedComInit com;
  auto browser = CreateBrowserWindow();
  const std::string url = peer.Url("/form");
  Variant address(Utf8ToWide(url));
  Variant postData;
  postData.vt = VT_ARRAY | VT_UI1;
  postData.parray = SafeArrayCreateVector(VT_UI1, 0, 7);
  std::memcpy(postData.parray->pvData, "q=a%20b", 7);
  Variant headers(u"X-Test: 1\r\nContent-Type: application/x-www-form-urlencoded\r\n");
  ASSERT_EQ(browser->Navigate2(&address, nullptr, nullptr, &postData, &headers), S_OK);
  const test_support::PeerRecord record = peer.Finish();
  ASSERT_EQ(record.problem, "");
  const std::string& request = record.connections.at(0).requests.at(0);
  EXPECT_EQ(request.rfind("POST /form HTTP/1.1\r\n", 0), 0u) << request;
  EXPECT_NE(request.find("\r\nX-Test: 1\r\n"), std::string::npos) << request;
  EXPECT_EQ(request.substr(request.size() - 7), "q=a%20b");
  EXPECT_EQ(browser->Navigations().at(0).postData, "q=a%20b");
  browser->Quit();
}

TEST(HttpPages, AnUnreachableServerShowsTheErrorPage) {
  ScopedFileSystemRoot root;
  ScopedComInit com;
  auto browser = CreateBrowserWindow();
  const std::string url =
      "http://127.0.0.1:" + std::to_string(test_support::UnusedLoopbackPort()) + "/";
  ASSERT_EQ(browser->Navigate(Bstr(std::u16string(url.begin(), url.end())).Get(), nullptr, nullptr,
                              nullptr, nullptr),
            S_OK);
  ComPtr<IHTMLElement> body;
  ASSERT_EQ(browser->Document()->get_body(body.ReleaseAndGetAddressOf()), S_OK);
  Bstr text;
  body->get_innerText(text.Receive());
  EXPECT_EQ(text.View(), u"The page cannot be displayed");
  READYSTATE state = READYSTATE_UNINITIALIZED;
  browser->get_ReadyState(&state);
  EXPECT_EQ(state, READYSTATE_COMPLETE);
  browser->Quit();
}

}  // namespace
}  // namespace platform
