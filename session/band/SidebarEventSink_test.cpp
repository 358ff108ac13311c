#include "session/band/SidebarEventSink.h"

#include <gtest/gtest.h>

#include "platform/automation/WebBrowserEventIds.h"
#include "platform/com/ComObject.h"

namespace session {
namespace {

HRESULT Raise(SidebarEventSink& sink, DISPID id) {
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  return sink.Invoke(id, GUID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr);
}

TEST(SidebarEventSink, OnlyDocumentCompleteReachesTheBandAndNothingOnceForgotten) {
  int completions = 0;
  const auto sink = platform::Make<SidebarEventSink>([&] { ++completions; });
  for (DISPID other : {DISPID_BEFORENAVIGATE2, DISPID_NAVIGATECOMPLETE2, DISPID_DOWNLOADCOMPLETE,
                       DISPID_ONQUIT, DISPID(0), DISPID(-1)}) {
    EXPECT_EQ(Raise(*sink, other), S_OK);
  }
  EXPECT_EQ(completions, 0);
  EXPECT_EQ(Raise(*sink, DISPID_DOCUMENTCOMPLETE), S_OK);
  EXPECT_EQ(completions, 1);

  // A source may still deliver an event it had begun to deliver when the
  // band disconnected and went away.
  sink->Forget();
  EXPECT_EQ(Raise(*sink, DISPID_DOCUMENTCOMPLETE), S_OK);
  EXPECT_EQ(completions, 1);
}

TEST(SidebarEventSink, AnswersTheBrowsersEventInterfaceAsADispatchSink) {
  const auto sink = platform::Make<SidebarEventSink>([] {});
  platform::ComPtr<IUnknown> events;
  EXPECT_EQ(sink->QueryInterface(DIID_DWebBrowserEvents2, events.ReleaseAndGetVoidAddressOf()),
            S_OK);
  EXPECT_EQ(sink->QueryInterface(IID_IDispatch, events.ReleaseAndGetVoidAddressOf()), S_OK);
}

}  // namespace
}  // namespace session
