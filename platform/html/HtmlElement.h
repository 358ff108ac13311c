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

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;

  HRESULT STDMETHODCALLTYPE get_id(BSTR* id) override;
  HRESULT STDMETHODCALLTYPE put_id(BSTR id) override;
  HRESULT STDMETHODCALLTYPE get_tagName(BSTR* tagName) override;
  HRESULT STDMETHODCALLTYPE getAttribute(BSTR name, LONG flags, VARIANT* value) override;
  HRESULT STDMETHODCALLTYPE setAttribute(BSTR name, VARIANT value, LONG flags) override;
  HRESULT STDMETHODCALLTYPE removeAttribute(BSTR name, LONG flags, VARIANT_BOOL* removed) override;
  HRESULT STDMETHODCALLTYPE get_innerText(BSTR* text) override;
  HRESULT STDMETHODCALLTYPE put_innerText(BSTR text) override;
  HRESULT STDMETHODCALLTYPE get_outerText(BSTR* text) override;
  HRESULT STDMETHODCALLTYPE put_outerText(BSTR text) override;
  HRESULT STDMETHODCALLTYPE get_innerHTML(BSTR* html) override;
  HRESULT STDMETHODCALLTYPE put_innerHTML(BSTR html) override;
  HRESULT STDMETHODCALLTYPE get_outerHTML(BSTR* html) override;
  HRESULT STDMETHODCALLTYPE put_outerHTML(BSTR html) override;
  HRESULT STDMETHODCALLTYPE insertAdjacentHTML(BSTR where, BSTR html) override;
  HRESULT STDMETHODCALLTYPE insertAdjacentText(BSTR where, BSTR text) override;
  HRESULT STDMETHODCALLTYPE get_parentElement(IHTMLElement** parent) override;
  HRESULT STDMETHODCALLTYPE get_all(IDispatch** all) override;
  HRESULT STDMETHODCALLTYPE get_document(IDispatch** document) override;

  HRESULT STDMETHODCALLTYPE createTextRange(IHTMLTxtRange** range) override;

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
