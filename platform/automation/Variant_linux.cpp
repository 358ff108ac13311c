// The automation run time's VARIANT calls, as oleaut32 answers them.
#include "platform/automation/Variant.h"

#include <utility>

#include "platform/automation/Dispatch.h"
#include "platform/automation/SafeArray.h"

void VariantInit(VARIANT* variant) {
  variant->vt = VT_EMPTY;
  variant->wReserved1 = variant->wReserved2 = variant->wReserved3 = 0;
  variant->punkVal = nullptr;
}

namespace {

bool IsKnownKind(VARTYPE vt) {
  if ((vt & VT_BYREF) != 0) return true;
  if ((vt & VT_ARRAY) != 0) return (vt & ~VT_ARRAY) == VT_VARIANT || (vt & ~VT_ARRAY) == VT_UI1;
  switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_I4:
    case VT_BSTR:
    case VT_DISPATCH:
    case VT_BOOL:
    case VT_UNKNOWN:
      return true;
    default:
      return false;
  }
}

}  // namespace

HRESULT VariantClear(VARIANT* variant) {
  if (variant == nullptr) return E_INVALIDARG;
  if (!IsKnownKind(variant->vt)) return DISP_E_BADVARTYPE;
  if ((variant->vt & VT_BYREF) == 0) {
    if ((variant->vt & VT_ARRAY) != 0) {
      SafeArrayDestroy(variant->parray);
    } else if (variant->vt == VT_BSTR) {
      SysFreeString(variant->bstrVal);
    } else if ((variant->vt == VT_DISPATCH || variant->vt == VT_UNKNOWN) &&
               variant->punkVal != nullptr) {
      // Cleared before Release: the object's destructor may look at us.
      IUnknown* held = std::exchange(variant->punkVal, nullptr);
      held->Release();
    }
  }
  VariantInit(variant);
  return S_OK;
}

HRESULT VariantCopy(VARIANTARG* destination, VARIANTARG* source) {
  if (destination == nullptr || source == nullptr) return E_INVALIDARG;
  if (destination == source) return S_OK;
  if (!IsKnownKind(source->vt)) return DISP_E_BADVARTYPE;
  const HRESULT cleared = VariantClear(destination);
  if (FAILED(cleared)) return cleared;
  VARIANT copy = *source;
  if ((source->vt & VT_BYREF) == 0) {
    if ((source->vt & VT_ARRAY) != 0) {
      if (source->parray != nullptr) {
        const HRESULT copied = SafeArrayCopy(source->parray, &copy.parray);
        if (FAILED(copied)) return copied;
      }
    } else if (source->vt == VT_BSTR && source->bstrVal != nullptr) {
      copy.bstrVal = SysAllocStringLen(source->bstrVal, SysStringLen(source->bstrVal));
      if (copy.bstrVal == nullptr) return E_OUTOFMEMORY;
    } else if ((source->vt == VT_DISPATCH || source->vt == VT_UNKNOWN) &&
               source->punkVal != nullptr) {
      source->punkVal->AddRef();
    }
  }
  *destination = copy;
  return S_OK;
}
