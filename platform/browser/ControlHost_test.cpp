#include "platform/browser/ControlHost.h"

#include <gtest/gtest.h>

#include "platform/browser/BrowserObject.h"
#include "platform/browser/testing/NullWebBrowser.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Window.h"

namespace platform {
namespace {

ULONG References(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

HWND MakeHostWindow() {
  return CreateWindowExW(0, WC_STATICW, u"", WS_CHILD, 0, 0, 145, 300, nullptr, nullptr, nullptr,
                         nullptr);
}

TEST(ControlHost, TheWindowHoldsTheControlAndIsItsFrameUntilItGoes) {
  const auto control = Make<BrowserObject>();
  ui::UniqueWindow host(MakeHostWindow());
  const ULONG before = References(static_cast<IWebBrowser2*>(control.Get()));

  ASSERT_EQ(AttachControlToWindow(static_cast<IWebBrowser2*>(control.Get()), host.Get()), S_OK);
  EXPECT_EQ(References(static_cast<IWebBrowser2*>(control.Get())), before + 1);
  LONG_PTR frame = 0;
  ASSERT_EQ(control->get_HWND(&frame), S_OK);
  EXPECT_EQ(reinterpret_cast<HWND>(frame), host.Get());
  // Hosting it again in the same window takes no second reference.
  ASSERT_EQ(AttachControlToWindow(static_cast<IWebBrowser2*>(control.Get()), host.Get()), S_OK);
  EXPECT_EQ(References(static_cast<IWebBrowser2*>(control.Get())), before + 1);

  host.Reset();
  EXPECT_EQ(References(static_cast<IWebBrowser2*>(control.Get())), before);
  EXPECT_EQ(control->get_HWND(&frame), E_FAIL);
  EXPECT_EQ(frame, 0);
}

TEST(ControlHost, AControlMovedToAnotherWindowKeepsItsNewFrameWhenTheOldGoes) {
  const auto control = Make<BrowserObject>();
  ui::UniqueWindow first(MakeHostWindow());
  ui::UniqueWindow second(MakeHostWindow());
  ASSERT_EQ(AttachControlToWindow(static_cast<IWebBrowser2*>(control.Get()), first.Get()), S_OK);
  ASSERT_EQ(AttachControlToWindow(static_cast<IWebBrowser2*>(control.Get()), second.Get()), S_OK);
  first.Reset();
  LONG_PTR frame = 0;
  ASSERT_EQ(control->get_HWND(&frame), S_OK);
  EXPECT_EQ(reinterpret_cast<HWND>(frame), second.Get());
}

TEST(ControlHost, RefusesWhatCannotBeHostedAndWindowsThatAreGone) {
  ui::UniqueWindow host(MakeHostWindow());
  EXPECT_EQ(AttachControlToWindow(nullptr, host.Get()), E_POINTER);
  // A browser interface that is not the control.
  const auto imitation = Make<NullWebBrowser>();
  EXPECT_EQ(AttachControlToWindow(static_cast<IWebBrowser2*>(imitation.Get()), host.Get()),
            E_NOINTERFACE);
  // No browser at all.
  const auto document = Make<html::HtmlDocument>(u"about:blank");
  EXPECT_EQ(AttachControlToWindow(static_cast<IHTMLDocument2*>(document.Get()), host.Get()),
            E_NOINTERFACE);

  const auto control = Make<BrowserObject>();
  const ULONG before = References(static_cast<IWebBrowser2*>(control.Get()));
  HWND gone = MakeHostWindow();
  DestroyWindow(gone);
  EXPECT_EQ(AttachControlToWindow(static_cast<IWebBrowser2*>(control.Get()), gone), E_INVALIDARG);
  EXPECT_EQ(AttachControlToWindow(static_cast<IWebBrowser2*>(control.Get()), nullptr),
            E_INVALIDARG);
  EXPECT_EQ(References(static_cast<IWebBrowser2*>(control.Get())), before);
}

TEST(ControlHost, TheWindowAnswersItsControlUntilItGoes) {
  const auto control = Make<BrowserObject>();
  ui::UniqueWindow host(MakeHostWindow());
  ui::UniqueWindow empty(MakeHostWindow());
  ComPtr<IUnknown> found;
  EXPECT_EQ(AtlAxGetControl(host.Get(), found.ReleaseAndGetAddressOf()), E_FAIL);
  EXPECT_EQ(AtlAxGetControl(host.Get(), nullptr), E_POINTER);

  ASSERT_EQ(AttachControlToWindow(static_cast<IWebBrowser2*>(control.Get()), host.Get()), S_OK);
  ASSERT_EQ(AtlAxGetControl(host.Get(), found.ReleaseAndGetAddressOf()), S_OK);
  ComPtr<IUnknown> identity;
  control->QueryInterface(IID_IUnknown, identity.ReleaseAndGetVoidAddressOf());
  EXPECT_EQ(found.Get(), identity.Get());
  EXPECT_EQ(AtlAxGetControl(empty.Get(), found.ReleaseAndGetAddressOf()), E_FAIL);
  EXPECT_EQ(found.Get(), nullptr);

  HWND gone = host.Get();
  host.Reset();
  EXPECT_EQ(AtlAxGetControl(gone, found.ReleaseAndGetAddressOf()), E_FAIL);
}

}  // namespace
}  // namespace platform
