#include "platform/automation/Bstr.h"

#include <new>

#include "platform/text/WideChars.h"

namespace platform {

Bstr::Bstr(std::u16string_view text)
    : text_(SysAllocStringLen(AsWchar(text.data()), static_cast<UINT>(text.size()))) {
  if (text_ == nullptr) throw std::bad_alloc();
}

HRESULT CopyToBstr(std::u16string_view text, BSTR* out) {
  if (out == nullptr) return E_POINTER;
  *out = SysAllocStringLen(AsWchar(text.data()), static_cast<UINT>(text.size()));
  return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

}  // namespace platform
