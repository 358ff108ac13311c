// The Linux side of platform/browser/WebBrowser.h: the browser object's interface and its events.
#pragma once

#include "platform/automation/Dispatch.h"
#include "platform/ui/WinTypes.h"

enum READYSTATE : LONG {
  READYSTATE_UNINITIALIZED = 0,
  READYSTATE_LOADING = 1,
  READYSTATE_LOADED = 2,
  READYSTATE_INTERACTIVE = 3,
  READYSTATE_COMPLETE = 4,
};

// Navigate flags (BrowserNavConstants).
constexpr LONG navOpenInNewWindow = 0x1;
constexpr LONG navNoHistory = 0x2;

struct IWebBrowser2 : IDispatch {
  static constexpr IID kIid = platform::MakeGuid("D30C1661-CDAF-11D0-8A3E-00C04FC9E26E");
  using BaseInterface = IDispatch;

  // Optional arguments may be null or empty variants. Flags: a VT_I4;
  // target: a frame name, "_self", "_top", "_parent" or "_blank"; post data:
  // a VT_ARRAY | VT_UI1; headers: CRLF-separated lines.
  virtual HRESULT STDMETHODCALLTYPE Navigate(BSTR url, VARIANT* flags, VARIANT* targetFrameName,
                                             VARIANT* postData, VARIANT* headers) = 0;
  // The same with the URL as a VT_BSTR variant.
  virtual HRESULT STDMETHODCALLTYPE Navigate2(VARIANT* url, VARIANT* flags,
                                              VARIANT* targetFrameName, VARIANT* postData,
                                              VARIANT* headers) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR* url) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_LocationName(BSTR* name) = 0;
  // The current document (answers IHTMLDocument2); S_OK with null before
  // the first navigation.
  virtual HRESULT STDMETHODCALLTYPE get_Document(IDispatch** document) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Busy(VARIANT_BOOL* busy) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_ReadyState(READYSTATE* state) = 0;
  virtual HRESULT STDMETHODCALLTYPE get_Visible(VARIANT_BOOL* visible) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL visible) = 0;
  // The browser's frame window.
  virtual HRESULT STDMETHODCALLTYPE get_HWND(LONG_PTR* window) = 0;
  // Shows or hides an explorer bar: `clsid` a VT_BSTR in registry form,
  // `show` a VT_BOOL; `size` is ignored.
  virtual HRESULT STDMETHODCALLTYPE ShowBrowserBar(VARIANT* clsid, VARIANT* show,
                                                   VARIANT* size) = 0;
  virtual HRESULT STDMETHODCALLTYPE Quit() = 0;
  virtual HRESULT STDMETHODCALLTYPE put_RegisterAsBrowser(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_AddressBar(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_MenuBar(VARIANT_BOOL value) = 0;
  virtual HRESULT STDMETHODCALLTYPE put_StatusBar(VARIANT_BOOL value) = 0;

 protected:
  ~IWebBrowser2() = default;
};

// Sinks implement IDispatch and answer this interface id.
struct DWebBrowserEvents2 : IDispatch {
  static constexpr IID kIid = platform::MakeGuid("34A715A0-6587-11D0-924A-0020AFC7AC4D");
  using BaseInterface = IDispatch;

 protected:
  ~DWebBrowserEvents2() = default;
};

inline constexpr IID IID_IWebBrowser2 = IWebBrowser2::kIid;
inline constexpr IID DIID_DWebBrowserEvents2 = DWebBrowserEvents2::kIid;
// The browser application's class (iexplore.exe as a local server).
inline constexpr CLSID CLSID_InternetExplorer =
    platform::MakeGuid("0002DF01-0000-0000-C000-000000000046");
// The web-browser control's class (what the sidebar hosts).
inline constexpr CLSID CLSID_WebBrowser =
    platform::MakeGuid("8856F961-340A-11D0-A96B-00C04FD705A2");
