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

#if defined(_WIN32)
#include <exdispid.h>
#else
#include "platform/automation/WebBrowserEventIds_linux.h"
#endif
