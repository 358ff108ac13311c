// The shell interfaces between the browser and the bands it hosts (the
// toolbar and explorer bars): the band's window and docking, its site, focus
// and services. Interface ids and constants are the Windows ones; the
// browser stand-in calls them on bands and answers them as the site.
#pragma once

#include "platform/browser/WebBrowser.h"
#include "platform/ui/WinTypes.h"

#if defined(_WIN32)
#include <servprov.h>
#include <shlobj.h>
#include <shobjidl.h>

// The SDK's interfaces cannot name their bases, so the chains the product's
// bands answer QueryInterface for are spelled out here.
template <>
struct platform::BaseInterfaceOf<IDockingWindow> {
  using Type = IOleWindow;
};
template <>
struct platform::BaseInterfaceOf<IDeskBand> {
  using Type = IDockingWindow;
};
template <>
struct platform::BaseInterfaceOf<IPersistStream> {
  using Type = IPersist;
};
#else
#include "platform/browser/ShellInterfaces_linux.h"
#endif
