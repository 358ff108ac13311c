// The Linux side of platform/activation/ComponentCategories.h: category ids,
// their descriptions and ICatRegister.
#pragma once

#include "platform/automation/Dispatch.h"
#include "platform/com/Unknown.h"

using CATID = GUID;
using REFCATID = const CATID&;

struct CATEGORYINFO {
  CATID catid;
  LCID lcid;
  OLECHAR szDescription[128];
};

struct ICatRegister : IUnknown {
  static constexpr IID kIid = platform::MakeGuid("0002E012-0000-0000-C000-000000000046");

  virtual HRESULT STDMETHODCALLTYPE RegisterCategories(ULONG count, CATEGORYINFO infos[]) = 0;
  virtual HRESULT STDMETHODCALLTYPE UnRegisterCategories(ULONG count, CATID ids[]) = 0;
  virtual HRESULT STDMETHODCALLTYPE RegisterClassImplCategories(REFCLSID clsid, ULONG count,
                                                                CATID ids[]) = 0;
  virtual HRESULT STDMETHODCALLTYPE UnRegisterClassImplCategories(REFCLSID clsid, ULONG count,
                                                                  CATID ids[]) = 0;
  virtual HRESULT STDMETHODCALLTYPE RegisterClassReqCategories(REFCLSID clsid, ULONG count,
                                                               CATID ids[]) = 0;
  virtual HRESULT STDMETHODCALLTYPE UnRegisterClassReqCategories(REFCLSID clsid, ULONG count,
                                                                 CATID ids[]) = 0;

 protected:
  ~ICatRegister() = default;
};

inline constexpr IID IID_ICatRegister = ICatRegister::kIid;
inline constexpr CLSID CLSID_StdComponentCategoriesMgr =
    platform::MakeGuid("0002E005-0000-0000-C000-000000000046");
