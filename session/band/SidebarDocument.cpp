#include "session/band/SidebarDocument.h"

#include <memory>

#include "platform/automation/Bstr.h"
#include "platform/automation/SafeArray.h"
#include "platform/com/ComPtr.h"
#include "platform/html/HtmlInterfaces.h"

namespace session {
namespace {

struct SafeArrayDestroyer {
  void operator()(SAFEARRAY* array) const noexcept { SafeArrayDestroy(array); }
};
using UniqueSafeArray = std::unique_ptr<SAFEARRAY, SafeArrayDestroyer>;

// document.write takes its text as an array of variants.
HRESULT WriteIntoDocument(IHTMLDocument2& document, std::u16string_view content) {
  const UniqueSafeArray texts(SafeArrayCreateVector(VT_VARIANT, 0, 1));
  if (!texts) return E_OUTOFMEMORY;
  // Not const: the SDK declares both arguments as writable.
  LONG first = 0;
  platform::Variant text(content);
  const HRESULT hr = SafeArrayPutElement(texts.get(), &first, &text);
  if (FAILED(hr)) return hr;
  return document.write(texts.get());
}

}  // namespace

HRESULT PutSidebarContent(IWebBrowser2* control, std::u16string_view content) {
  if (control == nullptr) return E_POINTER;
  platform::ComPtr<IDispatch> dispatch;
  HRESULT hr = control->get_Document(dispatch.ReleaseAndGetAddressOf());
  if (FAILED(hr)) return hr;
  platform::ComPtr<IHTMLDocument2> document;
  if (!dispatch || FAILED(dispatch.As(&document))) return E_NOINTERFACE;
  platform::ComPtr<IHTMLElement> body;
  hr = document->get_body(body.ReleaseAndGetAddressOf());
  if (FAILED(hr)) return hr;
  if (!body) return WriteIntoDocument(*document, content);
  hr = body->put_innerHTML(platform::Bstr(u"").Get());
  if (FAILED(hr)) return hr;
  return body->insertAdjacentHTML(platform::Bstr(u"afterbegin").Get(),
                                  platform::Bstr(content).Get());
}

}  // namespace session
