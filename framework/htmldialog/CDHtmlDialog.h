// A dialog whose client area is an HTML page, in the manner of MFC's
// CDHtmlDialog: a web-browser control fills the dialog and shows a page
// that is an HTML resource of the module (addressed through the browser's
// res: protocol by the module's full path), and the dialog's native
// controls lie over it. Derived classes describe the dialog with a template
// and handle its messages through the virtual functions below; DoModal runs
// it and returns the id it was closed with.
//
//   class CMyDialog : public framework::CDHtmlDialog { ... };
//   CMyDialog dialog(parent);
//   if (dialog.DoModal() == IDOK) ...
//
// A control that cannot be created or hosted leaves the dialog without its
// page: the controls still work, which is all that a missing page could
// change.
//
// Lives on the thread that runs it (a browser window's), for one DoModal.
#pragma once

#include <string>

#include "platform/browser/WebBrowser.h"
#include "platform/com/ComPtr.h"
#include "platform/html/HtmlInterfaces.h"
#include "platform/threading/ThreadChecker.h"
#include "platform/ui/Button.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Window.h"

namespace framework {

class CDHtmlDialog {
 public:
  // `htmlResource`: the name of the module's HTML resource to show.
  CDHtmlDialog(HWND parent, std::u16string htmlResource);
  virtual ~CDHtmlDialog();
  CDHtmlDialog(const CDHtmlDialog&) = delete;
  CDHtmlDialog& operator=(const CDHtmlDialog&) = delete;

  INT_PTR DoModal();

  // While the dialog runs: its window, and the page's document (null
  // without a page).
  HWND GetSafeHwnd() const { return hwnd_; }
  platform::ComPtr<IHTMLDocument2> Document() const;
  // "res://" + the module's file path + "/" + the resource's name.
  std::u16string PageUrl() const;

 protected:
  // The dialog's layout, valid while the dialog runs.
  virtual const DLGTEMPLATE* Template() = 0;
  // After the page is in place. TRUE gives the focus to the first control
  // that takes it; FALSE leaves it where the handler put it.
  virtual BOOL OnInitDialog() { return TRUE; }
  // WM_COMMAND; true when handled.
  virtual bool OnCommand(WORD id, WORD code, HWND control);
  // WM_CTLCOLOR*: the brush to paint with, or null for the default.
  virtual HBRUSH OnCtlColor(HDC dc, HWND control, UINT message);
  // WM_DRAWITEM for an owner-drawn control.
  virtual void OnDrawItem(const DRAWITEMSTRUCT& item);
  // WM_ACTIVATE with WA_ACTIVE, WA_CLICKACTIVE or WA_INACTIVE.
  virtual void OnActivate(WORD state);
  void EndDialog(INT_PTR result);

  HWND Parent() const { return parent_; }

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void HostPage();

  const HWND parent_;
  const std::u16string htmlResource_;
  HWND hwnd_ = nullptr;
  platform::ui::UniqueWindow view_;
  platform::ComPtr<IWebBrowser2> browser_;
  THREAD_CHECKER(threadChecker_);
};

}  // namespace framework
