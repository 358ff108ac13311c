// Element collections (document.all, element.all, tags(), several elements
// sharing one id): a snapshot of elements in document order.
#include <algorithm>

#include "platform/html/HtmlElement.h"

namespace platform::html {
namespace {

bool SameTag(const Node* element, std::u16string_view tag) {
  const std::string name = LocalName(element);
  if (name.size() != tag.size()) return false;
  for (std::size_t i = 0; i < name.size(); ++i) {
    char16_t c = tag[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
    if (static_cast<char16_t>(static_cast<unsigned char>(name[i])) != c) return false;
  }
  return true;
}

class HtmlCollection final : public DispatchObject<IHTMLElementCollection> {
 public:
  HtmlCollection(ComPtr<HtmlDocument> document, std::vector<Node*> elements)
      : document_(std::move(document)), elements_(std::move(elements)) {}

  HRESULT STDMETHODCALLTYPE get_length(LONG* length) override {
    if (length == nullptr) return E_POINTER;
    *length = static_cast<LONG>(elements_.size());
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE item(VARIANT name, VARIANT index, IDispatch** result) override {
    if (result == nullptr) return E_POINTER;
    *result = nullptr;
    if (auto position = VariantInteger(name)) return ElementAt(elements_, *position, result);
    const auto key = VariantText(name);
    if (!key) return E_INVALIDARG;
    std::vector<Node*> named;
    for (Node* element : elements_) {
      if (Attribute(element, u"id") == *key || Attribute(element, u"name") == *key) {
        named.push_back(element);
      }
    }
    if (auto position = VariantInteger(index)) return ElementAt(named, *position, result);
    if (named.size() == 1) return ElementAt(named, 0, result);
    if (named.size() > 1) *result = MakeCollection(document_, std::move(named)).Detach();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE tags(VARIANT tagName, IDispatch** result) override {
    if (result == nullptr) return E_POINTER;
    *result = nullptr;
    const auto tag = VariantText(tagName);
    if (!tag) return E_INVALIDARG;
    std::vector<Node*> matching;
    std::copy_if(elements_.begin(), elements_.end(), std::back_inserter(matching),
                 [&](const Node* element) { return SameTag(element, *tag); });
    *result = MakeCollection(document_, std::move(matching)).Detach();
    return S_OK;
  }

 private:
  // S_OK with null past the end, as MSHTML answers.
  HRESULT ElementAt(const std::vector<Node*>& elements, LONG position, IDispatch** result) {
    if (position < 0 || static_cast<std::size_t>(position) >= elements.size()) return S_OK;
    ComPtr<IHTMLElement> element = document_->ElementFor(elements[position]);
    *result = element.Detach();
    return S_OK;
  }

  ComPtr<HtmlDocument> document_;
  std::vector<Node*> elements_;
};

}  // namespace

ComPtr<IHTMLElementCollection> MakeCollection(ComPtr<HtmlDocument> document,
                                              std::vector<Node*> elements) {
  return Make<HtmlCollection>(std::move(document), std::move(elements));
}

}  // namespace platform::html
