// One element of a page as IHTMLElement (and IHTMLBodyElement, answered only
// by the body). Made by HtmlDocument::ElementFor, which keeps one object per
// element; the object keeps its document, and so its tree, alive.
#pragma once

#include "platform/html/HtmlDocument.h"

namespace platform::html {

class HtmlElement final : public DispatchObject<IHTMLElement, IHTMLBodyElement> {
 public:
  HtmlElement(ComPtr<HtmlDocument> document, Node* node);
  ~HtmlElement() override;

  Node* GetNode() const { return node_; }

  HRESULT QueryInterface(REFIID iid, void** object) override;

  HRESULT get_id(BSTR* id) override;
  HRESULT put_id(BSTR id) override;
  HRESULT get_tagName(BSTR* tagName) override;
  HRESULT getAttribute(BSTR name, LONG flags, VARIANT* value) override;
  HRESULT setAttribute(BSTR name, VARIANT value, LONG flags) override;
  HRESULT removeAttribute(BSTR name, LONG flags, VARIANT_BOOL* removed) override;
  HRESULT get_innerText(BSTR* text) override;
  HRESULT put_innerText(BSTR text) override;
  HRESULT get_outerText(BSTR* text) override;
  HRESULT put_outerText(BSTR text) override;
  HRESULT get_innerHTML(BSTR* html) override;
  HRESULT put_innerHTML(BSTR html) override;
  HRESULT get_outerHTML(BSTR* html) override;
  HRESULT put_outerHTML(BSTR html) override;
  HRESULT insertAdjacentHTML(BSTR where, BSTR html) override;
  HRESULT insertAdjacentText(BSTR where, BSTR text) override;
  HRESULT get_parentElement(IHTMLElement** parent) override;
  HRESULT get_all(IDispatch** all) override;
  HRESULT get_document(IDispatch** document) override;

  HRESULT createTextRange(IHTMLTxtRange** range) override;

 private:
  bool IsBody() const;
  // Inserts `nodes` at one of the four adjacent positions.
  HRESULT InsertAdjacent(std::u16string_view where, const std::vector<Node*>& nodes);
  // Text as nodes: line breaks become br elements.
  std::vector<Node*> TextNodes(std::u16string_view text);

  ComPtr<HtmlDocument> document_;
  Node* node_;
};

// A text range over the text of `scope` (the body), covering all of it.
ComPtr<IHTMLTxtRange> MakeTextRange(ComPtr<HtmlDocument> document, Node* scope);

}  // namespace platform::html
