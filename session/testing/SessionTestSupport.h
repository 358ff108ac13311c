// Test doubles and surroundings for the session: a tab context that records
// what the session hands it, a browser with a settable address that records
// its explorer-bar calls, a sidebar with a window, and the process setting
// every session test starts from (empty registry, fresh disks, the two
// service endpoints pointed where the test says).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "framework/command/CommandC.h"
#include "framework/command/CommandContainerI.h"
#include "platform/automation/Bstr.h"
#include "platform/automation/Variant.h"
#include "platform/browser/testing/NullWebBrowser.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Window.h"
#include "session/GlobalSinglton.h"
#include "session/SessionContextI.h"
#include "session/SidebarI.h"
#include "session/settings/ProductSettings.h"

namespace session::testing {

class FakeCommands : public framework::CommandContainerI {
 public:
  framework::CommandC& Add(const std::string& name) {
    return *commands_.emplace(name, std::make_unique<framework::CommandC>(name)).first->second;
  }
  framework::CommandI* FindCommand(const std::string& name) override {
    const auto found = commands_.find(name);
    return found == commands_.end() ? nullptr : found->second.get();
  }
  framework::CommandC* CreateCommandInstance(const std::string&, const std::string&) override {
    return nullptr;
  }
  std::string LayoutLocation() override { return {}; }
  framework::StoredLayoutLocation GetStoredLayoutLocation() override { return {}; }
  std::string BandClassIdText() override { return {}; }
  std::string ElevationPolicyIdText() override { return {}; }

 private:
  std::map<std::string, std::unique_ptr<framework::CommandC>> commands_;
};

// Records the totals it is given and on which thread.
class FakeContext : public SessionContextI {
 public:
  void UpdateLogginStatus(const soap::MemberTotals& totals) override {
    std::lock_guard lock(mutex_);
    updates_.push_back(totals);
    threads_.push_back(GetCurrentThreadId());
    updated_.notify_all();
  }
  // Waits until `count` updates have arrived from other threads; false
  // after a guard of real time that only a hang reaches.
  bool AwaitUpdates(std::size_t count) const {
    std::unique_lock lock(mutex_);
    return updated_.wait_for(lock, std::chrono::seconds(5),
                             [&] { return updates_.size() >= count; });
  }
  framework::CommandContainerI& Commands() override { return commands_; }
  FakeCommands& Fake() { return commands_; }

  std::vector<soap::MemberTotals> Updates() const {
    std::lock_guard lock(mutex_);
    return updates_;
  }
  std::vector<DWORD> UpdateThreads() const {
    std::lock_guard lock(mutex_);
    return threads_;
  }

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable updated_;
  std::vector<soap::MemberTotals> updates_;
  std::vector<DWORD> threads_;
  FakeCommands commands_;
};

class FakeBrowser : public platform::NullWebBrowser {
 public:
  struct BarCall {
    std::u16string clsid;
    bool show;
  };

  void SetLocation(std::u16string url) { location_ = std::move(url); }
  const std::vector<BarCall>& BarCalls() const { return barCalls_; }

  HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR* url) override {
    return platform::CopyToBstr(location_, url);
  }
  HRESULT STDMETHODCALLTYPE ShowBrowserBar(VARIANT* clsid, VARIANT* show, VARIANT*) override {
    barCalls_.push_back({std::u16string(platform::Bstr::Borrowed(clsid->bstrVal)),
                         show->vt == VT_BOOL && show->boolVal == VARIANT_TRUE});
    return S_OK;
  }

 private:
  std::u16string location_ = u"http://pages.example/";
  std::vector<BarCall> barCalls_;
};

// A sidebar band's stand-in: a plain window the test shows and hides.
class FakeSidebar : public SidebarI {
 public:
  FakeSidebar()
      : window_(CreateWindowExW(0, WC_STATICW, WC_STATICW, 0, 0, 0, 145, 400, nullptr, nullptr,
                                nullptr, nullptr)) {}
  HWND SidebarWindow() const override { return window_.Get(); }
  void Show(bool shown) { ShowWindow(window_.Get(), shown ? SW_SHOW : SW_HIDE); }

 private:
  platform::ui::UniqueWindow window_;
};

// Sets an environment variable for the test's length. Set before any
// thread that may read it starts.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

// Holds one reference to the session, created on first use, for as long as
// it lives.
class SessionReference {
 public:
  SessionReference() : session_(GlobalSinglton::Instance()) {}
  ~SessionReference() { GlobalSinglton::FreeInst(); }
  SessionReference(const SessionReference&) = delete;
  SessionReference& operator=(const SessionReference&) = delete;
  GlobalSinglton* operator->() const { return session_; }
  GlobalSinglton* get() const { return session_; }

 private:
  GlobalSinglton* session_;
};

// The product's settings key, as the installer leaves it.
inline platform::RegistryKey CreateSettingsKey() {
  platform::RegistryKey key;
  (void)key.Create(HKEY_LOCAL_MACHINE, kProductSettingsKey);
  return key;
}

inline void StoreSetting(const char* name, std::string_view text) {
  platform::RegistryKey key = CreateSettingsKey();
  (void)key.SetValue(name, REG_SZ, text.data(), static_cast<DWORD>(text.size()));
}

}  // namespace session::testing
