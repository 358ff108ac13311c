// The Linux side of platform/automation/Variant.h: VARIANT and its functions.
#pragma once

#include <cstdint>

#include "platform/automation/Bstr.h"
#include "platform/com/Unknown.h"

struct IDispatch;
struct SAFEARRAY;

using VARTYPE = std::uint16_t;
using VARIANT_BOOL = std::int16_t;
using WORD = std::uint16_t;

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

enum : VARTYPE {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I4 = 3,
  VT_BSTR = 8,
  VT_DISPATCH = 9,
  VT_BOOL = 11,
  VT_VARIANT = 12,
  VT_UNKNOWN = 13,
  VT_UI1 = 17,
  VT_ARRAY = 0x2000,
  VT_BYREF = 0x4000,
};

constexpr HRESULT DISP_E_BADVARTYPE = MakeHresult(0x80020008u);
constexpr HRESULT DISP_E_TYPEMISMATCH = MakeHresult(0x80020005u);

struct VARIANT {
  VARTYPE vt;
  WORD wReserved1;
  WORD wReserved2;
  WORD wReserved3;
  union {
    LONG lVal;
    VARIANT_BOOL boolVal;
    BSTR bstrVal;
    IUnknown* punkVal;
    IDispatch* pdispVal;
    SAFEARRAY* parray;
    LONG* plVal;
    VARIANT_BOOL* pboolVal;
    BSTR* pbstrVal;
    VARIANT* pvarVal;
  };
};
using VARIANTARG = VARIANT;

// Makes the variant empty without looking at what it held.
void WINAPI VariantInit(VARIANT* variant);
// Releases what the variant owns and makes it empty. DISP_E_BADVARTYPE for a
// kind this stand-in does not know (the variant is then left alone).
HRESULT WINAPI VariantClear(VARIANT* variant);
// Clears `destination`, then makes it a deep copy of `source` (a new BSTR,
// an AddRef, a copied array; references are copied as references).
HRESULT WINAPI VariantCopy(VARIANTARG* destination, VARIANTARG* source);
