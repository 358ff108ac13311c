// VARIANT: the tagged value of OLE Automation that carries properties and
// event arguments across the browser's interfaces. Only the kinds the
// browser's events and properties use are known here: empty, null, 32-bit
// integer, bool, string (BSTR), dispatch and unknown pointers, arrays, and
// references to a variant, a bool (the Cancel argument of BeforeNavigate2),
// an integer or a string. The layout and the rules are the Windows ones: the
// variant owns what it holds (a BSTR, a reference on an interface, an
// array) and VariantClear releases it; by-reference variants own nothing.
//
// platform::Variant is the owning wrapper (what CComVariant is on Windows);
// it *is* a VARIANT, so `&variant` passes where a VARIANT* is asked.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/automation/Bstr.h"
#include "platform/com/Unknown.h"

#if defined(_WIN32)
#include <oleauto.h>
#else
#include "platform/automation/Variant_linux.h"
#endif

namespace platform {

class Variant : public VARIANT {
 public:
  Variant() noexcept { VariantInit(this); }
  // Typed constructors throw std::bad_alloc when a string cannot be copied.
  explicit Variant(bool value) noexcept;
  explicit Variant(LONG value) noexcept;
  explicit Variant(std::u16string_view text);
  explicit Variant(const char16_t* text) : Variant(std::u16string_view(text)) {}
  // Holds its own reference on the interface (null gives a null pointer of
  // that kind, as CComVariant does).
  explicit Variant(IDispatch* dispatch) noexcept;
  explicit Variant(IUnknown* unknown) noexcept;
  Variant(const VARIANT& other);
  Variant(const Variant& other) : Variant(static_cast<const VARIANT&>(other)) {}
  Variant(Variant&& other) noexcept;
  Variant& operator=(const Variant& other);
  Variant& operator=(Variant&& other) noexcept;
  ~Variant() { VariantClear(this); }

  void Clear() noexcept { VariantClear(this); }
  // For out-parameters: clears, then exposes the variant.
  VARIANT* Receive() noexcept {
    Clear();
    return this;
  }
};

// A by-reference variant to a bool (how BeforeNavigate2 passes Cancel).
VARIANT BoolReference(VARIANT_BOOL* target);
// A by-reference variant to another variant (how the browser passes URL,
// flags, target frame, post data and headers to BeforeNavigate2).
VARIANT VariantReference(VARIANT* target);

// What a variant says, looking through one level of VT_BYREF | VT_VARIANT:
// its text for a BSTR (null BSTR = empty), nullopt for every other kind.
std::optional<std::u16string> VariantText(const VARIANT& variant);
// Its integer for VT_I4 (or a reference to one), nullopt otherwise.
std::optional<LONG> VariantInteger(const VARIANT& variant);
// Its bool for VT_BOOL (or a reference to one), nullopt otherwise.
std::optional<bool> VariantBool(const VARIANT& variant);
// True for VT_EMPTY and VT_NULL, also behind a reference: an optional
// argument that was left out.
bool VariantIsMissing(const VARIANT* variant);

}  // namespace platform
