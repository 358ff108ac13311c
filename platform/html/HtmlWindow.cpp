// The window a document lives in: its frames, its parent and top windows,
// and script execution, which is recorded rather than run.
#include "platform/html/HtmlDocument.h"
#include "platform/html/HtmlJournal.h"

namespace platform::html {
namespace {

class HtmlWindow final : public DispatchObject<IHTMLWindow2> {
 public:
  explicit HtmlWindow(ComPtr<HtmlDocument> document) : document_(std::move(document)) {}

  HRESULT STDMETHODCALLTYPE item(VARIANT* index, VARIANT* result) override {
    if (index == nullptr || result == nullptr) return E_POINTER;
    VariantInit(result);
    const auto position = VariantInteger(*index);
    if (!position || *position < 0 ||
        static_cast<std::size_t>(*position) >= document_->FrameCount()) {
      return E_INVALIDARG;
    }
    ComPtr<IHTMLWindow2> frame = document_->FrameDocument(*position)->Window();
    result->vt = VT_DISPATCH;
    result->pdispVal = frame.Detach();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_length(LONG* length) override {
    if (length == nullptr) return E_POINTER;
    *length = static_cast<LONG>(document_->FrameCount());
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_document(IHTMLDocument2** document) override {
    if (document == nullptr) return E_POINTER;
    ComPtr<IHTMLDocument2> held = document_;
    *document = held.Detach();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_frames(IHTMLFramesCollection2** frames) override {
    if (frames == nullptr) return E_POINTER;
    AddRef();
    *frames = this;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_parent(IHTMLWindow2** parent) override {
    if (parent == nullptr) return E_POINTER;
    HtmlDocument* above = document_->ParentDocument();
    *parent = above != nullptr ? above->Window().Detach() : Self();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_top(IHTMLWindow2** top) override {
    if (top == nullptr) return E_POINTER;
    HtmlDocument* topmost = document_.Get();
    while (topmost->ParentDocument() != nullptr) topmost = topmost->ParentDocument();
    *top = topmost == document_.Get() ? Self() : topmost->Window().Detach();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE execScript(BSTR code, BSTR language, VARIANT* result) override {
    if (result != nullptr) VariantInit(result);
    RecordScriptRun({document_->Url(), std::u16string(Bstr::Borrowed(code)),
                     std::u16string(Bstr::Borrowed(language))});
    return S_OK;
  }

 private:
  IHTMLWindow2* Self() {
    AddRef();
    return this;
  }

  ComPtr<HtmlDocument> document_;
};

}  // namespace

ComPtr<IHTMLWindow2> HtmlDocument::Window() { return Make<HtmlWindow>(ComPtr<HtmlDocument>(this)); }

}  // namespace platform::html
