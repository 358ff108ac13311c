// ShowHTMLDialog is exported by mshtml.dll and has no import library entry:
// it is looked up once, and mshtml stays loaded for the process.
#ifdef _WIN32
#include <windows.h>

#include "platform/html/HtmlDialog.h"

namespace platform::html {

SHOWHTMLDIALOGFN* LoadShowHTMLDialog() {
  static SHOWHTMLDIALOGFN* const function = [] {
    HMODULE mshtml = LoadLibraryW(L"mshtml.dll");
    return mshtml != nullptr ? reinterpret_cast<SHOWHTMLDIALOGFN*>(reinterpret_cast<void*>(
                                   GetProcAddress(mshtml, "ShowHTMLDialog")))
                             : nullptr;
  }();
  return function;
}

}  // namespace platform::html
#endif
