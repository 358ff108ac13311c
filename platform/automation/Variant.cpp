#include "platform/automation/Variant.h"

#include <new>
#include <utility>

#include "platform/automation/Dispatch.h"
#include "platform/automation/SafeArray.h"

namespace {

// Follows one VT_BYREF | VT_VARIANT level, which is how the browser passes
// most event arguments.
const VARIANT& Dereferenced(const VARIANT& variant) {
  if (variant.vt == (VT_BYREF | VT_VARIANT) && variant.pvarVal != nullptr) return *variant.pvarVal;
  return variant;
}

}  // namespace

namespace platform {

Variant::Variant(bool value) noexcept {
  VariantInit(this);
  vt = VT_BOOL;
  boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
}

Variant::Variant(LONG value) noexcept {
  VariantInit(this);
  vt = VT_I4;
  lVal = value;
}

Variant::Variant(std::u16string_view text) {
  VariantInit(this);
  bstrVal = Bstr(text).Detach();
  vt = VT_BSTR;
}

Variant::Variant(IDispatch* dispatch) noexcept {
  VariantInit(this);
  vt = VT_DISPATCH;
  pdispVal = dispatch;
  if (dispatch != nullptr) dispatch->AddRef();
}

Variant::Variant(IUnknown* unknown) noexcept {
  VariantInit(this);
  vt = VT_UNKNOWN;
  punkVal = unknown;
  if (unknown != nullptr) unknown->AddRef();
}

Variant::Variant(const VARIANT& other) {
  VariantInit(this);
  // VariantCopy only reads its source; the SDK declares it without const.
  const HRESULT copied = VariantCopy(this, const_cast<VARIANT*>(&other));
  if (copied == E_OUTOFMEMORY) throw std::bad_alloc();
}

Variant::Variant(Variant&& other) noexcept : VARIANT(other) { VariantInit(&other); }

Variant& Variant::operator=(const Variant& other) {
  if (this != &other) {
    Variant copy(other);
    *this = std::move(copy);
  }
  return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != &other) {
    VariantClear(this);
    static_cast<VARIANT&>(*this) = other;
    VariantInit(&other);
  }
  return *this;
}

VARIANT BoolReference(VARIANT_BOOL* target) {
  VARIANT variant{};
  VariantInit(&variant);
  variant.vt = VT_BYREF | VT_BOOL;
  variant.pboolVal = target;
  return variant;
}

VARIANT VariantReference(VARIANT* target) {
  VARIANT variant{};
  VariantInit(&variant);
  variant.vt = VT_BYREF | VT_VARIANT;
  variant.pvarVal = target;
  return variant;
}

std::optional<std::u16string> VariantText(const VARIANT& variant) {
  const VARIANT& value = Dereferenced(variant);
  if (value.vt == VT_BSTR) return std::u16string(Bstr::Borrowed(value.bstrVal));
  if (value.vt == (VT_BYREF | VT_BSTR) && value.pbstrVal != nullptr) {
    return std::u16string(Bstr::Borrowed(*value.pbstrVal));
  }
  return std::nullopt;
}

std::optional<LONG> VariantInteger(const VARIANT& variant) {
  const VARIANT& value = Dereferenced(variant);
  if (value.vt == VT_I4) return value.lVal;
  if (value.vt == (VT_BYREF | VT_I4) && value.plVal != nullptr) return *value.plVal;
  return std::nullopt;
}

std::optional<bool> VariantBool(const VARIANT& variant) {
  const VARIANT& value = Dereferenced(variant);
  if (value.vt == VT_BOOL) return value.boolVal != VARIANT_FALSE;
  if (value.vt == (VT_BYREF | VT_BOOL) && value.pboolVal != nullptr) {
    return *value.pboolVal != VARIANT_FALSE;
  }
  return std::nullopt;
}

bool VariantIsMissing(const VARIANT* variant) {
  if (variant == nullptr) return true;
  const VARIANT& value = Dereferenced(*variant);
  return value.vt == VT_EMPTY || value.vt == VT_NULL;
}

}  // namespace platform
