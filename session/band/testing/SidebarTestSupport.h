// What the sidebar band's tests stand on: a browser window of the stand-in
// whose explorer bars are made through COM activation as the browser makes
// them, the band's class served to the process for the test, a session
// holding a tab record for that browser, and the web-browser controls the
// band makes, served ahead of CreateBrowserWindow's class object so a test
// can have the next control hold its first page in loading.
//
// The session starts from an empty registry, fresh disks, services nobody
// listens on and category lists already in their cache, so it starts no
// worker and no timer tick comes under the virtual clock.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/activation/Activation.h"
#include "platform/automation/Bstr.h"
#include "platform/automation/Variant.h"
#include "platform/browser/BrowserFrame.h"
#include "platform/browser/BrowserObject.h"
#include "platform/clock/Clock.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComInit.h"
#include "platform/module/ModuleLifetime.h"
#include "platform/files/FileSystem.h"
#include "platform/html/HtmlInterfaces.h"
#include "platform/registry/RegistryTestHooks.h"
#include "platform/threading/WorkerThread.h"
#include "platform/trace/Trace.h"
#include "session/GlobalSinglton.h"
#include "session/TabContextC.h"
#include "session/band/CmyIESideBar.h"
#include "session/band/SidebarClass.h"
#include "session/categories/CategoryCacheFile.h"
#include "session/testing/SessionTestSupport.h"

namespace session::testing {

inline ULONG References(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

// The class object of the web-browser controls the band creates in tests.
class ControlClass final : public platform::ComObject<IClassFactory> {
 public:
  // Serves CLSID_WebBrowser for the rest of the process; true when this
  // class object is the one served (it must come before the first
  // CreateBrowserWindow, which serves its own otherwise).
  static bool Install() {
    static const bool installed = [] {
      DWORD cookie = 0;
      return SUCCEEDED(CoRegisterClassObject(CLSID_WebBrowser, platform::Make<ControlClass>().Get(),
                                             CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie));
    }();
    return installed;
  }
  // The next control made holds its first page in loading (see
  // BrowserObject::HoldPageLoading) until the test finishes it.
  static void HoldNextPageLoading() { HoldNext().store(true); }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    const auto control = platform::Make<platform::BrowserObject>();
    control->HoldPageLoading(HoldNext().exchange(false));
    return control->QueryInterface(iid, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  static std::atomic<bool>& HoldNext() {
    static std::atomic<bool> hold{false};
    return hold;
  }
};

// The band's class served to the process while alive, as the module's
// class object would be once registered.
class ScopedSidebarClass {
 public:
  ScopedSidebarClass() {
    CoRegisterClassObject(CLSID_CmyIESideBar,
                          platform::Make<platform::ClassFactory<CmyIESideBar>>().Get(),
                          CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie_);
  }
  ~ScopedSidebarClass() { CoRevokeClassObject(cookie_); }
  ScopedSidebarClass(const ScopedSidebarClass&) = delete;
  ScopedSidebarClass& operator=(const ScopedSidebarClass&) = delete;

  bool Registered() const { return cookie_ != 0; }

 private:
  DWORD cookie_ = 0;
};

// The band's own trace lines ("CmyIESideBar::...") while alive.
class SidebarTrace {
 public:
  std::vector<std::string> Lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;  // guarded by mutex_
  platform::ScopedTraceCapture capture_{[this](std::string_view line) {
    if (!line.starts_with("CmyIESideBar::")) return;
    std::lock_guard lock(mutex_);
    lines_.emplace_back(line);
  }};
};

// The process as every sidebar test starts it; see the file comment.
class SidebarProcess {
 public:
  SidebarProcess() {
    CreateSettingsKey();
    const std::string cache = CategoryCachePath(platform::GetHostExecutablePath());
    cacheWritten_ = WriteCategoryCache(cache, {{{u"cheap flights", u"Travel"}}, {u"casino"}}) &&
                    platform::SetFileLastWriteTime(cache, platform::WallClockNow());
  }
  ~SidebarProcess() { platform::WaitForWorkerThreads(); }
  SidebarProcess(const SidebarProcess&) = delete;
  SidebarProcess& operator=(const SidebarProcess&) = delete;

  // Whether the process is as it should be; a test asserts it first.
  bool Ready() const { return cacheWritten_ && sidebarClass_.Registered() && controls_; }

 private:
  platform::VirtualClock clock_{1000};
  platform::ScopedRegistryReset registry_;
  platform::ScopedFileSystemRoot files_;
  ScopedEnvironment ads_{"VIMARU_ADS_ENDPOINT", "http://127.0.0.1:9/qxadsex.asmx"};
  ScopedEnvironment utils_{"VIMARU_UTILS_ENDPOINT", "http://127.0.0.1:9/utils/utils.asmx"};
  ScopedSidebarClass sidebarClass_;
  bool controls_ = ControlClass::Install();
  bool cacheWritten_ = false;
};

inline HRESULT ShowSidebar(platform::BrowserObject& browser, bool show) {
  platform::Variant clsid(kSidebarClassId);
  platform::Variant shown(show);
  return browser.ShowBrowserBar(&clsid, &shown, nullptr);
}

// The browser's live sidebar band, or null.
inline CmyIESideBar* SidebarOf(const platform::BrowserObject& browser) {
  const platform::ComPtr<IUnknown> bar = browser.BrowserBar(CLSID_CmyIESideBar);
  platform::ComPtr<IDeskBand> band;
  if (!bar || FAILED(bar.As(&band))) return nullptr;
  return static_cast<CmyIESideBar*>(band.Get());
}

// The stand-in control behind an IWebBrowser2 the band handed out.
inline platform::BrowserObject* StandInControl(IWebBrowser2* control) {
  return dynamic_cast<platform::BrowserObject*>(control);
}

inline std::u16string BodyHtml(IWebBrowser2* control) {
  platform::ComPtr<IDispatch> dispatch;
  platform::ComPtr<IHTMLDocument2> document;
  platform::ComPtr<IHTMLElement> body;
  if (control == nullptr || FAILED(control->get_Document(dispatch.ReleaseAndGetAddressOf())) ||
      !dispatch || FAILED(dispatch.As(&document)) ||
      FAILED(document->get_body(body.ReleaseAndGetAddressOf())) || !body) {
    return u"<no body>";
  }
  platform::Bstr html;
  body->get_innerHTML(html.Receive());
  return html.String();
}

// A browser window on the calling thread with a tab record for its browser
// in the session, and what the band leaves in either.
class SidebarTab {
 public:
  explicit SidebarTab(GlobalSinglton* session, bool withRecord = true) {
    if (!withRecord) return;
    record_ = std::make_shared<TabContextC>(&context_,
                                            platform::ComPtr<IWebBrowser2>(&frame_.Browser()), 0);
    session->AddTabContext(record_);
  }
  // The session the record went into may have gone meanwhile.
  ~SidebarTab() {
    frame_.Quit();
    GlobalSinglton::Existing session;
    if (session && record_) session->RemoveTabContext(&context_);
  }
  SidebarTab(const SidebarTab&) = delete;
  SidebarTab& operator=(const SidebarTab&) = delete;

  platform::BrowserObject& Browser() { return frame_.Browser(); }
  IWebBrowser2* BrowserInterface() { return &frame_.Browser(); }
  const std::shared_ptr<TabContextC>& Record() const { return record_; }
  HRESULT Show(bool show = true) { return ShowSidebar(frame_.Browser(), show); }
  CmyIESideBar* Band() { return SidebarOf(frame_.Browser()); }
  // The window the browser gives its explorer bars as their parent.
  HWND BarParent() {
    HWND parent = nullptr;
    frame_.Browser().MakeBandSite()->GetWindow(&parent);
    return parent;
  }

 private:
  FakeContext context_;
  platform::BrowserFrame frame_;
  std::shared_ptr<TabContextC> record_;
};

// Each test: the process as above, COM on the test's thread, a session
// reference and a browser window whose tab has a record; and at the end
// neither a band nor a sink left alive, nor a module lock.
class SidebarBandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(process_.Ready());
    objects_ = platform::ModuleLifetime::ObjectCount();
  }
  void TearDown() override {
    tab_.reset();
    EXPECT_EQ(platform::ModuleLifetime::ObjectCount(), objects_) << "a band or sink outlived it";
    EXPECT_EQ(platform::ModuleLifetime::LockCount(), 0);
  }

  GlobalSinglton* Session() { return session_->get(); }
  SidebarTab& Tab() { return *tab_; }
  // The control the shown band entered into the tab's record.
  platform::ComPtr<IWebBrowser2> Control() { return Tab().Record()->SidebarBrowser(); }

  SidebarProcess process_;
  platform::ScopedComInit com_;
  std::optional<SessionReference> session_{std::in_place};
  std::optional<SidebarTab> tab_{std::in_place, session_->get()};
  LONG objects_ = 0;
};

}  // namespace session::testing
