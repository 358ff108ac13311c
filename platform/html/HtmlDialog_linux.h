// The Linux side of platform/html/HtmlDialog.h: monikers and the HTML dialog function.
#pragma once

#include "platform/automation/Variant.h"
#include "platform/ui/WinTypes.h"

struct IBindCtx;

struct IMoniker : IUnknown {
  static constexpr IID kIid = platform::MakeGuid("0000000F-0000-0000-C000-000000000046");

  // The address the moniker names, allocated with CoTaskMemAlloc.
  virtual HRESULT STDMETHODCALLTYPE GetDisplayName(IBindCtx* context, IMoniker* toLeft,
                                                   LPOLESTR* name) = 0;

 protected:
  ~IMoniker() = default;
};

inline constexpr IID IID_IMoniker = IMoniker::kIid;

HRESULT WINAPI CreateURLMoniker(IMoniker* context, LPCWSTR url, IMoniker** moniker);

using SHOWHTMLDIALOGFN = HRESULT STDAPICALLTYPE(HWND parent, IMoniker* moniker, VARIANT* argumentIn,
                                                LPWSTR options, VARIANT* argumentOut);

HRESULT WINAPI ShowHTMLDialog(HWND parent, IMoniker* moniker, VARIANT* argumentIn, LPWSTR options,
                              VARIANT* argumentOut);
