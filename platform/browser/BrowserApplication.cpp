#include "platform/browser/BrowserApplication.h"

#include "platform/activation/Activation.h"
#include "platform/com/ComObject.h"
#include "platform/trace/Contain.h"

namespace platform {

class ScopedBrowserApplication::Factory final : public ComObject<IClassFactory> {
 public:
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return Contain("BrowserApplication::CreateInstance", E_FAIL, E_OUTOFMEMORY, [&] {
      ComPtr<BrowserObject> browser = CreateBrowserWindow();
      {
        std::lock_guard lock(mutex_);
        browsers_.push_back(browser);
      }
      return browser->QueryInterface(iid, object);
    });
  }

  // The browser's process stays up for its own windows, not for the locks
  // of a client.
  HRESULT STDMETHODCALLTYPE LockServer(BOOL /*lock*/) override { return S_OK; }

  std::vector<ComPtr<BrowserObject>> Browsers() const {
    std::lock_guard lock(mutex_);
    return browsers_;
  }

 private:
  mutable std::mutex mutex_;  // guards browsers_
  std::vector<ComPtr<BrowserObject>> browsers_;
};

ScopedBrowserApplication::ScopedBrowserApplication() : factory_(Make<Factory>()) {
  CoRegisterClassObject(CLSID_InternetExplorer, factory_.Get(), CLSCTX_LOCAL_SERVER,
                        REGCLS_MULTIPLEUSE, &cookie_);
}

ScopedBrowserApplication::~ScopedBrowserApplication() {
  CoRevokeClassObject(cookie_);
  for (const ComPtr<BrowserObject>& browser : factory_->Browsers()) browser->Quit();
}

std::vector<ComPtr<BrowserObject>> ScopedBrowserApplication::Browsers() const {
  return factory_->Browsers();
}

}  // namespace platform
