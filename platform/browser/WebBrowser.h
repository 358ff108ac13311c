// The browser's automation interface, as the toolbar holds it. Only its
// identity is needed while commands and the tab context merely keep a
// reference; the browser stand-in fills in navigation, documents and events.
#pragma once

#include "platform/com/Unknown.h"

struct IWebBrowser2 : IUnknown {
  static constexpr IID kIid = platform::MakeGuid("D30C1661-CDAF-11D0-8A3E-00C04FC9E26E");

 protected:
  ~IWebBrowser2() = default;
};

inline constexpr IID IID_IWebBrowser2 = IWebBrowser2::kIid;
