// The Linux side of platform/automation/SafeArray.h: SAFEARRAY and its functions.
#pragma once

#include "platform/automation/Variant.h"

struct SAFEARRAYBOUND {
  ULONG cElements;
  LONG lLbound;
};

struct SAFEARRAY {
  WORD cDims;
  WORD fFeatures;
  ULONG cbElements;
  ULONG cLocks;
  void* pvData;
  SAFEARRAYBOUND rgsabound[1];
  VARTYPE vt;  // the element kind (what SafeArrayGetVartype answers)
};

constexpr HRESULT DISP_E_ARRAYISLOCKED = MakeHresult(0x8002000Du);
constexpr HRESULT DISP_E_BADINDEX = MakeHresult(0x8002000Bu);

// VT_VARIANT (elements start empty) or VT_UI1 (zeroed bytes); null for other
// kinds or when memory runs out.
SAFEARRAY* WINAPI SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG count);
// Clears every element and frees the array; DISP_E_ARRAYISLOCKED while data
// is accessed.
HRESULT WINAPI SafeArrayDestroy(SAFEARRAY* array);
HRESULT WINAPI SafeArrayAccessData(SAFEARRAY* array, void** data);
HRESULT WINAPI SafeArrayUnaccessData(SAFEARRAY* array);
// Copies `value` (a VARIANT* or a BYTE*) into element `*index`.
HRESULT WINAPI SafeArrayPutElement(SAFEARRAY* array, const LONG* index, const void* value);
HRESULT WINAPI SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* vt);
// Deep copy, as VariantCopy copies arrays.
HRESULT WINAPI SafeArrayCopy(SAFEARRAY* source, SAFEARRAY** copy);
