// Internal to platform/sax on Windows: bytes the caller keeps, read once
// from the start as an ISequentialStream, which is how MSXML's SAX reader
// pulls its input without a copy of it.
#pragma once

#if defined(_WIN32)

#include <objidl.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/com/ComObject.h"

namespace platform::sax_detail {

class ByteStream final : public ComObject<ISequentialStream> {
 public:
  // The bytes must outlive every read.
  explicit ByteStream(std::string_view bytes) : rest_(bytes) {}

  HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) override {
    if (buffer == nullptr) return STG_E_INVALIDPOINTER;
    const std::size_t count = std::min<std::size_t>(size, rest_.size());
    std::memcpy(buffer, rest_.data(), count);
    rest_.remove_prefix(count);
    if (read != nullptr) *read = static_cast<ULONG>(count);
    return count < size ? S_FALSE : S_OK;
  }

  HRESULT STDMETHODCALLTYPE Write(const void*, ULONG, ULONG* written) override {
    if (written != nullptr) *written = 0;
    return STG_E_ACCESSDENIED;
  }

 private:
  std::string_view rest_;
};

}  // namespace platform::sax_detail

#endif  // _WIN32
