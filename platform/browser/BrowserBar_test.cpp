#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "platform/activation/Activation.h"
#include "platform/browser/BrowserObject.h"
#include "platform/com/ComInit.h"
#include "platform/files/FileSystem.h"
#include "platform/plugin/LoadedModule.h"
#include "platform/registry/RegistryKey.h"
#include "platform/registry/RegistryTestHooks.h"

namespace platform {
namespace {

constexpr char kBarPath[] = "C:\\Program Files\\Test\\TestBar.dll";
constexpr char16_t kBarClsid[] = u"{4E7B9C21-5A3D-4F60-8B12-7C9D0E1F2A3B}";
constexpr CLSID kBar = MakeGuid("4E7B9C21-5A3D-4F60-8B12-7C9D0E1F2A3B");

std::string HostFileBytes(const char* hostPath) {
  std::ifstream in(hostPath, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class BrowserBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MakeDirectories("C:\\Program Files\\Test"));
    ASSERT_TRUE(WriteWholeFile(kBarPath, HostFileBytes(VIMARU_TEST_BAR_MODULE)));
    RegistryKey key;
    ASSERT_EQ(key.Create(HKEY_CLASSES_ROOT,
                         "CLSID\\{4E7B9C21-5A3D-4F60-8B12-7C9D0E1F2A3B}\\InprocServer32"),
              ERROR_SUCCESS);
    ASSERT_EQ(key.SetStringValue("", kBarPath), ERROR_SUCCESS);
    browser_->SetBandParentWindow(reinterpret_cast<HWND>(0x1234));
  }
  void TearDown() override {
    browser_->Quit();
    CoFreeUnusedLibraries();
  }

  HRESULT Show(std::u16string_view clsid, bool show) {
    Variant id(clsid);
    Variant flag(show);
    return browser_->ShowBrowserBar(&id, &flag, nullptr);
  }
  // What the bar module logged so far.
  std::string BarLog() {
    auto module = LoadedModule::Load(kBarPath);
    if (!module) return "<not loaded>";
    return module->GetProc<const char*()>("TestBarLog")();
  }

  ScopedFileSystemRoot root_;
  ScopedRegistryReset registry_;
  ScopedComInit com_;
  ComPtr<BrowserObject> browser_ = CreateBrowserWindow();
};

TEST_F(BrowserBarTest, ShowsAndHidesABarCreatedThroughItsRegisteredModule) {
  ASSERT_EQ(Show(kBarClsid, true), S_OK);
  ASSERT_TRUE(browser_->BrowserBar(kBar));
  EXPECT_EQ(BarLog(), "SetSite(browser);ShowDW(1);");
  // The bar told its site it has the focus.
  const auto site = browser_->BrowserBarSite(kBar);
  ASSERT_EQ(site->FocusChanges().size(), 1u);
  EXPECT_TRUE(site->FocusChanges()[0].hasFocus);

  // Showing it again shows the same bar.
  ASSERT_EQ(Show(kBarClsid, true), S_OK);
  EXPECT_EQ(BarLog(), "SetSite(browser);ShowDW(1);ShowDW(1);");

  ASSERT_EQ(Show(kBarClsid, false), S_OK);
  EXPECT_FALSE(browser_->BrowserBar(kBar));
  EXPECT_EQ(BarLog(), "SetSite(browser);ShowDW(1);ShowDW(1);ShowDW(0);CloseDW;SetSite(null);");
  // The closed bar was its module's last object.
  CoFreeUnusedLibraries();
  EXPECT_FALSE(IsModuleLoaded(kBarPath));

  const auto& calls = browser_->BrowserBarCalls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].clsid, kBar);
  EXPECT_TRUE(calls[0].show);
  EXPECT_FALSE(calls[2].show);
}

TEST_F(BrowserBarTest, QuitClosesOpenBars) {
  ASSERT_EQ(Show(kBarClsid, true), S_OK);
  ASSERT_EQ(browser_->Quit(), S_OK);
  EXPECT_EQ(BarLog(), "SetSite(browser);ShowDW(1);ShowDW(0);CloseDW;SetSite(null);");
}

TEST_F(BrowserBarTest, ReportsBarsThatCannotBeMade) {
  EXPECT_EQ(Show(u"{00000000-0000-0000-0000-00000000BEEF}", true), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(Show(u"not a class id", true), E_INVALIDARG);
  // A bar whose site has no window refuses it and is not kept.
  browser_->SetBandParentWindow(nullptr);
  EXPECT_EQ(Show(kBarClsid, true), E_FAIL);
  EXPECT_FALSE(browser_->BrowserBar(kBar));
  // Hiding a bar that is not shown is harmless.
  EXPECT_EQ(Show(kBarClsid, false), S_OK);
}

TEST_F(BrowserBarTest, BandSitesAnswerOnlyTheBrowserService) {
  const auto site = browser_->MakeBandSite();
  ComPtr<IWebBrowser2> viaService;
  ASSERT_EQ(
      site->QueryService(SID_SWebBrowserApp, IID_PPV_ARGS(viaService.ReleaseAndGetAddressOf())),
      S_OK);
  EXPECT_EQ(viaService.Get(), static_cast<IWebBrowser2*>(browser_.Get()));
  ComPtr<IUnknown> other;
  EXPECT_EQ(site->QueryService(IID_IWebBrowser2, IID_IUnknown, other.ReleaseAndGetVoidAddressOf()),
            E_NOINTERFACE);
  HWND window = nullptr;
  ASSERT_EQ(site->GetWindow(&window), S_OK);
  EXPECT_EQ(window, reinterpret_cast<HWND>(0x1234));
  site->Detach();
  EXPECT_EQ(
      site->QueryService(SID_SWebBrowserApp, IID_PPV_ARGS(viaService.ReleaseAndGetAddressOf())),
      E_NOINTERFACE);
}

}  // namespace
}  // namespace platform
