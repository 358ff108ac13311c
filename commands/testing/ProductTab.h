// Test surroundings for the product commands: a browser that records the
// pages it is asked to open and opens none, a tab context holding the
// product's whole command table, and the process setting every command test
// starts from (empty registry and disks, the product's settings key naming
// the install directory, every site pointed at a fixed test host, the
// services at a closed loopback port).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "commands/ProductCommands.h"
#include "platform/automation/Bstr.h"
#include "platform/browser/testing/NullWebBrowser.h"
#include "platform/clock/Clock.h"
#include "platform/com/ComObject.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/text/CodePage.h"
#include "platform/threading/WorkerThread.h"
#include "platform/ui/MessageQueue.h"
#include "session/sidebar/ReferralValues.h"
#include "session/tab/ContextC.h"
#include "session/testing/SessionTestSupport.h"

namespace commands::testing {

inline constexpr char kInstallDirectory[] = "C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar";
inline constexpr char kHistoryFile[] =
    "C:\\Program Files\\Vimaru Group Inc\\VimaruIEToolbar\\search_archive.txt";

struct Navigation {
  std::string url;
  bool hasFlags;
};

class RecordingBrowser : public platform::NullWebBrowser {
 public:
  HRESULT STDMETHODCALLTYPE Navigate2(VARIANT* url, VARIANT* flags, VARIANT*, VARIANT*,
                                      VARIANT*) override {
    if (url == nullptr || url->vt != VT_BSTR) return E_INVALIDARG;
    navigations_.push_back(
        {platform::WideToUtf8(platform::Bstr::Borrowed(url->bstrVal)), flags != nullptr});
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ShowBrowserBar(VARIANT*, VARIANT*, VARIANT*) override { return S_OK; }

  const std::vector<Navigation>& Navigations() const { return navigations_; }
  // The addresses alone, in order.
  std::vector<std::string> Pages() const {
    std::vector<std::string> pages;
    for (const Navigation& navigation : navigations_) pages.push_back(navigation.url);
    return pages;
  }

 private:
  std::vector<Navigation> navigations_;
};

// One browser tab with the product's toolbar commands (no toolband: the
// commands are executed as a click executes them).
class ProductTab {
 public:
  ProductTab()
      : browser_(platform::Make<RecordingBrowser>()),
        context_(std::make_unique<session::ContextC>(nullptr, ProductCommandClasses(),
                                                     platform::ComPtr<IWebBrowser2>(browser_.Get()),
                                                     nullptr)) {
    context_->Initialize();
  }

  session::ContextC& Context() { return *context_; }
  RecordingBrowser& Browser() { return *browser_; }
  std::vector<std::string> Pages() const { return browser_->Pages(); }

  framework::CommandC* Command(const char* progId) {
    return dynamic_cast<framework::CommandC*>(context_->FindCommand(progId));
  }
  template <class Class>
  Class* CommandOf(const char* progId) {
    return dynamic_cast<Class*>(context_->FindCommand(progId));
  }
  // As a click on the command's button or menu item.
  void Click(const char* progId) {
    framework::CommandC* command = Command(progId);
    ASSERT_NE(command, nullptr) << progId;
    command->Execute(nullptr);
  }
  // As text committed in the search box.
  void Type(const char* progId, const std::string& text) {
    framework::CommandC* command = Command(progId);
    ASSERT_NE(command, nullptr) << progId;
    command->ChooseText(text, nullptr);
  }
  // The member's totals arrive, logged in or not.
  void SetLoggedIn(bool loggedIn) {
    soap::MemberTotals totals;
    totals.valid = loggedIn ? 1 : 0;
    context_->UpdateLogginStatus(totals);
  }
  // The tab closes: its commands go (the search box writes its history).
  void Close() { context_.reset(); }

 private:
  platform::ComPtr<RecordingBrowser> browser_;
  std::unique_ptr<session::ContextC> context_;
};

inline void StoreReferral(const char* name, std::string_view text) {
  platform::RegistryKey key;
  ASSERT_EQ(key.Create(HKEY_LOCAL_MACHINE, session::kReferralKey), ERROR_SUCCESS);
  ASSERT_EQ(key.SetValue(name, REG_SZ, text.data(), static_cast<DWORD>(text.size() + 1)),
            ERROR_SUCCESS);
}

class ProductCommandsTest : public ::testing::Test {
 protected:
  ProductCommandsTest() {
    session::testing::StoreSetting("HotIcon", std::string(kInstallDirectory) + "\\hoticon.ico");
  }
  ~ProductCommandsTest() override {
    platform::WaitForWorkerThreads();
    platform::ui::RunUntilIdle();
  }

  using Env = session::testing::ScopedEnvironment;

  platform::VirtualClock clock_;
  platform::ScopedRegistryReset registry_;
  platform::ScopedFileSystemRoot files_;
  Env ads_{"VIMARU_ADS_ENDPOINT", "http://127.0.0.1:9/qxadsex.asmx"};
  Env utils_{"VIMARU_UTILS_ENDPOINT", "http://127.0.0.1:9/utils/utils.asmx"};
  Env webSite_{"VIMARU_WEB_SITE", "http://product.test/"};
  Env referral_{"VIMARU_REFERRAL_DOMAIN", ".referral.test"};
  Env mail_{"VIMARU_MAIL_SITE", "http://mail.test"};
  Env secureMail_{"VIMARU_MAIL_SECURE_SITE", "https://mail.test"};
  Env searchSite_{"VIMARU_SEARCH_SITE", "http://search.test"};
  Env msn_{"VIMARU_SEARCH_MSN", "http://msn.test"};
  Env ask_{"VIMARU_SEARCH_ASK", "http://ask.test"};
  Env google_{"VIMARU_SEARCH_GOOGLE", "http://google.test"};
  Env lycos_{"VIMARU_SEARCH_LYCOS", "http://lycos.test"};
  Env yahoo_{"VIMARU_SEARCH_YAHOO", "http://yahoo.test"};
};

}  // namespace commands::testing
