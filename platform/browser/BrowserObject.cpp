#include "platform/browser/BrowserObject.h"

#include <mutex>

#include "platform/activation/Activation.h"
#include "platform/automation/WebBrowserEventIds.h"
#include "platform/browser/PageSource.h"
#include "platform/com/ClassFactory.h"
#include "platform/text/CodePage.h"

namespace platform {

struct BrowserObject::PendingLoad {
  std::uint64_t generation;
  NavigationRecord request;
};

namespace {

// What a browser shows when a page cannot be loaded.
// A page that frames itself, or pages that frame each other, would load
// without end; browsers stop nesting frames at a depth and a count of their
// own. Frames past either limit show an empty page and the rest of the page
// loads as usual.
constexpr int kMaxFrameDepth = 8;
constexpr std::size_t kMaxFramesPerPage = 100;

constexpr char kErrorPage[] =
    "<html><head><title>Navigation canceled</title></head>"
    "<body><h1>The page cannot be displayed</h1></body></html>";

bool IsNamed(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char16_t c) {
      return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
    };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// The navigation arguments as the caller gave them, absent ones left out.
NavigationRecord RequestFrom(std::u16string url, VARIANT* flags, VARIANT* target, VARIANT* postData,
                             VARIANT* headers) {
  NavigationRecord request;
  request.url = std::move(url);
  if (!VariantIsMissing(flags)) request.flags = VariantInteger(*flags);
  if (!VariantIsMissing(target)) request.targetFrame = VariantText(*target).value_or(u"");
  if (!VariantIsMissing(headers)) request.headers = VariantText(*headers).value_or(u"");
  if (!VariantIsMissing(postData)) {
    const VARIANT& data = postData->vt == (VT_BYREF | VT_VARIANT) ? *postData->pvarVal : *postData;
    if (data.vt == (VT_ARRAY | VT_UI1) && data.parray != nullptr) {
      request.postData.assign(static_cast<const char*>(data.parray->pvData),
                              data.parray->rgsabound[0].cElements);
    }
  }
  return request;
}

Variant PostDataVariant(const std::string& bytes) {
  Variant data;
  if (bytes.empty()) return data;
  SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
  if (array == nullptr) return data;
  std::copy(bytes.begin(), bytes.end(), static_cast<char*>(array->pvData));
  data.vt = VT_ARRAY | VT_UI1;
  data.parray = array;
  return data;
}

std::once_flag gWebBrowserClassOnce;

}  // namespace

BrowserObject::BrowserObject()
    : top_(this),
      alive_(std::make_shared<bool>(true)),
      topAlive_(alive_),
      events_(IdentityUnknown(), this, DIID_DWebBrowserEvents2) {}

BrowserObject::BrowserObject(BrowserObject* top, std::shared_ptr<const bool> topAlive,
                             BrowserObject* parent, std::shared_ptr<const bool> parentAlive,
                             std::u16string name)
    : top_(top),
      alive_(std::make_shared<bool>(true)),
      topAlive_(std::move(topAlive)),
      parent_(parent),
      parentAlive_(std::move(parentAlive)),
      frameName_(std::move(name)),
      events_(IdentityUnknown(), this, DIID_DWebBrowserEvents2) {}

BrowserObject::~BrowserObject() {
  *alive_ = false;
  for (Bar& bar : bars_) CloseBar(bar);
}

HRESULT BrowserObject::Navigate(BSTR url, VARIANT* flags, VARIANT* targetFrameName,
                                VARIANT* postData, VARIANT* headers) {
  return NavigateTo(
      RequestFrom(std::u16string(Bstr::Borrowed(url)), flags, targetFrameName, postData, headers));
}

HRESULT BrowserObject::Navigate2(VARIANT* url, VARIANT* flags, VARIANT* targetFrameName,
                                 VARIANT* postData, VARIANT* headers) {
  if (url == nullptr) return E_INVALIDARG;
  const auto text = VariantText(*url);
  if (!text) return E_INVALIDARG;
  return NavigateTo(RequestFrom(*text, flags, targetFrameName, postData, headers));
}

HRESULT BrowserObject::NavigateTo(NavigationRecord request) {
  if (quit_) return E_FAIL;
  navigations_.push_back(request);
  const std::size_t recordIndex = navigations_.size() - 1;
  const std::u16string& target = request.targetFrame;
  BrowserObject* navigated = this;
  if (request.flags.value_or(0) & navOpenInNewWindow || IsNamed(target, u"_blank")) {
    navigated = nullptr;
  } else if (IsNamed(target, u"_top")) {
    navigated = top_ == this || *topAlive_ ? top_ : this;
  } else if (!target.empty() && !IsNamed(target, u"_self") && !IsNamed(target, u"_parent")) {
    navigated = top_ == this || *topAlive_ ? top_->FindFrame(target) : nullptr;
  }
  if (navigated == nullptr) {
    navigations_[recordIndex].newWindow = true;
    return S_OK;
  }
  // Keeps both browsers alive while sinks run, whatever they release.
  ComPtr<BrowserObject> self(this);
  ComPtr<BrowserObject> keep(navigated);
  if (navigated->RunNavigation(request) == NavigationOutcome::kCancelled) {
    navigations_[recordIndex].cancelled = true;
  }
  return S_OK;
}

BrowserObject::NavigationOutcome BrowserObject::RunNavigation(const NavigationRecord& request) {
  const std::uint64_t generation = ++generation_;
  pending_.reset();
  Variant url(request.url);
  Variant flags = request.flags ? Variant(*request.flags) : Variant();
  Variant target = request.targetFrame.empty() ? Variant() : Variant(request.targetFrame);
  Variant postData = PostDataVariant(request.postData);
  Variant headers = request.headers.empty() ? Variant() : Variant(request.headers);
  VARIANT_BOOL cancel = VARIANT_FALSE;
  Fire(DISPID_BEFORENAVIGATE2,
       {Variant(AsDispatch()), Variant(VariantReference(&url)), Variant(VariantReference(&flags)),
        Variant(VariantReference(&target)), Variant(VariantReference(&postData)),
        Variant(VariantReference(&headers)), Variant(BoolReference(&cancel))});
  if (cancel != VARIANT_FALSE) return NavigationOutcome::kCancelled;
  if (generation != generation_) return NavigationOutcome::kSuperseded;

  busy_ = true;
  readyState_ = READYSTATE_LOADING;
  location_ = request.url;
  frames_.clear();
  document_ = Make<html::HtmlDocument>(request.url);
  // A frame that navigates on its own shows its new page in its parent's.
  if (parent_ != nullptr && *parentAlive_ && parent_->document_) {
    parent_->document_->ReplaceFrameDocument(static_cast<IWebBrowser2*>(this), document_);
  }
  if (IsTop()) Fire(DISPID_DOWNLOADBEGIN, {});
  if (generation != generation_) return NavigationOutcome::kSuperseded;
  Variant completedUrl(request.url);
  Fire(DISPID_NAVIGATECOMPLETE2, {Variant(AsDispatch()), Variant(VariantReference(&completedUrl))});
  if (generation != generation_) return NavigationOutcome::kSuperseded;
  if (holdLoading_) {
    pending_ = std::make_unique<PendingLoad>(PendingLoad{generation, request});
    return NavigationOutcome::kHeld;
  }
  CompleteLoad(generation, request);
  return NavigationOutcome::kLoaded;
}

void BrowserObject::FinishLoading() {
  if (!pending_) return;
  const std::unique_ptr<PendingLoad> pending = std::move(pending_);
  ComPtr<BrowserObject> self(this);
  CompleteLoad(pending->generation, pending->request);
}

void BrowserObject::CompleteLoad(std::uint64_t generation, const NavigationRecord& request) {
  browser::PageRequest pageRequest{WideToUtf8(request.url), request.postData,
                                   WideToUtf8(request.headers)};
  browser::PageContent content = browser::LoadPage(pageRequest);
  pageLoadError_ = content.loaded ? std::string() : content.error;
  if (!content.loaded) {
    content.bytes = kErrorPage;
    content.charset = "utf-8";
  } else if (!content.finalUrl.empty()) {
    location_ = Utf8ToWide(content.finalUrl);
  }
  document_->LoadPage(content.bytes, content.charset);
  LoadFrames(generation);
  if (generation != generation_) return;
  document_->SetComplete(true);
  busy_ = false;
  readyState_ = READYSTATE_COMPLETE;
  if (IsTop()) Fire(DISPID_DOWNLOADCOMPLETE, {});
  if (generation != generation_) return;
  Variant url(location_);
  Fire(DISPID_DOCUMENTCOMPLETE, {Variant(AsDispatch()), Variant(VariantReference(&url))});
}

void BrowserObject::LoadFrames(std::uint64_t generation) {
  const ComPtr<html::HtmlDocument> document = document_;
  for (const auto& frame : document->FrameElements()) {
    auto child = ComPtr<BrowserObject>();
    child.Attach(new BrowserObject(top_, topAlive_, this, alive_,
                                   html::Attribute(frame.element, u"name").value_or(u"")));
    frames_.push_back(child);
    if (FrameDepth() < kMaxFrameDepth && top_->FrameCount() <= kMaxFramesPerPage) {
      NavigationRecord request;
      request.url =
          Utf8ToWide(browser::ResolveAddress(WideToUtf8(location_), WideToUtf8(frame.source)));
      child->RunNavigation(request);
      if (generation != generation_) return;
    }
    if (!child->document_) {
      // The frame was not loaded or its navigation was cancelled: it shows
      // an empty page.
      child->document_ = Make<html::HtmlDocument>(u"about:blank");
      child->document_->LoadPage({});
      child->document_->SetComplete(true);
    }
    document->AttachFrame(ComPtr<IUnknown>(static_cast<IWebBrowser2*>(child.Get())),
                          child->document_);
  }
}

int BrowserObject::FrameDepth() const {
  int depth = 0;
  for (const BrowserObject* browser = this; browser->parent_ != nullptr;
       browser = browser->parent_) {
    ++depth;
  }
  return depth;
}

std::size_t BrowserObject::FrameCount() const {
  std::size_t count = frames_.size();
  for (const ComPtr<BrowserObject>& frame : frames_) count += frame->FrameCount();
  return count;
}

BrowserObject* BrowserObject::FindFrame(std::u16string_view name) {
  for (const ComPtr<BrowserObject>& frame : frames_) {
    if (IsNamed(frame->frameName_, name)) return frame.Get();
    if (BrowserObject* inner = frame->FindFrame(name)) return inner;
  }
  return nullptr;
}

void BrowserObject::Fire(DISPID id, std::vector<Variant> argumentsInOrder) {
  if (!*topAlive_) return;
  // The arguments stay owned by argumentsInOrder; the reversed copies are
  // the views DISPPARAMS hands to the sinks.
  std::vector<VARIANT> reversed(argumentsInOrder.rbegin(), argumentsInOrder.rend());
  DISPPARAMS params{reversed.empty() ? nullptr : reversed.data(), nullptr,
                    static_cast<UINT>(reversed.size()), 0};
  top_->events_.Fire(id, params);
}

HRESULT BrowserObject::get_LocationURL(BSTR* url) { return CopyToBstr(location_, url); }

HRESULT BrowserObject::get_LocationName(BSTR* name) {
  Bstr title;
  if (document_ && SUCCEEDED(document_->get_title(title.Receive())) && !title.Empty()) {
    return CopyToBstr(title.View(), name);
  }
  return CopyToBstr(location_, name);
}

HRESULT BrowserObject::get_Document(IDispatch** document) {
  if (document == nullptr) return E_POINTER;
  *document = nullptr;
  if (!document_) return S_OK;
  return document_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(document));
}

HRESULT BrowserObject::get_Busy(VARIANT_BOOL* busy) {
  if (busy == nullptr) return E_POINTER;
  *busy = busy_ ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT BrowserObject::get_ReadyState(READYSTATE* state) {
  if (state == nullptr) return E_POINTER;
  *state = readyState_;
  return S_OK;
}

HRESULT BrowserObject::get_Visible(VARIANT_BOOL* visible) {
  if (visible == nullptr) return E_POINTER;
  *visible = visible_ ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

HRESULT BrowserObject::put_Visible(VARIANT_BOOL visible) {
  visible_ = visible != VARIANT_FALSE;
  return S_OK;
}

HRESULT BrowserObject::get_HWND(LONG_PTR* window) {
  if (window == nullptr) return E_POINTER;
  *window = reinterpret_cast<LONG_PTR>(frameWindow_);
  return frameWindow_ != nullptr ? S_OK : E_FAIL;
}

HRESULT BrowserObject::put_RegisterAsBrowser(VARIANT_BOOL value) {
  properties_.registerAsBrowser = value != VARIANT_FALSE;
  return S_OK;
}
HRESULT BrowserObject::put_AddressBar(VARIANT_BOOL value) {
  properties_.addressBar = value != VARIANT_FALSE;
  return S_OK;
}
HRESULT BrowserObject::put_MenuBar(VARIANT_BOOL value) {
  properties_.menuBar = value != VARIANT_FALSE;
  return S_OK;
}
HRESULT BrowserObject::put_StatusBar(VARIANT_BOOL value) {
  properties_.statusBar = value != VARIANT_FALSE;
  return S_OK;
}

ComPtr<BrowserSite> BrowserObject::MakeBandSite() {
  return Make<BrowserSite>(ComPtr<IWebBrowser2>(this), bandParentWindow_);
}

HRESULT BrowserObject::ShowBrowserBar(VARIANT* clsid, VARIANT* show, VARIANT* /*size*/) {
  const auto text = clsid == nullptr ? std::nullopt : VariantText(*clsid);
  const auto parsed = text ? ParseGuid(WideToUtf8(*text)) : std::nullopt;
  if (!parsed) return E_INVALIDARG;
  const bool shown = VariantIsMissing(show) ? true : VariantBool(*show).value_or(true);
  const auto record = [&](HRESULT result) {
    barCalls_.push_back({*parsed, shown, result});
    return result;
  };
  auto existing = std::find_if(bars_.begin(), bars_.end(),
                               [&](const Bar& bar) { return bar.clsid == *parsed; });
  if (!shown) {
    if (existing != bars_.end()) {
      Bar closing = std::move(*existing);
      bars_.erase(existing);
      CloseBar(closing);
    }
    return record(S_OK);
  }
  if (existing != bars_.end()) {
    ComPtr<IDockingWindow> docking;
    if (SUCCEEDED(existing->object.As(&docking))) docking->ShowDW(1);
    return record(S_OK);
  }
  Bar bar{*parsed, nullptr, MakeBandSite()};
  HRESULT hr = CoCreateInstance(*parsed, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                bar.object.ReleaseAndGetVoidAddressOf());
  if (FAILED(hr)) return record(hr);
  ComPtr<IObjectWithSite> withSite;
  if (SUCCEEDED(bar.object.As(&withSite))) {
    hr = withSite->SetSite(static_cast<IOleWindow*>(bar.site.Get()));
    if (FAILED(hr)) {
      bar.site->Detach();
      return record(hr);
    }
  }
  ComPtr<IDockingWindow> docking;
  if (SUCCEEDED(bar.object.As(&docking))) docking->ShowDW(1);
  bars_.push_back(std::move(bar));
  return record(S_OK);
}

void BrowserObject::CloseBar(Bar& bar) {
  ComPtr<IDockingWindow> docking;
  if (SUCCEEDED(bar.object.As(&docking))) {
    docking->ShowDW(0);
    docking->CloseDW(0);
  }
  ComPtr<IObjectWithSite> withSite;
  if (SUCCEEDED(bar.object.As(&withSite))) withSite->SetSite(nullptr);
  bar.site->Detach();
}

ComPtr<IUnknown> BrowserObject::BrowserBar(const CLSID& clsid) const {
  for (const Bar& bar : bars_) {
    if (bar.clsid == clsid) return bar.object;
  }
  return nullptr;
}

ComPtr<BrowserSite> BrowserObject::BrowserBarSite(const CLSID& clsid) const {
  for (const Bar& bar : bars_) {
    if (bar.clsid == clsid) return bar.site;
  }
  return nullptr;
}

HRESULT BrowserObject::Quit() {
  if (quit_) return S_OK;
  ComPtr<BrowserObject> self(this);
  Fire(DISPID_ONQUIT, {});
  quit_ = true;
  std::vector<Bar> closing = std::move(bars_);
  bars_.clear();
  for (Bar& bar : closing) CloseBar(bar);
  return S_OK;
}

HRESULT BrowserObject::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (point == nullptr) return E_POINTER;
  *point = nullptr;
  if (iid != DIID_DWebBrowserEvents2) return CONNECT_E_NOCONNECTION;
  events_.AddRef();
  *point = &events_;
  return S_OK;
}

HRESULT BrowserObject::QueryService(REFGUID service, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (service != SID_SWebBrowserApp) return E_NOINTERFACE;
  return QueryInterface(iid, object);
}

ComPtr<BrowserObject> CreateBrowserWindow() {
  std::call_once(gWebBrowserClassOnce, [] {
    auto factory = Make<ClassFactory<BrowserObject>>();
    DWORD cookie = 0;
    CoRegisterClassObject(CLSID_WebBrowser, factory.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                          &cookie);
  });
  return Make<BrowserObject>();
}

}  // namespace platform
