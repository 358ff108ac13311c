#include "framework/builtin/PageDocuments.h"

#include "platform/browser/WebBrowser.h"
#include "platform/text/CodePage.h"

namespace framework {

using platform::ComPtr;

ComPtr<IHTMLDocument2> BrowserDocument(IWebBrowser2* browser) {
  ComPtr<IHTMLDocument2> document;
  if (browser == nullptr) return document;
  ComPtr<IDispatch> dispatch;
  if (SUCCEEDED(browser->get_Document(dispatch.ReleaseAndGetAddressOf()))) dispatch.As(&document);
  return document;
}

ComPtr<IHTMLDocument2> TopDocument(IHTMLDocument2* document) {
  ComPtr<IHTMLWindow2> window;
  ComPtr<IHTMLWindow2> top;
  ComPtr<IHTMLDocument2> topDocument;
  if (SUCCEEDED(document->get_parentWindow(window.ReleaseAndGetAddressOf())) && window &&
      SUCCEEDED(window->get_top(top.ReleaseAndGetAddressOf())) && top &&
      SUCCEEDED(top->get_document(topDocument.ReleaseAndGetAddressOf())) && topDocument) {
    return topDocument;
  }
  return ComPtr<IHTMLDocument2>(document);
}

std::vector<ComPtr<IHTMLDocument2>> FrameDocuments(IHTMLDocument2* document) {
  std::vector<ComPtr<IHTMLDocument2>> frames;
  ComPtr<IOleContainer> container;
  ComPtr<IEnumUnknown> objects;
  if (FAILED(ComPtr<IHTMLDocument2>(document).As(&container)) ||
      FAILED(container->EnumObjects(OLECONTF_EMBEDDINGS, objects.ReleaseAndGetAddressOf())) ||
      !objects) {
    return frames;
  }
  for (;;) {
    ComPtr<IUnknown> object;
    ULONG fetched = 0;
    if (objects->Next(1, object.ReleaseAndGetAddressOf(), &fetched) != S_OK || fetched != 1) break;
    ComPtr<IWebBrowser2> frameBrowser;
    if (FAILED(object.As(&frameBrowser))) continue;
    if (ComPtr<IHTMLDocument2> frameDocument = BrowserDocument(frameBrowser.Get())) {
      frames.push_back(std::move(frameDocument));
    }
  }
  return frames;
}

namespace {

void AppendDepthFirst(IHTMLDocument2* document, std::vector<ComPtr<IHTMLDocument2>>& documents) {
  for (const ComPtr<IHTMLDocument2>& frame : FrameDocuments(document)) {
    AppendDepthFirst(frame.Get(), documents);
  }
  documents.emplace_back(document);
}

}  // namespace

std::vector<ComPtr<IHTMLDocument2>> DocumentsDepthFirst(IHTMLDocument2* document) {
  std::vector<ComPtr<IHTMLDocument2>> documents;
  if (document != nullptr) AppendDepthFirst(document, documents);
  return documents;
}

ComPtr<IHTMLTxtRange> BodyRange(IHTMLDocument2* document) {
  ComPtr<IHTMLTxtRange> range;
  ComPtr<IHTMLElement> body;
  ComPtr<IHTMLBodyElement> bodyElement;
  if (document != nullptr && SUCCEEDED(document->get_body(body.ReleaseAndGetAddressOf())) && body &&
      SUCCEEDED(body.As(&bodyElement))) {
    bodyElement->createTextRange(range.ReleaseAndGetAddressOf());
  }
  return range;
}

std::u16string Wide(std::string_view utf8) { return platform::Utf8ToWide(utf8); }

}  // namespace framework
