#include "platform/html/HtmlDocument.h"

#include <libxml/tree.h>

#include "platform/html/HtmlElement.h"
#include "platform/html/PageDecoding.h"
#include "platform/text/CodePage.h"

namespace platform::html {
namespace {

// The frames' browsers, for IOleContainer::EnumObjects.
class FrameEnumerator final : public ComObject<IEnumUnknown> {
 public:
  explicit FrameEnumerator(std::vector<ComPtr<IUnknown>> items) : items_(std::move(items)) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, IUnknown** items, ULONG* fetched) override {
    if (items == nullptr || (count > 1 && fetched == nullptr)) return E_POINTER;
    ULONG done = 0;
    while (done < count && position_ < items_.size()) {
      ComPtr<IUnknown> item = items_[position_++];
      items[done++] = item.Detach();
    }
    if (fetched != nullptr) *fetched = done;
    return done == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    position_ = std::min(items_.size(), position_ + count);
    return position_ < items_.size() ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    position_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumUnknown** copy) override {
    if (copy == nullptr) return E_POINTER;
    auto clone = Make<FrameEnumerator>(items_);
    clone->position_ = position_;
    *copy = clone.Detach();
    return S_OK;
  }

 private:
  std::vector<ComPtr<IUnknown>> items_;
  std::size_t position_ = 0;
};

HRESULT ElementOut(HtmlDocument& document, Node* node, IHTMLElement** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (node == nullptr) return S_OK;
  ComPtr<IHTMLElement> element = document.ElementFor(node);
  *out = element.Detach();
  return S_OK;
}

}  // namespace

HtmlDocument::HtmlDocument(std::u16string url) : url_(std::move(url)) {}

HtmlDocument::~HtmlDocument() {
  for (Frame& frame : frames_) frame.document->parent_ = nullptr;
}

void HtmlDocument::LoadPage(std::string_view bytes, std::string_view declaredCharset) {
  written_.clear();
  tree_.Load(DecodePageToUtf8(bytes, declaredCharset));
}

std::vector<HtmlDocument::FrameElement> HtmlDocument::FrameElements() const {
  std::vector<FrameElement> frames;
  for (Node* element : tree_.Elements()) {
    const std::string name = LocalName(element);
    if (name == "frame" || name == "iframe") {
      frames.push_back({element, Attribute(element, u"src").value_or(u"")});
    }
  }
  return frames;
}

void HtmlDocument::AttachFrame(ComPtr<IUnknown> browser, ComPtr<HtmlDocument> document) {
  document->parent_ = this;
  frames_.push_back({std::move(browser), std::move(document)});
}

void HtmlDocument::ReplaceFrameDocument(IUnknown* browser, ComPtr<HtmlDocument> document) {
  for (Frame& frame : frames_) {
    if (frame.browser.Get() != browser) continue;
    frame.document->parent_ = nullptr;
    document->parent_ = this;
    frame.document = std::move(document);
    return;
  }
}

TextRenderer& HtmlDocument::RendererOf(Node* scope) {
  if (!rendered_ || rendered_->renderer.Scope() != scope ||
      rendered_->generation != tree_.Generation()) {
    rendered_.emplace(RenderedCache{tree_.Generation(), TextRenderer(scope)});
  }
  return rendered_->renderer;
}

std::optional<std::size_t> HtmlDocument::TreeEditedAt(Node* scope, std::uint64_t before,
                                                      Node* reached, Node* from) {
  std::optional<std::size_t> kept;
  if (rendered_ && rendered_->renderer.Scope() == scope && rendered_->generation == before) {
    kept = rendered_->renderer.Rewind(reached, from);
  }
  if (kept) {
    rendered_->generation = tree_.Generation();
  } else {
    rendered_.reset();
  }
  return kept;
}

ComPtr<HtmlElement> HtmlDocument::ElementFor(Node* element) {
  if (const auto found = elements_.find(element); found != elements_.end()) {
    return ComPtr<HtmlElement>(found->second);
  }
  auto made = Make<HtmlElement>(ComPtr<HtmlDocument>(this), element);
  elements_.emplace(element, made.Get());
  return made;
}

HRESULT HtmlDocument::get_all(IHTMLElementCollection** all) {
  if (all == nullptr) return E_POINTER;
  *all = MakeCollection(ComPtr<HtmlDocument>(this), tree_.Elements()).Detach();
  return S_OK;
}

HRESULT HtmlDocument::get_body(IHTMLElement** body) {
  return ElementOut(*this, tree_.Body(), body);
}

HRESULT HtmlDocument::get_URL(BSTR* url) { return CopyToBstr(url_, url); }

HRESULT HtmlDocument::get_title(BSTR* title) {
  Node* head = tree_.FindChildElement(tree_.Root(), "head");
  Node* titleElement = tree_.FindChildElement(head, "title");
  // A long title comes in several text nodes (PageParser.h).
  std::u16string text;
  for (Node* child = titleElement == nullptr ? nullptr : titleElement->children;
       child != nullptr && IsText(child); child = child->next) {
    text += HtmlTree::TextOf(child);
  }
  return CopyToBstr(text, title);
}

HRESULT HtmlDocument::get_readyState(BSTR* state) {
  return CopyToBstr(complete_ ? u"complete" : u"loading", state);
}

HRESULT HtmlDocument::get_frames(IHTMLFramesCollection2** frames) {
  if (frames == nullptr) return E_POINTER;
  *frames = Window().Detach();
  return S_OK;
}

HRESULT HtmlDocument::get_parentWindow(IHTMLWindow2** window) {
  if (window == nullptr) return E_POINTER;
  *window = Window().Detach();
  return S_OK;
}

HRESULT HtmlDocument::write(SAFEARRAY* texts) {
  if (texts == nullptr) return E_INVALIDARG;
  VARTYPE vt = VT_EMPTY;
  SafeArrayGetVartype(texts, &vt);
  if (vt != VT_VARIANT) return E_INVALIDARG;
  std::u16string text;
  VARIANT* items = nullptr;
  if (FAILED(SafeArrayAccessData(texts, reinterpret_cast<void**>(&items)))) return E_INVALIDARG;
  for (ULONG i = 0; i < texts->rgsabound[0].cElements; ++i) {
    if (auto piece = VariantText(items[i])) text += *piece;
  }
  SafeArrayUnaccessData(texts);

  Node* body = tree_.HasDocument() ? tree_.Body() : nullptr;
  if (body == nullptr) {
    // Nothing parsed yet: what is written becomes the page source, as it
    // would in a parser that is still reading.
    written_ += text;
    tree_.Load(WideToUtf8(written_));
    return S_OK;
  }
  for (Node* node : tree_.ParseFragment(text)) tree_.Insert(body, nullptr, node);
  return S_OK;
}

HRESULT HtmlDocument::getElementById(BSTR id, IHTMLElement** element) {
  if (element == nullptr) return E_POINTER;
  *element = nullptr;
  const std::u16string_view wanted = Bstr::Borrowed(id);
  if (wanted.empty()) return S_OK;
  for (Node* candidate : tree_.Elements()) {
    if (Attribute(candidate, u"id", true) == wanted) return ElementOut(*this, candidate, element);
  }
  return S_OK;
}

HRESULT HtmlDocument::getElementsByTagName(BSTR tagName, IHTMLElementCollection** elements) {
  if (elements == nullptr) return E_POINTER;
  *elements = nullptr;
  ComPtr<IHTMLElementCollection> all = MakeCollection(ComPtr<HtmlDocument>(this), tree_.Elements());
  if (Bstr::Borrowed(tagName) == u"*") {
    *elements = all.Detach();
    return S_OK;
  }
  ComPtr<IDispatch> matching;
  const HRESULT hr = all->tags(Variant(Bstr::Borrowed(tagName)), matching.ReleaseAndGetAddressOf());
  if (FAILED(hr)) return hr;
  return matching->QueryInterface(IID_PPV_ARGS(elements));
}

HRESULT HtmlDocument::get_documentElement(IHTMLElement** root) {
  return ElementOut(*this, tree_.Root(), root);
}

HRESULT HtmlDocument::EnumObjects(DWORD /*flags*/, IEnumUnknown** objects) {
  if (objects == nullptr) return E_POINTER;
  std::vector<ComPtr<IUnknown>> browsers;
  for (const Frame& frame : frames_) browsers.push_back(frame.browser);
  *objects = Make<FrameEnumerator>(std::move(browsers)).Detach();
  return S_OK;
}

}  // namespace platform::html
