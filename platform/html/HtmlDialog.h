// Modal HTML dialogs (ShowHTMLDialog) and the URL monikers that name their
// pages. Nothing is shown here: every call is recorded in the HtmlJournal
// with the page's address and the options text, and answered by a responder
// a test installs (without one, the dialog "closes" at once with S_OK and an
// empty result). On Windows the function comes from mshtml.dll, which code
// looks up at run time; LoadShowHTMLDialog plays that lookup and answers
// null while a test has made the facility unavailable.
#pragma once

#include <functional>
#include <string>

#include "platform/automation/Variant.h"
#include "platform/ui/WinTypes.h"

#if defined(_WIN32)
#include <mshtmhst.h>
#include <urlmon.h>
#else
#include "platform/html/HtmlDialog_linux.h"
#endif

namespace platform::html {

// GetProcAddress(LoadLibrary("mshtml.dll"), "ShowHTMLDialog").
SHOWHTMLDIALOGFN* LoadShowHTMLDialog();

struct HtmlDialogRequest {
  std::u16string url;
  std::u16string options;
  const VARIANT* argument;  // null when none was given
};

// Answers every dialog until replaced; the result variant it fills is what
// the caller receives. Null restores the default.
using HtmlDialogResponder = std::function<HRESULT(const HtmlDialogRequest&, VARIANT* result)>;
void SetHtmlDialogResponder(HtmlDialogResponder responder);
void SetHtmlDialogAvailable(bool available);

}  // namespace platform::html
