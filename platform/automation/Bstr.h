// BSTR: the length-prefixed wide string of OLE Automation, as the browser's
// interfaces pass text. The four bytes before the characters hold the length
// in bytes and a NUL follows the characters, so a BSTR reads like a plain
// wide C string too; a null BSTR is the empty string. Ownership travels with
// the pointer: whoever receives one through an out-parameter frees it with
// SysFreeString. platform::Bstr is the owner that makes that automatic (what
// CComBSTR is on Windows).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "platform/com/HResult.h"
#include "platform/text/WideChars.h"

#if defined(_WIN32)
#include <oleauto.h>
#else
#include "platform/automation/Bstr_linux.h"
#endif

namespace platform {

class Bstr {
 public:
  Bstr() noexcept = default;
  // Throws std::bad_alloc when the copy cannot be made, so a caller never
  // mistakes a failed allocation for an empty string.
  explicit Bstr(std::u16string_view text);
  ~Bstr() { SysFreeString(text_); }
  Bstr(const Bstr& other) : Bstr(other.View()) {}
  Bstr(Bstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
  Bstr& operator=(Bstr other) noexcept {
    std::swap(text_, other.text_);
    return *this;
  }

  // The text of a BSTR someone else owns (a null BSTR reads as empty).
  static std::u16string_view Borrowed(BSTR text) noexcept {
    return {text == nullptr ? u"" : AsChar16(text), SysStringLen(text)};
  }

  BSTR Get() const noexcept { return text_; }
  std::u16string_view View() const noexcept { return Borrowed(text_); }
  std::u16string String() const { return std::u16string(View()); }
  UINT Length() const noexcept { return SysStringLen(text_); }
  bool Empty() const noexcept { return Length() == 0; }

  // For out-parameters: frees what is held, then exposes the slot.
  BSTR* Receive() noexcept {
    SysFreeString(std::exchange(text_, nullptr));
    return &text_;
  }
  // Hands ownership to the caller (for returning through an out-parameter).
  [[nodiscard]] BSTR Detach() noexcept { return std::exchange(text_, nullptr); }
  void Attach(BSTR text) noexcept {
    SysFreeString(text_);
    text_ = text;
  }

 private:
  BSTR text_ = nullptr;
};

// Allocates a BSTR copy for an out-parameter: E_POINTER for a null slot,
// E_OUTOFMEMORY when the copy fails.
HRESULT CopyToBstr(std::u16string_view text, BSTR* out);

}  // namespace platform
