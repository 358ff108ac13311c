// Dispatch ids of the browser's events (DWebBrowserEvents2), the values of
// <exdispid.h>. Sinks switch on these in Invoke. Arguments of the events the
// browser stand-in raises, first to last (they arrive reversed in rgvarg):
//   BeforeNavigate2    pDisp, URL, Flags, TargetFrameName, PostData, Headers,
//                      Cancel (all but pDisp by reference; Cancel a bool)
//   NavigateComplete2  pDisp, URL (by reference)
//   DocumentComplete   pDisp, URL (by reference)
//   DownloadBegin, DownloadComplete, OnQuit: none
// pDisp is the browser (the top one or a frame's) the event is about.
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
