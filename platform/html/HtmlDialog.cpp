#include "platform/html/HtmlDialog.h"

#include <cstring>
#include <mutex>

#include "platform/automation/TaskMemory.h"
#include "platform/com/ComObject.h"
#include "platform/html/HtmlJournal.h"

namespace {

class UrlMoniker final : public platform::ComObject<IMoniker> {
 public:
  explicit UrlMoniker(std::u16string url) : url_(std::move(url)) {}

  HRESULT STDMETHODCALLTYPE GetDisplayName(IBindCtx*, IMoniker*, LPOLESTR* name) override {
    if (name == nullptr) return E_POINTER;
    *name = static_cast<LPOLESTR>(CoTaskMemAlloc((url_.size() + 1) * sizeof(OLECHAR)));
    if (*name == nullptr) return E_OUTOFMEMORY;
    std::memcpy(*name, url_.c_str(), (url_.size() + 1) * sizeof(OLECHAR));
    return S_OK;
  }

 private:
  std::u16string url_;
};

std::mutex gMutex;  // guards gResponder and gAvailable
platform::html::HtmlDialogResponder gResponder;
bool gAvailable = true;

std::u16string DisplayNameOf(IMoniker* moniker) {
  LPOLESTR name = nullptr;
  if (moniker == nullptr || FAILED(moniker->GetDisplayName(nullptr, nullptr, &name))) return {};
  std::u16string text(name);
  CoTaskMemFree(name);
  return text;
}

}  // namespace

HRESULT CreateURLMoniker(IMoniker* /*context*/, LPCWSTR url, IMoniker** moniker) {
  if (moniker == nullptr) return E_POINTER;
  *moniker = nullptr;
  if (url == nullptr) return E_INVALIDARG;
  *moniker = platform::Make<UrlMoniker>(std::u16string(url)).Detach();
  return S_OK;
}

HRESULT ShowHTMLDialog(HWND parent, IMoniker* moniker, VARIANT* argumentIn, LPWSTR options,
                       VARIANT* argumentOut) {
  if (moniker == nullptr) return E_INVALIDARG;
  const platform::html::HtmlDialogRequest request{
      DisplayNameOf(moniker), options == nullptr ? std::u16string() : std::u16string(options),
      argumentIn};
  platform::html::RecordDialogShown({request.url, request.options, parent, argumentIn != nullptr});
  platform::html::HtmlDialogResponder responder;
  {
    std::lock_guard lock(gMutex);
    responder = gResponder;
  }
  platform::Variant result;
  const HRESULT answered = responder ? responder(request, &result) : S_OK;
  if (argumentOut != nullptr) {
    VariantInit(argumentOut);
    if (SUCCEEDED(answered)) VariantCopy(argumentOut, &result);
  }
  return answered;
}

namespace platform::html {

SHOWHTMLDIALOGFN* LoadShowHTMLDialog() {
  std::lock_guard lock(gMutex);
  return gAvailable ? &::ShowHTMLDialog : nullptr;
}

void SetHtmlDialogResponder(HtmlDialogResponder responder) {
  std::lock_guard lock(gMutex);
  gResponder = std::move(responder);
}

void SetHtmlDialogAvailable(bool available) {
  std::lock_guard lock(gMutex);
  gAvailable = available;
}

}  // namespace platform::html
