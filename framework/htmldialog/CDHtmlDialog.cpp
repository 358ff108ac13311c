#include "framework/htmldialog/CDHtmlDialog.h"

#include "platform/activation/Activation.h"
#include "platform/automation/Bstr.h"
#include "platform/automation/Variant.h"
#include "platform/browser/ControlHost.h"
#include "platform/files/FileSystem.h"
#include "platform/text/CodePage.h"
#include "platform/text/WideChars.h"

namespace framework {
namespace {

constexpr char16_t kViewClass[] = u"CDHtmlDialog View";

bool RegisterViewClass() {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(nullptr, platform::AsWchar(kViewClass), &existing)) return true;
  WNDCLASSEXW viewClass{};
  viewClass.cbSize = sizeof(viewClass);
  viewClass.lpfnWndProc = &DefWindowProcW;
  viewClass.lpszClassName = platform::AsWchar(kViewClass);
  return RegisterClassExW(&viewClass) != 0;
}

}  // namespace

CDHtmlDialog::CDHtmlDialog(HWND parent, std::u16string htmlResource)
    : parent_(parent), htmlResource_(std::move(htmlResource)) {}

CDHtmlDialog::~CDHtmlDialog() = default;

INT_PTR CDHtmlDialog::DoModal() {
  DCHECK_CALLED_ON_VALID_THREAD(threadChecker_);
  return DialogBoxIndirectParamW(nullptr, Template(), parent_, &CDHtmlDialog::DialogProc,
                                 reinterpret_cast<LPARAM>(this));
}

platform::ComPtr<IHTMLDocument2> CDHtmlDialog::Document() const {
  platform::ComPtr<IHTMLDocument2> document;
  if (!browser_) return document;
  platform::ComPtr<IDispatch> dispatch;
  if (SUCCEEDED(browser_->get_Document(dispatch.ReleaseAndGetAddressOf())) && dispatch) {
    dispatch->QueryInterface(IID_PPV_ARGS(document.ReleaseAndGetAddressOf()));
  }
  return document;
}

std::u16string CDHtmlDialog::PageUrl() const {
  return u"res://" + platform::AnsiToWide(platform::ModuleFilePath()) + u"/" + htmlResource_;
}

bool CDHtmlDialog::OnCommand(WORD id, WORD code, HWND) {
  if (code != BN_CLICKED || (id != IDOK && id != IDCANCEL)) return false;
  EndDialog(id);
  return true;
}

HBRUSH CDHtmlDialog::OnCtlColor(HDC, HWND, UINT) { return nullptr; }

void CDHtmlDialog::OnDrawItem(const DRAWITEMSTRUCT&) {}

void CDHtmlDialog::OnActivate(WORD) {}

void CDHtmlDialog::EndDialog(INT_PTR result) { ::EndDialog(hwnd_, result); }

// The page's window fills the dialog beneath every control, so the
// controls lie over the page.
void CDHtmlDialog::HostPage() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  if (!RegisterViewClass()) return;
  view_.Reset(CreateWindowExW(0, platform::AsWchar(kViewClass), platform::AsWchar(u""),
                              WS_CHILD | WS_VISIBLE, 0, 0, client.right, client.bottom, hwnd_,
                              nullptr, nullptr, nullptr));
  if (!view_) return;
  SetWindowPos(view_.Get(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  platform::ComPtr<IWebBrowser2> control;
  if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(control.ReleaseAndGetAddressOf()))) ||
      FAILED(platform::AttachControlToWindow(control.Get(), view_.Get()))) {
    return;
  }
  control->put_RegisterAsBrowser(VARIANT_FALSE);
  browser_ = control;
  const platform::Bstr page(PageUrl());
  platform::Variant none;
  browser_->Navigate(page.Get(), &none, &none, &none, &none);
}

INT_PTR CDHtmlDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE
                                                                                       : FALSE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
      return reinterpret_cast<INT_PTR>(
          OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message));
    case WM_DRAWITEM:
      OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam));
      return FALSE;
    case WM_DESTROY:
      browser_.Reset();
      hwnd_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK CDHtmlDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* dialog = reinterpret_cast<CDHtmlDialog*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, lParam);
    dialog->hwnd_ = hwnd;
    dialog->HostPage();
    return dialog->OnInitDialog();
  }
  auto* dialog = reinterpret_cast<CDHtmlDialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return dialog != nullptr ? dialog->HandleMessage(message, wParam, lParam) : FALSE;
}

}  // namespace framework
