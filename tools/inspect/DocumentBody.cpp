#include "tools/inspect/DocumentBody.h"

#include "platform/automation/Bstr.h"
#include "platform/com/ComPtr.h"
#include "platform/html/HtmlInterfaces.h"

namespace tools {

std::u16string DocumentBody(IWebBrowser2* browser, BodyContent content) {
  platform::ComPtr<IDispatch> dispatch;
  platform::ComPtr<IHTMLDocument2> document;
  platform::ComPtr<IHTMLElement> body;
  platform::Bstr text;
  if (browser == nullptr || FAILED(browser->get_Document(dispatch.ReleaseAndGetAddressOf())) ||
      !dispatch || FAILED(dispatch.As(&document)) ||
      FAILED(document->get_body(body.ReleaseAndGetAddressOf())) || !body) {
    return {};
  }
  const HRESULT read = content == BodyContent::kMarkup ? body->get_innerHTML(text.Receive())
                                                       : body->get_innerText(text.Receive());
  return SUCCEEDED(read) ? text.String() : std::u16string();
}

}  // namespace tools
