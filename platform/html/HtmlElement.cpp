#include "platform/html/HtmlElement.h"

#include <libxml/tree.h>

#include <algorithm>

#include "platform/html/RenderedText.h"

namespace platform::html {
namespace {

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  const auto lower = [](char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
  };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

std::u16string ValueText(const VARIANT& value) {
  if (auto text = VariantText(value)) return *text;
  if (auto number = VariantInteger(value)) {
    const std::string digits = std::to_string(*number);
    return std::u16string(digits.begin(), digits.end());
  }
  if (auto flag = VariantBool(value)) return *flag ? u"true" : u"false";
  return {};
}

}  // namespace

HtmlElement::HtmlElement(ComPtr<HtmlDocument> document, Node* node)
    : document_(std::move(document)), node_(node) {}

HtmlElement::~HtmlElement() { document_->ForgetElement(node_); }

bool HtmlElement::IsBody() const { return node_ == document_->Tree().Body(); }

HRESULT HtmlElement::QueryInterface(REFIID iid, void** object) {
  if (iid == IID_IHTMLBodyElement && !IsBody()) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    return E_NOINTERFACE;
  }
  return DispatchObject::QueryInterface(iid, object);
}

HRESULT HtmlElement::get_id(BSTR* id) {
  return CopyToBstr(Attribute(node_, u"id").value_or(u""), id);
}

HRESULT HtmlElement::put_id(BSTR id) {
  SetAttribute(node_, u"id", Bstr::Borrowed(id));
  return S_OK;
}

HRESULT HtmlElement::get_tagName(BSTR* tagName) {
  std::string name = LocalName(node_);
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return CopyToBstr(std::u16string(name.begin(), name.end()), tagName);
}

HRESULT HtmlElement::getAttribute(BSTR name, LONG flags, VARIANT* value) {
  if (value == nullptr) return E_POINTER;
  VariantInit(value);
  const auto text = Attribute(node_, Bstr::Borrowed(name), (flags & 1) != 0);
  if (!text) {
    value->vt = VT_NULL;
    return S_OK;
  }
  value->bstrVal = SysAllocStringLen(text->data(), static_cast<UINT>(text->size()));
  if (value->bstrVal == nullptr) return E_OUTOFMEMORY;
  value->vt = VT_BSTR;
  return S_OK;
}

HRESULT HtmlElement::setAttribute(BSTR name, VARIANT value, LONG /*flags*/) {
  if (Bstr::Borrowed(name).empty()) return E_INVALIDARG;
  SetAttribute(node_, Bstr::Borrowed(name), ValueText(value));
  return S_OK;
}

HRESULT HtmlElement::removeAttribute(BSTR name, LONG flags, VARIANT_BOOL* removed) {
  const bool done = RemoveAttribute(node_, Bstr::Borrowed(name), (flags & 1) != 0);
  if (removed != nullptr) *removed = done ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT HtmlElement::get_innerText(BSTR* text) { return CopyToBstr(RenderText(node_).text, text); }

HRESULT HtmlElement::put_innerText(BSTR text) {
  document_->Tree().RemoveChildren(node_);
  for (Node* node : TextNodes(Bstr::Borrowed(text))) document_->Tree().Insert(node_, nullptr, node);
  return S_OK;
}

HRESULT HtmlElement::get_outerText(BSTR* text) { return get_innerText(text); }

HRESULT HtmlElement::put_outerText(BSTR text) {
  if (node_->parent == nullptr || IsBody()) return E_INVALIDARG;
  const HRESULT inserted = InsertAdjacent(u"beforeBegin", TextNodes(Bstr::Borrowed(text)));
  if (SUCCEEDED(inserted)) document_->Tree().Remove(node_);
  return inserted;
}

HRESULT HtmlElement::get_innerHTML(BSTR* html) {
  return CopyToBstr(document_->Tree().InnerHtml(node_), html);
}

HRESULT HtmlElement::put_innerHTML(BSTR html) {
  HtmlTree& tree = document_->Tree();
  tree.RemoveChildren(node_);
  for (Node* node : tree.ParseFragment(Bstr::Borrowed(html))) tree.Insert(node_, nullptr, node);
  return S_OK;
}

HRESULT HtmlElement::get_outerHTML(BSTR* html) {
  return CopyToBstr(document_->Tree().OuterHtml(node_), html);
}

HRESULT HtmlElement::put_outerHTML(BSTR html) {
  if (node_->parent == nullptr || IsBody()) return E_INVALIDARG;
  const HRESULT inserted =
      InsertAdjacent(u"beforeBegin", document_->Tree().ParseFragment(Bstr::Borrowed(html)));
  if (SUCCEEDED(inserted)) document_->Tree().Remove(node_);
  return inserted;
}

HRESULT HtmlElement::insertAdjacentHTML(BSTR where, BSTR html) {
  const std::u16string_view position = Bstr::Borrowed(where);
  const bool known =
      EqualsIgnoringCase(position, u"beforeBegin") || EqualsIgnoringCase(position, u"afterBegin") ||
      EqualsIgnoringCase(position, u"beforeEnd") || EqualsIgnoringCase(position, u"afterEnd");
  if (!known) return E_INVALIDARG;
  return InsertAdjacent(position, document_->Tree().ParseFragment(Bstr::Borrowed(html)));
}

HRESULT HtmlElement::insertAdjacentText(BSTR where, BSTR text) {
  return InsertAdjacent(Bstr::Borrowed(where), TextNodes(Bstr::Borrowed(text)));
}

HRESULT HtmlElement::InsertAdjacent(std::u16string_view where, const std::vector<Node*>& nodes) {
  HtmlTree& tree = document_->Tree();
  Node* parent = nullptr;
  Node* before = nullptr;
  const bool outside =
      EqualsIgnoringCase(where, u"beforeBegin") || EqualsIgnoringCase(where, u"afterEnd");
  if (EqualsIgnoringCase(where, u"beforeBegin")) {
    parent = node_->parent;
    before = node_;
  } else if (EqualsIgnoringCase(where, u"afterBegin")) {
    parent = node_;
    before = node_->children;
  } else if (EqualsIgnoringCase(where, u"beforeEnd")) {
    parent = node_;
  } else if (EqualsIgnoringCase(where, u"afterEnd")) {
    parent = node_->parent;
    before = node_->next;
  }
  // Outside the element needs a parent element: the root and detached
  // elements have none, and text may not go beside the root.
  if (parent == nullptr || (outside && !IsElement(parent))) {
    for (Node* node : nodes) tree.Remove(node);
    return E_INVALIDARG;
  }
  for (Node* node : nodes) tree.Insert(parent, before, node);
  return S_OK;
}

std::vector<Node*> HtmlElement::TextNodes(std::u16string_view text) {
  HtmlTree& tree = document_->Tree();
  std::vector<Node*> nodes;
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != u'\n' && text[i] != u'\r') continue;
    if (i > lineStart) nodes.push_back(tree.NewText(text.substr(lineStart, i - lineStart)));
    if (i < text.size()) {
      if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      nodes.push_back(tree.NewElement("br"));
    }
    lineStart = i + 1;
  }
  return nodes;
}

HRESULT HtmlElement::get_parentElement(IHTMLElement** parent) {
  if (parent == nullptr) return E_POINTER;
  *parent = nullptr;
  if (!IsElement(node_->parent)) return S_OK;
  ComPtr<IHTMLElement> element = document_->ElementFor(node_->parent);
  *parent = element.Detach();
  return S_OK;
}

HRESULT HtmlElement::get_all(IDispatch** all) {
  if (all == nullptr) return E_POINTER;
  ComPtr<IHTMLElementCollection> collection =
      MakeCollection(document_, document_->Tree().Elements(node_));
  *all = collection.Detach();
  return S_OK;
}

HRESULT HtmlElement::get_document(IDispatch** document) {
  if (document == nullptr) return E_POINTER;
  return document_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(document));
}

HRESULT HtmlElement::createTextRange(IHTMLTxtRange** range) {
  if (range == nullptr) return E_POINTER;
  *range = MakeTextRange(document_, node_).Detach();
  return S_OK;
}

}  // namespace platform::html
