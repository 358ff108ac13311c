#include "platform/automation/SafeArray.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr WORD kFadfVariant = 0x0800;

VARIANT* VariantsOf(SAFEARRAY* array) { return static_cast<VARIANT*>(array->pvData); }

}  // namespace

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG count) {
  if (vt != VT_VARIANT && vt != VT_UI1) return nullptr;
  const std::size_t elementSize = vt == VT_VARIANT ? sizeof(VARIANT) : 1;
  auto* array = static_cast<SAFEARRAY*>(std::calloc(1, sizeof(SAFEARRAY)));
  if (array == nullptr) return nullptr;
  // calloc keeps every variant VT_EMPTY and every byte zero; one extra
  // element keeps a zero-length array's data pointer valid.
  array->pvData = std::calloc(std::size_t{count} + 1, elementSize);
  if (array->pvData == nullptr) {
    std::free(array);
    return nullptr;
  }
  array->cDims = 1;
  array->fFeatures = vt == VT_VARIANT ? kFadfVariant : 0;
  array->cbElements = static_cast<ULONG>(elementSize);
  array->rgsabound[0] = {count, lowerBound};
  array->vt = vt;
  return array;
}

HRESULT SafeArrayDestroy(SAFEARRAY* array) {
  if (array == nullptr) return S_OK;
  if (array->cLocks != 0) return DISP_E_ARRAYISLOCKED;
  if (array->vt == VT_VARIANT) {
    for (ULONG i = 0; i < array->rgsabound[0].cElements; ++i) VariantClear(&VariantsOf(array)[i]);
  }
  std::free(array->pvData);
  std::free(array);
  return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data) {
  if (array == nullptr || data == nullptr) return E_INVALIDARG;
  ++array->cLocks;
  *data = array->pvData;
  return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* array) {
  if (array == nullptr) return E_INVALIDARG;
  if (array->cLocks == 0) return E_UNEXPECTED;
  --array->cLocks;
  return S_OK;
}

HRESULT SafeArrayPutElement(SAFEARRAY* array, const LONG* index, const void* value) {
  if (array == nullptr || index == nullptr || value == nullptr) return E_INVALIDARG;
  const LONG offset = *index - array->rgsabound[0].lLbound;
  if (offset < 0 || static_cast<ULONG>(offset) >= array->rgsabound[0].cElements) {
    return DISP_E_BADINDEX;
  }
  if (array->vt == VT_VARIANT) {
    return VariantCopy(&VariantsOf(array)[offset], static_cast<VARIANT*>(const_cast<void*>(value)));
  }
  static_cast<unsigned char*>(array->pvData)[offset] = *static_cast<const unsigned char*>(value);
  return S_OK;
}

HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* vt) {
  if (array == nullptr || vt == nullptr) return E_INVALIDARG;
  *vt = array->vt;
  return S_OK;
}

HRESULT SafeArrayCopy(SAFEARRAY* source, SAFEARRAY** copy) {
  if (source == nullptr || copy == nullptr) return E_INVALIDARG;
  *copy = nullptr;
  const ULONG count = source->rgsabound[0].cElements;
  SAFEARRAY* result = SafeArrayCreateVector(source->vt, source->rgsabound[0].lLbound, count);
  if (result == nullptr) return E_OUTOFMEMORY;
  if (source->vt == VT_VARIANT) {
    for (ULONG i = 0; i < count; ++i) {
      const HRESULT copied = VariantCopy(&VariantsOf(result)[i], &VariantsOf(source)[i]);
      if (FAILED(copied)) {
        SafeArrayDestroy(result);
        return copied;
      }
    }
  } else {
    std::memcpy(result->pvData, source->pvData, count);
  }
  *copy = result;
  return S_OK;
}
