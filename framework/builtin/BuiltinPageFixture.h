// Test support: a tab whose layout lives in C:\Toolbar, a stand-in browser
// over real pages in C:\Pages (nested frames, scripts, text spread over
// several elements), and commands executed from one-line layout elements.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "framework/builtin/BuiltinTestSupport.h"
#include "framework/command/CommandC.h"
#include "framework/controls/ButtonControlC.h"
#include "platform/automation/Bstr.h"
#include "platform/browser/BrowserObject.h"
#include "platform/files/FileSystem.h"
#include "platform/html/HtmlJournal.h"

namespace framework::testing {

class BuiltinPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::html::ClearHtmlJournal();
    context_.layoutLocation = "C:\\Toolbar\\layout.xml";
    ASSERT_TRUE(platform::MakeDirectories("C:\\Toolbar"));
    ASSERT_TRUE(platform::MakeDirectories("C:\\Pages"));
    Write("C:\\Pages\\top.htm",
          "<html><head><script>var x = 1;</script></head><body>"
          "<p id='intro'>The <b>blue</b> whale is the <i>largest</i> animal.</p>"
          "<iframe name='side' src='side.htm'></iframe>"
          "<div>A blue sky over a blue sea.</div></body></html>");
    Write("C:\\Pages\\side.htm", "<body>Side <b>text</b><iframe src='inner.htm'></iframe></body>");
    Write("C:\\Pages\\inner.htm", "<body>Inner</body>");
    Write("C:\\Pages\\plain.htm", "<body>Plain</body>");
  }
  void TearDown() override { browser_->Quit(); }

  void Write(std::string_view path, std::string_view bytes) {
    ASSERT_TRUE(platform::WriteWholeFile(path, bytes));
  }
  void Open(std::u16string_view url) {
    ASSERT_EQ(browser_->Navigate(platform::Bstr(url).Get(), nullptr, nullptr, nullptr, nullptr),
              S_OK);
  }
  IWebBrowser2* Browser() { return browser_.Get(); }
  void Initialise(CommandC& command) {
    command.Initialise(&context_, platform::ComPtr<IWebBrowser2>(Browser()), HostWindow());
  }
  static HostData HostWindow() { return reinterpret_cast<HostData>(0x1234); }

  // Executes the command as a button whose layout element is `xml`.
  void Click(CommandC& command, std::string_view xml) {
    LayoutElement element(xml);
    ButtonControlC button(&command, "");
    button.SetElement(element.Element());
    command.Execute(&button);
  }
  void Toggle(CommandC& command, std::string_view xml) {
    LayoutElement element(xml);
    ButtonControlC button(&command, "");
    button.SetElement(element.Element());
    command.ToggleAndExecute(&button);
  }

  std::u16string BodyHtml() {
    platform::html::HtmlDocument* document = browser_->Document();
    platform::ComPtr<IHTMLElement> body;
    EXPECT_EQ(document->get_body(body.ReleaseAndGetAddressOf()), S_OK);
    platform::Bstr html;
    body->get_innerHTML(html.Receive());
    return html.String();
  }

  platform::ScopedFileSystemRoot root_;
  FakeTabContext context_;
  platform::ComPtr<platform::BrowserObject> browser_ = platform::CreateBrowserWindow();
};

}  // namespace framework::testing
