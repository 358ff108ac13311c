// The Linux side of platform/automation/Dispatch.h: IDispatch and its argument types.
#pragma once

#include "platform/automation/Variant.h"

using DISPID = LONG;
using LCID = DWORD;

constexpr WORD DISPATCH_METHOD = 0x1;
constexpr WORD DISPATCH_PROPERTYGET = 0x2;
constexpr WORD DISPATCH_PROPERTYPUT = 0x4;

constexpr HRESULT DISP_E_BADPARAMCOUNT = MakeHresult(0x8002000Eu);

struct DISPPARAMS {
  VARIANTARG* rgvarg;
  DISPID* rgdispidNamedArgs;
  UINT cArgs;
  UINT cNamedArgs;
};

// Exception details of a failed Invoke; never filled by this stand-in.
struct EXCEPINFO;
// Type information; never handed out by this stand-in.
struct ITypeInfo;

struct IDispatch : IUnknown {
  static constexpr IID kIid = platform::MakeGuid("00020400-0000-0000-C000-000000000046");

  virtual HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count,
                                                  LCID locale, DISPID* ids) = 0;
  virtual HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                           DISPPARAMS* params, VARIANT* result,
                                           EXCEPINFO* exception, UINT* argumentError) = 0;

 protected:
  ~IDispatch() = default;
};

inline constexpr IID IID_IDispatch = IDispatch::kIid;
