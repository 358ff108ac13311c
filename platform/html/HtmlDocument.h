// The document object of a page (what MSHTML's document is to the browser):
// IHTMLDocument2 and IHTMLDocument3 over an HtmlTree, and IOleContainer for
// the browsers of its frames. The browser stand-in makes one per navigation,
// feeds it the page, attaches the documents of the page's frames and moves
// it from "loading" to "complete"; product code only sees the interfaces.
//
// Element objects are handed out once per element and node: asking twice
// for the same element gives the same object, as MSHTML does. Collections
// are snapshots taken when they are asked for (MSHTML's are live).
//
// Lives on the browser window's thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/com/ComPtr.h"
#include "platform/html/HtmlInterfaces.h"
#include "platform/html/HtmlTree.h"
#include "platform/html/RenderedText.h"

namespace platform::html {

class HtmlElement;

class HtmlDocument final : public DispatchObject<IHTMLDocument2, IHTMLDocument3, IOleContainer> {
 public:
  // A document still loading: no tree yet, so no body.
  explicit HtmlDocument(std::u16string url);
  ~HtmlDocument() override;

  // --- The browser's side ----------------------------------------------------
  // Parses the page's bytes (decoded per PageDecoding.h) into the tree.
  void LoadPage(std::string_view bytes, std::string_view declaredCharset = {});
  void SetComplete(bool complete) { complete_ = complete; }
  bool IsComplete() const { return complete_; }
  const std::u16string& Url() const { return url_; }

  // The frame and iframe elements of the page, in document order, with the
  // address each names.
  struct FrameElement {
    Node* element;
    std::u16string source;
  };
  std::vector<FrameElement> FrameElements() const;
  // Adds the next frame: its browser (what EnumObjects hands out) and its
  // document, whose window's parent becomes this document's window.
  void AttachFrame(ComPtr<IUnknown> browser, ComPtr<HtmlDocument> document);
  // The frame shown by `browser` (as attached) now shows `document`.
  void ReplaceFrameDocument(IUnknown* browser, ComPtr<HtmlDocument> document);
  std::size_t FrameCount() const { return frames_.size(); }
  HtmlDocument* FrameDocument(std::size_t index) const { return frames_[index].document.Get(); }
  HtmlDocument* ParentDocument() const { return parent_; }

  // --- For the element, range and window objects ------------------------------
  HtmlTree& Tree() { return tree_; }
  // The renderer of `scope`'s text, kept until the tree changes: finding
  // and marking every match reads it many times between two changes, and a
  // long page takes long to render.
  TextRenderer& RendererOf(Node* scope);
  // Since generation `before` the tree changed only from where the
  // renderer of `scope` reached `reached` (see TextRenderer::Rewind): what
  // it rendered before that is kept. The length of the text kept; nullopt
  // when nothing could be, and the next RendererOf starts afresh.
  std::optional<std::size_t> TreeEditedAt(Node* scope, std::uint64_t before, Node* reached,
                                          Node* from);
  ComPtr<HtmlElement> ElementFor(Node* element);
  void ForgetElement(Node* element) { elements_.erase(element); }
  ComPtr<IHTMLWindow2> Window();

  // --- IHTMLDocument2 -------------------------------------------------------------
  HRESULT STDMETHODCALLTYPE get_all(IHTMLElementCollection** all) override;
  HRESULT STDMETHODCALLTYPE get_body(IHTMLElement** body) override;
  HRESULT STDMETHODCALLTYPE get_URL(BSTR* url) override;
  HRESULT STDMETHODCALLTYPE get_title(BSTR* title) override;
  HRESULT STDMETHODCALLTYPE get_readyState(BSTR* state) override;
  HRESULT STDMETHODCALLTYPE get_frames(IHTMLFramesCollection2** frames) override;
  HRESULT STDMETHODCALLTYPE get_parentWindow(IHTMLWindow2** window) override;
  HRESULT STDMETHODCALLTYPE write(SAFEARRAY* texts) override;

  // --- IHTMLDocument3 -------------------------------------------------------------
  HRESULT STDMETHODCALLTYPE getElementById(BSTR id, IHTMLElement** element) override;
  HRESULT STDMETHODCALLTYPE getElementsByTagName(BSTR tagName,
                                                 IHTMLElementCollection** elements) override;
  HRESULT STDMETHODCALLTYPE get_documentElement(IHTMLElement** root) override;

  // --- IOleContainer --------------------------------------------------------------
  HRESULT STDMETHODCALLTYPE EnumObjects(DWORD flags, IEnumUnknown** objects) override;
  HRESULT STDMETHODCALLTYPE LockContainer(BOOL) override { return S_OK; }

 private:
  struct Frame {
    ComPtr<IUnknown> browser;
    ComPtr<HtmlDocument> document;
  };

  std::u16string url_;
  HtmlTree tree_;
  struct RenderedCache {
    std::uint64_t generation = 0;
    TextRenderer renderer;
  };
  std::optional<RenderedCache> rendered_;
  bool complete_ = false;
  // What was written into the document before it had a body: parsed again
  // as a whole with every write, as a parser fed by write would see it.
  std::u16string written_;
  std::unordered_map<Node*, HtmlElement*> elements_;  // not owning
  std::vector<Frame> frames_;
  HtmlDocument* parent_ = nullptr;  // the parent outlives its frames' use of it
};

// Elements with that tag name below `root` ("*" for all), as a collection.
ComPtr<IHTMLElementCollection> MakeCollection(ComPtr<HtmlDocument> document,
                                              std::vector<Node*> elements);

}  // namespace platform::html
