// The Linux side of platform/automation/WebBrowserEventIds.h: the browser's event dispatch ids.
#pragma once

#include "platform/automation/Dispatch.h"

constexpr DISPID DISPID_STATUSTEXTCHANGE = 102;
constexpr DISPID DISPID_DOWNLOADCOMPLETE = 104;
constexpr DISPID DISPID_COMMANDSTATECHANGE = 105;
constexpr DISPID DISPID_DOWNLOADBEGIN = 106;
constexpr DISPID DISPID_PROGRESSCHANGE = 108;
constexpr DISPID DISPID_TITLECHANGE = 113;
constexpr DISPID DISPID_BEFORENAVIGATE2 = 250;
constexpr DISPID DISPID_NEWWINDOW2 = 251;
constexpr DISPID DISPID_NAVIGATECOMPLETE2 = 252;
constexpr DISPID DISPID_ONQUIT = 253;
constexpr DISPID DISPID_ONVISIBLE = 254;
constexpr DISPID DISPID_DOCUMENTCOMPLETE = 259;
