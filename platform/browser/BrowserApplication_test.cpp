#include "platform/browser/BrowserApplication.h"

#include <gtest/gtest.h>

#include "platform/activation/Activation.h"
#include "platform/automation/Variant.h"
#include "platform/com/ComInit.h"
#include "platform/files/FileSystem.h"
#include "platform/registry/RegistryTestHooks.h"

namespace platform {
namespace {

class BrowserApplicationTest : public ::testing::Test {
 protected:
  ScopedFileSystemRoot root_;
  ScopedRegistryReset registry_;
  ScopedComInit com_;
};

HRESULT CreateApplication(ComPtr<IWebBrowser2>& browser) {
  return CoCreateInstance(CLSID_InternetExplorer, nullptr, CLSCTX_LOCAL_SERVER,
                          IID_PPV_ARGS(browser.ReleaseAndGetAddressOf()));
}

TEST_F(BrowserApplicationTest, EachCreationIsANewBrowserWindow) {
  ScopedBrowserApplication application;
  ComPtr<IWebBrowser2> first;
  ComPtr<IWebBrowser2> second;
  ASSERT_EQ(CreateApplication(first), S_OK);
  ASSERT_EQ(CreateApplication(second), S_OK);
  const auto browsers = application.Browsers();
  ASSERT_EQ(browsers.size(), 2u);
  EXPECT_NE(browsers[0], browsers[1]);

  Variant clsid(std::u16string_view(u"{4E7B9C21-5A3D-4F60-8B12-7C9D0E1F2A3B}"));
  Variant hide(false);
  ASSERT_EQ(first->ShowBrowserBar(&clsid, &hide, nullptr), S_OK);
  ASSERT_EQ(first->Quit(), S_OK);
  ASSERT_EQ(browsers[0]->BrowserBarCalls().size(), 1u);
  EXPECT_FALSE(browsers[0]->BrowserBarCalls()[0].show);
  EXPECT_TRUE(browsers[0]->HasQuit());
  EXPECT_FALSE(browsers[1]->HasQuit());
}

TEST_F(BrowserApplicationTest, OnlyTheLocalServerContextReachesIt) {
  ComPtr<IWebBrowser2> browser;
  EXPECT_EQ(CreateApplication(browser), REGDB_E_CLASSNOTREG);
  ScopedBrowserApplication application;
  EXPECT_EQ(CoCreateInstance(CLSID_InternetExplorer, nullptr, CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(browser.ReleaseAndGetAddressOf())),
            REGDB_E_CLASSNOTREG);
  ComPtr<IUnknown> outer;
  ASSERT_EQ(CreateApplication(browser), S_OK);
  ASSERT_EQ(browser.As(&outer), S_OK);
  ComPtr<IUnknown> aggregated;
  EXPECT_EQ(CoCreateInstance(CLSID_InternetExplorer, outer.Get(), CLSCTX_LOCAL_SERVER, IID_IUnknown,
                             aggregated.ReleaseAndGetVoidAddressOf()),
            CLASS_E_NOAGGREGATION);
}

}  // namespace
}  // namespace platform
