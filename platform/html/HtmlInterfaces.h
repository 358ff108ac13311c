// The MSHTML document object model as the product uses it: documents, their
// elements and collections, the window a document lives in, frames, and
// text ranges. Interface ids are the real ones; each interface carries the
// members the product and its tests call (the real ones have many more).
// Text is UTF-16 throughout, as MSHTML is wide; strings are BSTRs owned as
// Automation owns them (out-parameters are freed by the caller).
//
// Positions of insertAdjacentHTML and insertAdjacentText: "beforeBegin",
// "afterBegin", "beforeEnd", "afterEnd" (case-insensitive).
// Text range units for move, moveStart and moveEnd: "character" and
// "textedit" (the whole body).
// findText flags: 2 whole word, 4 match case; a negative count searches
// backwards.
#pragma once

#include "platform/automation/Dispatch.h"
#include "platform/automation/SafeArray.h"

#if defined(_WIN32)
#include <mshtml.h>

template <>
struct platform::BaseInterfaceOf<IHTMLWindow2> {
  using Type = IHTMLFramesCollection2;
};
#else
#include "platform/html/HtmlInterfaces_linux.h"
#endif
